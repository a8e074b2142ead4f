#include "app/CommandLine.h"

#include "platform/core/Bundle.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

namespace {

using platform::bundle::localizedString;

constexpr CommandEntry kOptions[] = {
    {"desktop", nullptr,
     QT_TRANSLATE_NOOP("Trayskin", "Work on the desktop's icon theme (desktop mode).")},
    {"menu-extras", nullptr, QT_TRANSLATE_NOOP("Trayskin", "Work on the Menu Extras folder.")},
    {"icon-theme", "NAME",
     QT_TRANSLATE_NOOP("Trayskin", "Work on this icon theme (desktop mode).")},
    {"own-theme", nullptr,
     QT_TRANSLATE_NOOP("Trayskin",
                       "Install sets into a theme of their own beside the icon theme, which the "
                       "desktop shows once switched to it (desktop mode).")},
    {"switch-desktop", nullptr,
     QT_TRANSLATE_NOOP("Trayskin",
                       "With use --own-theme: then switch the desktop to the own theme, as Switch "
                       "Desktop Now does; restoring its last picture switches the desktop back "
                       "(desktop mode).")},
    {"restart-panel", nullptr,
     QT_TRANSLATE_NOOP("Trayskin",
                       "After use or restore, start the running panel again, and the status "
                       "programs that show the pictures, where Trayskin can (desktop mode).")},
    {"verbose", nullptr,
     QT_TRANSLATE_NOOP("Trayskin",
                       "Print each file an install or a restore writes, moves or removes "
                       "(desktop mode).")},
    {"json", nullptr, QT_TRANSLATE_NOOP("Trayskin", "Answer list and status in JSON.")},
    {"all", nullptr, QT_TRANSLATE_NOOP("Trayskin", "Restore every item.")},
    {"help", nullptr, QT_TRANSLATE_NOOP("Trayskin", "Show this help and end.")},
    {"version", nullptr, QT_TRANSLATE_NOOP("Trayskin", "Show the version and end.")},
};

constexpr CommandEntry kVerbs[] = {
    {"list", "[ITEM]",
     QT_TRANSLATE_NOOP("Trayskin",
                       "List the items, or the sets of one item; * marks the set in use.")},
    {"use", "ITEM SET",
     QT_TRANSLATE_NOOP("Trayskin", "Put the set in place, as Use This Set does.")},
    {"restore", "ITEM|--all",
     QT_TRANSLATE_NOOP("Trayskin",
                       "Put back the original pictures of the item, or of every item.")},
    {"status", "",
     QT_TRANSLATE_NOOP("Trayskin", "Say the mode and theme, and which set each item shows.")},
    {"reapply", "",
     QT_TRANSLATE_NOOP("Trayskin", "Install again the sets in use, for a theme that gained "
                                   "folders or pictures since.")},
    {"import", "PATH",
     QT_TRANSLATE_NOOP("Trayskin", "Make sets of a folder or an archive, as Import Sets does.")},
    {"export", "ITEM SET FILE",
     QT_TRANSLATE_NOOP("Trayskin", "Write the set as a .tar.gz archive, as Export Set does.")},
};

constexpr CommandEntry kExitStatuses[] = {
    {"0", nullptr, QT_TRANSLATE_NOOP("Trayskin", "done")},
    {"1", nullptr,
     QT_TRANSLATE_NOOP("Trayskin",
                       "partly done: some pictures were refused, each named on standard error")},
    {"2", nullptr, QT_TRANSLATE_NOOP("Trayskin", "nothing done")},
    {"64", nullptr, QT_TRANSLATE_NOOP("Trayskin", "the command line cannot be used")},
    {"69", nullptr, QT_TRANSLATE_NOOP("Trayskin", "no such item or set")},
    {"73", nullptr, QT_TRANSLATE_NOOP("Trayskin", "cannot write")},
    {"75", nullptr, QT_TRANSLATE_NOOP("Trayskin", "another Trayskin holds the library")},
    {"77", nullptr, QT_TRANSLATE_NOOP("Trayskin", "refused by the authorization")},
};

// How many operands each verb takes, in the order of kVerbs.
struct Arity {
    Verb verb;
    qsizetype least;
    qsizetype most;
};
constexpr Arity kArity[] = {{Verb::List, 0, 1},   {Verb::Use, 2, 2},     {Verb::Restore, 1, 1},
                            {Verb::Status, 0, 0}, {Verb::Reapply, 0, 0}, {Verb::Import, 1, 1},
                            {Verb::Export, 3, 3}};

struct Parser {
    QCommandLineParser parser;
    QList<QCommandLineOption> options;

    Parser() {
        for (const CommandEntry& entry : kOptions) {
            QCommandLineOption option(QString::fromLatin1(entry.name),
                                      localizedString(entry.description));
            if (entry.argument)
                option.setValueName(QString::fromLatin1(entry.argument));
            options.append(option);
        }
        parser.addOptions(options);
        parser.addPositionalArgument(
            QStringLiteral("verb"),
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "One of the verbs below; none opens "
                                                          "the window.")),
            QStringLiteral("[verb [arguments]]"));
    }
    bool isSet(const char* name) const { return parser.isSet(QString::fromLatin1(name)); }

    QString modeError() const {
        if (isSet("desktop") && isSet("menu-extras"))
            return localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "--desktop and --menu-extras cannot be given together."));
        if (isSet("switch-desktop") && !isSet("own-theme"))
            return localizedString(
                QT_TRANSLATE_NOOP("Trayskin", "--switch-desktop goes with --own-theme only."));
        if (isSet("own-theme") && isSet("menu-extras"))
            return localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "--own-theme works in desktop mode only and cannot be given with "
                            "--menu-extras."));
        return QString();
    }

    QString verbError(StartOptions& options) const {
        QStringList positional = parser.positionalArguments();
        if (positional.isEmpty())
            return options.json || options.all || options.restartPanel
                       ? localizedString(QT_TRANSLATE_NOOP(
                             "Trayskin", "--json, --all and --restart-panel go with a verb only."))
                       : QString();
        const QString name = positional.takeFirst();
        const auto* verb =
            std::find_if(std::begin(kVerbs), std::end(kVerbs),
                         [&](const CommandEntry& e) { return name == QLatin1String(e.name); });
        if (verb == std::end(kVerbs))
            return localizedString(QT_TRANSLATE_NOOP("Trayskin", "Unknown verb %1.")).arg(name);
        const Arity arity = kArity[verb - std::begin(kVerbs)];
        options.verb = arity.verb;
        options.operands = positional;
        const qsizetype least = options.all ? 0 : arity.least;
        const qsizetype most = options.all ? 0 : arity.most;
        if (positional.size() < least || positional.size() > most)
            return localizedString(
                       QT_TRANSLATE_NOOP("Trayskin", "Wrong number of arguments for %1."))
                .arg(name);
        const bool jsonFits = options.verb == Verb::List || options.verb == Verb::Status;
        if ((options.json && !jsonFits) || (options.all && options.verb != Verb::Restore) ||
            (options.ownTheme && options.verb != Verb::Use) ||
            (options.restartPanel && options.verb != Verb::Use && options.verb != Verb::Restore))
            return localizedString(
                       QT_TRANSLATE_NOOP("Trayskin", "This option does not go with %1."))
                .arg(name);
        return QString();
    }

    StartOptions read() const {
        StartOptions options;
        options.help = isSet("help");
        options.version = isSet("version");
        options.iconTheme = parser.value(QStringLiteral("icon-theme"));
        options.ownTheme = isSet("own-theme");
        options.switchDesktop = isSet("switch-desktop");
        options.json = isSet("json");
        options.all = isSet("all");
        options.restartPanel = isSet("restart-panel");
        options.verbose = isSet("verbose");
        options.error = modeError();
        if (options.error.isEmpty())
            options.error = verbError(options);
        if (isSet("menu-extras"))
            options.request = library::ModeRequest::MenuExtras;
        else if (isSet("desktop") || options.ownTheme || !options.iconTheme.isEmpty())
            options.request = library::ModeRequest::Desktop;
        return options;
    }
};

QString tableText(std::span<const CommandEntry> table) {
    QString text;
    for (const CommandEntry& entry : table) {
        const QString head =
            QString::fromLatin1(entry.name) + (entry.argument && *entry.argument
                                                   ? u' ' + QString::fromLatin1(entry.argument)
                                                   : QString());
        text += QStringLiteral("  %1  %2\n").arg(head, -19).arg(localizedString(entry.description));
    }
    return text;
}

} // namespace

std::span<const CommandEntry> commandOptions() {
    return kOptions;
}

std::span<const CommandEntry> commandVerbs() {
    return kVerbs;
}

std::span<const CommandEntry> exitStatuses() {
    return kExitStatuses;
}

StartOptions parseStartOptions(const QStringList& arguments) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        StartOptions options;
        options.error = p.parser.errorText();
        return options;
    }
    return p.read();
}

QString helpText(library::ModeRequest request, const QString& iconTheme) {
    Parser p;
    p.parser.setApplicationDescription(library::purposeText(request, iconTheme));
    return p.parser.helpText() + u'\n' + localizedString(QT_TRANSLATE_NOOP("Trayskin", "Verbs:")) +
           u'\n' + tableText(kVerbs) + u'\n' +
           localizedString(QT_TRANSLATE_NOOP("Trayskin", "Exit statuses:")) + u'\n' +
           tableText(kExitStatuses);
}

QString usageLine(const QString& error) {
    return QStringLiteral("trayskin: ") +
           localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 See trayskin --help.")).arg(error);
}

int answerStartOptions(const StartOptions& options) {
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(usageLine(options.error)));
        return exitstatus::kUsage;
    }
    if (options.help) {
        std::fputs(qPrintable(helpText(options.request, options.iconTheme)), stdout);
        return exitstatus::kDone;
    }
    if (options.version) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return exitstatus::kDone;
    }
    return -1;
}
