// Sets from the installed themes: each other theme's own pictures of an
// item, named after the theme, made whole; a discarded set stays discarded
// at a start and comes back from the menu command.
#include "library/icontheme/ThemeSets.h"
#include "icontheme/Picture.h"
#include "tests/library/SystemWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using testing_support::ThemeWorld;

namespace {

// Made in use; Alpha ("Alpha Dark"): PNGs of two sizes and an SVG of one
// name, a symbolic SVG, a licence; Beta in the user's data folder: a GTK
// symbolic PNG, no licence; offering none: a hidden theme, an own theme, a
// theme of no item's names (tests/icontheme/themes/sets).
struct SetsWorld : testing_support::SystemWorld {
    std::string library = data.toStdString() + "/trayskin";

    SetsWorld() : SystemWorld("sets") {}
    // With the work a window leaves until it is up.
    bool start() { return SystemWorld::start() && system().laterStartWork()().notices.empty(); }
    std::map<std::string, std::string> set(const std::string& item, const std::string& name) {
        return testing_support::snapshot(library + "/" + item + "/" + name);
    }
};

TEST(ThemeSets, EachOtherThemeOffersItsOwnBestPictureOfEachNameWithAnInfoText) {
    SetsWorld w;
    ASSERT_TRUE(w.start());
    // Each set's pictures, by the theme's file each one is (below the world).
    const std::map<std::string, std::map<std::string, const char*>> expected = {
        {"Volume/Alpha Dark",
         {{"audio-volume-high.svg", "sys/icons/Alpha/scalable/status/audio-volume-high.svg"},
          {"audio-volume-low.png", "sys/icons/Alpha/48x48/status/audio-volume-low.png"}}},
        {"Battery/Alpha Dark",
         {{"battery-low-symbolic.svg", "sys/icons/Alpha/scalable/status/battery-low-symbolic.svg"}}},
        {"Volume/Beta",
         {{"audio-volume-muted.symbolic.png",
           "data/icons/Beta/16x16/status/audio-volume-muted.symbolic.png"}}},
    };
    for (const auto& [set, pictures] : expected) {
        auto files = testing_support::snapshot(w.library + "/" + set);
        EXPECT_EQ(files.erase("trayskininfo.txt"), 1u) << set;
        std::map<std::string, std::string> theirs;
        for (const auto& [name, from] : pictures)
            theirs[name] = "f:" + ThemeWorld::get(w.world.root() + "/" + from).toStdString();
        EXPECT_EQ(files, theirs) << set;
    }
    const std::string alpha = w.set("Volume", "Alpha Dark")["trayskininfo.txt"];
    EXPECT_NE(alpha.find("Alpha Dark"), std::string::npos) << alpha;
    EXPECT_NE(alpha.find((w.world.systemIcons() + "/Alpha/LICENSE").toStdString()),
              std::string::npos)
        << alpha;
    const std::string beta = w.set("Volume", "Beta")["trayskininfo.txt"];
    EXPECT_NE(beta.find((w.world.userIcons() + "/Beta").toStdString()), std::string::npos);
    EXPECT_NE(beta.find("no licence"), std::string::npos) << beta;
    // The theme in use, a hidden theme and an own theme offer none.
    const QStringList volumeSets = QDir(QString::fromStdString(w.library + "/Volume"))
                                       .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(volumeSets, QStringList({"Alpha Dark", "Beta", "default"}));
    // Nothing is left in the work folder.
    EXPECT_TRUE(w.set(".trayskin-work", "").empty());
}

TEST(ThemeSets, ADiscardedSetStaysDiscardedAtAStartAndComesBackFromTheMenu) {
    SetsWorld w;
    ASSERT_TRUE(w.start());
    ASSERT_TRUE(QDir(QString::fromStdString(w.library + "/Volume/Beta")).removeRecursively());
    ThemeWorld::put(QString::fromStdString(w.library), "Volume/Alpha Dark/mine.png", "mine");
    ASSERT_TRUE(w.start());
    EXPECT_TRUE(w.set("Volume", "Beta").empty());
    // A theme installed since is looked at by a start.
    w.world.copy(TRAYSKIN_THEMES "/sets-later");
    ASSERT_TRUE(w.start());
    EXPECT_EQ(w.set("Battery", "Gamma").size(), 2u);

    auto system = w.system();
    const library::PlaceReport report = system.addThemeSets(true);
    EXPECT_TRUE(report.done);
    EXPECT_TRUE(report.statusLine.endsWith("(1): Beta")) << report.statusLine.toStdString();
    EXPECT_FALSE(report.statusLine.contains("Alpha")) << report.statusLine.toStdString();
    EXPECT_EQ(w.set("Volume", "Beta").size(), 2u);
    // A set that is there is left as it is.
    EXPECT_EQ(w.set("Volume", "Alpha Dark")["mine.png"], "f:mine");
    EXPECT_TRUE(system.addThemeSets(true).notices.empty());
}

// The machine's own themes, read in place.
class MachineThemeSets : public ::testing::TestWithParam<const char*> {};

TEST_P(MachineThemeSets, OfferEveryPictureTheyHoldOfAnItem) {
    const QString theme = QString::fromLatin1(GetParam());
    if (!QFileInfo::exists("/usr/share/icons/" + theme + "/index.theme"))
        GTEST_SKIP() << theme.toStdString() << " is not installed (papirus-icon-theme, "
                     << "breeze-icon-theme)";
    QTemporaryDir data;
    const icontheme::BaseDirs dirs{
        {"/usr/share/icons"}, data.path() + "/none", data.path() + "/none"};
    icontheme::IconThemes themes(dirs.bases);
    const std::string root = data.path().toStdString() + "/trayskin";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(root + "/.trayskin-work")));
    const library::ThemeSetsResult result =
        library::makeThemeSets(themes, dirs, {root, "Adwaita", "-Trayskin", true});
    EXPECT_TRUE(result.failed.isEmpty()) << result.failed.join(", ").toStdString();
    const icontheme::Theme* index = themes.theme(theme);
    ASSERT_NE(index, nullptr);
    const std::string set = root + "/Volume/" + index->index.displayName.toStdString();
    const auto files = testing_support::snapshot(set);
    EXPECT_GT(files.size(), 3u) << set;
    for (const auto& [name, bytes] : files) {
        if (name == "trayskininfo.txt")
            continue;
        EXPECT_EQ(icontheme::readPicture(QString::fromStdString(set + "/" + name)).problem,
                  icontheme::PictureProblem::None)
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, MachineThemeSets, ::testing::Values("Papirus", "breeze"));

} // namespace
