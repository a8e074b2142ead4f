#include "library/icontheme/StatusMemo.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>
#include <unistd.h>

namespace library {
namespace {

constexpr quint32 kFormat = 0x54534d32; // "TSM2"
constexpr qint64 kFineTick = 100'000'000;
constexpr qint64 kCoarseTick = 2'000'000'000;

qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 now() {
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return nanoseconds(time);
}

// The file systems whose times have the kernel clock's fine grain: ext2 to
// ext4, tmpfs, btrfs, XFS, overlayfs, F2FS and ZFS. Anything else (FAT's
// 2 s, a network file system's server clock) is given the coarse tick.
qint64 tickOf(const QByteArray& path) {
    struct statfs info {};
    if (::statfs(path.constData(), &info) != 0)
        return kCoarseTick;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53UL:
    case 0x01021994UL:
    case 0x9123683EUL:
    case 0x58465342UL:
    case 0x794C7630UL:
    case 0xF2F52010UL:
    case 0x2FC12FC1UL:
        return kFineTick;
    default:
        return kCoarseTick;
    }
}

// A stamp's numbers as they are kept, after its name.
struct Numbers {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: absent
    qint64 mtime = 0;
    qint64 ctime = 0;
    quint32 mode = 0;
    quint32 nameSize = 0;
    bool operator==(const Numbers&) const = default;
};

Numbers numbersOf(int folder, const char* name) {
    Numbers numbers;
    struct stat info {};
    if (::fstatat(folder, name, &info, 0) != 0)
        return numbers;
    numbers.device = info.st_dev;
    numbers.inode = info.st_ino;
    numbers.mode = info.st_mode;
    numbers.size = info.st_size;
    numbers.mtime = nanoseconds(info.st_mtim);
    numbers.ctime = nanoseconds(info.st_ctim);
    return numbers;
}

// The kept file, read front to back without a copy of what it holds.
class Reader {
public:
    // bytes from offset on; they must outlive the reader.
    Reader(const QByteArray& bytes, qsizetype offset)
        : at_(bytes.constData() + offset), end_(bytes.constData() + bytes.size()) {}
    template <typename T> bool take(T& value) {
        if (end_ - at_ < qsizetype(sizeof(T)))
            return false;
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return true;
    }
    // A name that is at most max bytes long, with its final NUL.
    const char* name(quint32 size, quint32 max) {
        if (size > max || end_ - at_ < qsizetype(size) + 1 || at_[size] != '\0')
            return nullptr;
        const char* name = at_;
        at_ += size + 1;
        return name;
    }
    bool atEnd() const { return at_ == end_; }

private:
    const char* at_;
    const char* end_;
};

// Whether every kept stamp still holds.
bool holds(Reader& stamps, qint64 taken, qint64 tick) {
    // Folder by folder: each opened once, its entries asked by name.
    while (!stamps.atEnd()) {
        quint32 size = 0;
        quint32 entries = 0;
        if (!stamps.take(size) || !stamps.take(entries))
            return false;
        const char* folderName = stamps.name(size, PATH_MAX);
        if (folderName == nullptr)
            return false;
        const int folder = ::open(folderName, O_PATH | O_DIRECTORY | O_CLOEXEC);
        bool holding = true;
        for (quint32 i = 0; i < entries && holding; ++i) {
            Numbers kept;
            const char* name = stamps.take(kept) ? stamps.name(kept.nameSize, NAME_MAX) : nullptr;
            if (name == nullptr)
                holding = false;
            else if (folder < 0)
                holding = kept.size < 0; // still absent with its folder
            else {
                Numbers now = numbersOf(folder, name);
                now.nameSize = kept.nameSize;
                // A path that changed within a tick of the stamp may have
                // changed again since without its times showing it.
                const bool settled =
                    kept.size < 0 || std::max(kept.mtime, kept.ctime) + tick <= taken;
                holding = settled && now == kept;
            }
        }
        if (folder >= 0)
            ::close(folder);
        if (!holding)
            return false;
    }
    return true;
}

} // namespace

StatusMemo::StatusMemo(QString file, QStringList key)
    : file_(std::move(file)), key_(std::move(key)), taken_(now()) {}

std::optional<std::vector<ItemInUse>> StatusMemo::kept() const {
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
    qint64 taken = 0;
    qint64 tick = 0;
    quint32 count = 0;
    in >> format >> key >> taken >> tick >> count;
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
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    Reader stamps(bytes, 4 + headSize);
    return holds(stamps, taken, tick) ? std::optional(std::move(answer)) : std::nullopt;
}

void StatusMemo::note(const QString& path) {
    const QByteArray encoded = QFile::encodeName(QDir::cleanPath(path));
    if (noted_.contains(encoded))
        return;
    noted_.insert(encoded);
    const qsizetype slash = encoded.lastIndexOf('/');
    QByteArray folder = slash > 0 ? encoded.left(slash) : QByteArray("/");
    const QByteArray name = encoded.mid(slash + 1);
    if (name.isEmpty() || name.size() > NAME_MAX)
        return; // "/" itself
    struct stat info {};
    const bool there = ::stat(encoded.constData(), &info) == 0;
    Stamp stamp{name, 0, 0, 0, -1, 0, 0};
    if (there)
        stamp = {name,
                 info.st_dev,
                 info.st_ino,
                 info.st_mode,
                 info.st_size,
                 nanoseconds(info.st_mtim),
                 nanoseconds(info.st_ctim)};
    auto group = folderIndex_.constFind(folder);
    if (group == folderIndex_.constEnd()) {
        group = folderIndex_.insert(folder, folders_.size());
        folders_.append({folder, {}});
    }
    folders_[*group].stamps.append(stamp);
    if (there && !devices_.contains(quint64(info.st_dev))) {
        devices_.append(info.st_dev);
        tick_ = std::max(tick_, tickOf(encoded));
    }
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

bool StatusMemo::save(const std::vector<ItemInUse>& answer) const {
    QByteArray head;
    {
        QDataStream out(&head, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kFormat << key_ << taken_ << std::max(tick_, kFineTick) << quint32(answer.size());
        for (const ItemInUse& entry : answer)
            out << QString::fromStdString(entry.item) << qint32(entry.inUse.kind)
                << QString::fromStdString(entry.inUse.set);
    }
    QByteArray bytes;
    const auto put = [&bytes](const auto& value) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
    };
    put(quint32(head.size()));
    bytes.append(head);
    for (const Folder& folder : folders_) {
        put(quint32(folder.path.size()));
        put(quint32(folder.stamps.size()));
        bytes.append(folder.path).append('\0');
        for (const Stamp& stamp : folder.stamps) {
            Numbers numbers{stamp.device,
                            stamp.inode,
                            stamp.size,
                            stamp.mtime,
                            stamp.ctime,
                            stamp.mode,
                            quint32(stamp.name.size())};
            put(numbers);
            bytes.append(stamp.name).append('\0');
        }
    }
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile file(file_);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace library
