// Restart Panel: which running programs are found on this display, the way
// each is started again, tint2's cache cleaned of our names only, and a
// program started again as it ran.
#include "library/icontheme/PanelRestart.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

namespace {

using library::RestartStep;

platform::ProcessInfo process(int pid, const QString& name, const QString& display) {
    return {pid, "/usr/bin/" + name, name.left(15), {name, "--flag"}, {"DISPLAY=" + display}, "/"};
}

TEST(PanelRestart, FindsPanelsOnThisDisplayAndStatusProgramsShowingAChangedName) {
    const std::vector<platform::ProcessInfo> processes = {
        process(1, "xfce4-panel", ":1.0"), process(2, "tint2", ":2"),
        process(3, "nm-applet", ":1"),     process(4, "cbatticon", "unix:1"),
        process(5, "gnome-shell", ":1"),   process(6, "xterm", ":1"),
    };
    const struct {
        QStringList changed;
        QString display;
        QList<int> found;
    } cases[] = {
        {{"audio-volume-high"}, ":1", {1, 5}},
        {{"nm-signal-75"}, ":1", {1, 3, 5}},
        {{"battery"}, ":1.0", {1, 4, 5}}, // an item's prefix that begins a name shown
        {{"nm-signal-75"}, ":2", {2}},
        {{"nm-signal-75"}, "", {}}, // no display: nothing is someone else's to restart
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.display + " " + c.changed.join(",")).toStdString());
        QList<int> found;
        for (const auto& program : library::findRestartable(processes, {c.display, {}}, c.changed))
            found << program.process.pid;
        EXPECT_EQ(found, c.found);
    }
}

TEST(PanelRestart, EachProgramIsStartedAgainItsOwnWay) {
    QTemporaryDir dir;
    const QString exe = dir.filePath("bin/program-under-test");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("bin")));
    for (const QString& tool : {exe, dir.filePath("bin/lxpanelctl")}) {
        ASSERT_TRUE(QFile::copy("/bin/true", tool));
    }
    const struct {
        const char* program;
        QList<RestartStep::Kind> kinds;
        QString runs; // the last step's program, as found
        QStringList arguments;
    } cases[] = {
        {"xfce4-panel", {RestartStep::End, RestartStep::StartDetached}, exe, {"--flag"}},
        {"mate-panel", {RestartStep::StartDetached}, exe, {"--replace"}},
        {"lxpanel", {RestartStep::Run}, dir.filePath("bin/lxpanelctl"), {"restart"}},
        {"lxqt-panel", {RestartStep::End, RestartStep::StartDetached}, exe, {"--flag"}},
        {"tint2", {RestartStep::CleanIconCache, RestartStep::Signal}, "", {}},
        {"plasmashell", {RestartStep::StartDetached}, exe, {"--replace"}},
        {"nm-applet", {RestartStep::End, RestartStep::StartDetached}, exe, {"--flag"}},
        {"xfce4-power-manager", {RestartStep::Run}, exe, {"--restart"}},
        {"gnome-shell", {}, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        platform::ProcessInfo p = process(77, c.program, ":1");
        p.exe = exe; // every one runs the same file here
        p.environment << "HOME=/home/u";
        const auto kind = std::find_if(library::panelKinds().begin(), library::panelKinds().end(),
                                       [&](const auto& k) { return p.runs(k.program); });
        ASSERT_NE(kind, library::panelKinds().end());
        const auto steps = library::restartSteps({p, &*kind});
        QList<RestartStep::Kind> kinds;
        for (const auto& step : steps) {
            kinds << step.kind;
            EXPECT_EQ(step.environment, p.environment); // the program's own
            EXPECT_EQ(step.pid, 77);
        }
        EXPECT_EQ(kinds, c.kinds);
        if (steps.empty())
            continue;
        EXPECT_EQ(steps.back().program, c.runs);
        EXPECT_EQ(steps.back().arguments, c.arguments);
        if (steps.front().kind == RestartStep::CleanIconCache) {
            EXPECT_EQ(steps.front().cacheFile, "/home/u/.cache/tint2/icon.cache");
            EXPECT_EQ(steps.back().signal, SIGUSR1);
        }
    }
}

TEST(PanelRestart, Tint2sCacheLosesOnlyTheNamesThatAreOurs) {
    const QByteArray cache = "Adwaita\taudio-volume-high\t24=/a.png\n"
                             "Adwaita\tfirefox\t24=/f.png\n"
                             "a line of another shape\n"
                             "Papirus\taudio-volume-high\t22=/b.svg\n"
                             "Adwaita\tnm-signal-75\t24=/n.png"; // no end of line
    const auto ours = [](QStringView icon) {
        return icon.startsWith(u"audio-volume") || icon.startsWith(u"nm-");
    };
    EXPECT_EQ(library::withoutNames(cache, ours),
              "Adwaita\tfirefox\t24=/f.png\na line of another shape\n");
    EXPECT_EQ(library::withoutNames("", ours), "");
}

// A copy of sleep named like a panel, on a display of this test and not
// the test's own, ended and started again with its arguments and its
// environment. (tint2's cache and signal, and real panels, are
// real_panels.py's.)
TEST(PanelRestart, AProgramStartsAgainWithItsOwnArgumentsAndEnvironment) {
    const QString display = ":trayskin-test-" + QString::number(::getpid());
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy("/bin/sleep", dir.filePath("lxqt-panel")));
    QProcess panel;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    panel.setProcessEnvironment(environment);
    panel.start(dir.filePath("lxqt-panel"), {"300"});
    ASSERT_TRUE(panel.waitForStarted());
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toUtf8());
    const auto found = library::runningRestartable({});
    qputenv("DISPLAY", saved);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(library::runSteps(library::restartSteps(found[0]), "/proc"), "");
    EXPECT_TRUE(panel.waitForFinished(5000));
    const auto again = platform::userProcesses([&](const platform::ProcessInfo& p) {
        return p.runs("lxqt-panel") && p.exe.startsWith(dir.path());
    });
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].arguments.mid(1), QStringList{"300"});
    EXPECT_EQ(again[0].variable(u"DISPLAY"), display);
    ::kill(again[0].pid, SIGTERM);
}

} // namespace
