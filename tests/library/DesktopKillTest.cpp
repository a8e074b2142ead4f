// Desktop mode killed for real (SIGKILL, buffers and descriptors as they
// are) at each step of an install and of a restore that changes the disk,
// on the overlay and in the own theme, then started again: the record and
// the files agree, the user's own picture is in its place or kept aside,
// nothing is left under a temporary name nor a folder left empty, the own theme's
// index names exactly the directories that hold its pictures, and the
// interrupted work then runs to its end.
#include "icontheme/OverlayRecord.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"
#include "tests/library/SystemWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ThemeWorld;

namespace {

// "Made" holds two names of the Volume item; the user's own picture of one
// is in the overlay. Set A replaces it; set B has it as an SVG instead (so
// A's PNG goes) and adds the other name (tests/icontheme/themes/kill).
struct KillWorld : testing_support::SystemWorld {
    QString overlay = world.userIcons() + "/Made/";
    QString own = world.userIcons() + "/Made-Trayskin/";
    QByteArray usersOwn;

    KillWorld() : SystemWorld("kill") {
        usersOwn = ThemeWorld::get(overlay + "24x24/legacy/audio-volume-high.png");
    }
    // Use This Set (set given) or Restore All, on the overlay or in the own theme.
    bool run(bool ownTheme, const char* set) {
        if (!ownTheme)
            return set ? system().install("Volume", set).done : system().restoreAll().done;
        icontheme::IconThemes themes(dirs.bases);
        icontheme::OwnTheme theme(themes, dirs, "Made", system().ownThemeRecordPath());
        QStringList pictures;
        for (const QString& name : QDir(data + "/trayskin/Volume/" + set).entryList(QDir::Files))
            pictures.append(data + "/trayskin/Volume/" + set + "/" + name);
        return (set ? theme.install(pictures) : theme.restore()).ok();
    }
    // Every file under the data folder, with its bytes.
    std::map<std::string, std::string> files() const {
        auto all = testing_support::snapshot(data.toStdString());
        // The record before the last one depends on the steps taken to the end.
        std::erase_if(all, [](const auto& entry) {
            return entry.second == "d" || entry.first.ends_with(".previous");
        });
        return all;
    }
};

// The record's files hold its digests; every other file in the folder is
// the user's own or the own theme's index, which names exactly the
// directories of the record's files.
void expectAgreement(const QString& folder, const QString& recordPath,
                     const std::map<QString, QByteArray>& usersOwn) {
    SCOPED_TRACE(folder.toStdString());
    const auto record = icontheme::OverlayRecord::fromJson(ThemeWorld::get(recordPath));
    std::set<QString> recorded, dirs;
    if (record) {
        for (auto it = record->files.cbegin(); it != record->files.cend(); ++it) {
            EXPECT_EQ(it.value(), QStringList{icontheme::OverlayRecord::digest(
                                      ThemeWorld::get(folder + it.key()))})
                << it.key().toStdString();
            recorded.insert(it.key());
            dirs.insert(it.key().left(it.key().lastIndexOf(u'/')));
        }
    }
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(folder).relativeFilePath(it.next());
        if (recorded.count(path) || path == "index.theme")
            continue;
        const auto own = usersOwn.find(path);
        EXPECT_TRUE(own != usersOwn.end() && ThemeWorld::get(it.filePath()) == own->second)
            << "neither recorded nor the user's: " << path.toStdString();
    }
    if (!folder.endsWith("-Trayskin/"))
        return;
    const auto index = icontheme::parseThemeIndex(ThemeWorld::get(folder + "index.theme"));
    std::set<QString> listed;
    for (const icontheme::ThemeDir& dir : index ? index->dirs : QList<icontheme::ThemeDir>())
        listed.insert(dir.path);
    EXPECT_EQ(index.has_value(), !recorded.empty());
    EXPECT_EQ(listed, dirs);
}

TEST(DesktopKill, AKillAtAnyStepIsPutRightByTheNextStart) {
    const struct {
        const char* what;
        bool ownTheme;
        const char* before; // the set in place before
        const char* set;    // the set put in place, or none for Restore All
    } cases[] = {
        {"first install, over the user's own", false, nullptr, "A"},
        {"install over another set", false, "A", "B"},
        {"restore", false, "A", nullptr},
        {"first install into the own theme", true, nullptr, "B"},
        {"install over another set in the own theme", true, "A", "B"},
        {"restore of the own theme", true, "A", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KillWorld w;
        ASSERT_TRUE(w.start());
        auto prepare = [&] {
            ASSERT_TRUE(w.run(c.ownTheme, nullptr));
            ASSERT_TRUE(!c.before || w.run(c.ownTheme, c.before));
        };
        prepare();
        ASSERT_TRUE(w.run(c.ownTheme, c.set));
        const auto finished = w.files();
        int killed = 0;
        for (int step = 0;; ++step) {
            SCOPED_TRACE(step);
            prepare();
            std::fflush(stdout);
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // Only the work, killed at the step; never back into the test.
                ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
                int steps = 0;
                icontheme::SafeFolder::stepHook() = [&](const char*) {
                    if (steps++ == step)
                        ::kill(::getpid(), SIGKILL);
                };
                ::_exit(w.run(c.ownTheme, c.set) ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                break; // no step left to kill at
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
            ++killed;

            ASSERT_TRUE(w.start());
            expectAgreement(w.overlay, w.system().recordPath(),
                            {{"24x24/legacy/audio-volume-high.png", w.usersOwn}});
            expectAgreement(w.own, w.system().ownThemeRecordPath(), {});
            const QString mine = "24x24/legacy/audio-volume-high.png";
            EXPECT_TRUE(ThemeWorld::get(w.overlay + mine) == w.usersOwn ||
                        ThemeWorld::get(w.data + "/trayskin/.kept/Made/1/" + mine) == w.usersOwn);
            for (const auto& [path, contents] :
                 testing_support::snapshot(w.world.root().toStdString()))
                EXPECT_FALSE(path.ends_with(".trayskin-new")) << path;
            // No folder is left empty in either theme.
            QDirIterator dirs(w.world.userIcons(), QDir::Dirs | QDir::NoDotAndDotDot,
                              QDirIterator::Subdirectories);
            while (dirs.hasNext())
                EXPECT_FALSE(QDir(dirs.next()).isEmpty()) << dirs.filePath().toStdString();
            ASSERT_TRUE(w.run(c.ownTheme, c.set));
            EXPECT_EQ(w.files(), finished);
        }
        EXPECT_GT(killed, 8);
    }
}

} // namespace
