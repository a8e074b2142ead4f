// Desktop mode's sets from the other installed themes, as a start makes them
// and as File > Add Sets from Installed Themes makes them, with what the
// window tells of it.
#include "icontheme/OwnTheme.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/ThemeSets.h"
#include "platform/core/Bundle.h"

#include <cstdio>

namespace library {

using platform::bundle::localizedString;

namespace {

PlaceReport themeSetsReport(const ThemeSetsResult& result) {
    for (const QString& failed : result.failed)
        std::printf("Set not made from its theme (%s)\n", qPrintable(failed));
    PlaceReport report;
    report.done = result.failed.isEmpty();
    report.setsChanged = !result.made.isEmpty();
    if (!result.failed.isEmpty()) {
        report.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Some Sets Not Made")),
             localizedString(QT_TRANSLATE_NOOP(
                 "Trayskin", "These sets could not be written into the library:")),
             localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")), result.failed.join(u'\n')});
    }
    // Every set of a theme bears the theme's name: the line names each
    // theme once, and the columns show the sets.
    QStringList themes;
    for (const QString& made : result.made) {
        const QString set = made.section(u'/', 1);
        if (!themes.contains(set))
            themes.append(set);
    }
    report.statusLine =
        result.made.isEmpty()
            ? localizedString(QT_TRANSLATE_NOOP(
                  "Trayskin", "No set to add: the installed themes' sets are in the library."))
            : localizedString(
                  QT_TRANSLATE_NOOP("Trayskin", "Sets added from installed themes (%1): %2"))
                  .arg(themes.size())
                  .arg(themes.join(QStringLiteral(", ")));
    return report;
}

} // namespace

PlaceReport IconThemeSystem::addThemeSets(bool everyTheme) {
    themes_.refresh();
    return themeSetsReport(makeThemeSets(
        themes_, dirs_, {root_, theme_, icontheme::ownThemeName(QString()), everyTheme}));
}

std::function<PlaceReport()> IconThemeSystem::laterStartWork() {
    // Copies of what it needs, and a reading of the themes of its own: the
    // system's is the window's. What cannot be made is tried again at the
    // next start.
    return [dirs = dirs_,
            request = ThemeSetsRequest{root_, theme_, icontheme::ownThemeName(QString()), false}] {
        icontheme::IconThemes themes(dirs.bases);
        return themeSetsReport(makeThemeSets(themes, dirs, request));
    };
}

} // namespace library
