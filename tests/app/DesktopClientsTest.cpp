// Desktop mode on the machine's Adwaita, checked by real clients after each
// step: GTK 3's own lookup, Qt's, KDE's icon loader and a running real tray.
#include "icontheme/IconThemes.h"
#include "platform/core/FileManager.h"
#include "tests/app/DesktopFixture.h"
#include "tests/icontheme/RealClients.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class AdwaitaTest : public DesktopTest {
protected:
    void startOnAdwaita() { start("Adwaita", {"/usr/share/icons"}); }
    void restoreAll() {
        quietly([&] { controller.restoreAllOriginalPictures(); });
    }
    icontheme::IconThemes themes{QStringList{"/usr/share/icons"}};
};

// The share of a tray's status icon that has the colour, each channel
// within 24; -1 without pixels.
double share(const QImage& pixels, QRgb colour) {
    EXPECT_FALSE(pixels.isNull());
    if (pixels.isNull())
        return -1.0;
    int matching = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb seen = pixels.pixel(x, y);
            matching += std::abs(qRed(seen) - qRed(colour)) <= 24 &&
                        std::abs(qGreen(seen) - qGreen(colour)) <= 24 &&
                        std::abs(qBlue(seen) - qBlue(colour)) <= 24;
        }
    }
    return double(matching) / (pixels.width() * pixels.height());
}

// For people, when TRAYSKIN_TRAY_SHOTS names a folder: what the tray shows
// for the names, side by side, four times enlarged.
void saveTray(const ThemeWorld& world, const QStringList& names, const QString& file) {
    const QString shots = qEnvironmentVariable("TRAYSKIN_TRAY_SHOTS");
    if (shots.isEmpty())
        return;
    const QMap<QString, QImage> icons = trayPixels(world, names);
    int width = 0, height = 0;
    for (const QImage& icon : icons) {
        width += icon.width() + 2;
        height = std::max(height, icon.height());
    }
    QImage tray(width, height, QImage::Format_RGB32);
    tray.fill(icons.isEmpty() ? Qt::white : QColor(icons.first().pixel(0, 0)));
    QPainter painter(&tray);
    int x = 0;
    for (const QString& name : names) {
        painter.drawImage(x, 0, icons.value(name));
        x += icons.value(name).width() + 2;
    }
    painter.end();
    EXPECT_TRUE(tray.scaled(tray.size() * 4).save(shots + "/" + file)) << file.toStdString();
}

// GTK's own lookup: after Use This Set through the program, every name of
// the set at every size of the theme's directories that hold it is the
// overlay's file; after Restore All, the theme's own again.
TEST_F(AdwaitaTest, GtkShowsTheShippedSetsAfterUseAndTheThemeAfterRestore) {
    // No icons folder in the data folder yet: the install makes it, and the
    // restore takes it away again with every folder it made.
    ASSERT_TRUE(QDir(world.userIcons()).removeRecursively());
    startOnAdwaita();
    ASSERT_NE(themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is missing";
    const std::pair<std::string, std::string> sets[] = {
        {"Battery", "Leaf"}, {"Network", "Beacon"}, {"Volume", "Ocean"}};
    QStringList questions;
    for (const auto& [item, set] : sets) {
        for (const std::string& name :
             platform::fs::listFolder(library() + "/" + item + "/" + set)) {
            const QString icon = QFileInfo(QString::fromStdString(name)).completeBaseName();
            if (!name.ends_with(".svg"))
                continue;
            for (const icontheme::IconFile& held : themes.filesOf("Adwaita", icon))
                for (const icontheme::ThemeDir& dir : themes.theme("Adwaita")->index.dirs)
                    if (dir.path == held.dir)
                        questions << QString("%1:%2:%3").arg(icon).arg(dir.size).arg(dir.scale);
        }
    }
    ASSERT_GE(questions.size(), 60);
    const QStringList theirs = gtkLookup(world, "Adwaita", questions);
    const QStringList shown{"audio-volume-high", "battery-good", "network-wireless-signal-good"};
    saveTray(world, shown, "tray-before.png");

    for (const auto& [item, set] : sets)
        use(item, set);
    ASSERT_EQ(alertTitles(), QStringList(3, "Installation Complete"));
    EXPECT_EQ(inUse(), "In use: Ocean");
    const QStringList ours = gtkLookup(world, "Adwaita", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (qsizetype i = 0; i < ours.size(); ++i)
        EXPECT_EQ(ours[i], overlay(ours[i].section(u'/', -3))) << questions[i].toStdString();
    ThemeWorld::put(world.root(), "config/kdeglobals", "[Icons]\nTheme=Adwaita\n");
    std::printf(
        "kiconfinder5 on the overlay: %s\n",
        qPrintable(kdeLookup(world, shown + QStringList{"audio-volume-high-symbolic"}).join(", ")));
    saveTray(world, shown, "tray-after.png");

    restoreAll();
    EXPECT_EQ(gtkLookup(world, "Adwaita", questions), theirs);
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

// Switched to the own theme, GTK 3 and Qt show the set's pictures and find
// every other name in the theme it inherits; KDE's icon loader is recorded.
TEST_F(AdwaitaTest, TheOwnThemeSwitchedToShowsTheSetInGtkAndQtAndRestoreAllUndoesBoth) {
    const QString settings = world.root() + "/config/gtk-3.0/settings.ini";
    ThemeWorld::put(world.root(), "config/gtk-3.0/settings.ini",
                    "[Settings]\ngtk-icon-theme-name=Adwaita\n");
    put("Volume/Red/audio-volume-high.png", pngBytes(24, 0xff0000));
    put("Volume/Red/audio-volume-high-symbolic.svg", svgBytes(0x0000ff));
    put("Volume/Red/trayskininfo.txt", "Red and blue.");
    ASSERT_TRUE(QDir(world.userIcons()).removeRecursively());
    startOnAdwaita();
    part<QAction>("ownThemeRoute").trigger();
    use("Volume", "Red");
    part<QAction>("switchDesktop").trigger();
    const QString own = QString::fromUtf8(ThemeWorld::get(settings)).section(u'=', 1).trimmed();
    ASSERT_EQ(own, "Adwaita-Trayskin");
    // The set's names at sizes Adwaita holds them at, then two it inherits.
    const QStringList questions{"audio-volume-high:24",          "audio-volume-high:48",
                                "audio-volume-high-symbolic:16", "audio-volume-high-symbolic:64",
                                "audio-volume-muted:24",         "edit-copy:48"};
    QStringList scaled;
    for (const QString& question : questions)
        scaled << question + ":1";
    const QStringList gtk = gtkLookup(world, own, scaled);
    const QStringList qt = qtLookup(world, own, questions);
    ASSERT_EQ(gtk.size(), 6);
    ASSERT_EQ(qt.size(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(questions[i].toStdString());
        EXPECT_TRUE(gtk[i].startsWith(
            (i < 4 ? world.userIcons() + u'/' + own : "/usr/share/icons/Adwaita") + u'/'))
            << gtk[i].toStdString();
        if (i < 4)
            EXPECT_EQ(qt[i].section(u' ', 1), i < 2 ? "#ffff0000" : "#ff0000ff");
        else
            EXPECT_NE(qt[i], "-");
    }
    // KDE's loader reads its theme from kdeglobals; it skips Adwaita's
    // Legacy directories, so only the -symbolic names are found.
    ThemeWorld::put(world.root(), "config/kdeglobals", "[Icons]\nTheme=" + own.toUtf8() + "\n");
    const QStringList kde = kdeLookup(
        world, {"audio-volume-high", "audio-volume-high-symbolic", "audio-volume-muted-symbolic"});
    std::printf("kiconfinder5 on %s: %s\n", qPrintable(own), qPrintable(kde.join(", ")));
    EXPECT_TRUE(kde[1].startsWith(world.userIcons() + u'/' + own + u'/'));
    EXPECT_TRUE(kde[2].startsWith("/usr/share/icons/Adwaita/"));

    restoreAll();
    EXPECT_TRUE(
        presenter.alerts.back().message.endsWith("The desktop uses the icon theme Adwaita again."));
    EXPECT_EQ(ThemeWorld::get(settings), "[Settings]\ngtk-icon-theme-name=Adwaita\n");
    EXPECT_FALSE(QFileInfo::exists(world.userIcons()));
}

} // namespace
