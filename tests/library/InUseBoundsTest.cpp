// Choosing an item in a large environment (1,000 data folders, a theme of
// 100,000 directories): In use and the preview's pictures answer from the
// themes as read once, and a choice made again reads nothing of them.
#include "icontheme/BaseDirs.h"
#include "icontheme/IconThemes.h"
#include "library/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

using testing_support::ThemeWorld;

namespace {

TEST(InUseBounds, ChoosingAnItemAgainReadsNoThemeInALargeEnvironment) {
    ThemeWorld world;
    QStringList dataDirs{world.root() + "/sys"};
    for (int i = 1; i < 1000; ++i)
        dataDirs.append(world.root() + "/empty/" + QString::number(i));
    qputenv("XDG_DATA_DIRS", dataDirs.join(':').toUtf8());
    const QByteArray png = testing_support::pngBytes(16, 0xff0000);
    ThemeWorld::put(world.systemIcons(), "Huge/index.theme",
                    testing_support::manyDirectories(100000));
    ThemeWorld::put(world.systemIcons(), "Huge/d7/status/audio-volume-high.png", png);
    const QString data = world.root() + "/data";
    ThemeWorld::put(data, "trayskin/Volume/Mine/audio-volume-high.png", png);
    testing_support::age(world.root());

    library::IconThemeSystem system(icontheme::baseDirsFromEnvironment(), "Huge", data);
    const library::InUse first = system.inUse("Volume");
    EXPECT_EQ(first.kind, library::InUse::Kind::Set);
    EXPECT_EQ(first.set, "Mine");
    // What the limits let through, read once.
    const qint64 reads = system.themeReads();
    EXPECT_LE(reads, icontheme::kMaxThemeDirs + icontheme::kMaxDataDirs + 10);

    // The same choice again: In use, then the preview's pictures.
    EXPECT_EQ(system.inUse("Volume").set, "Mine");
    const auto pictures = system.currentPictures("Volume", "Mine", 24);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(QString::fromStdString(pictures[0].target),
              world.systemIcons() + "/Huge/d7/status/audio-volume-high.png");
    EXPECT_EQ(system.themeReads(), reads);
}

} // namespace
