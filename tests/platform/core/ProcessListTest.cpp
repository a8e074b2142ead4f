// The user's processes, read from a made-up /proc: only the user's, with
// their program, arguments, environment and folder; a filter is asked
// before the environment is read.
#include "platform/core/ProcessList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

struct MadeUpProcess {
    int pid;
    QString exe;
    QByteArray comm, cmdline, environ, stat;
};

void make(const QString& root, const MadeUpProcess& p) {
    const QString folder = root + "/" + QString::number(p.pid);
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& [name, bytes] : {std::pair{"comm", p.comm},
                                      {"cmdline", p.cmdline},
                                      {"environ", p.environ},
                                      {"stat", p.stat}}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    if (!p.exe.isEmpty()) {
        ASSERT_TRUE(QFile::link(p.exe, folder + "/exe"));
    }
    ASSERT_TRUE(QFile::link("/tmp", folder + "/cwd"));
}

TEST(ProcessList, ReadsTheUsersProcessesFromProc) {
    QTemporaryDir root;
    const QByteArray running = "1 (a) S 0", zombie = "1 (a) b) Z 0";
    const MadeUpProcess made[] = {
        {42, "/usr/bin/xfce4-panel (deleted)", "xfce4-panel\n", QByteArray("xfce4-panel\0-d\0", 15),
         QByteArray("DISPLAY=:1\0HOME=/h\0", 19), running},
        {7,
         "/usr/bin/python3.11",
         "blueman-applet\n",
         QByteArray("/usr/bin/python3\0/usr/bin/blueman-applet\0", 41),
         {},
         zombie},
        {9, "", "", {}, {}, running}, // a kernel thread: nothing to read
    };
    for (const auto& p : made)
        make(root.path(), p);
    ASSERT_TRUE(QDir().mkpath(root.path() + "/self"));

    const auto all = platform::userProcesses(root.path(), ::getuid());
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].pid, 7); // in the order of their ids
    EXPECT_EQ(all[1].programName(), "xfce4-panel");
    EXPECT_EQ(all[1].arguments, QStringList({"xfce4-panel", "-d"}));
    EXPECT_EQ(all[1].variable(u"DISPLAY"), ":1");
    EXPECT_EQ(all[1].variable(u"DISPLA"), "");
    EXPECT_EQ(all[1].workingFolder, "/tmp");
    // A script is known by its kernel name, its interpreter by its file or argument.
    for (const auto& [name, runs] : {std::pair{"blueman-applet", true},
                                     {"python3.11", true},
                                     {"python3", true},
                                     {"blueman", false},
                                     {"", false}})
        EXPECT_EQ(all[0].runs(QString::fromUtf8(name)), runs) << name;

    EXPECT_TRUE(platform::userProcesses(root.path(), ::getuid() + 1).empty());
    const auto filtered =
        platform::userProcesses(root.path(), ::getuid(), [](const platform::ProcessInfo& p) {
            return p.runs("xfce4-panel");
        });
    ASSERT_EQ(filtered.size(), 1u);
    EXPECT_EQ(filtered[0].pid, 42);
    EXPECT_TRUE(platform::processRuns(root.path(), 42));
    EXPECT_FALSE(platform::processRuns(root.path(), 7)); // a zombie has ended
    EXPECT_FALSE(platform::processRuns(root.path(), 8));
}

} // namespace
