// The display's XSettings manager is found by its process, and told another
// icon theme and then the one it had, through its own setting: the tools'
// calls in order, or xsettingsd's file (other value while it reloads, then
// the user's bytes again).
#include "library/icontheme/XSettingsToggle.h"
#include "library/icontheme/XSettingsJournal.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace {

using library::XSettingsManager;

// What was said on standard error since CaptureStderr() holds the text.
void expectSaid(const char* text) {
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(text), std::string::npos) << said;
}

platform::ProcessInfo process(int pid, const QString& name, const QString& display,
                              const QStringList& arguments = {}) {
    return {pid,
            "/usr/bin/" + name,
            name.left(15),
            QStringList{name} + arguments,
            {"DISPLAY=" + display, "HOME=/home/u"},
            "/work"};
}

TEST(XSettingsToggle, TheManagerOfThisDisplayIsFound) {
    const std::vector<platform::ProcessInfo> processes = {
        process(1, "xsettingsd", ":2", {"-c", "conf"}), process(2, "gsd-xsettings", ":1"),
        process(3, "xfsettingsd", ":3"), process(4, "xsettingsd", ":4")};
    const struct {
        QString display;
        XSettingsManager kind;
        int pid;
        QString config;
    } cases[] = {
        {":1", XSettingsManager::Gnome, 2, ""},
        {":2.0", XSettingsManager::Xsettingsd, 1, "/work/conf"},
        {":3", XSettingsManager::Xfce, 3, ""},
        {":4", XSettingsManager::Xsettingsd, 4, "/home/u/.xsettingsd"},
        {":5", XSettingsManager::None, 0, ""},
    };
    for (const auto& c : cases) {
        const auto found = library::findXSettingsManager(processes, c.display);
        EXPECT_EQ(found.kind, c.kind) << c.display.toStdString();
        EXPECT_EQ(found.pid, c.pid);
        EXPECT_EQ(found.configFile, c.config);
    }
}

// Each manager is told another theme, then its own through the same
// setting: the tools' calls in order, or xsettingsd's file at each reload.
// The pause is taken aside (as the window does): the toggle returns with the
// other value set and the journal kept; what runs after the pause puts the
// user's value back and drops the journal.
TEST(XSettingsToggle, EachManagerNamesAnotherThemeAndThenItsOwn) {
    const QByteArray mine = "# mine\nNet/IconThemeName \"Papirus\"\nGtk/FontName \"Sans 10\"";
    const struct {
        XSettingsManager kind;
        QByteArray value; // what the tool says the theme is, or xsettingsd's file (null: none)
        QStringList calls;
    } cases[] = {
        {XSettingsManager::Xfce,
         "Papirus",
         {"xfconf-query -c xsettings -p /Net/IconThemeName -s hicolor",
          "xfconf-query -c xsettings -p /Net/IconThemeName -s Papirus"}},
        {XSettingsManager::Gnome,
         "'hicolor'",
         {"gsettings set org.gnome.desktop.interface icon-theme Adwaita",
          "gsettings set org.gnome.desktop.interface icon-theme hicolor"}},
        {XSettingsManager::Mate,
         "'Menta'",
         {"gsettings set org.mate.interface icon-theme hicolor",
          "gsettings set org.mate.interface icon-theme Menta"}},
        {XSettingsManager::Cinnamon, "'../x'", {}}, // nothing unsafe is put back
        {XSettingsManager::None, "", {}},
        {XSettingsManager::Xsettingsd,
         mine,
         {"# mine\nNet/IconThemeName \"hicolor\"\nGtk/FontName \"Sans 10\"", mine}},
        {XSettingsManager::Xsettingsd,
         "Gtk/CursorBlink 1\n",
         {"Gtk/CursorBlink 1\nNet/IconThemeName \"hicolor\"\n", "Gtk/CursorBlink 1\n"}},
        {XSettingsManager::Xsettingsd, {}, {}}, // the manager's own settings are never made
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        QTemporaryDir dir;
        const QString conf = dir.filePath("conf"), journal = dir.filePath("toggle.json");
        if (c.kind == XSettingsManager::Xsettingsd && !c.value.isNull())
            testing_support::ThemeWorld::put(dir.path(), "conf", c.value);
        QStringList calls;
        std::function<bool()> later;
        const library::ToggleContext context{
            [&](const QString&, const QStringList&) { return std::optional(QString(c.value)); },
            [&](const QString& tool, const QStringList& arguments) {
                calls << tool + " " + arguments.join(' ');
                return true;
            },
            [&](int pid) {
                EXPECT_EQ(pid, 7);
                calls << QString(testing_support::ThemeWorld::get(conf));
                return true;
            },
            500,
            journal,
            [&](int pauseMs, std::function<bool()> back) {
                EXPECT_EQ(pauseMs, 500);
                later = std::move(back);
            }};
        EXPECT_EQ(library::toggleIconTheme({c.kind, 7, conf}, context), !c.calls.isEmpty());
        EXPECT_EQ(calls, c.calls.mid(0, 1));
        EXPECT_EQ(QFile::exists(journal), !c.calls.isEmpty());
        if (c.calls.isEmpty())
            continue;
        ASSERT_TRUE(later);
        EXPECT_TRUE(later());
        EXPECT_EQ(calls, c.calls);
        EXPECT_FALSE(QFile::exists(journal));
    }
}

// A toggle killed before the user's value is back leaves its journal; the
// next start puts that value back where the setting (xsettingsd's file)
// still holds the toggle's, keeps what the user chose since, writes nothing
// for a damaged journal, and always removes the journal.
TEST(XSettingsToggle, AStartFinishesWhatAKilledToggleLeftSet) {
    const auto line = [](const QString& theme) { return "Net/IconThemeName \"" + theme + "\"\n"; };
    const char* const damaged = "removed a damaged icon theme toggle journal";
    const struct {
        XSettingsManager kind;
        const char* userPicks; // after the kill; "" for nothing
        const char* said;
        int calls;                     // reads, sets and reloads of the start
        const char* journal = nullptr; // the journal's text instead of the toggle's
    } cases[] = {
        {XSettingsManager::Xfce, "", "put back the user's icon theme", 2},
        {XSettingsManager::Gnome, "", "put back the user's icon theme", 2},
        {XSettingsManager::Mate, "", "put back the user's icon theme", 2},
        {XSettingsManager::Cinnamon, "", "put back the user's icon theme", 2},
        {XSettingsManager::Xfce, "Breeze", "no longer holds the toggle's value", 1},
        {XSettingsManager::Gnome, "Breeze", "no longer holds the toggle's value", 1},
        {XSettingsManager::Xsettingsd, "", "put back the user's file byte for byte", 1},
        {XSettingsManager::Xsettingsd, "Breeze", "no longer holds the toggle's bytes", 0},
        {XSettingsManager::Xsettingsd, "Papirus", "no longer holds the toggle's bytes", 0},
        {XSettingsManager::Xfce, "", damaged, 0, "{not json"},
        {XSettingsManager::Xfce, "", damaged, 0,
         R"({"manager": "xfce", "value": "../x", "set": "hicolor"})"},
        {XSettingsManager::Xsettingsd, "", damaged, 0,
         R"({"manager": "xsettingsd", "value": "P", "set": "hicolor", "path": "rel", "ours": "eA=="})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.kind) << c.userPicks << (c.journal ? c.journal : ""));
        QTemporaryDir dir;
        const QString journal = dir.filePath("state/trayskin/xsettings-toggle.json");
        const QString conf = dir.filePath("xsettingsd.conf");
        const bool file = c.kind == XSettingsManager::Xsettingsd;
        testing_support::ThemeWorld::put(dir.path(), "xsettingsd.conf", line("Papirus").toUtf8());
        QString setting = "Papirus";
        const auto shown = [&] {
            return file ? QString(testing_support::ThemeWorld::get(conf)) : setting;
        };
        int calls = 0, sets = 0;
        const library::ToggleContext context{
            [&](const QString&, const QStringList&) {
                ++calls;
                return std::optional(c.kind != XSettingsManager::Xfce ? "'" + setting + "'"
                                                                      : setting);
            },
            [&](const QString&, const QStringList& arguments) {
                ++calls;
                if (++sets > 1)
                    return false; // killed before it could set the value back
                setting = arguments.last();
                return true;
            },
            [&](int pid) { return pid == 9 && ++calls > 0; }, 0, journal,
            // xsettingsd's file is killed in its pause.
            [&](int, std::function<bool()> back) { return file || back(); }};
        EXPECT_TRUE(library::toggleIconTheme({c.kind, 9, conf}, context));
        EXPECT_EQ(shown(), file ? line("hicolor") : "hicolor");
        ASSERT_TRUE(QFile::exists(journal));
        if (*c.userPicks) {
            setting = c.userPicks;
            testing_support::ThemeWorld::put(dir.path(), "xsettingsd.conf",
                                             line(c.userPicks).toUtf8());
        }
        if (c.journal)
            testing_support::ThemeWorld::put(dir.path(), "state/trayskin/xsettings-toggle.json",
                                             c.journal);
        calls = sets = 0;
        testing::internal::CaptureStderr();
        library::finishInterruptedToggle(journal, context, {c.kind, 9, conf});
        expectSaid(c.said);
        const QString finally = c.journal ? "hicolor" : *c.userPicks ? c.userPicks : "Papirus";
        EXPECT_EQ(shown(), file ? line(finally) : finally);
        EXPECT_EQ(calls, c.calls);
        EXPECT_FALSE(QFile::exists(journal));
    }
}

} // namespace
