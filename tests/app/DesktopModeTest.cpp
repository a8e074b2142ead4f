// Desktop mode through the program on a made-up icon theme: the start, Use
// This Set into the theme's overlay and the restores, the running KDE clients
// told of each; the library that cannot be made; each desktop's panel hint.
#include "library/icontheme/DesktopTexts.h"
#include "platform/core/FileManager.h"
#include "tests/app/DesktopFixture.h"
#include "tests/support/SpecialFiles.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace testing_support;

namespace {

// A session bus of the test's own, named by the environment while it lives,
// with a receiver on it of KIconLoader's signal.
class PrivateBus {
public:
    PrivateBus() : saved_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(30000)) {
        }
        const QString address = QString::fromUtf8(daemon_.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        QDBusConnection receiver = QDBusConnection::connectToBus(address, kName);
        EXPECT_TRUE(receiver.isConnected()) << address.toStdString();
        receiver.connect({}, "/KIconLoader", "org.kde.KIconLoader", "iconChanged", "i", &loop_,
                         SLOT(quit()));
        // The bus has the receiver's rule once a call after it came back.
        receiver.call(QDBusMessage::createMethodCall(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId"));
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
    inline static const QString kName = "test-receiver";
    QByteArray saved_;
    QProcess daemon_;
    QEventLoop loop_;
    QTimer deadline_;
};

TEST_F(MadeUpThemeTest, FirstStartMakesDefaultSetsAndCopiesNoOverride) {
    EXPECT_EQ(part<QLabel>("mode").text(), "Desktop mode, icon theme: Test");
    // The theme's picture, not the user's override (which picture of a name
    // is the best is ThemeSetsTest's).
    EXPECT_EQ(readFile(library() + "/Battery/default/battery-good.png"),
              theme("24x24/legacy/battery-good.png").toStdString());
    // The user's overrides are not copied: an install moves aside what it displaces.
    EXPECT_FALSE(platform::fs::exists(library() + "/backup"));
    // Items the theme does not show get no folder, other icons no picture;
    // the shipped desktop examples are merged.
    EXPECT_EQ(titles(browser(), 0), (std::vector<std::string>{"Battery", "Network", "Volume"}));
    EXPECT_TRUE(platform::fs::exists(library() + "/Network/Dusk/network-wired-symbolic.svg"));
    EXPECT_TRUE(presenter.alerts.empty());
    EXPECT_EQ(library::IconThemeSystem({{world.systemIcons()}, {}, {}}, "Tset", world.root())
                  .description(),
              "Desktop mode, icon theme not found: Tset");
}

TEST_F(MadeUpThemeTest, UseThisSetWritesEveryDirectoryAndRestorePutsTheThemeBack) {
    PrivateBus bus;
    use("Volume", "Mine");
    ASSERT_EQ(alertTitles(),
              (QStringList{"Some Pictures Not Used", "Installation Partly Complete"}));
    // (The other refusals' words are NewSetTest's and the command line's.)
    EXPECT_TRUE(presenter.alerts[0].message.contains("bad name!.png: the name is not"));
    // How many went in, and the pictures left out (notes.txt is none).
    const QString said = presenter.alerts[1].message;
    EXPECT_TRUE(said.startsWith("2 of the set's 5 pictures are in place; left out: "))
        << qPrintable(said);
    EXPECT_FALSE(said.contains("notes.txt"));
    for (const char* name : {"bad name!.png", "audio-volume-low.svg", "folder-open.png"})
        EXPECT_TRUE(said.section("\n", 0, 0).contains(name)) << name;
    EXPECT_TRUE(said.contains("\n\nThe pictures are in place in the icon theme Test."));
    // Running clients were told: KDE's on the session bus, GTK's by the
    // theme folder's time.
    EXPECT_TRUE(bus.iconChanged());
    EXPECT_TRUE(presenter.alerts[1].message.contains(
        "Running KDE programs were told to reload their icons. Running GTK"));
    // Where each picture goes in the overlay is OverlayTest's.
    EXPECT_EQ(readFile(library() + "/Volume/Mine/audio-volume-high.png"),
              readFile(overlay("24x24/legacy/audio-volume-high.png").toStdString()));
    EXPECT_EQ(inUse(), "In use: Mine");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !part<QFrame>("lightBar").isHidden(); }, 60000));

    presenter.alerts.clear();
    quietly([&] { controller.restoreOriginalPictures(); });
    EXPECT_EQ(alertTitles(), QStringList{"Original Pictures Restored"});
    EXPECT_TRUE(bus.iconChanged());
    EXPECT_FALSE(inOverlay("24x24/legacy/audio-volume-high.png"));
    EXPECT_EQ(inUse(), "In use: default");
    // The user's override of another item was never touched.
    EXPECT_EQ(ThemeWorld::get(overlay("24x24/legacy/battery-good.png")), mine);
}

TEST_F(MadeUpThemeTest, AThemePictureThatIsAFifoIsNeverWaitedOn) {
    // What is in use compares the sets with what the theme shows; a FIFO
    // there, reached through a link as a theme's names often are, is
    // refused, not opened and waited on. So is one where the record of what
    // was written belongs.
    const std::string fifo = world.systemIcons().toStdString() + "/Test/fifo";
    makeSpecial(Special::Fifo, fifo);
    ASSERT_EQ(::symlink(fifo.c_str(), (world.systemIcons().toStdString() +
                                       "/Test/16x16/status/audio-volume-medium.png")
                                          .c_str()),
              0);
    put("Volume/Mine/audio-volume-medium.png", pngBytes(16, 0x0000ff));
    const std::string record = library() + "/.overlay-Test.json";
    ::unlink(record.c_str());
    makeSpecial(Special::Fifo, record);
    FifoWatchdog watchdog({world.systemIcons().toStdString(), library()});
    click(browser(), 0, "Volume");
    EXPECT_EQ(inUse(), "In use: default");
    quietly([&] { controller.restoreOriginalPictures(); });
    EXPECT_FALSE(watchdog.fired());
}

TEST_F(DesktopTest, ALibraryThatCannotBeMadeEndsTheStartAndSaysWhere) {
    writeFile(library(), "a file where the library belongs");
    ::testing::internal::CaptureStderr();
    useTheme("Test", {world.systemIcons()});
    quietly([&] { controller.awakeFromNib(pictureSystem); });
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(alertTitles(), QStringList{"My Apologies"});
    EXPECT_TRUE(presenter.alerts[0].detail.startsWith("Could not set up " +
                                                      QString::fromStdString(library())));
    EXPECT_EQ(readFile(library()), "a file where the library belongs");
}

// Each desktop is told what its own panel needs; a desktop whose panel is not
// GNOME Shell is never told to wait for it, whatever else the list names.
TEST(PanelHint, NamesTheDesktopsOwnPanel) {
    const std::pair<const char*, const char*> cases[] = {
        {"GNOME", "GNOME Shell"},     {"Budgie:GNOME", "The panel shows"},
        {"Unity", "The panel shows"}, {"XFCE", "The Xfce panel"},
        {"X-Cinnamon", "Cinnamon"},   {"KDE", "Plasma"},
        {"", "A panel shows"},        {"Sway", "A panel shows"},
    };
    for (const auto& [desktop, starts] : cases)
        EXPECT_TRUE(QString::fromUtf8(library::panelHintKey(desktop)).startsWith(starts))
            << desktop;
}

} // namespace
