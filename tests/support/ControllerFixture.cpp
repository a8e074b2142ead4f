#include "tests/support/ControllerFixture.h"

#include "app/PrivilegedTool.h"
#include "library/SystemChoice.h"
#include "platform/core/Bundle.h"
#include "platform/widgets/StatusMessages.h"
#include "tests/support/BrowserDriver.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>

namespace testing_support {

ControllerFixture::ControllerFixture()
    : pictureSystem(library::chooseSystem(library::ModeRequest::MenuExtras, QString(), QString(),
                                          std::make_shared<PrivilegedTool>())) {
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    controller.setTerminator([this](int status) { exits.push_back(status); });
}

ControllerFixture::~ControllerFixture() {
    QLocale::setDefault(QLocale::c());
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    platform::bundle::loadTranslations();
}

void ControllerFixture::startShown() {
    controller.awakeFromNib(pictureSystem);
    ASSERT_TRUE(exits.empty()) << "the program ended";
    controller.mainWindow()->resize(900, 500);
    controller.mainWindow()->show();
    // The start's later work ends, and the columns are read again, before
    // a test acts on the window.
    ASSERT_TRUE(waitUntil(
        [this] {
            QApplication::processEvents();
            return !controller.startWorkRunning();
        },
        std::chrono::seconds(60)));
    settle(browser());
}

void ControllerFixture::reload() {
    controller.reloadData();
    settle(browser());
}

std::string ControllerFixture::startQuietly(AppController& started) {
    started.setTerminator([this](int status) { exits.push_back(status); });
    return quietly([&] { started.awakeFromNib(pictureSystem); });
}

std::string ControllerFixture::quietly(const std::function<void()>& command) {
    ::testing::internal::CaptureStdout();
    command();
    return ::testing::internal::GetCapturedStdout();
}

QStringList ControllerFixture::alertTitles() const {
    QStringList titles;
    for (const auto& alert : presenter.alerts)
        titles << alert.title;
    return titles;
}

QString ControllerFixture::statusLine() {
    return platform::wholeStatusMessage(*controller.mainWindow()->statusBar());
}

} // namespace testing_support
