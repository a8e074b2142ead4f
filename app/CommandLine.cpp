#include "app/CommandLine.h"

#include "platform/core/Bundle.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

using platform::bundle::localizedString;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption desktop{
        QStringLiteral("desktop"),
        localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Work on the desktop's icon theme (desktop mode)."))};
    QCommandLineOption menuExtras{
        QStringLiteral("menu-extras"),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Work on the Menu Extras folder."))};
    QCommandLineOption iconTheme{
        QStringLiteral("icon-theme"),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Work on this icon theme (desktop mode).")),
        QStringLiteral("NAME")};
    QCommandLineOption ownTheme{
        QStringLiteral("own-theme"),
        localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "Install sets into a theme of their own beside the icon theme, which the "
                        "desktop shows once switched to it (desktop mode)."))};

    Parser() {
        parser.setApplicationDescription(localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Chooses the pictures of the menu bar's status items.")));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({desktop, menuExtras, iconTheme, ownTheme});
    }

    StartOptions read() const {
        StartOptions options;
        if (parser.isSet(desktop) && parser.isSet(menuExtras)) {
            options.error = localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "--desktop and --menu-extras cannot be given together."));
            return options;
        }
        if (parser.isSet(ownTheme) && parser.isSet(menuExtras)) {
            options.error = localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "--own-theme works in desktop mode only and cannot be given with "
                            "--menu-extras."));
            return options;
        }
        options.iconTheme = parser.value(iconTheme);
        options.ownTheme = parser.isSet(ownTheme);
        if (parser.isSet(menuExtras))
            options.request = library::ModeRequest::MenuExtras;
        else if (parser.isSet(desktop) || options.ownTheme || !options.iconTheme.isEmpty())
            options.request = library::ModeRequest::Desktop;
        return options;
    }
};

} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        StartOptions options;
        options.error = p.parser.errorText();
        return options;
    }
    return p.read();
}

StartOptions startOptionsOrExit(const QStringList& arguments) {
    Parser p;
    // Prints help or the version and exits; exits with 1 on an unknown option.
    p.parser.process(arguments);
    StartOptions options = p.read();
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        std::exit(1);
    }
    return options;
}
