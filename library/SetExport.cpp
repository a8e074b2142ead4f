// Export of a set: a .tar.gz of the set's plain files under the set's name,
// which importSets turns back into the same set.
#include "library/Layout.h"
#include "library/SetArchive.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace library {

namespace fs = platform::fs;
using platform::bundle::localizedString;

namespace {

struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

bool writeEntry(archive* writer, const std::string& name, const std::string* bytes) {
    std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    archive_entry_set_pathname(entry.get(), name.c_str());
    archive_entry_set_filetype(entry.get(), bytes ? AE_IFREG : AE_IFDIR);
    archive_entry_set_perm(entry.get(), bytes ? 0644 : 0755);
    archive_entry_set_size(entry.get(), bytes ? la_int64_t(bytes->size()) : 0);
    if (archive_write_header(writer, entry.get()) != ARCHIVE_OK)
        return false;
    return !bytes ||
           archive_write_data(writer, bytes->data(), bytes->size()) == la_ssize_t(bytes->size());
}

bool writeSet(archive* writer, const std::string& folder, const std::string& set) {
    if (!writeEntry(writer, set + "/", nullptr))
        return false;
    for (const std::string& name : fs::listFolder(folder)) {
        // Only plain files: a link or a special file stays behind.
        const auto bytes = fs::readFile(folder + "/" + name);
        if (fs::isSymbolicLink(folder + "/" + name) || !bytes)
            continue;
        if (!writeEntry(writer, set + "/" + name, &*bytes))
            return false;
    }
    return archive_write_close(writer) == ARCHIVE_OK;
}

} // namespace

ExportResult exportSet(const std::string& root, const std::string& item, const std::string& set,
                       const std::string& file) {
    const std::string folder = platform::formatPath(kPictureSetPattern, {root, item, set});
    if (item.empty() || set.empty() || isHiddenName(set) || !fs::isDirectory(folder))
        return {false, localizedString(
                           QT_TRANSLATE_NOOP("Trayskin", "There is no such set in the library."))};
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return {false, localizedString(QT_TRANSLATE_NOOP(
                           "Trayskin",
                           "The archive could not be made there (is a file there already?)."))};
    std::unique_ptr<archive, WriterFree> writer(archive_write_new());
    const bool ok = archive_write_add_filter_gzip(writer.get()) == ARCHIVE_OK &&
                    archive_write_set_format_pax_restricted(writer.get()) == ARCHIVE_OK &&
                    archive_write_open_fd(writer.get(), fd) == ARCHIVE_OK &&
                    writeSet(writer.get(), folder, set);
    writer.reset();
    const bool closed = ::close(fd) == 0;
    if (ok && closed)
        return {true, {}};
    ::unlink(file.c_str());
    return {false,
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "The archive could not be written."))};
}

} // namespace library
