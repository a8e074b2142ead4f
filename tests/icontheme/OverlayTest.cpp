// The overlay writer on made-up themes: where pictures go, what is refused,
// what a restore takes away, that nothing outside the overlay folder is
// ever written.
#include "icontheme/Overlay.h"
#include "icontheme/IconThemes.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/SafeFolder.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

using namespace icontheme;
using testing_support::pngBytes;
using testing_support::svgBytes;
using testing_support::ThemeWorld;

namespace {

// "Made" lives in two system base directories; the home's .icons shadows
// one of its files; the overlay already holds two files of the user's
// (tests/icontheme/themes/overlay).
class OverlayTest : public testing::Test {
protected:
    void SetUp() override {
        dirs.homeIcons = world.homeIcons();
        dirs.userIcons = world.userIcons();
        dirs.bases = {world.homeIcons(), world.userIcons(), world.systemIcons(), sys2()};
        world.copy(TRAYSKIN_THEMES "/overlay");
        themes = IconThemes(dirs.bases);
    }
    QString sys2() const { return world.root() + "/sys2/icons"; }
    QString overlayDir() const { return world.userIcons() + "/Made/"; }
    QString record() const { return world.root() + "/lib/.work/overlay-Made.json"; }
    QString picture(const QString& name, const QByteArray& bytes) {
        ThemeWorld::put(world.root(), "set/" + name, bytes);
        return world.root() + "/set/" + name;
    }
    // The overlay's files by path, with their bytes.
    std::map<std::string, std::string> overlayFiles() const {
        return testing_support::snapshot((world.userIcons() + "/Made").toStdString());
    }
    ThemeWorld world;
    BaseDirs dirs;
    IconThemes themes{QStringList()};
};

TEST_F(OverlayTest, WritesWhereTheThemeHoldsTheNameAndRestoresExactly) {
    Overlay overlay(themes, dirs, "Made", record());
    const auto before = overlayFiles();
    const QByteArray volSvg = svgBytes(0xff0000), vol24 = pngBytes(24, 0x00ff00);
    const QByteArray new32 = pngBytes(32, 0x0000ff);
    QByteArray tooBig(int(kMaxPictureBytes) + 1, ' ');
    tooBig.prepend("<svg>");
    const OverlayReport report = overlay.install({
        picture("vol-symbolic.svg", volSvg),
        picture("vol.png", vol24),
        picture("new-thing.svg", volSvg),
        picture("new-png.png", new32),
        picture("odd.png", pngBytes(20, 0)),
        picture("big.svg", tooBig),
        picture("vol.svg", volSvg),
        world.root() + "/set/missing.png",
    });
    ASSERT_TRUE(report.ok());
    const QStringList written = {"16x16/status/vol-symbolic.svg",
                                 "24x24/status/vol-symbolic.svg",
                                 "scalable/status/vol-symbolic.svg",
                                 "16x16@2/status/vol-symbolic.svg",
                                 "24x24/legacy/vol.png",
                                 "scalable/status/new-thing.svg",
                                 "32x32/status/new-png.png"};
    // No 20x20 directory: the scalable one takes any size.
    EXPECT_EQ(QSet<QString>(report.written.cbegin(), report.written.cend()),
              QSet<QString>(written.cbegin(), written.cend()) << "scalable/status/odd.png");
    EXPECT_EQ(report.kept, QStringList{"24x24/legacy/vol.png"});
    EXPECT_EQ(report.shadowed, QStringList{"16x16/status/vol-symbolic.svg"});
    QStringList refused;
    for (const Picture& p : report.refused)
        refused.append(QFileInfo(p.source).fileName() + " " + QString::number(int(p.problem)));
    EXPECT_EQ(refused, (QStringList{"big.svg 3", "vol.svg 6", "missing.png 2"}));
    for (const QString& path : written)
        EXPECT_EQ(ThemeWorld::get(overlayDir() + path), path.endsWith("vol.png")   ? vol24
                                                        : path.contains("new-png") ? new32
                                                                                   : volSvg)
            << path.toStdString();
    // That GTK then shows the overlay at every size is GtkLookupTest's.

    // Another set: the same names as PNGs take the place of the SVGs.
    const QByteArray vol16 = pngBytes(16, 0xffff00);
    const OverlayReport second =
        overlay.install({picture("vol-symbolic.png", vol16), picture("new-thing.png", new32)});
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.written.size(), 5);
    EXPECT_EQ(second.removed.size(), 5);
    EXPECT_FALSE(QFile::exists(overlayDir() + "scalable/status/new-thing.svg"));
    EXPECT_EQ(ThemeWorld::get(overlayDir() + "32x32/status/new-thing.png"), new32);
    EXPECT_EQ(ThemeWorld::get(overlayDir() + "scalable/status/vol-symbolic.png"), vol16);

    // Restoring one icon, then all: exactly what was written goes.
    const OverlayReport one = overlay.restore({"new-thing"});
    EXPECT_EQ(one.removed, QStringList{"32x32/status/new-thing.png"});
    ThemeWorld::put(overlayDir(), "24x24/status/vol-symbolic.png", "changed by the user");
    ASSERT_TRUE(overlay.restore().ok());
    auto after = overlayFiles();
    EXPECT_EQ(after.at("24x24/status/vol-symbolic.png"), "f:changed by the user");
    after.erase("24x24/status/vol-symbolic.png");
    auto expected = before; // the user's own that was moved aside is back
    // The folders the installs made went with their pictures; the user's
    // own folders stayed, even the one left empty.
    EXPECT_EQ(after, expected);
    EXPECT_TRUE(overlay.record()->files.isEmpty());
}

TEST_F(OverlayTest, SyncsDoNotGrowWithThePicturesAndACrashsEmptyCopyStaysOurs) {
    // The files synced one by one (a folder's sync is no step): as many for
    // one picture as for four, each written in up to four folders.
    std::vector<int> synced;
    for (const QStringList& names :
         {QStringList{"vol-symbolic.svg"},
          QStringList{"vol-symbolic.svg", "new-thing.svg", "new-png.svg", "odd.svg"}}) {
        Overlay overlay(themes, dirs, "Made", record());
        ASSERT_TRUE(overlay.restore().ok());
        QStringList set;
        for (const QString& name : names)
            set << picture(name, svgBytes(0xff0000));
        int syncs = 0, steps = 0, stepsWhenPlaced = 0;
        SafeFolder::stepHook() = [&](const char* step) {
            syncs += QByteArray(step) == "sync";
            ++steps;
        };
        QStringList placed;
        const OverlayReport report =
            overlay.install(set, QString(), [&](const OverlayReport& sofar) {
                for (const QString& path : placed = sofar.written)
                    EXPECT_EQ(ThemeWorld::get(overlayDir() + path), svgBytes(0xff0000));
                stepsWhenPlaced = steps;
            });
        SafeFolder::stepHook() = nullptr;
        ASSERT_TRUE(report.ok());
        EXPECT_GE(report.written.size(), names.size());
        synced.push_back(syncs);
        // Told once every picture is in place, before the record is written again.
        EXPECT_EQ(placed, report.written);
        EXPECT_GT(stepsWhenPlaced, 0);
        EXPECT_LT(stepsWhenPlaced, steps);
    }
    EXPECT_EQ(synced.front(), synced.back());

    // What a crash leaves of an unsynced copy, an empty file, is still ours
    // (taken out by a restore); other bytes there are the user's.
    Overlay overlay(themes, dirs, "Made", record());
    ThemeWorld::put(overlayDir(), "scalable/status/new-thing.svg", "");
    ThemeWorld::put(overlayDir(), "scalable/status/odd.svg", "the user's");
    const QStringList files = overlay.record()->files.keys();
    EXPECT_TRUE(files.contains("scalable/status/new-thing.svg"));
    EXPECT_FALSE(files.contains("scalable/status/odd.svg"));
    ASSERT_TRUE(overlay.restore().ok());
    EXPECT_FALSE(QFile::exists(overlayDir() + "scalable/status/new-thing.svg"));
    EXPECT_EQ(ThemeWorld::get(overlayDir() + "scalable/status/odd.svg"), "the user's");
}

TEST_F(OverlayTest, NothingOutsideTheOverlayFolderIsWritten) {
    const QString outside = world.root() + "/outside";
    ThemeWorld::put(outside, "vol-symbolic.svg", "outside");
    const QString png = picture("vol-symbolic.png", pngBytes(16, 0));
    auto everything = [&] {
        auto all = testing_support::snapshot(world.root().toStdString());
        std::erase_if(all, [](const auto& e) { return e.first.find("lib/") == 0; });
        return all;
    };
    auto snap = everything();
    for (const char* name : {"..", "../Made", "Made/..", "a/b", "", "/tmp"}) {
        Overlay hostile(themes, dirs, name, record());
        EXPECT_EQ(hostile.install({png}).failure, OverlayFailure::NoTheme) << name;
        EXPECT_FALSE(hostile.restore().ok()) << name;
    }
    EXPECT_EQ(everything(), snap);
    EXPECT_TRUE(QFile::exists(world.systemIcons() + "/escape/vol.png")); // a refused directory

    // A link inside the overlay folder is not followed.
    QDir().mkpath(overlayDir());
    ASSERT_TRUE(QFile::link(outside, overlayDir() + "16x16"));
    Overlay overlay(themes, dirs, "Made", record());
    EXPECT_EQ(overlay.install({png}).failure, OverlayFailure::Write);
    EXPECT_EQ(ThemeWorld::get(outside + "/vol-symbolic.svg"), "outside");
    EXPECT_FALSE(QFile::exists(outside + "/vol-symbolic.png"));
    QFile::remove(overlayDir() + "16x16");

    // A record naming paths out of the folder, or pointing through a link,
    // removes nothing there.
    const QString digest = OverlayRecord::digest("outside");
    ThemeWorld::put(world.root(), "lib/.work/overlay-Made.json",
                    QString("{\"theme\":\"Made\",\"files\":{\"../../outside/vol-symbolic.svg\":"
                            "[\"%1\"],\"/abs/x.png\":[],\"16x16/../../x.png\":[],"
                            "\"link/vol-symbolic.svg\":[\"%1\"]}}")
                        .arg(digest)
                        .toUtf8());
    ASSERT_TRUE(QFile::link(outside, overlayDir() + "link"));
    ASSERT_TRUE(overlay.restore().ok());
    EXPECT_EQ(ThemeWorld::get(outside + "/vol-symbolic.svg"), "outside");
    // A record that cannot be read, nor the one before it, stops both.
    for (const char* name : {"overlay-Made.json", "overlay-Made.json.previous"})
        ThemeWorld::put(world.root() + "/lib/.work", name, "{ damaged");
    EXPECT_EQ(overlay.install({png}).failure, OverlayFailure::Record);
    ThemeWorld::put(world.root(), "lib/.work/overlay-Made.json", "{\"theme\":\"Other\"}");
    EXPECT_EQ(overlay.restore().failure, OverlayFailure::Record);
}

TEST_F(OverlayTest, OwnThemeHoldsThePicturesInheritsTheThemeAndGoesWithRestore) {
    ThemeWorld::put(world.systemIcons(), "Made/32x32/status/other.png", "theme");
    const auto before = testing_support::snapshot(world.root().toStdString());
    const QString own = world.userIcons() + "/Made-Trayskin/";
    EXPECT_EQ(OwnTheme(themes, dirs, "../Made", record()).install({}).failure,
              OverlayFailure::NoTheme);
    OwnTheme theme(themes, dirs, "Made", world.root() + "/own.json");
    const QStringList set = {picture("vol-symbolic.svg", svgBytes(0xff0000)),
                             picture("vol.png", pngBytes(24, 0x00ff00))};
    const auto withSet = testing_support::snapshot(world.root().toStdString());
    ASSERT_TRUE(theme.install(set).ok());
    // Only the own theme's folder, its record and the note that it is ours changed.
    auto after = testing_support::snapshot(world.root().toStdString());
    std::erase_if(after, [](const auto& entry) {
        return entry.first.starts_with("data/icons/Made-Trayskin") ||
               entry.first.starts_with("own.json") || entry.first.starts_with("home/.local");
    });
    EXPECT_EQ(after, withSet);
    const auto index = parseThemeIndex(ThemeWorld::get(own + "index.theme"));
    ASSERT_TRUE(index);
    QStringList listed;
    for (const ThemeDir& dir : index->dirs)
        listed.append(dir.path + "@" + QString::number(dir.scale));
    EXPECT_EQ(listed, (QStringList{"16x16/status@1", "24x24/legacy@1", "24x24/status@1",
                                   "scalable/status@1", "16x16@2/status@2"}));
    // What clients show of it is OverlayClientsTest's.

    ASSERT_TRUE(theme.restore({"vol"}).ok());
    EXPECT_FALSE(QFile::exists(own + "24x24/legacy"));
    EXPECT_EQ(parseThemeIndex(ThemeWorld::get(own + "index.theme"))->dirs.size(), 4);
    ASSERT_TRUE(theme.restore().ok());
    after = testing_support::snapshot(world.root().toStdString());
    std::erase_if(after, [](const auto& entry) {
        return entry.first.starts_with("own.json") || entry.first.starts_with("set") ||
               entry.first.starts_with("home/.local");
    });
    EXPECT_EQ(after, before);
}

} // namespace
