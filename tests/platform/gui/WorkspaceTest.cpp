#include "platform/gui/Workspace.h"
#include "tests/support/Sandbox.h"

#include <QTest>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using namespace testing_support;

namespace {

// The desktop's opener stood in for by a script on the search path: it
// writes its process id beside the file and ends with the status that the
// file's name gives ("3.html" ends with 3). The desktop names a program for
// web pages in the sandbox's applications folder, until handler is removed.
class OpenerTest : public ::testing::Test {
protected:
    OpenerTest() {
        const std::string script = box.base() + "/bin/xdg-open";
        writeFile(script,
                  "#!/bin/sh\nf=${1#file://}\nf=${f%#*}\necho $$ > \"$f.pid\"\nname=${f##*/}\n"
                  "exit ${name%.html}\n",
                  0755);
        writeFile(handler, "text/html=viewer.desktop;\n");
        writeFile(box.base() + "/data/applications/viewer.desktop",
                  "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %u\n");
        // The types of files the machine knows, and no program of its own.
        std::filesystem::create_directories(box.base() + "/share");
        std::filesystem::create_directory_symlink("/usr/share/mime", box.base() + "/share/mime");
        for (const auto& [name, value] : {std::pair{"PATH", "/bin"},
                                          {"XDG_DATA_HOME", "/data"},
                                          {"XDG_DATA_DIRS", "/share"},
                                          {"XDG_CONFIG_HOME", "/none"},
                                          {"XDG_CONFIG_DIRS", "/none"}}) {
            saved_.emplace_back(name, qgetenv(name));
            qputenv(name, QByteArray::fromStdString(box.base() + value));
        }
        saved_.emplace_back("BROWSER", qgetenv("BROWSER"));
        qunsetenv("BROWSER");
    }
    ~OpenerTest() override {
        for (const auto& [name, value] : saved_)
            qputenv(name, value);
    }

    // Opens the file; failed says whether the opener was said to fail.
    bool open(const std::string& name, bool& failed) {
        const std::string file = box.base() + "/" + name;
        writeFile(file, "<p>help</p>");
        return platform::sharedWorkspace().openFileAt(file, "part", [&failed] { failed = true; });
    }
    // Whether the opener of the file has ended and been reaped.
    bool gone(const std::string& name) {
        const std::string pid = readFile(box.base() + "/" + name + ".pid");
        return !pid.empty() && ::kill(std::stoi(pid), 0) != 0 && errno == ESRCH;
    }

    Sandbox box;
    const std::string handler = box.base() + "/data/applications/mimeinfo.cache";
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

} // namespace

TEST_F(OpenerTest, AnOpenerThatEndsWithAFailureIsReported) {
    bool succeeded = false, failed = false;
    ASSERT_TRUE(open("0.html", succeeded));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone("0.html"); }, 60000));
    // The first opener's end was handled before the second's, which started
    // after it.
    ASSERT_TRUE(open("3.html", failed));
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 60000));
    EXPECT_FALSE(succeeded);
    // With no program for web pages the opener is not even started: said at once.
    std::filesystem::remove(handler);
    bool never = false;
    EXPECT_FALSE(open("0.html", never));
    EXPECT_FALSE(never);
}
