// Stand-ins for what a test must not do for real: show a modal alert (it
// would wait for a person) and open files or start applications. Each puts
// itself in place for its own lifetime and takes itself away again, also
// when an assertion ends the test early.
#pragma once

#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Records every alert and answers it at once, with its button unless told
// to take the second one.
class RecordingAlerts final : public platform::AlertPresenter {
public:
    RecordingAlerts();
    ~RecordingAlerts() override;
    RecordingAlerts(const RecordingAlerts&) = delete;
    RecordingAlerts& operator=(const RecordingAlerts&) = delete;
    bool present(const platform::Alert& alert) override {
        alerts.push_back(alert);
        return takeOther && !alert.other.isEmpty();
    }

    std::vector<platform::Alert> alerts;
    bool takeOther = false;
};

// Records what would be opened or started; the desktop's icons stay.
class RecordingWorkspace : public platform::Workspace {
public:
    RecordingWorkspace();
    ~RecordingWorkspace() override;
    RecordingWorkspace(const RecordingWorkspace&) = delete;
    RecordingWorkspace& operator=(const RecordingWorkspace&) = delete;
    bool openFile(const std::string& path, std::function<void()> failed) override;
    bool openFileAt(const std::string& path, const std::string& anchor,
                    std::function<void()> failed) override {
        anchors.push_back(anchor);
        return openFile(path, std::move(failed));
    }
    bool launchApplication(const std::string& name) override;

    std::vector<std::string> opened;
    std::vector<std::string> anchors; // of the files opened at a place
    std::vector<std::string> launched;
    bool opens = true; // what openFile answers
    // What each started opener would call if it failed; a test calls it.
    std::vector<std::function<void()>> openFailures;
    bool launches = false; // what launchApplication answers
};

} // namespace testing_support
