// Desktop mode's Use This Set: the set's pictures of the item, written into
// the overlay or the own theme; an entry of the user's that one would
// replace or shadow is moved aside first. The default set is a restore.
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/FileLines.h"
#include "library/icontheme/ClientReload.h"
#include "library/icontheme/DesktopTexts.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/MadeFolder.h"
#include "platform/core/Bundle.h"

#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <utility>

namespace library {

using platform::bundle::localizedString;

namespace {

void say(const char* what, const QString& line) {
    sayFileLine(what, line);
}

QString notUsed(const QString& file, const QString& why) {
    return printableName(file) + QStringLiteral(": ") + why;
}

// The set's pictures that are the item's to write; the others, each with
// why, in unused. A name that could forge or split a line of output is
// refused before anything prints it.
QStringList itemsPictures(const icontheme::StatusItem* status, const QStringList& paths,
                          QStringList& unused, QStringList& leftOut) {
    QStringList pictures;
    for (const QString& path : paths) {
        const QString file = QFileInfo(path).fileName();
        const auto name = icontheme::pictureName(file);
        const char* why = nullptr;
        if (printableName(file) != file)
            why = QT_TRANSLATE_NOOP("Trayskin", "the name holds a control character");
        else if (name && (status == nullptr || !status->hasName(name->icon)))
            why = QT_TRANSLATE_NOOP("Trayskin", "not an icon name of this item");
        if (why == nullptr) {
            pictures.append(path);
            continue;
        }
        unused.append(notUsed(file, localizedString(why)));
        leftOut.append(printableName(file));
        say("refused", unused.last());
    }
    return pictures;
}

// What the report says was not used, each printed and added to unused.
void noteUnused(const icontheme::OverlayReport& report, const QString& folder, QStringList& unused,
                QStringList& leftOut) {
    for (const icontheme::Picture& picture : report.refused) {
        unused.append(notUsed(QFileInfo(picture.source).fileName(),
                              localizedString(refusalKey(picture.problem))));
        leftOut.append(printableName(QFileInfo(picture.source).fileName()));
        say("refused", unused.last());
    }
    for (const QString& icon : report.skipped) {
        leftOut.append(printableName(icon));
        unused.append(
            notUsed(icon, localizedString(QT_TRANSLATE_NOOP(
                              "Trayskin", "the icon theme has no folder for this name"))));
        say("skipped", unused.last());
    }
    for (const auto& [path, error] : report.notKept) {
        unused.append(notUsed(folder + u'/' + path, notKeptText(error)));
        say("not kept", unused.last());
    }
}

// The paragraphs after what an install put in place: the desktop switched
// back, the user's entries moved aside, the pictures that ~/.icons hides.
QString afterwords(const icontheme::OverlayReport& report, const QString& switchedBack) {
    QString text;
    if (!switchedBack.isEmpty())
        text += QStringLiteral("\n\n") + switchedBackText(switchedBack);
    if (!report.kept.isEmpty())
        text += QStringLiteral("\n\n") + keptText(int(report.kept.size()));
    if (!report.shadowed.isEmpty())
        text += QStringLiteral("\n\n") +
                localizedString(QT_TRANSLATE_NOOP(
                    "Trayskin", "Files of the same name in ~/.icons hide these pictures:")) +
                u' ' + report.shadowed.join(QStringLiteral(", "));
    return text;
}

// The closing alert's title and first paragraph: an install that left
// pictures out says how many went in and names those left out.
std::pair<QString, QString> completion(const QStringList& written, const QStringList& leftOut) {
    if (leftOut.isEmpty())
        return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")), QString()};
    QSet<QString> placed;
    for (const QString& path : written)
        placed.insert(QFileInfo(path).fileName());
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Partly Complete")),
            localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                              "%1 of the set's %2 pictures are in place; left "
                                              "out: %3."))
                    .arg(placed.size())
                    .arg(placed.size() + leftOut.size())
                    .arg(leftOut.join(QStringLiteral(", "))) +
                QStringLiteral("\n\n")};
}

// The icon names of the files written.
QStringList writtenNames(const icontheme::OverlayReport& report) {
    QStringList names;
    for (const QString& path : report.written)
        if (const auto name = icontheme::pictureName(QFileInfo(path).fileName()))
            names << name->icon;
    return names;
}

} // namespace

PlaceReport IconThemeSystem::install(const std::string& item, const std::string& set) {
    // The theme's own pictures are shown by taking ours away, never by
    // copies that would hide the theme's later versions.
    if (set == "default")
        return putBack({QString::fromStdString(item)}, true);
    PlaceReport place;
    QStringList unused, leftOut;
    const QStringList pictures =
        itemsPictures(statusItem(item), picturesOfSet(item, set), unused, leftOut);
    // An item's pictures are in one route: what the other wrote of it goes.
    const bool own = ownThemeRoute();
    TakenOut out;
    if (!(own ? takeOutOfOverlay(theme_, {QString::fromStdString(item)}, place, out)
              : takeOutOfOwnTheme(theme_, {QString::fromStdString(item)}, place, out)))
        return place;
    icontheme::Overlay overlay = overlayOf(theme_);
    icontheme::OwnTheme ownTheme(themes_, dirs_, theme_, ownThemeRecordPath());
    const bool iconsThere = QFileInfo::exists(dirs_.userIcons);
    const QString install = QString::fromStdString(item + '/' + set);
    // The overlay's pictures show as soon as they are in place: a restart
    // that goes with the change starts then, and the overlay's syncs and
    // record follow while the panel starts. The own theme shows once its
    // index is written, at the end of its install.
    bool restarted = false;
    const auto restart = [&](const icontheme::OverlayReport& placed) {
        if (const QStringList names = writtenNames(placed); !names.isEmpty()) {
            restartWithChange(names);
            restarted = true;
        }
    };
    const icontheme::OverlayReport report =
        own ? ownTheme.install(pictures, install) : overlay.install(pictures, install, restart);
    if (!iconsThere)
        noteMadeFolder(dirs_.userIcons, madeIconsNotePath());
    const QStringList names = writtenNames(report);
    if (!restarted && report.ok() && !names.isEmpty() && (!own || shownTheme() == ownThemeName()))
        restartWithChange(names);
    const QString folder = own ? ownTheme.folder() : overlay.folder();
    for (const QString& path : report.kept)
        say("kept aside", folder + u'/' + path);
    for (const QString& path : report.written)
        say("wrote", folder + u'/' + path);
    noteUnused(report, folder, unused, leftOut);
    std::fflush(stdout);
    const ClientReload reload =
        tellRunningClients({overlay.folder(), ownTheme.ours() ? ownTheme.folder() : QString()});
    const QString ok = localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"));
    if (!unused.isEmpty())
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Some Pictures Not Used")),
             unused.join(u'\n'), ok});
    if (!report.ok()) {
        place.notices.push_back(
            failureNotice(report.failure, own ? ownThemeName() : theme_, report.failedPath));
        return place;
    }
    if (report.written.isEmpty()) {
        place.nothingChanged = !out.touched;
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Put in Place")),
             localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                               "None of the set's pictures was put in place in "
                                               "the icon theme %1; the theme is as it was."))
                 .arg(own ? ownThemeName() : theme_),
             ok});
        return place;
    }
    place.done = true;
    place.partly = !leftOut.isEmpty();
    const bool shown = !own || shownTheme() == ownThemeName();
    const PanelAdvice advice = panelAdvice(names);
    const auto [title, partly] = completion(report.written, leftOut);
    QString message = partly + installedText(own ? ownThemeName() : theme_, own, shown, advice.text,
                                             commandLine_);
    if (shown)
        message += reloadParagraph(reload);
    message += afterwords(report, out.switchedBack);
    Notice complete{title, message, ok};
    if (shown)
        offerRestart(advice, complete);
    place.notices.push_back(complete);
    return place;
}

} // namespace library
