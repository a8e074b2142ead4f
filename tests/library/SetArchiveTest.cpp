// Import and export of sets: hostile archives refused with a reason and
// nothing written, a theme archive giving a set per item, no archive of a
// set that is not there.
#include "library/SetArchive.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <archive.h>
#include <archive_entry.h>
#include <vector>

using testing_support::pngBytes;
using testing_support::readFile;
using testing_support::snapshot;
using testing_support::svgBytes;
using testing_support::writeFile;

namespace {

struct Entry {
    std::string name;
    std::string bytes;
    unsigned type = AE_IFREG;
    std::string link{}; // a symbolic link's target, or a hard link's
};

// Writes the entries as a .tar.gz (or raw bytes gzipped when raw).
void writeArchive(const std::string& path, const std::vector<Entry>& entries, bool raw = false) {
    archive* writer = archive_write_new();
    archive_write_add_filter_gzip(writer);
    raw ? archive_write_set_format_raw(writer) : archive_write_set_format_pax_restricted(writer);
    ASSERT_EQ(archive_write_open_filename(writer, path.c_str()), ARCHIVE_OK);
    for (const Entry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, la_int64_t(e.bytes.size()));
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, e.link.c_str());
        else if (!e.link.empty())
            archive_entry_set_hardlink(entry, e.link.c_str());
        archive_write_header(writer, entry);
        archive_write_data(writer, e.bytes.data(), e.bytes.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
}

// A ustar header that says the file holds size bytes, and a little of them.
std::string bombHeader(long long size) {
    std::string header(512, '\0');
    header.replace(0, 8, "bomb.png");
    header.replace(100, 7, "0000644");
    char octal[13];
    std::snprintf(octal, sizeof octal, "%011llo", size);
    header.replace(124, 11, octal);
    header.replace(136, 11, "00000000000");
    header[156] = '0';
    header.replace(257, 6, std::string("ustar\0", 6));
    header.replace(263, 2, "00");
    header.replace(148, 8, "        ");
    unsigned sum = 0;
    for (unsigned char c : header)
        sum += c;
    std::snprintf(octal, sizeof octal, "%06o", sum);
    header.replace(148, 7, std::string(octal, 6) + '\0');
    return header + std::string(1 << 20, '\0');
}

struct Library {
    QTemporaryDir dir;
    std::string root = dir.path().toStdString() + "/trayskin";
    Library() {
        writeFile(root + "/Volume/default/audio-volume-high.png", pngBytes(16, 1).toStdString());
        writeFile(root + "/Volume/default/audio-volume-low.png", pngBytes(16, 2).toStdString());
        writeFile(root + "/Battery/default/battery-low.png", pngBytes(16, 3).toStdString());
    }
};

TEST(SetImport, HostileArchivesAreRefusedWithAReasonAndNothingIsWritten) {
    Library library;
    const std::string outside = library.dir.path().toStdString() + "/outside";
    const std::string picture = pngBytes(16, 4).toStdString();
    std::vector<Entry> many;
    for (int i = 0; i < 100000; ++i)
        many.push_back({"Many/" + std::to_string(i) + ".png", ""});
    // Unpacked (an item's names, near the top) and only read through (a
    // theme's other files): the bytes count alike.
    std::vector<Entry> total, deep, cut{{"Mine/trayskininfo.txt", "mine\n"}};
    for (int i = 0; i < 8; ++i) {
        total.push_back(
            {"Big/audio-volume-" + std::to_string(i) + ".png", std::string(1 << 20, 0)});
        deep.push_back({"T/apps/" + std::to_string(i) + ".png", std::string(1 << 20, 0)});
    }
    for (int i = 0; i < 40; ++i)
        cut.push_back(
            {"Mine/audio-volume-" + std::to_string(i) + ".png",
             pngBytes(16, unsigned(i) * 7919u).toStdString() + std::string(4096, char(i))});
    const struct {
        const char* what;
        std::vector<Entry> entries;
        const char* reason;
        bool raw = false;
        bool halved = false; // the archive cut to half its bytes
    } rows[] = {
        {"absolute name", {{outside + "/evil.png", picture}}, "outside itself"},
        {"climbing name", {{"Set/../../outside/evil.png", picture}}, "outside itself"},
        {"link out",
         {{"Set/audio-volume-high.png", "", AE_IFLNK, outside + "/evil.png"}},
         "link or a special file"},
        {"hard link",
         {{"Set/a.png", picture}, {"Set/audio-volume-high.png", "", AE_IFREG, "/etc/passwd"}},
         "link or a special file"},
        {"device", {{"Set/audio-volume-high.png", "", AE_IFCHR}}, "link or a special file"},
        {"100,000 entries", many, "too many entries"},
        {"10 GB of zeros", {{"", bombHeader(10LL << 30)}}, "too large", true},
        {"too many bytes in all", total, "too many bytes"},
        {"too many bytes read through", deep, "too many bytes"},
        {"a file named twice", {{"./T/apps/a.png", picture}, {"T//apps/a.png", picture}}, "twice"},
        {"folder, then file", {{"T/a/b", "", AE_IFDIR}, {"T/a/b", picture}}, "twice"},
        {"file, then folder", {{"T/a/b", picture}, {"T/a/b/", "", AE_IFDIR}}, "twice"},
        {"file, then in it", {{"T/a/b", picture}, {"T/a/b/audio-volume-high.png", ""}}, "twice"},
        {"file in it, then it", {{"T/a/b/c", picture}, {"T/a/b", picture}}, "twice"},
        {"a name too long", {{"T/a/" + std::string(256, 'b'), picture}}, "twice"},
        {"hidden set name", {{".hidden/audio-volume-high.png", picture}}, "begin with"},
        {"no item's names", {{"Set/firefox.png", picture}}, "No item"},
        {"cut short", cut, "damaged or cut short", false, true},
    };
    const auto before = snapshot(library.root);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string file = library.dir.path().toStdString() + "/hostile.tar.gz";
        QFile::remove(QString::fromStdString(file));
        writeArchive(file, row.entries, row.raw);
        if (row.halved) {
            ASSERT_TRUE(QFile::resize(QString::fromStdString(file),
                                      QFileInfo(QString::fromStdString(file)).size() / 2));
        }
        library::ImportLimits limits;
        limits.totalBytes = 4 << 20;
        const library::ImportResult result = library::importSets(library.root, file, limits);
        EXPECT_FALSE(result.done);
        EXPECT_TRUE(result.reason.contains(QString::fromLatin1(row.reason)))
            << result.reason.toStdString();
        auto after = snapshot(library.root);
        after.erase(".trayskin-work");
        EXPECT_EQ(after, before);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(outside)));
    }
}

TEST(SetImport, AFolderWithALinkMakesNoSet) {
    Library library;
    const std::string base = library.dir.path().toStdString();
    writeFile(base + "/folder/Linked/audio-volume-high.png", pngBytes(16, 1).toStdString());
    ASSERT_TRUE(QFile::link("/etc/passwd", QString::fromStdString(base + "/folder/Linked/x.png")));
    const library::ImportResult linked = library::importSets(library.root, base + "/folder");
    EXPECT_TRUE(linked.reason.contains("link or a special file")) << linked.reason.toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(library.root + "/Volume/Linked")));
}

TEST(SetImport, AThemeArchiveGivesASetPerItemNamedAfterTheTheme) {
    Library library;
    const std::string file = library.dir.path().toStdString() + "/theme.tar.xz.tar.gz";
    const std::string index =
        "[Icon Theme]\nName=Cool Icons\nDirectories=16x16/status,scalable/status\n"
        "[16x16/status]\nSize=16\nType=Fixed\n[scalable/status]\nSize=16\nType=Scalable\n";
    // A cache made before the pictures were put in, trusted only for folders
    // older than it: a file after it, even one not unpacked, makes 16x16/status newer.
    const std::string stale = library.dir.path().toStdString() + "/stale";
    writeFile(stale + "/index.theme", index);
    writeFile(stale + "/16x16/status/audio-volume-muted.png", pngBytes(16, 9).toStdString());
    ASSERT_EQ(QProcess::execute("gtk-update-icon-cache",
                                {"--force", "--quiet", QString::fromStdString(stale)}),
              0);
    writeArchive(file, {{"Cool/index.theme", index},
                        {"Cool/16x16/status/audio-volume-high.png", pngBytes(16, 5).toStdString()},
                        {"Cool/16x16/status/battery-low.png", pngBytes(16, 7).toStdString()},
                        {"Cool/icon-theme.cache", readFile(stale + "/icon-theme.cache")},
                        {"Cool/16x16/status/firefox.png", pngBytes(16, 8).toStdString()},
                        {"Cool/scalable/status/audio-volume-high.svg", svgBytes(6).toStdString()},
                        {"Cool/16x16/apps/firefox.png", pngBytes(16, 8).toStdString()}});
    const library::ImportResult result = library::importSets(library.root, file);
    EXPECT_TRUE(result.done) << result.reason.toStdString();
    EXPECT_EQ(result.made, QStringList({"Battery/Cool Icons", "Volume/Cool Icons"}));
    EXPECT_EQ(snapshot(library.root + "/Volume/Cool Icons"),
              (std::map<std::string, std::string>{
                  {"audio-volume-high.svg", "f:" + svgBytes(6).toStdString()}}));
    // A second import leaves the sets as they are and says so.
    const library::ImportResult again = library::importSets(library.root, file);
    EXPECT_FALSE(again.done);
    EXPECT_TRUE(again.reason.contains("there already")) << again.reason.toStdString();
}

// An export's round trip and a file already there: SetCommandsTest and CommandLineTest.
TEST(SetExport, ASetThatIsNotThereMakesNoArchive) {
    Library mine;
    const std::string file = mine.dir.path().toStdString() + "/Absent.tar.gz";
    EXPECT_FALSE(library::exportSet(mine.root, "Volume", "Absent", file).done);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
}

} // namespace
