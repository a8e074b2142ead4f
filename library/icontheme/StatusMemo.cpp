#include "library/icontheme/StatusMemo.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace library {
namespace {

constexpr quint32 kFormat = 0x54534d33; // "TSM3"

} // namespace

StatusMemo::StatusMemo(QString file, QStringList key)
    : file_(std::move(file)), key_(std::move(key)) {}

std::optional<std::vector<ItemInUse>> StatusMemo::kept() {
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
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
    quint32 count = 0;
    in >> format >> key >> count;
    if (in.status() != QDataStream::Ok || format != kFormat || key != key_)
        return std::nullopt;
    std::vector<ItemInUse> answer;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString item;
        QString set;
        qint32 kind = 0;
        in >> item >> kind >> set;
        if (kind < 0 || kind > qint32(InUse::Kind::Unknown))
            return std::nullopt;
        answer.push_back({item.toStdString(), {InUse::Kind(kind), set.toStdString()}});
    }
    const char* stamps = bytes.constData() + 4 + headSize;
    const std::size_t size = std::size_t(bytes.size() - 4 - headSize);
    if (in.status() != QDataStream::Ok || !platform::stamps::holds(stamps, size))
        return std::nullopt;
    kept_.assign(stamps, size);
    return answer;
}

void StatusMemo::note(const QString& path) {
    noted_.note(QFile::encodeName(QDir::cleanPath(path)).toStdString());
}

void StatusMemo::noteTree(const QString& folder) {
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
            if (entry->d_type == DT_DIR ||
                (::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)))
                below.append(path);
        }
        ::closedir(dir);
    }
    for (const QString& path : below)
        noteTree(path);
}

std::string StatusMemo::stamps() const {
    return kept_.empty() ? noted_.bytes() : kept_;
}

bool StatusMemo::save(const std::vector<ItemInUse>& answer) const {
    QByteArray head;
    {
        QDataStream out(&head, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kFormat << key_ << quint32(answer.size());
        for (const ItemInUse& entry : answer)
            out << QString::fromStdString(entry.item) << qint32(entry.inUse.kind)
                << QString::fromStdString(entry.inUse.set);
    }
    const std::string stamps = noted_.bytes();
    QByteArray bytes;
    const quint32 headSize = quint32(head.size());
    bytes.append(reinterpret_cast<const char*>(&headSize), sizeof(headSize));
    bytes.append(head);
    bytes.append(stamps.data(), qsizetype(stamps.size()));
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile file(file_);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace library
