// The completion alerts of Use This Set, Restore and Restore All offer
// Restart Panel exactly where a panel runs on this display, and the button
// starts it again: a copy of sleep named lxqt-panel stands in for it.
#include "platform/core/ProcessList.h"
#include "tests/app/DesktopFixture.h"

#include <QAction>
#include <QProcess>

#include <csignal>
#include <unistd.h>

namespace testing_support {
namespace {

class RestartPanelTest : public MadeUpThemeTest {
protected:
    void SetUp() override {
        saved = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.toUtf8());
        MadeUpThemeTest::SetUp();
    }
    void TearDown() override {
        qputenv("DISPLAY", saved);
        for (const auto& p : panels())
            ::kill(p.pid, SIGTERM);
    }
    // The copies of sleep named lxqt-panel that run on the test's display.
    std::vector<platform::ProcessInfo> panels() const {
        return platform::userProcesses([&](const platform::ProcessInfo& p) {
            return p.runs("lxqt-panel") && p.exe.startsWith(bin.path());
        });
    }
    void startPanel() {
        ASSERT_TRUE(QFile::copy("/bin/sleep", bin.filePath("lxqt-panel")));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        panel.setProcessEnvironment(environment);
        panel.start(bin.filePath("lxqt-panel"), {"300"});
        ASSERT_TRUE(panel.waitForStarted());
    }

    const QString display = ":trayskin-test-" + QString::number(::getpid());
    QByteArray saved;
    QTemporaryDir bin;
    QProcess panel;
};

TEST_F(RestartPanelTest, CompletionAlertsOfferRestartPanelWhereAPanelRunsOnThisDisplay) {
    const auto useMine = [&] { use("Volume", "Mine"); };
    const auto restore = [&] { quietly([&] { controller.restoreOriginalPictures(); }); };
    const struct {
        bool panelRuns;
        std::function<void()> command;
        QString other; // the last alert's second button
    } cases[] = {
        {false, useMine, ""},
        {true, useMine, "Restart Panel"},
        {true, restore, "Restart Panel"},
    };
    for (const auto& c : cases) {
        if (c.panelRuns && panel.state() == QProcess::NotRunning)
            startPanel();
        presenter.alerts.clear();
        c.command();
        ASSERT_FALSE(presenter.alerts.empty());
        EXPECT_EQ(presenter.alerts.back().other, c.other)
            << presenter.alerts.back().title.toStdString();
    }
    // Taken, the button starts the panel again (with its own arguments, as
    // PanelRestartTest checks).
    presenter.takeOther = true;
    presenter.alerts.clear();
    useMine();
    EXPECT_EQ(alertTitles().mid(alertTitles().size() - 2),
              (QStringList{"Installation Partly Complete", "Panel Restarted"}));
    EXPECT_EQ(presenter.alerts.back().message, "Started again: lxqt-panel.");
    EXPECT_NE(panels().at(0).pid, panel.processId());
    EXPECT_NE(lines.find("restarted lxqt-panel"), std::string::npos) << lines;
}

TEST_F(RestartPanelTest, TheCommandLineSaysItInTerminalWordsAndRestartsWithTheChange) {
    startPanel();
    for (const bool restart : {false, true}) { // --restart-panel
        SCOPED_TRACE(restart);
        system->useCommandLine(restart);
        const qint64 before = panels().at(0).pid;
        library::PlaceReport report;
        quietly([&] { report = system->install("Volume", "Mine"); });
        ASSERT_TRUE(report.done);
        const QString message = report.notices.back().message;
        EXPECT_FALSE(message.contains("Restart Panel")) << qPrintable(message);
        EXPECT_EQ(message.contains("With --restart-panel, Trayskin starts lxqt-panel again"),
                  !restart)
            << qPrintable(message);
        const auto after = panels();
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0].pid != before, restart);
    }
    // The command then tells how the restart went, and restarts nothing more.
    const qint64 restarted = panels().at(0).pid;
    library::PlaceReport report;
    quietly([&] { report = system->runCommand(library::kRestartPanelCommand, true); });
    EXPECT_EQ(report.notices.back().title, "Panel Restarted");
    EXPECT_EQ(panels().at(0).pid, restarted);
    EXPECT_TRUE(panel.waitForFinished(5000));
}

} // namespace
} // namespace testing_support
