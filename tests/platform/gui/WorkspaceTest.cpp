#include "platform/gui/Workspace.h"
#include "tests/support/Sandbox.h"

#include <QTest>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using namespace testing_support;

namespace {

// The desktop's opener stood in for by a script on the search path: it
// writes its process id beside the file and ends with the status that the
// file's name gives ("3.html" ends with 3).
class OpenerTest : public ::testing::Test {
protected:
    OpenerTest() : savedPath_(qgetenv("PATH")) {
        const std::string script = box.base() + "/bin/xdg-open";
        writeFile(script, "#!/bin/sh\necho $$ > \"$1.pid\"\nname=${1##*/}\nexit ${name%.html}\n",
                  0755);
        qputenv("PATH", QByteArray::fromStdString(box.base() + "/bin"));
    }
    ~OpenerTest() override { qputenv("PATH", savedPath_); }

    // Opens the file; failed says whether the opener was said to fail.
    void open(const std::string& name, bool& failed) {
        const std::string file = box.base() + "/" + name;
        writeFile(file, "<p>help</p>");
        EXPECT_TRUE(platform::sharedWorkspace().openFile(file, [&failed] { failed = true; }));
    }
    // Whether the opener of the file has ended and been reaped.
    bool gone(const std::string& name) {
        const std::string pid = readFile(box.base() + "/" + name + ".pid");
        return !pid.empty() && ::kill(std::stoi(pid), 0) != 0 && errno == ESRCH;
    }

    Sandbox box;
    QByteArray savedPath_;
};

} // namespace

TEST_F(OpenerTest, AnOpenerThatEndsWithAFailureIsReported) {
    bool succeeded = false, failed = false;
    open("0.html", succeeded);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone("0.html"); }, 60000));
    // The first opener's end was handled before the second's, which started
    // after it.
    open("3.html", failed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 60000));
    EXPECT_FALSE(succeeded);
}
