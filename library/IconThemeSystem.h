// Desktop mode: the user's icon theme. A set is put in place by writing its
// pictures into the theme's overlay in the user's data folder (no password,
// no tool); a restore removes exactly what was written and puts back the
// user's own overrides from the backup. What is in use is what the theme
// lookup resolves now. On the own-theme route a set goes into a theme of
// Trayskin's beside the user's theme instead, which the desktop shows once
// it is switched to it, only when the user asks.
#pragma once

#include "icontheme/BaseDirs.h"
#include "icontheme/DesktopTheme.h"
#include "icontheme/IconThemes.h"
#include "icontheme/ThemeSwitch.h"
#include "library/PictureSystem.h"

#include <QMap>
#include <QString>
#include <optional>
#include <utility>

namespace icontheme {
struct StatusItem;
} // namespace icontheme

namespace library {

class IconThemeSystem final : public PictureSystem {
public:
    // dataHome is $XDG_DATA_HOME (the library lives in its "trayskin");
    // desktop is $XDG_CURRENT_DESKTOP, for what makes a panel show pictures.
    IconThemeSystem(icontheme::BaseDirs dirs, QString theme, QString dataHome,
                    QString desktop = QString());
    // The theme the desktop uses (or the one named), the base directories
    // and data folder of the environment; qtTheme is Qt's own theme name.
    static std::shared_ptr<IconThemeSystem> fromEnvironment(const QString& themeName = QString(),
                                                            const QString& qtTheme = QString());

    const QString& theme() const { return theme_; }
    QString overlayFolder() const { return dirs_.userIcons + u'/' + theme_; }
    // Where the record of what was written into the overlay is kept.
    QString recordPath() const;

    // The own-theme route, remembered in the library: Use This Set writes
    // into the theme <theme>-Trayskin instead of the overlay.
    bool ownThemeRoute() const;
    bool setOwnThemeRoute(bool on);
    QString ownThemeName() const;
    QString ownThemeRecordPath() const;
    // Where the desktop's switch to an own theme is remembered: in Trayskin's
    // state outside the library, so that a deleted library cannot leave the
    // desktop on a theme that nothing puts back.
    QString switchStatePath() const;
    // Where an $XDG_DATA_HOME/icons that an install made is noted.
    QString madeIconsNotePath() const;

    enum class SwitchOffer { None, ToOwnTheme, Back };
    // What switching the desktop's theme does now, and the theme it names.
    std::pair<SwitchOffer, QString> switchOffer();
    // Switches the desktop to the own theme, or back to the theme it
    // replaced, as the offer says.
    PlaceReport switchDesktop();
    // At a start: a desktop named on the own theme while that theme is gone
    // or holds nothing of ours is switched back, and says so; a remembered
    // switch whose theme the desktop no longer uses is said once and then
    // forgotten, the user's theme left as it is.
    std::optional<Notice> startNotice() override;

    QString description() const override;
    QString statusLabel() override;
    QString nothingShownText() const override;
    std::string libraryRoot() const override { return root_; }
    std::string exampleTree(const std::string& bundlePath) const override;
    bool isPicture(std::string_view name) const override;
    int panelSide() const override { return kPanelSide; }
    bool setupLibrary(BackupProgress& progress, SetupReport* report) override;
    std::vector<std::string> items() override;
    InUse inUse(const std::string& item) override;
    std::vector<InstallCopy> currentPictures(const std::string& item, const std::string& set,
                                             std::size_t most) override;
    PlaceReport install(const std::string& item, const std::string& set) override;
    PlaceReport restore(const std::string& item) override;
    PlaceReport restoreAll() override;
    // The own-theme route and the switch of the desktop (IconThemeCommands.cpp).
    std::vector<SystemCommand> commands() override;
    PlaceReport runCommand(std::string_view name, bool checked) override;

    // Every status item's names that the theme (with what it inherits)
    // holds, each with the theme's own file: the scalable SVG where there is
    // one, else the largest PNG. The overlay is left out.
    QMap<QString, QMap<QString, QString>> themePictures();

    // What the lookups behind In use and the preview have read of the
    // themes so far (folders listed, index files read).
    qint64 themeReads() const { return themes_.reads(); }

    // The size a panel asks its status icons at, for the preview.
    static constexpr int kPanelSide = 24;

private:
    // The status item of the title; none when no item has it.
    static const icontheme::StatusItem* statusItem(const std::string& title);
    // The set's files that are meant as pictures: not hidden, ".png" or ".svg".
    QStringList picturesOfSet(const std::string& item, const std::string& set) const;
    // Every file a lookup of the icon in the theme gives at the sizes of
    // the theme's directories that hold it.
    QStringList resolvedFiles(const QString& icon, const QString& theme);
    // The theme the desktop shows the pictures in: the own theme while the
    // desktop is switched to it.
    QString shownTheme();
    icontheme::ThemeSwitch themeSwitch() const;
    // The own theme is there to be shown: the user's theme of that name, or
    // ours with its index and pictures that the record lists.
    bool ownThemeShows();
    // Switches the desktop off the own theme it names, which does not show.
    Notice leaveOwnTheme(const icontheme::ThemeChoice& current);
    // The desktop's theme as its settings say now.
    icontheme::ThemeChoice desktopTheme() const;
    // Removes what was written for the items (all when empty) by both routes
    // and puts the user's own overrides back from the backup.
    PlaceReport putBack(const QStringList& items);
    // The overlay's part of that; false, with the alert, on a failure.
    bool takeOutOfOverlay(const QStringList& items, PlaceReport& place);
    // The own theme's part: when it is left with no picture, the desktop is
    // switched back from it first (the theme it uses then in switchedBack).
    bool takeOutOfOwnTheme(const QStringList& items, PlaceReport& place, QString* switchedBack);
    // The overlay's files for the items' names that Trayskin did not write,
    // relative to the overlay folder.
    QStringList userOverrides();
    // Copies into the backup the user's overrides that came after it was
    // made, before an install may write over them; the path of the one
    // that could not be copied, or "".
    std::string keepUserOverrides();
    // Where the backup keeps a copy of the override (a path in the overlay).
    std::string overrideCopy(const QString& relative, const std::string& backup) const;
    // Copies the override into the backup, with the folders it needs; a
    // copy that is there already counts as made.
    bool copyOverride(const QString& relative, const std::string& backup,
                      const std::string& work) const;
    bool backUpOverrides(BackupProgress& progress, SetupReport* report, const std::string& work);
    bool makeDefaultSets(const std::string& work, SetupReport* report);

    mutable icontheme::IconThemes themes_; // what was read of the themes, kept
    icontheme::BaseDirs dirs_;
    QString theme_;
    std::string root_;
    QString desktop_;
    icontheme::DesktopContext context_; // how the desktop's theme is read
};

} // namespace library
