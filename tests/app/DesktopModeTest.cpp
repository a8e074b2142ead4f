// Desktop mode through the program: the start on a made-up icon theme, Use
// This Set into the theme's overlay or an own theme and the restores, and
// the running clients told of each; GTK's own lookup, Qt's and a running
// real tray on the machine's Adwaita after each; the command line and the
// choice of mode.
#include "app/CommandLine.h"
#include "library/DesktopTexts.h"
#include "library/IconThemeSystem.h"
#include "library/SystemChoice.h"
#include "platform/core/FileManager.h"
#include "tests/icontheme/RealClients.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/SpecialFiles.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const QByteArray kIndex = "[Icon Theme]\nName=Test\n"
                          "Directories=16x16/status,24x24/legacy,scalable/status\n"
                          "[16x16/status]\nSize=16\nType=Fixed\n"
                          "[24x24/legacy]\nSize=24\nType=Fixed\n"
                          "[scalable/status]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\n";

class DesktopTest : public ControllerFixture {
protected:
    // The program in desktop mode on the theme, with base directories of
    // the world and then the given system ones.
    void start(const QString& theme, const QStringList& systemBases) {
        icontheme::BaseDirs dirs{
            {world.homeIcons(), world.userIcons()}, world.homeIcons(), world.userIcons()};
        dirs.bases += systemBases;
        system = std::make_shared<library::IconThemeSystem>(dirs, theme,
                                                            world.root() + QStringLiteral("/data"));
        library::setActiveSystem(system);
        startShown();
    }
    void TearDown() override { library::setActiveSystem(nullptr); }

    std::string library() const {
        return (world.root() + QStringLiteral("/data/trayskin")).toStdString();
    }
    QString overlay(const QString& relative) const {
        return world.userIcons() + QStringLiteral("/") + system->theme() + u'/' + relative;
    }
    void use(const std::string& item, const std::string& set) {
        click(*controller.fsBrowser(), 0, item);
        click(*controller.fsBrowser(), 1, set);
        ASSERT_TRUE(controller.useButton()->isEnabled());
        ::testing::internal::CaptureStdout();
        controller.useButtonClick();
        lines = ::testing::internal::GetCapturedStdout();
    }
    void put(const std::string& path, const QByteArray& bytes) {
        writeFile(library() + "/" + path, bytes.toStdString());
    }
    QStringList alertTitles() const {
        QStringList titles;
        for (const auto& alert : presenter.alerts)
            titles << alert.title;
        return titles;
    }

    ThemeWorld world;
    std::shared_ptr<library::IconThemeSystem> system;
    std::string lines;
};

// A session bus of the test's own, named by the environment while it lives,
// with a receiver on it of KIconLoader's signal.
class PrivateBus {
public:
    PrivateBus() : saved_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address")});
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(30000)) {
        }
        const QString address = QString::fromUtf8(daemon_.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        QDBusConnection receiver = QDBusConnection::connectToBus(address, kName);
        EXPECT_TRUE(receiver.isConnected()) << address.toStdString();
        receiver.connect(QString(), QStringLiteral("/KIconLoader"),
                         QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged"),
                         QStringLiteral("i"), &loop_, SLOT(quit()));
        // The bus has the receiver's rule once a call after it came back.
        receiver.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
        deadline_.setSingleShot(true);
        QObject::connect(&deadline_, &QTimer::timeout, &loop_, [this] { loop_.exit(1); });
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(kName);
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved_);
        daemon_.terminate();
        daemon_.waitForFinished();
    }
    // Whether KIconLoader's signal came (or comes within the deadline).
    bool iconChanged() {
        deadline_.start(30000);
        const bool came = loop_.exec() == 0;
        deadline_.stop();
        return came;
    }

private:
    inline static const QString kName = QStringLiteral("test-receiver");
    QByteArray saved_;
    QProcess daemon_;
    QEventLoop loop_;
    QTimer deadline_;
};

class MadeUpThemeTest : public DesktopTest {
protected:
    void SetUp() override {
        const QString sys = world.systemIcons() + QStringLiteral("/Test/");
        ThemeWorld::put(sys, QStringLiteral("index.theme"), kIndex);
        ThemeWorld::put(sys, QStringLiteral("16x16/status/audio-volume-high.png"),
                        pngBytes(16, 0xff0000));
        ThemeWorld::put(sys, QStringLiteral("24x24/legacy/audio-volume-high.png"),
                        pngBytes(24, 0xee0000));
        ThemeWorld::put(sys, QStringLiteral("scalable/status/audio-volume-high-symbolic.svg"),
                        svgBytes(0x333333));
        ThemeWorld::put(sys, QStringLiteral("16x16/status/audio-volume-high-symbolic.symbolic.png"),
                        pngBytes(16, 0x333333));
        ThemeWorld::put(sys, QStringLiteral("24x24/legacy/battery-good.png"),
                        pngBytes(24, 0x00aa00));
        ThemeWorld::put(sys, QStringLiteral("16x16/status/folder-open.png"),
                        pngBytes(16, 0x0000ff));
        // The user's own override, there before Trayskin.
        ThemeWorld::put(world.userIcons(), QStringLiteral("Test/24x24/legacy/battery-good.png"),
                        mine);

        put("Volume/Mine/audio-volume-high.png", pngBytes(20, 0x0000ff));
        put("Volume/Mine/audio-volume-high-symbolic.svg", svgBytes(0x0000ff));
        put("Volume/Mine/bad name!.png", pngBytes(16, 0));
        put("Volume/Mine/audio-volume-low.svg", pngBytes(16, 0));
        put("Volume/Mine/notes.txt", "notes");
        put("Volume/Mine/folder-open.png", pngBytes(16, 0)); // another item's icon
        put("Volume/Mine/trayskininfo.txt", "Mine.");
        put("Battery/Mine/battery-good.png", pngBytes(24, 0xffff00));
        put("Battery/Mine/trayskininfo.txt", "Yellow.");
        start(QStringLiteral("Test"), {world.systemIcons()});
    }
    QString inUse() { return controller.inUseLabel()->text(); }

    const QByteArray mine = pngBytes(24, 0x00ff00);
};

TEST_F(MadeUpThemeTest, FirstStartMakesDefaultSetsAndBacksUpTheUsersOverrides) {
    EXPECT_EQ(controller.modeLabel()->text(), QStringLiteral("Desktop mode, icon theme: Test"));
    EXPECT_EQ(readFile(library() + "/Volume/default/audio-volume-high.png"),
              pngBytes(24, 0xee0000).toStdString()); // the largest PNG
    EXPECT_EQ(readFile(library() + "/Volume/default/audio-volume-high-symbolic.svg"),
              svgBytes(0x333333).toStdString()); // the SVG before any PNG
    EXPECT_FALSE(
        platform::fs::exists(library() + "/Volume/default/audio-volume-high-symbolic.png"));
    EXPECT_EQ(readFile(library() + "/Battery/default/battery-good.png"),
              pngBytes(24, 0x00aa00).toStdString()); // the theme's, not the override
    EXPECT_NE(readFile(library() + "/Battery/default/trayskininfo.txt").find("icon theme Test"),
              std::string::npos);
    EXPECT_EQ(readFile(library() + "/backup/Test/24x24/legacy/battery-good.png"),
              mine.toStdString());
    EXPECT_EQ(snapshot(library() + "/backup").size(), 4u); // Test, 24x24, legacy, the file
    EXPECT_EQ(system->items(), (std::vector<std::string>{"Volume", "Battery"}));
    // Items the theme does not show get no folder, other icons no picture;
    // the shipped desktop examples are merged.
    EXPECT_EQ(titles(*controller.fsBrowser(), 0),
              (std::vector<std::string>{"Battery", "Network", "Volume"}));
    EXPECT_TRUE(platform::fs::exists(library() + "/Network/Dusk/network-wired-symbolic.svg"));
    EXPECT_TRUE(presenter.alerts.empty());
    EXPECT_EQ(library::IconThemeSystem({{world.systemIcons()}, {}, {}}, QStringLiteral("Tset"),
                                       world.root())
                  .description(),
              QStringLiteral("Desktop mode, icon theme not found: Tset"));
}

TEST_F(MadeUpThemeTest, UseThisSetWritesEveryDirectoryAndRestorePutsTheThemeBack) {
    PrivateBus bus;
    use("Volume", "Mine");
    ASSERT_EQ(alertTitles(), (QStringList{QStringLiteral("Some Pictures Not Used"),
                                          QStringLiteral("Installation Complete")}));
    EXPECT_TRUE(
        presenter.alerts[0].message.contains(QStringLiteral("bad name!.png: the name is not")));
    EXPECT_TRUE(presenter.alerts[0].message.contains(
        QStringLiteral("audio-volume-low.svg: the name's extension does not match")));
    EXPECT_TRUE(presenter.alerts[0].message.contains(
        QStringLiteral("folder-open.png: not an icon name of this item")));
    EXPECT_FALSE(QFileInfo::exists(overlay(QStringLiteral("16x16/status/folder-open.png"))));
    EXPECT_TRUE(presenter.alerts[1].message.startsWith(
        QStringLiteral("The pictures are in place in the icon theme Test.")));
    // Running clients were told: KDE's on the session bus, GTK's by the
    // theme folder's time.
    EXPECT_TRUE(bus.iconChanged());
    EXPECT_TRUE(presenter.alerts[1].message.contains(
        QStringLiteral("Running KDE programs were told to reload their icons. Running GTK")));
    EXPECT_NE(lines.find("refused bad name!.png"), std::string::npos) << lines;
    for (const char* path :
         {"16x16/status/audio-volume-high.png", "24x24/legacy/audio-volume-high.png"})
        EXPECT_EQ(ThemeWorld::get(overlay(QString::fromUtf8(path))), pngBytes(20, 0x0000ff))
            << path;
    for (const char* path : {"scalable/status/audio-volume-high-symbolic.svg",
                             "16x16/status/audio-volume-high-symbolic.svg"})
        EXPECT_EQ(ThemeWorld::get(overlay(QString::fromUtf8(path))), svgBytes(0x0000ff)) << path;
    EXPECT_FALSE(
        QFileInfo::exists(overlay(QStringLiteral("scalable/status/audio-volume-low.svg"))));
    EXPECT_EQ(inUse(), QStringLiteral("In use: Mine"));
    EXPECT_FALSE(controller.setPreview()->pixmap().isNull());

    presenter.alerts.clear();
    ::testing::internal::CaptureStdout();
    controller.restoreOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Original Pictures Restored")});
    EXPECT_TRUE(bus.iconChanged());
    EXPECT_FALSE(QFileInfo::exists(overlay(QStringLiteral("16x16/status/audio-volume-high.png"))));
    EXPECT_FALSE(QFileInfo::exists(
        overlay(QStringLiteral("scalable/status/audio-volume-high-symbolic.svg"))));
    EXPECT_EQ(inUse(), QStringLiteral("In use: default"));
    // The user's override of another item was never touched.
    EXPECT_EQ(ThemeWorld::get(overlay(QStringLiteral("24x24/legacy/battery-good.png"))), mine);
}

TEST_F(MadeUpThemeTest, AThemePictureThatIsAFifoIsNeverWaitedOn) {
    // What is in use compares the sets with what the theme shows; a FIFO
    // there is refused, not opened and waited on.
    // Reached through a link, as a theme's names often are.
    const std::string fifo = world.systemIcons().toStdString() + "/Test/fifo";
    makeSpecial(Special::Fifo, fifo);
    ASSERT_EQ(::symlink(fifo.c_str(), (world.systemIcons().toStdString() +
                                       "/Test/16x16/status/audio-volume-medium.png")
                                          .c_str()),
              0);
    put("Volume/Mine/audio-volume-medium.png", pngBytes(16, 0x0000ff));
    // Nor is the record of what was written, should its name hold one.
    const std::string record = library() + "/.overlay-Test.json";
    ::unlink(record.c_str());
    makeSpecial(Special::Fifo, record);
    FifoWatchdog watchdog({world.systemIcons().toStdString(), library()});
    click(*controller.fsBrowser(), 0, "Volume");
    EXPECT_EQ(inUse(), QStringLiteral("In use: default"));
    ::testing::internal::CaptureStdout();
    controller.restoreOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(watchdog.fired());
}

TEST_F(MadeUpThemeTest, RestoreAllPutsBackTheUsersOwnOverride) {
    // One the first start's backup did not see is kept before it is replaced.
    const QByteArray later = pngBytes(16, 0x00ffff);
    ThemeWorld::put(world.userIcons(), QStringLiteral("Test/16x16/status/audio-volume-high.png"),
                    later);
    use("Battery", "Mine");
    use("Volume", "Mine");
    EXPECT_EQ(ThemeWorld::get(overlay(QStringLiteral("24x24/legacy/battery-good.png"))),
              pngBytes(24, 0xffff00));
    presenter.alerts.clear();
    ::testing::internal::CaptureStdout();
    controller.restoreAllOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Original Pictures Restored")});
    EXPECT_EQ(ThemeWorld::get(overlay(QStringLiteral("24x24/legacy/battery-good.png"))), mine);
    EXPECT_FALSE(QFileInfo::exists(overlay(QStringLiteral("24x24/legacy/audio-volume-high.png"))));
    EXPECT_EQ(ThemeWorld::get(overlay(QStringLiteral("16x16/status/audio-volume-high.png"))),
              later);
}

TEST_F(MadeUpThemeTest, OwnThemeIsShownOnlyOnceSwitchedToAndAThemePickedSinceIsSaidOnce) {
    const QString settings = world.root() + QStringLiteral("/config/gtk-3.0/settings.ini");
    ThemeWorld::put(world.root(), QStringLiteral("elsewhere.ini"),
                    "[Settings]\ngtk-icon-theme-name=Test\n");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).path()));
    ASSERT_TRUE(QFile::link(world.root() + QStringLiteral("/elsewhere.ini"), settings));
    EXPECT_FALSE(controller.switchThemeAction()->isEnabled());
    controller.ownThemeAction()->trigger();
    use("Volume", "Mine");
    EXPECT_TRUE(presenter.alerts.back().message.contains(QStringLiteral(
        "in the own theme Test-Trayskin. The desktop shows them once it is switched")));
    EXPECT_FALSE(QFileInfo::exists(overlay(QStringLiteral("16x16/status/audio-volume-high.png"))));
    EXPECT_EQ(inUse(), QStringLiteral("In use: default"));
    // A settings file that is a link is left alone, and the alert says why.
    controller.switchThemeAction()->trigger();
    EXPECT_EQ(presenter.alerts.back().detail,
              QStringLiteral("The settings file cannot be read or written, or is a link: ") +
                  settings);
    ASSERT_TRUE(QFile::remove(settings));
    ThemeWorld::put(world.root(), QStringLiteral("config/gtk-3.0/settings.ini"),
                    "[Settings]\ngtk-icon-theme-name=Test\n");
    controller.switchThemeAction()->trigger();
    EXPECT_EQ(presenter.alerts.back().title, QStringLiteral("Desktop Switched"));
    EXPECT_EQ(ThemeWorld::get(settings), "[Settings]\ngtk-icon-theme-name=Test-Trayskin\n");
    EXPECT_EQ(inUse(), QStringLiteral("In use: Mine"));
    EXPECT_EQ(controller.switchThemeAction()->text(),
              QStringLiteral("S&witch Desktop Back to Test"));
    EXPECT_EQ(controller.modeLabel()->text(),
              QStringLiteral("Desktop mode, icon theme: Test (the desktop shows Test-Trayskin)"));

    // The user picks another theme; of the next two starts, the first says so.
    ThemeWorld::put(world.root(), QStringLiteral("config/gtk-3.0/settings.ini"),
                    "[Settings]\ngtk-icon-theme-name=Other\n");
    for (const QStringList& said :
         {QStringList{QStringLiteral("Own Theme Not Shown")}, QStringList()}) {
        presenter.alerts.clear();
        AppController again;
        again.setTerminator([this](int status) { exits.push_back(status); });
        again.awakeFromNib();
        EXPECT_EQ(alertTitles(), said);
    }
    EXPECT_EQ(ThemeWorld::get(settings), "[Settings]\ngtk-icon-theme-name=Other\n");
}

TEST_F(DesktopTest, ALibraryThatCannotBeMadeEndsTheStartAndSaysWhere) {
    writeFile(library(), "a file where the library belongs");
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    system = std::make_shared<library::IconThemeSystem>(
        icontheme::BaseDirs{world.bases(), world.homeIcons(), world.userIcons()},
        QStringLiteral("Test"), world.root() + QStringLiteral("/data"));
    library::setActiveSystem(system);
    controller.awakeFromNib();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Problem setting up home folder!\n");
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(alertTitles(), QStringList{QStringLiteral("My Apologies")});
    EXPECT_TRUE(presenter.alerts[0].detail.startsWith(QStringLiteral("Could not set up ") +
                                                      QString::fromStdString(library())));
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(readFile(library()), "a file where the library belongs");
}

// GTK's own lookup: after Use This Set through the program, every name of
// the set at every size of the theme's directories that hold it is the
// overlay's file; after Restore All, the theme's own again.
class AdwaitaTest : public DesktopTest {};

// The share of a tray's status icon that has the colour, each channel
// within 24.
double share(const QImage& pixels, QRgb colour) {
    EXPECT_FALSE(pixels.isNull());
    int matching = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb seen = pixels.pixel(x, y);
            matching += std::abs(qRed(seen) - qRed(colour)) <= 24 &&
                        std::abs(qGreen(seen) - qGreen(colour)) <= 24 &&
                        std::abs(qBlue(seen) - qBlue(colour)) <= 24;
        }
    }
    return pixels.isNull() ? -1.0 : double(matching) / (pixels.width() * pixels.height());
}

// A picture for people of what the tray shows for the names, side by side,
// four times enlarged.
void saveTray(const ThemeWorld& world, const QStringList& names, const QString& path) {
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
    EXPECT_TRUE(tray.scaled(tray.size() * 4).save(path)) << path.toStdString();
}

TEST_F(AdwaitaTest, GtkShowsTheShippedSetsAfterUseAndTheThemeAfterRestore) {
    // No icons folder in the data folder yet: the install makes it, and the
    // restore takes it away again with every folder it made.
    ASSERT_TRUE(QDir(world.userIcons()).removeRecursively());
    start(QStringLiteral("Adwaita"), {QStringLiteral("/usr/share/icons")});
    icontheme::IconThemes themes({QStringLiteral("/usr/share/icons")});
    ASSERT_NE(themes.theme(QStringLiteral("Adwaita")), nullptr) << "adwaita-icon-theme is missing";
    const std::pair<std::string, std::string> sets[] = {
        {"Battery", "Leaf"}, {"Network", "Beacon"}, {"Volume", "Ocean"}};
    QStringList questions;
    for (const auto& [item, set] : sets) {
        for (const std::string& name :
             platform::fs::listFolder(library() + "/" + item + "/" + set)) {
            const QString icon = QFileInfo(QString::fromStdString(name)).completeBaseName();
            if (!name.ends_with(".svg"))
                continue;
            for (const icontheme::IconFile& held : themes.filesOf(QStringLiteral("Adwaita"), icon))
                for (const icontheme::ThemeDir& dir :
                     themes.theme(QStringLiteral("Adwaita"))->index.dirs)
                    if (dir.path == held.dir)
                        questions
                            << QStringLiteral("%1:%2:%3").arg(icon).arg(dir.size).arg(dir.scale);
        }
    }
    ASSERT_GE(questions.size(), 60);
    const QStringList theirs = gtkLookup(world, QStringLiteral("Adwaita"), questions);
    // Pictures of a tray for people, when asked for.
    const QString shots = qEnvironmentVariable("TRAYSKIN_TRAY_SHOTS");
    const QStringList shown{QStringLiteral("audio-volume-high"), QStringLiteral("battery-good"),
                            QStringLiteral("network-wireless-signal-good")};
    if (!shots.isEmpty())
        saveTray(world, shown, shots + QStringLiteral("/tray-before.png"));

    for (const auto& [item, set] : sets)
        use(item, set);
    ASSERT_EQ(alertTitles(), QStringList(3, QStringLiteral("Installation Complete")));
    EXPECT_EQ(controller.inUseLabel()->text(), QStringLiteral("In use: Ocean"));
    const QStringList ours = gtkLookup(world, QStringLiteral("Adwaita"), questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (qsizetype i = 0; i < ours.size(); ++i)
        EXPECT_EQ(ours[i], overlay(ours[i].section(u'/', -3))) << questions[i].toStdString();
    ThemeWorld::put(world.root(), "config/kdeglobals", "[Icons]\nTheme=Adwaita\n");
    std::printf(
        "kiconfinder5 on the overlay: %s\n",
        qPrintable(kdeLookup(world, shown + QStringList{"audio-volume-high-symbolic"}).join(", ")));
    if (!shots.isEmpty())
        saveTray(world, shown, shots + QStringLiteral("/tray-after.png"));

    ::testing::internal::CaptureStdout();
    controller.restoreAllOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(gtkLookup(world, QStringLiteral("Adwaita"), questions), theirs);
    EXPECT_EQ(controller.inUseLabel()->text(), QStringLiteral("In use: default"));
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
    start(QStringLiteral("Adwaita"), {QStringLiteral("/usr/share/icons")});
    const QString icon = QStringLiteral("audio-volume-high");
    // The overlay's folders are there before the tray starts, so only the
    // theme folder's time can tell GTK that files changed in them.
    icontheme::IconThemes themes({QStringLiteral("/usr/share/icons")});
    for (const icontheme::IconFile& held : themes.filesOf(QStringLiteral("Adwaita"), icon))
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
    ::testing::internal::CaptureStdout();
    controller.restoreOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(shows(0.0, 0.05));
}

// Switched to the own theme, GTK 3 and Qt show the set's pictures and find
// every other name in the theme it inherits; KDE's icon loader is recorded.
TEST_F(AdwaitaTest, TheOwnThemeSwitchedToShowsTheSetInGtkAndQtAndRestoreAllUndoesBoth) {
    const QString settings = world.root() + QStringLiteral("/config/gtk-3.0/settings.ini");
    ThemeWorld::put(world.root(), QStringLiteral("config/gtk-3.0/settings.ini"),
                    "[Settings]\ngtk-icon-theme-name=Adwaita\n");
    put("Volume/Red/audio-volume-high.png", pngBytes(24, 0xff0000));
    put("Volume/Red/audio-volume-high-symbolic.svg", svgBytes(0x0000ff));
    put("Volume/Red/trayskininfo.txt", "Red and blue.");
    ASSERT_TRUE(QDir(world.userIcons()).removeRecursively());
    start(QStringLiteral("Adwaita"), {QStringLiteral("/usr/share/icons")});
    controller.ownThemeAction()->trigger();
    use("Volume", "Red");
    controller.switchThemeAction()->trigger();
    const QString own = QString::fromUtf8(ThemeWorld::get(settings)).section(u'=', 1).trimmed();
    ASSERT_EQ(own, QStringLiteral("Adwaita-Trayskin"));
    // The set's names at sizes Adwaita holds them at, then two it inherits.
    const QStringList questions{"audio-volume-high:24",          "audio-volume-high:48",
                                "audio-volume-high-symbolic:16", "audio-volume-high-symbolic:64",
                                "audio-volume-muted:24",         "edit-copy:48"};
    QStringList scaled;
    for (const QString& question : questions)
        scaled << question + QStringLiteral(":1");
    const QStringList gtk = gtkLookup(world, own, scaled);
    const QStringList qt = qtLookup(world, own, questions);
    ASSERT_EQ(gtk.size(), 6);
    ASSERT_EQ(qt.size(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(questions[i].toStdString());
        EXPECT_TRUE(gtk[i].startsWith(
            (i < 4 ? world.userIcons() + u'/' + own : QStringLiteral("/usr/share/icons/Adwaita")) +
            u'/'))
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

    ::testing::internal::CaptureStdout();
    controller.restoreAllOriginalPictures();
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(presenter.alerts.back().message.endsWith(
        QStringLiteral("The desktop uses the icon theme Adwaita again.")));
    EXPECT_EQ(ThemeWorld::get(settings), "[Settings]\ngtk-icon-theme-name=Adwaita\n");
    EXPECT_FALSE(QFileInfo::exists(world.userIcons()));
}

TEST(StartOptions, CommandLineChoosesTheMode) {
    using library::ModeRequest;
    struct Case {
        QStringList arguments;
        ModeRequest request;
        QString theme;
        bool error;
        bool ownTheme{};
    };
    const Case cases[] = {
        {{}, ModeRequest::Any, {}, false},
        {{QStringLiteral("--desktop")}, ModeRequest::Desktop, {}, false},
        {{QStringLiteral("--menu-extras")}, ModeRequest::MenuExtras, {}, false},
        {{QStringLiteral("--icon-theme"), QStringLiteral("Papirus")},
         ModeRequest::Desktop,
         QStringLiteral("Papirus"),
         false},
        {{QStringLiteral("--desktop"), QStringLiteral("--menu-extras")},
         ModeRequest::Any,
         {},
         true},
        {{QStringLiteral("--bogus")}, ModeRequest::Any, {}, true},
        {{"--own-theme"}, ModeRequest::Desktop, {}, false, true},
        {{"--own-theme", "--menu-extras"}, ModeRequest::Any, {}, true},
    };
    for (const Case& c : cases) {
        const StartOptions options =
            parseStartOptions(QStringList{QStringLiteral("trayskin")} + c.arguments);
        const std::string line = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(!options.error.isEmpty(), c.error) << line;
        if (!c.error) {
            EXPECT_EQ(options.request, c.request) << line;
            EXPECT_EQ(options.iconTheme, c.theme) << line;
            EXPECT_EQ(options.ownTheme, c.ownTheme) << line;
        }
    }
    // Without a word on the command line the Menu Extras folder decides.
    Sandbox box;
    ASSERT_EQ(::rmdir(box.menuExtras().c_str()), 0);
    EXPECT_EQ(library::chooseSystem(ModeRequest::Any, {})->mode(),
              library::PictureSystem::Mode::IconTheme);
    EXPECT_EQ(library::chooseSystem(ModeRequest::Any, QStringLiteral("Adwaita"))->mode(),
              library::PictureSystem::Mode::IconTheme);
    makeFolders(box.menuExtras());
    EXPECT_EQ(library::chooseSystem(ModeRequest::Any, {})->mode(),
              library::PictureSystem::Mode::MenuExtras);
    EXPECT_EQ(library::chooseSystem(ModeRequest::Desktop, {})->mode(),
              library::PictureSystem::Mode::IconTheme);
}

} // namespace

// Each desktop is told what its own panel needs; a desktop whose panel is not
// GNOME Shell is never told to wait for it, whatever else the list names.
TEST(PanelHint, NamesTheDesktopsOwnPanel) {
    const struct {
        const char* desktop;
        const char* starts;
    } cases[] = {
        {"GNOME", "GNOME Shell"},     {"Budgie:GNOME", "The panel shows"},
        {"Unity", "The panel shows"}, {"XFCE", "The Xfce panel"},
        {"X-Cinnamon", "Cinnamon"},   {"KDE", "Plasma"},
        {"", "A panel shows"},        {"Sway", "A panel shows"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(QString::fromUtf8(library::panelHintKey(QString::fromUtf8(c.desktop)))
                        .startsWith(QString::fromUtf8(c.starts)))
            << c.desktop;
}
