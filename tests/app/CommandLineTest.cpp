// The command line, run as the built program with no display: help, the
// version and usage errors, and each verb on a sandbox in Menu Extras mode
// and in desktop mode on a made-up theme, step after step on the same
// worlds, by exit status and what was printed.
#include "tests/icontheme/RealClients.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TiffFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace testing_support;

namespace {

enum class World {
    None,       // no library at all
    MenuExtras, // the sandbox's Menu Extras
    Held,       // the same, while another process holds the library's lock
    Refusing,   // the same, with a tool whose authorization says no
    Failing,    // the same, with a tool that cannot write
    Added,      // the same, with a bundle added since the backup was made
    Desktop,    // the made-up theme Test
    Blocked,    // the same, with a file where the theme's overlay folder goes
    Grown,      // the same, once the theme has gained a size folder
};

struct Step {
    World world;
    const char* arguments; // split at spaces
    int status;
    QStringList out;      // what standard output holds
    QStringList err = {}; // what standard error holds
    QString language = QStringLiteral("C");
    QString gtk = {};    // the file GTK 3 gives for the volume at 32 pixels afterwards
    QString absent = {}; // what standard output does not hold
};

const QString kProgram = QStringLiteral(TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/trayskin");

struct Result {
    int status;
    QString out;
    QString err;
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.copy("app/fixtures/cli");
        world.copy(TRAYSKIN_THEMES "/test-blue");
        // The desktop's setting that --switch-desktop switches.
        ThemeWorld::put(world.root(), "config/gtk-3.0/settings.ini",
                        "[Settings]\ngtk-icon-theme-name=Test\n");
        for (int status : {43, 71})
            toolBundles[status] = toolBundle(status);
    }

    // A bundle of the program whose tool exits with the status.
    QString toolBundle(int status) {
        const std::string bundle =
            tools.path().toStdString() + "/T-exit" + std::to_string(status) + ".app/Contents";
        makeFolders(bundle + "/MacOS");
        makeFolders(bundle + "/Resources");
        for (const char* program : {"trayskin", "trayskin-command"}) {
            const std::string from = TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/" + std::string(program);
            std::error_code error;
            std::filesystem::create_hard_link(from, bundle + "/MacOS/" + program, error);
            if (error)
                std::filesystem::copy_file(from, bundle + "/MacOS/" + program);
        }
        std::filesystem::copy_file(TRAYSKIN_EXIT_TOOL, bundle + "/Resources/Trayskin");
        return QString::fromStdString(bundle + "/MacOS/trayskin");
    }

    Result run(const Step& step) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE",
                                 "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS"})
            env.remove(name);
        env.insert("LANG", step.language);
        env.insert("LC_ALL", step.language);
        const bool desktop = step.world >= World::Desktop;
        env.insert("HOME", desktop ? world.root() + "/home" : QString::fromStdString(box.home()));
        env.insert("TRAYSKIN_SYSROOT",
                   desktop ? world.root() + "/nosys" : QString::fromStdString(box.sysroot()));
        env.insert("XDG_DATA_HOME", world.root() + "/data");
        env.insert("XDG_DATA_DIRS", world.root() + "/sys");
        env.insert("XDG_CONFIG_HOME", world.root() + "/config");
        const int lock = step.world == World::Held ? takeLock(box.library()) : -1;
        QProcess process;
        process.setProcessEnvironment(env);
        QStringList arguments = QString(step.arguments).split(u' ', Qt::SkipEmptyParts);
        if (step.world == World::Blocked) {
            QDir(world.userIcons() + "/Test").removeRecursively();
            ThemeWorld::put(world.userIcons(), "Test");
        }
        if (step.world == World::Added)
            box.addBundle("Clock", {{"Clock1.tif", tiffBytes("c1")}});
        if (step.world == World::Grown)
            world.copy(TRAYSKIN_THEMES "/test-grown"); // a package update: a larger size
        if (step.world >= World::Desktop)
            arguments = QStringList{"--icon-theme", "Test"} + arguments;
        const QString program = step.world == World::Refusing  ? toolBundles.at(43)
                                : step.world == World::Failing ? toolBundles.at(71)
                                                               : kProgram;
        process.setWorkingDirectory(QString::fromStdString(box.base()));
        process.start(program, arguments);
        const bool ended = process.waitForFinished(120000);
        if (lock >= 0)
            ::close(lock);
        return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    // The library's lock, as a running Trayskin holds it.
    int takeLock(const std::string& library) {
        makeFolders(library);
        const int fd = ::open((library + "/.trayskin-lock").c_str(), O_RDWR | O_CREAT, 0600);
        EXPECT_EQ(::flock(fd, LOCK_EX), 0);
        return fd;
    }

    Sandbox box;
    ThemeWorld world;
    QTemporaryDir tools;
    std::map<int, QString> toolBundles;
};

TEST_F(CommandLineTest, EachVerbSaysWhatItDidAndEndsWithTheStatusAScriptReliesOn) {
    using W = World;
    // clang-format off
    const Step steps[] = {
        {W::None, "--help", 0, {"list [ITEM]", "use ITEM SET", "restore ITEM|--all", "77",
                                "--desktop", "--menu-extras", "--icon-theme <NAME>"}},
        {W::None, "--version", 0, {"Trayskin " TRAYSKIN_VERSION "\n"}},
        {W::None, "--bogus", 64, {}, {"bogus", "trayskin --help"}},
        {W::None, "frob", 64, {}, {"Unbekanntes Verb frob", "trayskin --help"}, "de_DE.UTF-8"},
        {W::None, "use Volume", 64, {}, {"use"}},
        {W::None, "reapply Volume", 64, {}, {"reapply"}},
        {W::None, "list --all", 64, {}, {"list"}},
        {W::None, "--json", 64, {}, {"--json"}},
        {W::None, "status --own-theme", 64, {}, {"status"}},
        {W::None, "status --restart-panel", 64, {}, {"status"}},
        {W::None, "--switch-desktop use Volume Mine", 64, {}, {"--switch-desktop"}},
        {W::None, "--own-theme --switch-desktop restore Volume", 64, {}, {"restore"}},
        {W::None, "--desktop --menu-extras", 64, {}, {"--desktop and --menu-extras"}},
        {W::None, "--own-theme --menu-extras", 64, {}, {"--own-theme works in desktop mode only"}},
        // The mode the words name: the command line's over the Menu Extras folder's.
        {W::None, "--desktop --help", 0, {"the panel's status icons"}},
        {W::None, "--own-theme --help", 0, {"the panel's status icons"}},
        {W::Desktop, "--menu-extras --help", 0, {"the menu bar's status items"}},
        // Menu Extras: the library is made by the first verb that changes it.
        {W::MenuExtras, "status", 0, {"Menu Extras\n", "Volume\tpictures that no set holds\n"}},
        {W::MenuExtras, "--help", 0, {"the menu bar's status items"}, {}, "C", {}, "the panel's"},
        {W::MenuExtras, "list Nope", 69, {}, {"Nope"}},
        {W::MenuExtras, "use Volume Nope", 69, {}, {"Nope"}},
        {W::MenuExtras, "use Volume Bare", 69, {}, {"Bare"}},
        {W::Held, "use Volume Mine", 75, {}, {"holds the library"}},
        {W::Held, "status", 0, {"Volume\tdefault\n"}},
        {W::MenuExtras, "use Volume Mine", 0,
         {"copy\nto\n", "Installation Complete\nNeed restart Sound\n"}},
        {W::MenuExtras, "list Volume", 0, {"  Bare\n", "* Mine\n", "  default\n"}},
        {W::MenuExtras, "export Volume Mine Mine.tar.gz", 0, {}},
        {W::MenuExtras, "export Volume Mine Mine.tar.gz", 73, {}, {"already"}},
        {W::MenuExtras, "export Volume Nope Nope.tar.gz", 69, {}, {"Nope"}},
        {W::Held, "import Fresh", 75, {}, {"holds the library"}},
        {W::MenuExtras, "import Mine.tar.gz", 2, {}, {"Volume/Mine"}},
        {W::MenuExtras, "import Fresh", 0, {"Volume/Fresh\n"}},
        {W::MenuExtras, "reapply", 0, {"Volume: Mine\ncopy\n", "Installation Complete"}},
        {W::MenuExtras, "status --json", 0,
         {"\"description\": \"Menu Extras\"", "\"set\": \"Mine\""}},
        {W::MenuExtras, "--menu-extras list --json", 0, {"\"Battery\"", "\"Volume\""}},
        {W::Refusing, "restore Volume", 77, {"copy problem!  err is 43"}, {"Wrong Password"}},
        {W::Failing, "restore --all", 73, {"copy problem!  err is 71"}, {"Volume1.tif"}},
        {W::MenuExtras, "restore --restart-panel Volume", 1,
         {"Original Pictures Restored\nNeed restart"}, {"no panel to restart in this mode"}},
        {W::MenuExtras, "restore --all", 0, {"Nothing needed restoring"}},
        {W::MenuExtras, "reapply", 0, {"No item shows a set to reapply."}},
        {W::Added, "restore Clock", 2, {}, {"Nothing Restored"}},
        {W::Held, "reapply", 75, {}, {"holds the library"}},
        // Desktop mode, the made-up theme named on the command line.
        {W::Desktop, "--help", 0, {"the panel's status icons"}, {}, "C", {}, "menu bar"},
        {W::Desktop, "use Volume Odd", 1, {"Installation Partly Complete"}, {"battery-full.png"}},
        {W::Desktop, "--verbose use Volume Blue", 0, {"wrote ", "Installation Complete"}},
        {W::Desktop, "use Volume Blue", 0, {"Installation Complete"}, {}, "C", {}, "wrote "},
        // German end to end: the item by its title, in and out.
        {W::Desktop, "list", 0, {"Lautstärke\n"}, {}, "de_DE.UTF-8", {}, "Volume"},
        {W::Desktop, "use Lautstärke Blue", 0, {"Installation abgeschlossen"}, {}, "de_DE.UTF-8"},
        {W::Desktop, "status", 0, {"Lautstärke\tBlue\n"}, {}, "de_DE.UTF-8"},
        {W::Grown, "--verbose reapply", 0,
         {"Volume: Blue\nNew in the icon theme since the install: 32x32/status/audio-volume-high\n",
          "wrote ", "/32x32/status/audio-volume-high.png"},
         {},
         "C",
         "/data/icons/Test/32x32/status/audio-volume-high.png"},
        {W::Desktop, "status", 0, {"Volume\tBlue\n"}},
        {W::Desktop, "reapply", 0, {"Volume: Blue\nNothing is new", "Installation Complete"}},
        // No display: no panel is someone else's to restart.
        {W::Desktop, "restore --restart-panel Volume", 1, {"Original Pictures Restored"},
         {"No Panel Found"}},
        {W::Blocked, "use Volume Blue", 73, {}, {"cannot be made or opened"}},
        // From now on into the own theme, as for the window.
        {W::Desktop, "--own-theme use Volume Blue", 0, {"--own-theme --switch-desktop"}},
        {W::Desktop, "--own-theme --switch-desktop use Volume Blue", 0,
         {"in place in the own theme", "Desktop Switched"}},
        {W::Desktop, "status", 0, {"(the desktop shows Test-Trayskin)"}},
        {W::Desktop, "use Volume Blue", 0, {"in place in the own theme Test-Trayskin, which"}},
        {W::Desktop, "restore --all", 0, {"Original Pictures Restored", "switched the desktop back"}},
    };
    // clang-format on
    for (const Step& step : steps) {
        SCOPED_TRACE(step.arguments);
        const Result result = run(step);
        EXPECT_EQ(result.status, step.status)
            << result.out.toStdString() << result.err.toStdString();
        for (const QString& fragment : step.out)
            EXPECT_TRUE(result.out.contains(fragment)) << result.out.toStdString();
        EXPECT_TRUE(step.absent.isEmpty() || !result.out.contains(step.absent))
            << qPrintable(result.out);
        for (const QString& fragment : step.err)
            EXPECT_TRUE(result.err.contains(fragment)) << result.err.toStdString();
        if (!step.gtk.isEmpty()) {
            EXPECT_EQ(gtkLookup(world, "Test", {"audio-volume-high:32:1"}),
                      QStringList{world.root() + step.gtk});
        }
        // What a refusal of the command line or the library says goes to
        // standard error only.
        EXPECT_TRUE(result.out.isEmpty() || !QList<int>({64, 69, 75}).contains(step.status))
            << qPrintable(result.out);
    }
}

// A toggle of the display's XSettings manager killed in its pause left
// xsettingsd's file on the toggle's value: every verb (one step before all
// of them) puts the user's bytes back first, unless a running Trayskin holds
// the library, whose own toggle may be in its pause.
TEST_F(CommandLineTest, AVerbFirstEndsAToggleThatWasKilledInItsPause) {
    const QString conf = world.root() + "/xsettingsd.conf";
    const QString journal = world.root() + "/home/.local/state/trayskin/xsettings-toggle.json";
    const QByteArray users = "# mine\nNet/IconThemeName \"Test\"\n";
    const QByteArray ours = "# mine\nNet/IconThemeName \"hicolor\"\n";
    const struct {
        const char* arguments;
        bool held; // by a running Trayskin
    } cases[] = {{"status", false}, {"use Volume Blue", false}, {"status", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.arguments) + (c.held ? " (held)" : ""));
        ThemeWorld::put(world.root(), "xsettingsd.conf", ours);
        ThemeWorld::put(world.root(), "home/.local/state/trayskin/xsettings-toggle.json",
                        "{\"manager\": \"xsettingsd\", \"value\": \"Test\", \"set\": \"hicolor\", "
                        "\"path\": \"" +
                            conf.toUtf8() + "\", \"original\": \"" + users.toBase64() +
                            "\", \"ours\": \"" + ours.toBase64() + "\"}");
        const int lock = c.held ? takeLock(world.root().toStdString() + "/data/trayskin") : -1;
        const Result result = run({World::Desktop, c.arguments, 0, {}});
        if (lock >= 0)
            ::close(lock);
        EXPECT_EQ(result.status, 0) << qPrintable(result.err);
        EXPECT_EQ(ThemeWorld::get(conf), c.held ? ours : users);
        EXPECT_EQ(QFile::exists(journal), c.held);
        EXPECT_EQ(result.err.contains("put back the user's file byte for byte"), !c.held);
    }
}

} // namespace
