// The one controller of the application: the start-up sequence, the backup
// window, reload, help and quit.
#pragma once

#include "browser/LibraryBrowserController.h"
#include "library/HomeFolder.h"
#include "library/Layout.h"
#include "library/PictureSystem.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QWidget;
class QFrame;

namespace library {
class IconThemeSystem;
} // namespace library

namespace Ui {
class MainWindow;
class BackupWindow;
} // namespace Ui

class AppController final : public QObject, public library::BackupProgress {
    Q_OBJECT

public:
    AppController();
    ~AppController() override;

    // Runs the whole start-up before the user can act. On a failure of the
    // library set-up it reports it and ends the process with status 0.
    void awakeFromNib();

    void openBackupWindow() override;
    void closeBackupWindow() override;

    bool includeExamples();
    bool setupHomeFolder();

    void reloadData();
    void exitApp();
    // Installs the set selected in the browser's second column into its
    // Menu Extra bundle, one privileged copy per picture.
    void useButtonClick();
    void showHelp();
    // Help > About Trayskin: name, version, what it does, the licence.
    void showAbout();
    // File > Restore Original Pictures: the backup's pictures of the selected
    // extra back over its bundle's, through the privileged tool; the same
    // lines and alerts as an install. Pictures already equal are skipped.
    void restoreOriginalPictures();
    // File > Restore All Original Pictures: the same for every extra whose
    // bundle is installed.
    void restoreAllOriginalPictures();
    // After every click in the browser: the status bar names the set the
    // selected extra shows now, the preview shows the selected set, and the
    // restore command follows the selection.
    void updateSelectionViews();

    QLabel* setPreview() const;
    QLabel* inUseLabel() const { return inUse_; }
    // The status bar's name of the mode (and, in desktop mode, the theme).
    QLabel* modeLabel() const { return mode_; }
    QAction* restoreAction() const;
    // File > Use This Set: the use button's command, enabled when it is.
    QAction* useAction() const;
    // File > Install as Own Theme (desktop mode): the route of the next
    // installs, kept in the library; false when it could not be kept.
    bool setOwnThemeRoute(bool on);
    QAction* ownThemeAction() const;
    // File > Switch Desktop to Own Theme, or back to the theme it replaced.
    void switchDesktopTheme();
    QAction* switchThemeAction() const;

    QMainWindow* mainWindow() const { return mainWindow_.get(); }
    // Backup entries that this start could not copy (the backup stays
    // incomplete and is tried again at the next start).
    const std::vector<std::string>& backupMissing() const { return backupMissing_; }
    QWidget* backupWindow() const { return backupWindow_.get(); }
    QProgressBar* backupProgress() const { return backupProgress_; }
    platform::ColumnBrowser* fsBrowser() const;
    QPushButton* useButton() const;
    QTextEdit* nodeInspector() const;
    QLabel* nodeIconWell() const;
    // The browser's data source and the inspector, with the info text.
    browser::LibraryBrowserController& libraryBrowser() { return *libraryBrowser_; }

    // How the process ends; tests put their own in place. It must not return
    // for the program to behave as shipped; when it does, the caller stops.
    using Terminator = std::function<void(int)>;
    void setTerminator(Terminator terminator) { terminate_ = std::move(terminator); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The system in desktop mode; none in Menu Extras mode.
    static library::IconThemeSystem* desktopSystem();
    // Each copy through the privileged tool, with the install's lines; at
    // the first failure the install's alert, and false.
    bool copyThroughTool(const std::vector<library::InstallCopy>& copies);
    // The completion alert, then the extra's pane (or System Preferences).
    void announceCompletion(const QString& title, const QString& message, const std::string& extra);
    // The copies through the privileged tool, for the system that needs them.
    library::PrivilegedCopier copier();
    // The alerts of an install or restore, then the Menu Extras' own
    // completion or nothing-restored alerts.
    void tellOutcome(const library::PlaceReport& report, const std::string& extra);
    // The alert that says why nothing was restored.
    void sayNothingRestored(library::RestoreProblem problem);
    // The alert of a restore that found every picture already original.
    void sayNothingNeededRestoring();
    // Opens the file with the desktop; a failure, now or when the opener
    // gives up, is said in the status bar with the key and the path.
    void openReporting(const std::string& path, const char* failureKey);
    // Every command starts here: a status line about the last one goes.
    void beginAction();
    // The extra and set of the browser's selection ("" when none).
    std::pair<std::string, std::string> selectedExtraAndSet() const;
    void showBackupNotice();
    // The own-theme commands follow the route, the own theme and the switch.
    void updateDesktopActions();
    // A line in the status bar: the localized key, a space, the path.
    void tellInStatusBar(const char* key, const std::string& path);
    void incrementBy(double delta) override;
    void displayIfNeeded() override;
    // The line on standard output and the alert; a detail (what failed and
    // why) goes beneath the alert's message and to standard error.
    void failStartUp(const char* line, const char* messageKey, const QString& detail = QString());
    void setBarValue(double value);
    void configureBrowser();
    void showPreviewInPlace();
    // The highest the preview strip grows before it scrolls.
    static constexpr int kPreviewMaxHeight = 124;

    std::unique_ptr<Ui::MainWindow> mainUi_;
    std::unique_ptr<Ui::BackupWindow> backupUi_;
    std::unique_ptr<QMainWindow> mainWindow_;
    std::unique_ptr<QWidget> backupWindow_;

    // Outlet into the backup window; the main window's are the browser's.
    QProgressBar* backupProgress_ = nullptr;
    std::unique_ptr<browser::LibraryBrowserController> libraryBrowser_;
    QLabel* inUse_ = nullptr; // in the status bar
    QLabel* mode_ = nullptr;  // in the status bar

    double progressValue_ = 0.0;
    std::vector<std::string> backupMissing_;
    // What a failed start-up failed on, and the system's error for it.
    std::string setupFailedPath_;
    int setupFailedError_ = 0;
    Terminator terminate_;
};
