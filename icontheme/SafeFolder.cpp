#include "icontheme/SafeFolder.h"

#include "icontheme/ThemeIndex.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/Posix.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio> // renameat2
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace icontheme {
namespace {

using platform::fs::Fd;

void step(const char* what) {
    if (SafeFolder::stepHook())
        SafeFolder::stepHook()(what);
}

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

std::function<void(const char*)>& SafeFolder::stepHook() {
    static std::function<void(const char*)> hook;
    return hook;
}

std::optional<SafeFolder> SafeFolder::open(const QString& path, bool create) {
    if (create && !QDir().mkpath(path))
        return std::nullopt;
    const int fd = ::open(QFile::encodeName(path).constData(), kDirFlags);
    if (fd < 0)
        return std::nullopt;
    return SafeFolder(fd, path);
}

SafeFolder::SafeFolder(SafeFolder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)),
      opened_(std::move(other.opened_)) {
    other.opened_.clear();
}

SafeFolder::~SafeFolder() {
    for (const auto& [relative, fd] : opened_)
        ::close(fd);
    if (fd_ >= 0)
        ::close(fd_);
}

bool SafeFolder::touch() {
    struct stat before {};
    if (::fstat(fd_, &before) != 0)
        return false;
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        now.tv_sec > before.st_mtim.tv_sec ? now : timespec{before.st_mtim.tv_sec + 1, 0}};
    return ::futimens(fd_, times) == 0;
}

QString SafeFolder::temporaryName(const QString& name) {
    return u'.' + name + QStringLiteral(".trayskin-new");
}

int SafeFolder::openParent(const QString& relative, bool create, QString* name) {
    if (!isSafeSubdir(relative)) {
        errno = EINVAL;
        return -1;
    }
    QStringList parts = relative.split(u'/');
    *name = parts.takeLast();
    // The deepest folder on the way that is open already, then the rest.
    QString walked;
    int current = fd_;
    qsizetype done = 0;
    for (qsizetype i = parts.size(); i > 0; --i) {
        const auto found = opened_.find(parts.first(i).join(u'/'));
        if (found != opened_.end()) {
            current = found->second;
            walked = found->first;
            done = i;
            break;
        }
    }
    for (qsizetype i = done; i < parts.size(); ++i) {
        const QByteArray component = QFile::encodeName(parts.at(i));
        int next = ::openat(current, component.constData(), kDirFlags);
        if (next < 0 && errno == ENOENT && create) {
            step("mkdir");
            if (::mkdirat(current, component.constData(), 0755) == 0 || errno == EEXIST)
                next = ::openat(current, component.constData(), kDirFlags);
        }
        if (next < 0)
            return -1;
        walked = walked.isEmpty() ? parts.at(i) : walked + u'/' + parts.at(i);
        opened_[walked] = next;
        current = next;
    }
    return current;
}

bool SafeFolder::write(const QString& relative, const QByteArray& bytes, Sync sync) {
    QString name;
    const int dir = openParent(relative, true, &name);
    if (dir < 0)
        return false;
    const QByteArray target = QFile::encodeName(name);
    const QByteArray temporary = QFile::encodeName(temporaryName(name));
    ::unlinkat(dir, temporary.constData(), 0);
    step("create");
    Fd file(::openat(dir, temporary.constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.get() < 0)
        return false;
    step("write");
    bool ok = platform::posix::writeAll(file.get(), bytes.constData(), size_t(bytes.size()));
    if (sync != Sync::None) {
        step("sync");
        ok = ok && ::fsync(file.get()) == 0;
    }
    step("rename");
    ok = ok && ::renameat(dir, temporary.constData(), dir, target.constData()) == 0;
    if (!ok) {
        ::unlinkat(dir, temporary.constData(), 0);
        return false;
    }
    return sync != Sync::FileAndFolder || ::fsync(dir) == 0;
}

std::optional<QByteArray> SafeFolder::read(const QString& relative, qint64 maxBytes) {
    QString name;
    const int dir = openParent(relative, false, &name);
    if (dir < 0)
        return std::nullopt;
    Fd file(::openat(dir, QFile::encodeName(name).constData(),
                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > maxBytes)
        return std::nullopt;
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    if (!platform::posix::readAll(file.get(), bytes.data(), size_t(bytes.size())))
        return std::nullopt;
    return bytes;
}

bool SafeFolder::remove(const QString& relative, bool syncFolder) {
    QString name;
    const int dir = openParent(relative, false, &name);
    if (dir < 0)
        return errno == ENOENT;
    step("remove");
    if (::unlinkat(dir, QFile::encodeName(name).constData(), 0) != 0 && errno != ENOENT)
        return false;
    return !syncFolder || ::fsync(dir) == 0;
}

bool SafeFolder::exists(const QString& relative) {
    QString name;
    const int dir = openParent(relative, false, &name);
    struct stat info {};
    return dir >= 0 &&
           ::fstatat(dir, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool SafeFolder::removeEmptyFolder(const QString& relative) {
    for (auto it = opened_.begin(); it != opened_.end();) {
        if (it->first == relative || it->first.startsWith(relative + u'/')) {
            ::close(it->second);
            it = opened_.erase(it);
        } else {
            ++it;
        }
    }
    QString name;
    const int dir = openParent(relative, false, &name);
    if (dir < 0)
        return errno == ENOENT;
    step("rmdir");
    return ::unlinkat(dir, QFile::encodeName(name).constData(), AT_REMOVEDIR) == 0 ||
           errno == ENOENT;
}

std::optional<QString> SafeFolder::folderId(const QString& relative) {
    struct stat info {};
    if (relative.isEmpty()) {
        if (::fstat(fd_, &info) != 0)
            return std::nullopt;
    } else {
        QString name;
        const int dir = openParent(relative, false, &name);
        if (dir < 0 ||
            ::fstatat(dir, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return std::nullopt;
    }
    if (!S_ISDIR(info.st_mode))
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
}

std::optional<EntryIdentity> SafeFolder::identity(const QString& relative) {
    QString name;
    const int dir = openParent(relative, false, &name);
    struct stat info {};
    const QByteArray encoded = QFile::encodeName(name);
    if (dir < 0 || ::fstatat(dir, encoded.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    EntryIdentity entry;
    entry.type = S_ISREG(info.st_mode)    ? QStringLiteral("file")
                 : S_ISLNK(info.st_mode)  ? QStringLiteral("link")
                 : S_ISFIFO(info.st_mode) ? QStringLiteral("fifo")
                 : S_ISDIR(info.st_mode)  ? QStringLiteral("folder")
                                          : QStringLiteral("other");
    entry.device = quint64(info.st_dev);
    entry.inode = quint64(info.st_ino);
    entry.size = qint64(info.st_size);
    entry.blocks = qint64(info.st_blocks);
    entry.mtimeNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    if (S_ISLNK(info.st_mode)) {
        QByteArray target(4096, Qt::Uninitialized);
        const ssize_t length =
            ::readlinkat(dir, encoded.constData(), target.data(), size_t(target.size()));
        if (length >= 0)
            entry.target = QFile::decodeName(target.left(length));
    }
    return entry;
}

bool SafeFolder::moveTo(const QString& relative, SafeFolder& other, const QString& otherRelative) {
    QString name, otherName;
    const int from = openParent(relative, false, &name);
    if (from < 0)
        return false;
    const int to = other.openParent(otherRelative, true, &otherName);
    if (to < 0)
        return false;
    step("move");
    return ::renameat2(from, QFile::encodeName(name).constData(), to,
                       QFile::encodeName(otherName).constData(), RENAME_NOREPLACE) == 0;
}

bool SafeFolder::keepAs(const QString& relative, const QString& other) {
    QString name, otherName;
    const int from = openParent(relative, false, &name);
    const int to = openParent(other, false, &otherName);
    if (from < 0 || to < 0)
        return false;
    const QByteArray temporary = QFile::encodeName(temporaryName(otherName));
    ::unlinkat(to, temporary.constData(), 0);
    step("link");
    if (::linkat(from, QFile::encodeName(name).constData(), to, temporary.constData(), 0) != 0)
        return false;
    step("rename");
    const bool renamed =
        ::renameat(to, temporary.constData(), to, QFile::encodeName(otherName).constData()) == 0;
    // Where other named the file already, the rename leaves both names.
    ::unlinkat(to, temporary.constData(), 0);
    return renamed;
}

bool SafeFolder::sync(const QString& relative) {
    if (relative.isEmpty())
        return ::fsync(fd_) == 0;
    QString name;
    // The folder itself, as the parent of a name in it.
    const int parent = openParent(relative + QStringLiteral("/-"), false, &name);
    return parent >= 0 && ::fsync(parent) == 0;
}

void SafeFolder::removeLeftover(const QString& relative) {
    QString name;
    const int dir = openParent(relative, false, &name);
    if (dir >= 0)
        ::unlinkat(dir, QFile::encodeName(temporaryName(name)).constData(), 0);
}

} // namespace icontheme
