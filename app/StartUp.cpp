#include "app/StartUp.h"

#include "library/Examples.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/widgets/AlertPanel.h"

#include "ui_BackupWindow.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using platform::bundle::localizedString;

StartUp::StartUp(Terminator terminate)
    : ui_(std::make_unique<Ui::BackupWindow>()), window_(std::make_unique<QWidget>()),
      terminate_(std::move(terminate)) {
    ui_->setupUi(window_.get());
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    bar_ = ui_->backupProgress;
}

StartUp::~StartUp() = default;

bool StartUp::prepareLibrary(library::PictureSystem& system) {
    if (!setupHomeFolder(system)) {
        const QString error = failedError_ != 0
                                  ? QString::fromLocal8Bit(std::strerror(failedError_))
                                  : localizedString(QT_TRANSLATE_NOOP("Trayskin", "unknown error"));
        failStartUp("Problem setting up home folder!",
                    QT_TRANSLATE_NOOP("Trayskin", "Bad setup prefs"),
                    localizedString(QT_TRANSLATE_NOOP("Trayskin", "Could not set up %1: %2"))
                        .arg(QString::fromUtf8(failedPath_), error));
        return false;
    }
    if (!library::includeExampleTree(system.exampleTree(platform::bundle::bundlePath()),
                                     system.libraryRoot())) {
        failStartUp("Problem including examples!", QT_TRANSLATE_NOOP("Trayskin", "Bad copy"));
        return false;
    }
    return true;
}

bool StartUp::setupHomeFolder(library::PictureSystem& system) {
    library::SetupReport report;
    if (!system.setupLibrary(*this, &report)) {
        failedPath_ = report.failedPath;
        failedError_ = report.failedError;
        return false;
    }
    backupMissing_ = report.backupMissing;
    for (const std::string& entry : backupMissing_) {
        std::printf("Backup not complete: could not copy %s\n", entry.c_str());
        std::fflush(stdout);
    }
    return true;
}

QString StartUp::backupNotice() const {
    if (backupMissing_.empty())
        return QString();
    QStringList names;
    for (const std::string& entry : backupMissing_)
        names << QString::fromUtf8(entry);
    return localizedString(QT_TRANSLATE_NOOP(
               "Trayskin", "Backup not complete, tried again at the next start:")) +
           QLatin1Char(' ') + names.join(QStringLiteral(", "));
}

void StartUp::failStartUp(const char* line, const char* messageKey, const QString& detail) {
    std::puts(line);
    std::fflush(stdout);
    if (!detail.isEmpty()) {
        std::fprintf(stderr, "%s\n", detail.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
                            localizedString(messageKey),
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "Quit")), detail);
    terminate_(0);
}

void StartUp::setBarValue(double value) {
    value_ = value;
    bar_->setValue(static_cast<int>(std::lround(value)));
}

void StartUp::openBackupWindow() {
    window_->show();
    window_->raise();
    window_->activateWindow();
    setBarValue(5.0);
    displayIfNeeded();
}

void StartUp::closeBackupWindow() {
    setBarValue(100.0);
    window_->hide();
}

void StartUp::incrementBy(double delta) {
    // The bar stops at its end: with a few entries the steps add up to more.
    setBarValue(std::min(100.0, value_ + delta));
}

void StartUp::displayIfNeeded() {
    // The event loop is not running during start-up: paint now, and let the
    // window system see the window, but hand no user input to anyone.
    if (window_->isVisible())
        window_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
