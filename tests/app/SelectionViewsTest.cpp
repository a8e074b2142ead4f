// The status bar's In use worked out off the window's thread, on a theme of
// 100,000 directories in 1,000 data folders: the window serves its events
// and a new selection while the answer is not there, and an answer for an
// earlier selection is dropped.
#include "app/SelectionViews.h"
#include "library/icontheme/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/Sandbox.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

using namespace testing_support;

TEST(SelectionViews, TheWindowAnswersWhileInUseIsWorkedOutOnAHugeTheme) {
    ThemeWorld world;
    ThemeWorld::put(world.systemIcons(), "Huge/index.theme", manyDirectories(100000));
    const QByteArray high = pngBytes(16, 0xff0000);
    ThemeWorld::put(world.systemIcons(), "Huge/d0/status/audio-volume-high.png", high);
    ThemeWorld::put(world.root() + "/data/trayskin", "Volume/Mine/audio-volume-high.png", high);
    QStringList dataDirs{world.root() + "/sys"};
    for (int i = 1; i < 1000; ++i)
        dataDirs.append(world.root() + "/none/" + QString::number(i));
    qputenv("XDG_DATA_DIRS", dataDirs.join(u':').toUtf8());
    library::IconThemeSystem system(icontheme::baseDirsFromEnvironment(), "Huge",
                                    world.root() + "/data");
    // The work is held until the test runs it, on a thread of its own.
    std::vector<std::function<void()>> jobs;
    QMainWindow window;
    // The preview in a scroller in the window, as the window's is.
    auto* scroller = new QScrollArea(&window);
    auto* preview = new QLabel;
    scroller->setWidget(preview);
    SelectionViews views(window, *preview, *scroller, system,
                         [&](std::function<void()> job) { jobs.push_back(std::move(job)); });
    const QLabel& label = *window.findChild<QLabel*>("inUse");
    const auto pending = [&] { return label.property("pending").toBool(); };
    const auto runAll = [&] {
        std::thread([&] {
            for (auto& job : jobs)
                job();
        }).join();
        jobs.clear();
    };
    // Whether the condition holds while the window serves its events.
    const auto serving = [](const std::function<bool()>& condition) {
        return waitUntil([&] { return QApplication::processEvents(), condition(); },
                         std::chrono::seconds(60));
    };
    const auto answered = [&] { return serving([&] { return !pending(); }); };

    views.show("Volume", "");
    const qint64 readsForWords = system.themeReads(); // the status bar's words of the theme
    bool served = false;
    QTimer::singleShot(0, &window, [&] { served = true; });
    ASSERT_TRUE(serving([&] { return served; }));
    EXPECT_TRUE(pending());
    EXPECT_EQ(label.text(), "");
    // Worked out, then the selection changes before its answer is taken.
    runAll();
    views.show("Battery", "");
    QApplication::processEvents();
    EXPECT_TRUE(pending());
    EXPECT_EQ(label.text(), "");
    runAll();
    ASSERT_TRUE(answered());
    EXPECT_EQ(label.text(), system.nothingShownText());
    views.show("Volume", "");
    runAll();
    ASSERT_TRUE(answered());
    EXPECT_EQ(label.text(), "In use: Mine");
    // The window's own reading of the themes listed none of the huge one's directories.
    EXPECT_EQ(system.themeReads(), readsForWords);
    EXPECT_LE(readsForWords, 1);
}
