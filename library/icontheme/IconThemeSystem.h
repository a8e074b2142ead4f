// Desktop mode: the user's icon theme. A set is put in place by writing its
// pictures into the theme's overlay in the user's data folder (no password,
// no tool); an entry of the user's that a picture would replace or shadow
// is first moved aside, and a restore removes exactly what was written and
// puts back what was moved aside. What is in use is what the theme
// lookup resolves now. On the own-theme route a set goes into a theme of
// Trayskin's beside the user's theme instead, which the desktop shows once
// it is switched to it, only when the user asks.
#pragma once

#include "icontheme/BaseDirs.h"
#include "icontheme/DesktopTheme.h"
#include "icontheme/IconThemes.h"
#include "icontheme/Overlay.h"
#include "icontheme/ThemeSwitch.h"
#include "library/PictureSystem.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
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
    // What it keeps refers to its own reading of the themes.
    IconThemeSystem(const IconThemeSystem&) = delete;
    IconThemeSystem& operator=(const IconThemeSystem&) = delete;
    // The theme the desktop uses (or the one named), the base directories
    // and data folder of the environment; qtTheme is Qt's own theme name.
    static std::shared_ptr<IconThemeSystem> fromEnvironment(const QString& themeName = QString(),
                                                            const QString& qtTheme = QString());

    const QString& theme() const { return theme_; }
    QString overlayFolder() const { return dirs_.userIcons + u'/' + theme_; }
    // Where the record of what was written into the overlay (of the theme
    // in use, or the one named) is kept.
    QString recordPath(const QString& theme = QString()) const;

    // The own-theme route, remembered in the library: Use This Set writes
    // into the theme <theme>-Trayskin instead of the overlay.
    bool ownThemeRoute() const;
    bool setOwnThemeRoute(bool on);
    QString ownThemeName() const;
    QString ownThemeRecordPath(const QString& theme = QString()) const;
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
    QString purpose() const override;
    QString shownSizeText() const override;
    QString nothingShownText() const override;
    std::string helpSection() const override { return "desktop-mode"; }
    // The item's title in the user's words (IconThemeWords.cpp).
    QString itemTitle(const std::string& item) const override;
    std::string libraryRoot() const override { return root_; }
    std::string exampleTree(const std::string& bundlePath) const override;
    bool isPicture(std::string_view name) const override;
    int panelSide() const override { return kPanelSide; }
    std::vector<int> panelSides() const override { return {16, 22, 24, 32}; }
    bool setupLibrary(BackupProgress& progress, SetupReport* report) override;
    // A toggle of the XSettings manager's icon theme killed in its pause.
    bool desktopStateUnfinished() const override;
    void finishDesktopState() override;
    // The XSettings toggle's pause.
    void pauseAside() override;
    void endPausesAside() override;
    std::vector<std::string> items() override;
    bool startsOnFirstItem() const override { return true; }
    // An item, a set with the names it covers, a picture's kind and size
    // (IconThemeWords.cpp).
    EntryWords describeEntry(const std::string& path) override;
    // An item's row: the theme's picture of its first name at panel size; a
    // set's row: the set's picture of that name (IconThemeWords.cpp).
    std::string entryPicture(const std::string& path) override;
    InUse inUse(const std::string& item) override;
    // Kept between runs in the user's cache folder with a stamp of all it
    // was worked out from, and worked out again when one no longer holds
    // (IconThemeStatus.cpp, StampedMemo.h).
    std::vector<ItemInUse> itemsInUse() override;
    // Where an answer of this library and theme is kept ("status", "items").
    QString memoPath(const char* what) const;
    // The stamps of the settings files the theme was read from and of the
    // state files; none where a settings tool gave the theme.
    std::vector<std::string> statusInputStamps() override;
    std::string statusStamps() const override { return statusStamps_; }
    // The files that say which theme the desktop shows and where an install
    // goes: the switch's memories, the route, the toggle's journal and the
    // own theme's index in each base directory (OwnThemeRoute.cpp).
    QStringList stateFiles() const;
    // From the records of the overlay and the own theme (IconThemeInstalled.cpp).
    std::vector<InstalledSet> installedSets() override;
    // In use worked out on themes of its own, read once per theme state
    // and kept between tasks (IconThemeInUse.cpp).
    std::function<InUse()> inUseTask(const std::string& item) override;
    std::vector<InstallCopy> currentPictures(const std::string& item, const std::string& set,
                                             std::size_t most) override;
    PlaceReport install(const std::string& item, const std::string& set) override;
    PlaceReport restore(const std::string& item) override;
    PlaceReport restoreAll() override;
    // Why Use would leave the file out (IconThemeReasons.cpp).
    QString pictureRefusal(const std::string& item, const std::string& set,
                           const std::string& name) override;
    QString fileRefusal(const std::string& item, const std::string& path) override;
    // Sets from the other installed themes (IconThemeSets.cpp): everyTheme
    // false, only from the themes not looked at before (a start); true, every
    // set that is missing (the menu command).
    PlaceReport addThemeSets(bool everyTheme);
    // A start's sets from themes not looked at before, off the window's thread.
    std::function<PlaceReport()> laterStartWork() override;
    // The own-theme route and the switch of the desktop (IconThemeCommands.cpp).
    std::vector<SystemCommand> commands() override;
    PlaceReport runCommand(std::string_view name, bool checked) override;
    void useCommandLine(bool restartPanel) override;
    // Names what Restore All removes, and the switch back where it applies.
    std::optional<Notice> restoreAllQuestion() override;
    // The switch to the own theme, after an install into it.
    std::optional<SystemCommand> offerAfterInstall() override;

    // What the completion alert of a change of the names says makes the
    // panel show it, and whether Restart Panel can (IconThemePanels.cpp).
    struct PanelAdvice {
        QString text;
        bool restartable = false;
    };
    PanelAdvice panelAdvice(const QStringList& changedNames);
    // Puts Restart Panel on the alert where the advice offers it.
    static void offerRestart(const PanelAdvice& advice, Notice& notice);
    // Starts again the panels, and the status programs that show the names
    // the last change touched.
    PlaceReport restartPanels();
    // The command line's restart, as soon as a change of these names is in
    // place where the desktop shows it (nothing in the window).
    void restartWithChange(const QStringList& changedNames);
    // Whether the desktop shows the own theme better than the overlay (LXQt),
    // and what the window says of it.
    bool prefersOwnTheme() const;
    static QString ownThemeAdvice(bool terminal = false);
    // The name beginnings of the items (every item's when empty).
    static QStringList namesOfItems(const QStringList& items);

    // Every status item's names that the theme (with what it inherits)
    // holds, each with the theme's own file: the scalable SVG where there is
    // one, else the largest PNG. The overlay is left out.
    QMap<QString, QMap<QString, QString>> themePictures();

    // What the lookups behind In use and the preview have read of the
    // themes so far (folders listed, index files read).
    qint64 themeReads() const { return themes_.reads(); }

    // What a restore did in one theme's overlay and own theme, for its alert.
    struct TakenOut {
        QStringList themes;    // the themes something was taken out of or put back in
        QStringList putBack;   // full paths of the user's entries put back
        QStringList leftYours; // lines: the user's file that stays, and why
        QString switchedBack;  // the theme the desktop uses again
        bool touched = false;  // anything changed
    };
    // The size a panel asks its status icons at, for the preview.
    static constexpr int kPanelSide = 24;

private:
    // The status item of the title; none when no item has it.
    static const icontheme::StatusItem* statusItem(const std::string& title);
    // The set's files that are meant as pictures: not hidden, ".png" or ".svg".
    QStringList picturesOfSet(const std::string& item, const std::string& set) const;
    // Every file a lookup of the icon in the theme gives at the sizes of
    // the theme's directories that hold it.
    static QStringList resolvedFiles(icontheme::IconThemes& themes, const QString& icon,
                                     const QString& theme);
    // In use of the item as the theme shows it, on that reading of the
    // themes (nothing of the system's own is read: a task runs it too).
    // reading is told each theme file before its bytes are read.
    static InUse inUseOn(icontheme::IconThemes& themes, const std::string& root,
                         const QString& theme, const std::string& item,
                         const std::function<void(const QString&)>& reading = {});
    static QStringList picturesIn(const std::string& root, const std::string& item,
                                  const std::string& set);
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
    // in the theme, and puts back what the installs moved aside; false, with
    // the alert in place, on a failure.
    bool takeOut(const QString& theme, const QStringList& items, PlaceReport& place, TakenOut& out);
    // The overlay's part of that.
    bool takeOutOfOverlay(const QString& theme, const QStringList& items, PlaceReport& place,
                          TakenOut& out);
    // The own theme's part: when it is left with no picture, the desktop is
    // switched back from it first.
    bool takeOutOfOwnTheme(const QString& theme, const QStringList& items, PlaceReport& place,
                           TakenOut& out);
    // A restore of the items in the theme in use (all of every theme
    // Trayskin wrote into when none), with its alert; asDefault for the
    // default set of the item.
    PlaceReport putBack(const QStringList& items, bool asDefault = false);
    // The themes whose overlay or own theme has a record in the library.
    QStringList recordedThemes() const;
    // The digests of every picture of every set in the library: what is
    // provably Trayskin's when no record can be read.
    QSet<QString> libraryDigests() const;
    bool makeDefaultSets(const std::string& work, SetupReport* report);
    // The overlay of the theme, for a change: the one a command's set-up
    // recovered, once, else a new one.
    icontheme::Overlay overlayOf(const QString& theme);
    // The items the theme holds, as the last making of the default sets
    // found them, while neither the themes read then nor those sets changed.
    std::optional<std::vector<std::string>> keptItems();

    mutable icontheme::IconThemes themes_;        // what was read of the themes, kept
    std::optional<icontheme::Overlay> recovered_; // by a command's set-up, for its change
    struct TaskThemes;                            // the reading of In use's tasks, one at a time
    std::shared_ptr<TaskThemes> taskThemes_;
    icontheme::BaseDirs dirs_;
    QString theme_;
    std::string root_;
    QString desktop_;
    icontheme::DesktopContext context_;    // how the desktop's theme is read
    QStringList changedNames_;             // the names the last install or restore changed
    bool commandLine_ = false;             // the alerts go to a terminal
    bool restartWithChange_ = false;       // the command line's --restart-panel
    std::optional<PlaceReport> restarted_; // its restart, done with the change
    std::string themeStamps_;  // of where the theme was read from; "" where none can stand for it
    std::string statusStamps_; // of the last answer of itemsInUse()
};

} // namespace library
