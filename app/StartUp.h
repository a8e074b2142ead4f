// The start-up's library work: the library prepared by the system (with the
// backup window and its bar on a first start) and the example sets merged;
// a failure is said on standard output and in an alert, and ends the
// process.
#pragma once

#include "library/HomeFolder.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QProgressBar;
class QWidget;

namespace library {
class PictureSystem;
} // namespace library

namespace Ui {
class BackupWindow;
} // namespace Ui

class StartUp final : public library::BackupProgress {
public:
    // How the process ends after a failure's alert; when it returns, the
    // start-up stops.
    using Terminator = std::function<void(int)>;
    explicit StartUp(Terminator terminate);
    ~StartUp() override;

    // The library and the examples; false when the start-up has failed
    // (said, and the process ended).
    bool prepareLibrary(library::PictureSystem& system);
    // The status bar's line about backup entries this start could not copy
    // (the backup stays incomplete and is tried again at the next start);
    // empty when there are none.
    QString backupNotice() const;

    void openBackupWindow() override;
    void closeBackupWindow() override;
    void incrementBy(double delta) override;
    void displayIfNeeded() override;

private:
    bool setupHomeFolder(library::PictureSystem& system);
    // The line on standard output and the alert; a detail (what failed and
    // why) goes beneath the alert's message and to standard error.
    void failStartUp(const char* line, const char* messageKey, const QString& detail = QString());
    void setBarValue(double value);

    std::unique_ptr<Ui::BackupWindow> ui_;
    std::unique_ptr<QWidget> window_;
    QProgressBar* bar_ = nullptr;
    double value_ = 0.0;
    std::vector<std::string> backupMissing_;
    // What a failed start-up failed on, and the system's error for it.
    std::string failedPath_;
    int failedError_ = 0;
    Terminator terminate_;
};
