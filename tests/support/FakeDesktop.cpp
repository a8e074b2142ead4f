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

bool RecordingWorkspace::openFile(const std::string& path, std::function<void()> failed) {
    opened.push_back(path);
    if (opens)
        openFailures.push_back(std::move(failed));
    return opens;
}

bool RecordingWorkspace::launchApplication(const std::string& name) {
    launched.push_back(name);
    return launches;
}

} // namespace testing_support
