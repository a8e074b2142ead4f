#include "tests/support/FakeDesktop.h"

namespace testing_support {

RecordingAlerts::RecordingAlerts() {
    platform::setAlertPresenter(this);
}

RecordingAlerts::~RecordingAlerts() {
    platform::setAlertPresenter(nullptr);
}

RecordingWorkspace::RecordingWorkspace() {
    platform::setWorkspace(this);
}

RecordingWorkspace::~RecordingWorkspace() {
    platform::setWorkspace(nullptr);
}

bool RecordingWorkspace::openFile(const std::string& path) {
    opened.push_back(path);
    return opens;
}

bool RecordingWorkspace::launchApplication(const std::string& name) {
    launched.push_back(name);
    return launches;
}

} // namespace testing_support
