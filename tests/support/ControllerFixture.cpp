#include "tests/support/ControllerFixture.h"

#include "platform/core/Bundle.h"
#include "tests/support/BrowserDriver.h"

#include <QLocale>
#include <QMainWindow>

namespace testing_support {

ControllerFixture::ControllerFixture() {
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    controller.setTerminator([this](int status) { exits.push_back(status); });
}

ControllerFixture::~ControllerFixture() {
    QLocale::setDefault(QLocale::c());
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    platform::bundle::loadTranslations();
}

void ControllerFixture::startShown() {
    controller.awakeFromNib();
    ASSERT_TRUE(exits.empty()) << "the program ended";
    controller.mainWindow()->resize(900, 500);
    controller.mainWindow()->show();
    settle(browser());
}

void ControllerFixture::reload() {
    controller.reloadData();
    settle(browser());
}

} // namespace testing_support
