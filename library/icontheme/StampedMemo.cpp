#include "library/icontheme/StampedMemo.h"

#include "platform/core/FileManager.h"
#include "platform/core/Posix.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace library {
namespace {

constexpr quint32 kFormat = 0x54534d34; // "TSM4"
// Far more than the stamps of every folder of the largest themes take.
constexpr std::size_t kMaxMemoBytes = 64 << 20;

} // namespace

StampedMemo::StampedMemo(QString file, QStringList key)
    : file_(std::move(file)), key_(std::move(key)) {}

std::optional<QByteArray> StampedMemo::kept() {
    // Only a regular file, never waited on (a FIFO) nor read without end.
    const auto read =
        platform::fs::readFilePrefix(QFile::encodeName(file_).toStdString(), kMaxMemoBytes);
    if (!read || !read->whole)
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromStdString(read->bytes);
    // The head (the key and the answer) through QDataStream, the stamps
    // raw: the head is its size first.
    quint32 headSize = 0;
    std::memcpy(&headSize, bytes.constData(), std::min<qsizetype>(bytes.size(), 4));
    if (bytes.size() < 4 || headSize > bytes.size() - 4)
        return std::nullopt;
    QDataStream in(bytes.mid(4, headSize));
    in.setVersion(QDataStream::Qt_6_0);
    quint32 format = 0;
    QStringList key;
    QByteArray answer;
    in >> format >> key >> answer;
    if (in.status() != QDataStream::Ok || format != kFormat || key != key_)
        return std::nullopt;
    const char* stamps = bytes.constData() + 4 + headSize;
    const std::size_t size = std::size_t(bytes.size() - 4 - headSize);
    if (!platform::stamps::holds(stamps, size))
        return std::nullopt;
    kept_.assign(stamps, size);
    return answer;
}

void StampedMemo::note(const QString& path) {
    noted_.note(QFile::encodeName(QDir::cleanPath(path)).toStdString());
}

void StampedMemo::noteTree(const QString& folder) {
    note(folder);
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        visited_.contains({quint64(info.st_dev), quint64(info.st_ino)}))
        return;
    visited_.insert({info.st_dev, info.st_ino});
    // Only folders: a file added, taken away or renamed below changes the
    // folder it is in, and each folder's own stamp is noted. A link is
    // followed where it leads to a folder, as a lookup follows it.
    QList<QString> below;
    if (DIR* dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == ".." || entry->d_type == DT_REG)
                continue;
            const QString path = folder + u'/' + QFile::decodeName(name);
            if (entry->d_type == DT_DIR)
                below.append(path);
            else if (::stat(QFile::encodeName(path).constData(), &info) != 0)
                note(path); // a link to nothing yet: what it leads to may come
            else if (S_ISDIR(info.st_mode))
                below.append(path);
        }
        ::closedir(dir);
    }
    for (const QString& path : below)
        noteTree(path);
}

void StampedMemo::noteThemes(const QStringList& bases, const QStringList& names) {
    // The program itself: another build may answer otherwise.
    note(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    for (const QString& base : bases) {
        note(base); // its own pictures, and the themes it holds
        for (const QString& name : names) {
            noteTree(base + u'/' + name);
            note(base + u'/' + name + QStringLiteral("/index.theme"));
        }
    }
}

std::string StampedMemo::stamps() const {
    return kept_.empty() ? noted_.bytes() : kept_;
}

bool StampedMemo::save(const QByteArray& answer) const {
    QByteArray head;
    {
        QDataStream out(&head, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kFormat << key_ << answer;
    }
    const std::string stamps = noted_.bytes();
    QByteArray bytes;
    const quint32 headSize = quint32(head.size());
    bytes.append(reinterpret_cast<const char*>(&headSize), sizeof(headSize));
    bytes.append(head);
    bytes.append(stamps.data(), qsizetype(stamps.size()));
    QDir().mkpath(QFileInfo(file_).absolutePath());
    return platform::posix::replaceFile(QFile::encodeName(file_).toStdString(),
                                        bytes.toStdString());
}

} // namespace library
