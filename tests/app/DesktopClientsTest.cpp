// Desktop mode on the machine's Adwaita: the shipped sets, and a running real
// tray. What GTK 3 and KDE find in the overlay and the own theme is checked
// where those are written (GtkLookupTest, OverlayClientsTest); what Qt finds,
// by a real Qt panel (real_panels.py).
#include "icontheme/IconThemes.h"
#include "tests/app/DesktopFixture.h"
#include "tests/icontheme/RealClients.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class AdwaitaTest : public DesktopTest {
protected:
    // Tall enough for every item's row beside the preview: rows off screen
    // are not filled, so they cannot be found by title.
    void startOnAdwaita() {
        start("Adwaita", {"/usr/share/icons"});
        controller.mainWindow()->resize(900, 900);
        settle(browser());
    }
    icontheme::IconThemes themes{QStringList{"/usr/share/icons"}};
};

// The share of a tray's status icon that has the colour, each channel
// within 24; -1 without pixels.
double share(const QImage& pixels, QRgb colour) {
    EXPECT_FALSE(pixels.isNull());
    int matching = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb seen = pixels.pixel(x, y);
            matching += std::max({std::abs(qRed(seen) - qRed(colour)),
                                  std::abs(qGreen(seen) - qGreen(colour)),
                                  std::abs(qBlue(seen) - qBlue(colour))}) <= 24;
        }
    }
    return pixels.isNull() ? -1.0 : double(matching) / (pixels.width() * pixels.height());
}

// Every picture of the shipped sets goes where Adwaita holds its name; Restore
// All takes away all the installs wrote, and every folder they made, the data
// folder's icons folder too.
TEST_F(AdwaitaTest, TheShippedSetsGoInAndRestoreAllLeavesNoFolderTheyMade) {
    ASSERT_TRUE(QDir(world.userIcons()).removeRecursively());
    startOnAdwaita();
    QSet<QString> shipped, written;
    for (const auto& [item, set] :
         {std::pair{"Battery", "Leaf"}, {"Network", "Beacon"}, {"Volume", "Ocean"}}) {
        for (const QFileInfo& file :
             QDir(QString::fromStdString(library()) + "/" + item + "/" + set)
                 .entryInfoList({"*.svg", "*.png"}))
            shipped << file.fileName();
        use(item, set);
    }
    ASSERT_EQ(alertTitles(), QStringList(3, "Installation Complete"));
    int files = 0; // most names are Adwaita's, in several sizes each
    for (QDirIterator it(overlay(""), QDir::Files, QDirIterator::Subdirectories); it.hasNext();
         ++files)
        written << it.nextFileInfo().fileName();
    EXPECT_EQ(written, shipped);
    EXPECT_GE(files, 60);
    EXPECT_EQ(inUse(), "In use: Ocean");
    quietly([&] { controller.restoreAllOriginalPictures(); });
    EXPECT_EQ(inUse(), "In use: default");
    EXPECT_FALSE(QFileInfo::exists(world.userIcons()));
}

// A tray that keeps running shows the set after Use This Set and the theme
// after Restore without being started again: GTK 3 compares the theme
// folders' times when it looks an icon up, at most every five seconds. Its
// status icon looks its name up again every second, as a volume indicator
// does on each change of the volume; one that never looks again keeps the
// picture it has.
TEST_F(AdwaitaTest, ARunningTrayShowsTheSetsPixelsAfterUseAndTheThemesAfterRestore) {
    put("Volume/Red/audio-volume-high.svg", svgBytes(0xff0000));
    put("Volume/Red/trayskininfo.txt", "All red.");
    startOnAdwaita();
    const QString icon = "audio-volume-high";
    // The overlay's folders are there before the tray starts, so only the
    // theme folder's time can tell GTK that files changed in them.
    for (const icontheme::IconFile& held : themes.filesOf("Adwaita", icon))
        ASSERT_TRUE(QDir().mkpath(overlay(held.dir)));
    const QRgb red = qRgb(0xff, 0, 0);
    LiveTray tray(world, {icon});
    ASSERT_LT(share(tray.pixels().value(icon), red), 0.05);
    // Red covering a share of the icon between low and high, before the deadline.
    auto shows = [&](double low, double high) {
        const QDeadlineTimer deadline(std::chrono::seconds(90));
        for (;;) {
            const double part = share(tray.pixels().value(icon), red);
            if (part >= low && part <= high)
                return true;
            if (part < 0 || deadline.hasExpired())
                return false;
        }
    };
    use("Volume", "Red");
    EXPECT_TRUE(shows(0.9, 1.0));
    quietly([&] { controller.restoreOriginalPictures(); });
    EXPECT_TRUE(shows(0.0, 0.05));
}

} // namespace
