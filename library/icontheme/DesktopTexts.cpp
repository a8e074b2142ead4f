#include "library/icontheme/DesktopTexts.h"

#include "platform/core/Bundle.h"

#include <QStringList>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace library {

using platform::bundle::localizedString;

const char* refusalKey(icontheme::PictureProblem problem) {
    using icontheme::PictureProblem;
    switch (problem) {
    case PictureProblem::BadName:
        return QT_TRANSLATE_NOOP("Trayskin",
                                 "the name is not an icon name (letters, digits and . _ + - only)");
    case PictureProblem::Unreadable:
        return QT_TRANSLATE_NOOP("Trayskin", "the file cannot be read");
    case PictureProblem::TooLarge:
        return QT_TRANSLATE_NOOP("Trayskin", "the file is larger than 16 MiB");
    case PictureProblem::NotPngOrSvg:
        return QT_TRANSLATE_NOOP("Trayskin", "the file is not a PNG or SVG picture");
    case PictureProblem::WrongExtension:
        return QT_TRANSLATE_NOOP("Trayskin", "the name's extension does not match the contents");
    case PictureProblem::Duplicate:
        return QT_TRANSLATE_NOOP("Trayskin", "the set holds another picture of this icon");
    case PictureProblem::None:
        break;
    }
    return "";
}

Notice failureNotice(icontheme::OverlayFailure failure, const QString& theme, const QString& path) {
    using icontheme::OverlayFailure;
    const char* why = QT_TRANSLATE_NOOP("Trayskin", "A picture could not be written, removed or "
                                                    "moved:");
    if (failure == OverlayFailure::NoTheme)
        why = QT_TRANSLATE_NOOP("Trayskin", "The icon theme was not found:");
    else if (failure == OverlayFailure::Folder)
        why = QT_TRANSLATE_NOOP("Trayskin", "The icon theme's folder in your data folder cannot "
                                            "be made or opened:");
    else if (failure == OverlayFailure::Taken)
        why = QT_TRANSLATE_NOOP("Trayskin", "A folder that Trayskin did not make has the own "
                                            "theme's name in your icons folder, so nothing was "
                                            "written into it. Rename or remove it to use the own "
                                            "theme:");
    else if (failure == OverlayFailure::Record)
        why = QT_TRANSLATE_NOOP("Trayskin", "The record of what Trayskin wrote into the icon "
                                            "theme cannot be read or written:");
    const QString message = localizedString(why) + u' ' +
                            (failure == OverlayFailure::Write && !path.isEmpty() ? path : theme);
    std::printf("icon theme problem: %s\n", qPrintable(printableName(message)));
    std::fflush(stdout);
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")), message,
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
}

QString printableName(const QString& name) {
    QString shown;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            shown += QStringLiteral("\\x%1").arg(uint(c.unicode()), 2, 16, QChar(u'0'));
        else
            shown += c;
    }
    return shown;
}

QString notKeptText(int error) {
    if (error == EXDEV)
        return localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "your own file there is on another file system than the library, and "
                        "Trayskin moves your files aside only by renaming them; it was left as it "
                        "is, and no picture was put in its place"));
    return localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                             "your own file there could not be moved aside, so it "
                                             "was left as it is, and no picture was put in its "
                                             "place:")) +
           u' ' + QString::fromLocal8Bit(std::strerror(error));
}

QString installedText(const QString& theme, bool own, bool shown, const QString& panelAdvice,
                      bool terminal) {
    const QString advice = panelAdvice.isEmpty() ? QString() : QStringLiteral("\n\n") + panelAdvice;
    if (!own)
        return localizedString(
                   QT_TRANSLATE_NOOP("Trayskin", "The pictures are in place in the icon theme")) +
               u' ' + theme + u'.' + advice;
    if (shown)
        return localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                                 "The pictures are in place in the own theme %1, "
                                                 "which the desktop uses."))
                   .arg(theme) +
               advice;
    return localizedString(
               terminal ? QT_TRANSLATE_NOOP("Trayskin",
                                            "The pictures are in place in the own theme %1. The "
                                            "desktop shows them once it is switched to that "
                                            "theme: use --own-theme --switch-desktop.")
                        : QT_TRANSLATE_NOOP("Trayskin",
                                            "The pictures are in place in the own theme %1. The "
                                            "desktop shows them once it is switched to that "
                                            "theme: File > Switch Desktop to Own Theme."))
        .arg(theme);
}

QString keptText(int count) {
    return localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                             "Your own files that these pictures replace or hide "
                                             "were moved aside as they are (%1); Restore Original "
                                             "Pictures puts them back."))
        .arg(count);
}

QString leftText(const QString& path, const QString& keptAt) {
    if (keptAt.isEmpty())
        return printableName(path) + QStringLiteral(": ") +
               localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                                 "left, as its bytes are no picture of the "
                                                 "library, so it may be yours"));
    return printableName(path) + QStringLiteral(": ") +
           localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                             "you changed it after Trayskin put its picture "
                                             "there, so yours stays; what Trayskin had moved "
                                             "aside from there is kept at %1"))
               .arg(printableName(keptAt));
}

QString salvagedText(const QString& folder) {
    return localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                             "Neither the record of what Trayskin wrote into %1 "
                                             "nor the one before it can be read, so only the "
                                             "files whose bytes are those of a picture in the "
                                             "library were taken out."))
        .arg(folder);
}

QString defaultShownText(const QString& theme, const QString& item) {
    return localizedString(QT_TRANSLATE_NOOP("Trayskin", "The icon theme %1 shows its own "
                                                         "pictures of %2 again."))
        .arg(theme, item);
}

QString restoredText(const QStringList& themes) {
    if (themes.size() == 1)
        return localizedString(
                   QT_TRANSLATE_NOOP("Trayskin", "The icon theme %1 shows its own pictures again."))
            .arg(themes.first());
    return localizedString(
               QT_TRANSLATE_NOOP("Trayskin", "The icon themes %1 show their own pictures again."))
        .arg(themes.join(QStringLiteral(", ")));
}

QString putBackText(const QStringList& putBack, const QStringList& left) {
    QString text;
    if (!putBack.isEmpty())
        text += QStringLiteral("\n\n") +
                localizedString(QT_TRANSLATE_NOOP(
                    "Trayskin", "Your own files that Trayskin had moved aside are back:")) +
                u' ' + QString::number(putBack.size());
    if (!left.isEmpty())
        text += QStringLiteral("\n\n") +
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "Left as they are:")) + u'\n' +
                left.join(u'\n');
    return text;
}

Notice switchFailure(icontheme::SwitchResult result, const QString& theme, const QString& place,
                     const QString& statePath) {
    using icontheme::SwitchResult;
    const QString ok = localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"));
    if (result == SwitchResult::UserChanged)
        return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Switched")),
                localizedString(QT_TRANSLATE_NOOP(
                    "Trayskin", "You picked another icon theme after Trayskin switched the "
                                "desktop; it is left as it is.")),
                ok};
    QString detail;
    switch (result) {
    case SwitchResult::NoSetting:
        detail = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "No setting of the desktop names its icon theme."));
        break;
    case SwitchResult::UnsafeName:
        detail = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "The name is not a safe icon theme name."));
        break;
    case SwitchResult::ToolFailed:
        detail = localizedString(QT_TRANSLATE_NOOP(
                     "Trayskin", "The desktop's settings tool is missing, failed or took too "
                                 "long:")) +
                 u' ' + place;
        break;
    case SwitchResult::FileFailed:
        detail = localizedString(QT_TRANSLATE_NOOP(
                     "Trayskin", "The settings file cannot be read or written, or is a link:")) +
                 u' ' + place;
        break;
    case SwitchResult::StateFailed:
        detail = localizedString(QT_TRANSLATE_NOOP(
                     "Trayskin", "What the setting held before cannot be kept in the library:")) +
                 u' ' + statePath;
        break;
    case SwitchResult::NothingToRestore:
        detail = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "No switch made by Trayskin is remembered."));
        break;
    case SwitchResult::Done:
    case SwitchResult::UserChanged:
        break;
    }
    const QString message =
        localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "The desktop's icon theme could not be switched to %1."))
            .arg(theme);
    std::printf("theme switch problem: %s %s\n", qPrintable(message), qPrintable(detail));
    std::fflush(stdout);
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")), message, ok, detail};
}

QString switchedBackText(const QString& theme) {
    return localizedString(
               QT_TRANSLATE_NOOP("Trayskin", "The desktop uses the icon theme %1 again."))
        .arg(theme);
}

const char* panelHintKey(const QString& currentDesktop) {
    struct Hint {
        const char* desktop;
        const char* key;
    };
    static const Hint hints[] = {
        {"GNOME", QT_TRANSLATE_NOOP("Trayskin", "GNOME Shell shows them after you log out and in "
                                                "again.")},
        {"Unity",
         QT_TRANSLATE_NOOP("Trayskin", "The panel shows them after you log out and in again.")},
        {"Budgie",
         QT_TRANSLATE_NOOP("Trayskin", "The panel shows them after you log out and in again.")},
        {"XFCE", QT_TRANSLATE_NOOP("Trayskin", "The Xfce panel shows them once it is started "
                                               "again: xfce4-panel -r")},
        {"MATE", QT_TRANSLATE_NOOP("Trayskin", "The MATE panel shows them once it is started "
                                               "again: mate-panel --replace")},
        {"X-Cinnamon", QT_TRANSLATE_NOOP("Trayskin", "Cinnamon shows them once it is started "
                                                     "again: cinnamon --replace")},
        {"KDE", QT_TRANSLATE_NOOP("Trayskin", "Plasma shows them once it is started again: "
                                              "plasmashell --replace")},
        {"LXQt", QT_TRANSLATE_NOOP("Trayskin", "The LXQt panel shows them once it is started "
                                               "again.")},
    };
    for (const QString& desktop : currentDesktop.split(u':', Qt::SkipEmptyParts))
        for (const Hint& hint : hints)
            if (desktop.compare(QLatin1String(hint.desktop), Qt::CaseInsensitive) == 0)
                return hint.key;
    return QT_TRANSLATE_NOOP("Trayskin", "A panel shows them once it, or the program that puts "
                                         "the status icon there, is started again.");
}

} // namespace library
