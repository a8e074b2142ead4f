// The test tool installed setuid root and run by an ordinary user, so that
// the rules that hold only when elevated are exercised for real. Its Menu
// Extras folder and its pkcheck are the compile-time constants below.
#include "AuthRunner.h"
#include "Bundle.h"
#include "Sandbox.h"
#include "ToolHarness.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const std::string kWorld = TRAYSKIN_ELEVATED_WORLD;
const std::string kMenuExtras = kWorld + "/Menu Extras";
const std::string kResources = kMenuExtras + "/Volume.menu/Contents/Resources";
const std::string kTarget = kResources + "/Volume1.tif";
const char* kUser = "trayskin-test";

void sh(const std::string& command) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class ElevatedTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to install the tool setuid (CI runs as root)";
        if (!::getpwnam(kUser))
            sh(std::string("useradd --system --no-create-home --shell /usr/sbin/nologin ") + kUser);
        const passwd* user = ::getpwnam(kUser);
        ASSERT_TRUE(user);
        uid = user->pw_uid;
        gid = user->pw_gid;
        sh("rm -rf '" + kWorld + "'");
        sh("mkdir -p '" + kResources + "' '" + kWorld + "/Tool.app/Contents/Resources' '" + kWorld +
           "/user'");
        sh("chmod 755 '" + kWorld + "' '" + kMenuExtras + "'");
        writeFile(kTarget, "system picture");
        ::chmod(kTarget.c_str(), 0644);
        tool = kWorld + "/Tool.app/Contents/Resources/Trayskin";
        sh("cp '" TRAYSKIN_TEST_TOOL "' '" + tool + "' && chown root:root '" + tool +
           "' && chmod 4755 '" + tool + "'");
        writeFile(kWorld + "/pkcheck",
                  "#!/bin/sh\nread answer < '" + kWorld + "/answer' || exit 126\nexit $answer\n");
        ::chmod((kWorld + "/pkcheck").c_str(), 0755);
        answer(0);
        source = kWorld + "/user/Volume 1.tif";
        writeFile(source, "the user's picture");
        sh("chown -R " + std::to_string(uid) + " '" + kWorld + "/user'");
    }
    void TearDown() override {
        if (::geteuid() == 0)
            std::system(("rm -rf '" + kWorld + "'").c_str());
    }
    void answer(int code) { writeFile(kWorld + "/answer", std::to_string(code) + "\n"); }

    // Runs authmain as the ordinary user, as the program would; returns its status.
    int installAs(const std::string& from, const std::string& to) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
                ::_exit(250);
            platform::bundle::setMainBundlePath(kWorld + "/Tool.app");
            privileged::authinit();
            const OSStatus status = privileged::authmain(from.c_str(), to.c_str());
            ::_exit(status < 0 ? 255 : status & 0xff);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    uid_t uid = 0;
    gid_t gid = 0;
    std::string tool, source;
};

} // namespace

TEST_F(ElevatedTest, PolkitDecides) {
    answer(2);
    EXPECT_EQ(installAs(source, kTarget), 44);
    answer(1);
    EXPECT_EQ(installAs(source, kTarget), 43);
    ::unlink((kWorld + "/answer").c_str());
    EXPECT_EQ(installAs(source, kTarget), 46);
    EXPECT_EQ(readFile(kTarget), "system picture");

    answer(0);
    EXPECT_EQ(installAs(source, kTarget), 0);
    EXPECT_EQ(readFile(kTarget), "the user's picture");
    struct stat st {};
    ASSERT_EQ(::stat(kTarget.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(ElevatedTest, OnlyPicturesOfMenuExtrasAndOnlyWhatTheUserMayRead) {
    // Outside the Menu Extras folder, even where the user could write.
    const std::string own = kWorld + "/user/Own.tif";
    writeFile(own, "mine");
    sh("chown " + std::to_string(uid) + " '" + own + "'");
    EXPECT_EQ(installAs(source, own), 60);
    EXPECT_EQ(installAs(source, kMenuExtras + "/Volume.menu/Contents/Volume1.tif"), 60);
    EXPECT_EQ(installAs(source, kMenuExtras + "/Volume/Contents/Resources/Volume1.tif"), 60);
    EXPECT_EQ(installAs(source, kResources + "/Info.plist"), 61);
    EXPECT_EQ(installAs(source, kResources + "/Missing.tif"), 62);

    // Through a symbolic link: a linked bundle, a linked picture.
    sh("ln -s Volume.menu '" + kMenuExtras + "/Alias.menu'");
    EXPECT_EQ(installAs(source, kMenuExtras + "/Alias.menu/Contents/Resources/Volume1.tif"), 62);
    sh("ln -s Volume1.tif '" + kResources + "/Link.tif'");
    EXPECT_EQ(installAs(source, kResources + "/Link.tif"), 63);
    sh("ln '" + kTarget + "' '" + kWorld + "/hardlink.tif'");
    EXPECT_EQ(installAs(source, kTarget), 63);
    ::unlink((kWorld + "/hardlink.tif").c_str());

    // A source only root may read.
    const std::string secret = kWorld + "/secret.tif";
    writeFile(secret, "root only");
    ::chmod(secret.c_str(), 0600);
    EXPECT_EQ(installAs(secret, kTarget), 50);

    // A Menu Extras folder that others may write is not trusted.
    ::chmod(kMenuExtras.c_str(), 0777);
    EXPECT_EQ(installAs(source, kTarget), 64);
    ::chmod(kMenuExtras.c_str(), 0755);
    EXPECT_EQ(readFile(kTarget), "system picture");

    EXPECT_EQ(installAs(source, kTarget), 0);
    EXPECT_EQ(readFile(kTarget), "the user's picture");
}
