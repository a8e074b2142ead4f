// The program's controller on a sandbox: its own home folder and system
// folder, the bundle built with the tests, alerts and the desktop recorded,
// and the end of the process caught instead of happening.
#pragma once

#include "app/AppController.h"
#include "library/PictureSystem.h"
#include "platform/widgets/ColumnBrowser.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/Sandbox.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

class ControllerFixture : public ::testing::Test {
protected:
    ControllerFixture();
    ~ControllerFixture() override;

    // Starts as the program does (on pictureSystem) and shows the main
    // window at a size of its own, with the rows on screen filled once the
    // start's later work has ended; the program must not end.
    void startShown();
    // A widget or action of the main window, by its object name, as a
    // client of the window finds it.
    template <class T> T& part(const char* name) {
        T* found = controller.mainWindow()->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            throw std::logic_error(std::string("the window has no part named ") + name);
        return *found;
    }
    platform::ColumnBrowser& browser() { return part<platform::ColumnBrowser>("fsBrowser"); }
    // Reads the library again, with the rows on screen filled.
    void reload();
    // Starts another controller, its end recorded in exits; what it printed.
    std::string startQuietly(AppController& started);
    // Runs the command with standard output caught; what it printed.
    static std::string quietly(const std::function<void()>& command);
    // The titles of the alerts shown so far.
    QStringList alertTitles() const;
    // What the main window's status bar says, whole where it is shown cut.
    QString statusLine();

    Sandbox box;
    RecordingAlerts presenter;
    RecordingWorkspace desktop;
    // The system the controller starts on: the Menu Extras of the sandbox,
    // copied through the privileged tool, unless a test puts another.
    std::shared_ptr<library::PictureSystem> pictureSystem;
    AppController controller;
    std::vector<int> exits; // every status the process would have ended with
};

} // namespace testing_support
