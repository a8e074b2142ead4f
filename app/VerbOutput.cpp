#include "app/VerbOutput.h"

#include "app/CommandLine.h"
#include "app/PaneLookup.h"
#include "library/IconThemeSystem.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

using platform::bundle::localizedString;

void printLine(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

void printJson(const QJsonObject& object) {
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
}

const char* kindName(library::InUse::Kind kind) {
    switch (kind) {
    case library::InUse::Kind::Set:
        return "set";
    case library::InUse::Kind::Mix:
        return "mix";
    case library::InUse::Kind::Unknown:
        return "unknown";
    case library::InUse::Kind::NoBundle:
        break;
    }
    return "none";
}

// What the status bar says of the item.
QString inUseText(const library::PictureSystem& system, const library::InUse& inUse) {
    switch (inUse.kind) {
    case library::InUse::Kind::Set:
        return QString::fromStdString(inUse.set);
    case library::InUse::Kind::Mix:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "a mix of sets"));
    case library::InUse::Kind::Unknown:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "pictures that no set holds"));
    case library::InUse::Kind::NoBundle:
        break;
    }
    return localizedString(
        system.mode() == library::PictureSystem::Mode::IconTheme
            ? QT_TRANSLATE_NOOP("Trayskin", "The icon theme shows no picture of this item.")
            : QT_TRANSLATE_NOOP("Trayskin", "No Menu Extra of this name is installed."));
}

QJsonObject modeObject(const library::PictureSystem& system) {
    QJsonObject object{{QStringLiteral("description"), system.description()}};
    if (const auto* desktop = dynamic_cast<const library::IconThemeSystem*>(&system)) {
        object.insert(QStringLiteral("mode"), QStringLiteral("icon-theme"));
        object.insert(QStringLiteral("theme"), desktop->theme());
    } else {
        object.insert(QStringLiteral("mode"), QStringLiteral("menu-extras"));
    }
    return object;
}

// The completion message, as the window's alert words it.
QString needRestartMessage(const QString& pane) {
    const char* key = QT_TRANSLATE_NOOP("Trayskin", "Need restart");
    const QString text = localizedString(key);
    if (text == QLatin1String(key))
        return text + QLatin1Char(' ') + pane;
    if (pane.isEmpty())
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "Need restart, no settings pane"));
    return text.contains(QLatin1String("%1")) ? text.arg(pane) : text + QLatin1Char(' ') + pane;
}

void printAlert(std::FILE* stream, const QString& title, const QString& message,
                const QString& detail = QString()) {
    printLine(stream, title);
    printLine(stream, message);
    if (!detail.isEmpty())
        printLine(stream, detail);
}

void tellCompletion(library::PlaceReport::Completion completion, const std::string& item) {
    using Completion = library::PlaceReport::Completion;
    const QString restored =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored"));
    if (completion == Completion::Installed)
        printAlert(stdout, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")),
                   needRestartMessage(whichPanel(item)));
    else if (completion == Completion::Restored)
        printAlert(stdout, restored, needRestartMessage(whichPanel(item)));
    else if (completion == Completion::RestoredAll)
        printAlert(
            stdout, restored,
            localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "The menu items must be restarted to show their original pictures.")));
}

const char* nothingRestoredKey(library::RestoreProblem problem) {
    if (problem == library::RestoreProblem::NoBackup)
        return QT_TRANSLATE_NOOP("Trayskin", "There is no backup of the Menu Extras folder yet.");
    if (problem == library::RestoreProblem::BackupIncomplete)
        return QT_TRANSLATE_NOOP("Trayskin",
                                 "The backup of the Menu Extras folder is not complete yet.");
    return QT_TRANSLATE_NOOP("Trayskin", "The backup holds no copy of this Menu Extra.");
}

} // namespace

std::vector<std::string> setsOf(const std::string& item) {
    const std::string root = library::libraryRoot();
    std::vector<std::string> sets;
    for (const std::string& set :
         platform::fs::listFolder(platform::formatPath(library::kExtraFolderPattern, {root, item})))
        if (!library::isHiddenName(set) && platform::fs::isDirectory(platform::formatPath(
                                               library::kPictureSetPattern, {root, item, set})))
            sets.push_back(set);
    return sets;
}

void printList(library::PictureSystem& system, const std::string& item, bool json) {
    QJsonArray array;
    if (item.empty()) {
        for (const std::string& name : system.items()) {
            array.append(QString::fromStdString(name));
            if (!json)
                printLine(stdout, QString::fromStdString(name));
        }
        if (json)
            printJson({{QStringLiteral("items"), array}});
        return;
    }
    const library::InUse inUse = system.inUse(item);
    for (const std::string& set : setsOf(item)) {
        const bool used = inUse.kind == library::InUse::Kind::Set && inUse.set == set;
        array.append(QJsonObject{{QStringLiteral("name"), QString::fromStdString(set)},
                                 {QStringLiteral("inUse"), used}});
        if (!json)
            printLine(stdout, (used ? QStringLiteral("* ") : QStringLiteral("  ")) +
                                  QString::fromStdString(set));
    }
    if (json)
        printJson({{QStringLiteral("item"), QString::fromStdString(item)},
                   {QStringLiteral("sets"), array}});
}

void printStatus(library::PictureSystem& system, bool json) {
    QJsonArray array;
    if (!json)
        printLine(stdout, system.description());
    for (const std::string& item : system.items()) {
        const library::InUse inUse = system.inUse(item);
        QJsonObject object{{QStringLiteral("item"), QString::fromStdString(item)},
                           {QStringLiteral("inUse"), QString::fromLatin1(kindName(inUse.kind))}};
        if (inUse.kind == library::InUse::Kind::Set)
            object.insert(QStringLiteral("set"), QString::fromStdString(inUse.set));
        array.append(object);
        if (!json)
            printLine(stdout, QString::fromStdString(item) + u'\t' + inUseText(system, inUse));
    }
    if (json) {
        QJsonObject object = modeObject(system);
        object.insert(QStringLiteral("items"), array);
        printJson(object);
    }
}

int tellReport(const library::PlaceReport& report, const ToolCopies& copies,
               const std::string& item) {
    // When the change was made, the last alert tells so and those before it
    // name the pictures that were not used.
    const std::size_t count = report.notices.size();
    for (std::size_t i = 0; i < count; ++i) {
        const library::Notice& notice = report.notices[i];
        const bool outcome = report.done && i + 1 == count;
        printAlert(outcome ? stdout : stderr, notice.title, notice.message, notice.detail);
    }
    std::fflush(stdout);
    if (report.problem != library::RestoreProblem::None) {
        printAlert(stderr, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Restored")),
                   localizedString(nothingRestoredKey(report.problem)));
        return exitstatus::kNothing;
    }
    if (report.nothingNeeded) {
        printAlert(stdout,
                   localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
                   localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing needed restoring")));
        return exitstatus::kDone;
    }
    tellCompletion(report.menuExtraCompletion, item);
    if (!report.done) {
        if (copies.refused())
            return exitstatus::kRefused;
        return copies.made > 0 ? exitstatus::kPartly : exitstatus::kCannotWrite;
    }
    return count > 1 ? exitstatus::kPartly : exitstatus::kDone;
}
