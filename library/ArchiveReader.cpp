#include "library/ArchiveReader.h"

#include "icontheme/StatusItems.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <archive.h>
#include <archive_entry.h>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace library {

namespace fs = platform::fs;
using platform::bundle::localizedString;

namespace {

Unpacked refuse(const char* key, const QString& name = QString()) {
    QString text = localizedString(key);
    if (!name.isEmpty())
        text += u' ' + name;
    return {false, text};
}

// What is written so far, against the limits.
struct Budget {
    const ImportLimits& limits;
    std::int64_t entries = 0;
    std::int64_t total = 0;
};

// The checks of one entry's header: its kind, its name, its declared size.
std::optional<Unpacked> checkHeader(Budget& budget, const QString& name, bool plain, bool folder,
                                    std::int64_t size) {
    if (++budget.entries > budget.limits.entries)
        return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive holds too many entries."));
    if (safeEntryName(name).isEmpty())
        return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive names a file outside itself:"),
                      name);
    if (!plain && !folder)
        return refuse(
            QT_TRANSLATE_NOOP("Trayskin",
                              "The archive holds a link or a special file, which sets never hold:"),
            name);
    if (size > budget.limits.entryBytes)
        return refuse(QT_TRANSLATE_NOOP("Trayskin", "A file of the archive is too large:"), name);
    if (size > budget.limits.totalBytes - budget.total)
        return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive unpacks to too many bytes."));
    return std::nullopt;
}

// Makes the entry's folder, or its file's folders and the file itself (new only).
std::unique_ptr<QFile> makeEntry(const std::string& into, const QString& clean, bool folder) {
    const QString path = QString::fromStdString(into) + u'/' + clean;
    const QString parent = folder ? path : QFileInfo(path).path();
    if (!fs::isDirectory(parent.toStdString()) && !fs::createDirectoryChain(parent.toStdString()))
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (folder || file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return file;
    return nullptr;
}

// Whether a file of the archive is unpacked. A set is made of the files at
// the top or in one folder there, or of a theme's pictures of the items'
// names; a file deeper down of another name (most of a theme) is only read
// through, with its bytes counted, and its folders are made.
bool unpacked(const QString& clean) {
    return clean.count(u'/') < 2 ||
           icontheme::itemForIcon(clean.mid(clean.lastIndexOf(u'/') + 1)) != nullptr;
}

// Whether the name, or a folder above it, is a file only read through: it is
// not on disk, yet its name is taken as if it were.
bool readThroughAt(const QSet<QString>& readThrough, const QString& clean) {
    for (qsizetype slash = clean.indexOf(u'/'); slash > 0; slash = clean.indexOf(u'/', slash + 1))
        if (readThrough.contains(clean.left(slash)))
            return true;
    return readThrough.contains(clean);
}

// Places the entry: its folders, and its file where it is unpacked. A file
// only read through is noted instead, and its folder's time set as making the
// file would (a theme's icon-theme.cache is trusted only for folders older
// than it). False when the name is taken.
bool placeEntry(const std::string& into, const QString& clean, bool folder,
                QSet<QString>& readThrough, std::unique_ptr<QFile>& file) {
    if (readThroughAt(readThrough, clean))
        return false;
    if (folder || unpacked(clean)) {
        file = makeEntry(into, clean, folder);
        return file != nullptr;
    }
    // A name the disk takes no file of (too long) is refused as its file was.
    const QString parent = QFileInfo(clean).path();
    const std::string path = into + '/' + clean.toStdString();
    if (path.size() >= PATH_MAX || path.size() - path.rfind('/') - 1 > NAME_MAX ||
        fs::exists(path) || !makeEntry(into, parent, true))
        return false;
    readThrough.insert(clean);
    const QByteArray made = QFile::encodeName(QString::fromStdString(into) + u'/' + parent);
    ::utimensat(AT_FDCWD, made.constData(), nullptr, 0);
    return true;
}

// Copies the entry's bytes into the file (or nowhere), counting them against the limits.
std::optional<Unpacked> copyData(archive* reader, QFile* file, Budget& budget,
                                 const QString& name) {
    std::int64_t written = 0;
    char block[65536];
    for (;;) {
        const la_ssize_t got = archive_read_data(reader, block, sizeof block);
        if (got == 0)
            return std::nullopt;
        if (got < 0)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive is damaged or cut short."));
        written += got;
        budget.total += got;
        if (written > budget.limits.entryBytes)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "A file of the archive is too large:"),
                          name);
        if (budget.total > budget.limits.totalBytes)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive unpacks to too many bytes."));
        if (file != nullptr && file->write(block, got) != got)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written."));
    }
}

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};

std::unique_ptr<archive, ReaderFree> openReader(const std::string& path) {
    std::unique_ptr<archive, ReaderFree> reader(archive_read_new());
    archive_read_support_filter_gzip(reader.get());
    archive_read_support_filter_xz(reader.get());
    archive_read_support_filter_bzip2(reader.get());
    archive_read_support_format_tar(reader.get());
    archive_read_support_format_zip(reader.get());
    if (archive_read_open_filename(reader.get(), path.c_str(), 65536) != ARCHIVE_OK)
        return nullptr;
    return reader;
}

} // namespace

QString safeEntryName(const QString& name) {
    if (name.startsWith(u'/') || name.contains(QChar(0)))
        return {};
    QStringList parts;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..")
            return {};
        if (part != u".")
            parts.append(part);
    }
    return parts.join(u'/');
}

Unpacked unpackArchive(const std::string& path, const std::string& into,
                       const ImportLimits& limits) {
    auto reader = openReader(path);
    if (!reader)
        return refuse(QT_TRANSLATE_NOOP("Trayskin", "The file is no archive that can be read."));
    Budget budget{limits};
    QSet<QString> readThrough; // the files not unpacked, each named once
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive is damaged or cut short."));
        const QString name = QString::fromUtf8(archive_entry_pathname(entry));
        const auto type = archive_entry_filetype(entry);
        const bool linked =
            archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr;
        const std::int64_t size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
        if (auto no =
                checkHeader(budget, name, type == AE_IFREG && !linked, type == AE_IFDIR, size))
            return *no;
        std::unique_ptr<QFile> file;
        if (!placeEntry(into, safeEntryName(name), type == AE_IFDIR, readThrough, file))
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive names a file twice:"), name);
        if (type == AE_IFREG) {
            if (auto no = copyData(reader.get(), file.get(), budget, name))
                return *no;
        }
    }
    return {true, {}};
}

Unpacked copyFolderIn(const std::string& folder, const std::string& into,
                      const ImportLimits& limits) {
    Budget budget{limits};
    const QDir top(QString::fromStdString(folder));
    QDirIterator it(top.path(),
                    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = top.relativeFilePath(info.filePath());
        const bool plain = info.isFile() && !info.isSymLink();
        const bool isFolder = info.isDir() && !info.isSymLink();
        if (auto no = checkHeader(budget, name, plain, isFolder, plain ? info.size() : 0))
            return *no;
        auto file = makeEntry(into, name, isFolder);
        if (!file)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written."));
        if (!plain)
            continue;
        const auto bytes =
            fs::readFilePrefix(info.filePath().toStdString(), std::size_t(limits.entryBytes) + 1);
        if (!bytes || !bytes->whole)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "A file could not be read:"), name);
        budget.total += qint64(bytes->bytes.size());
        if (budget.total > limits.totalBytes)
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The archive unpacks to too many bytes."));
        if (file->write(bytes->bytes.data(), qint64(bytes->bytes.size())) !=
            qint64(bytes->bytes.size()))
            return refuse(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written."));
    }
    return {true, {}};
}

} // namespace library
