#include "platform/core/ProcessList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// What a process file can hold that we read: an environment or a command
// line is at most a few hundred KiB.
constexpr qint64 kMostBytes = 1 << 20;

QByteArray readSmall(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kMostBytes);
}

QString linkTarget(const QString& path) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length > 0 ? QFile::decodeName(QByteArray(target, length)) : QString();
}

QStringList nulSeparated(const QByteArray& bytes) {
    QStringList parts;
    for (const QByteArray& part : bytes.split('\0'))
        if (!part.isEmpty())
            parts.append(QString::fromLocal8Bit(part));
    return parts;
}

QString lastComponent(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

QString ProcessInfo::programName() const {
    QString name = lastComponent(exe);
    if (name.endsWith(QStringLiteral(" (deleted)")))
        name.chop(10);
    return name.isEmpty() ? comm : name;
}

QString ProcessInfo::variable(QStringView name) const {
    for (const QString& entry : environment)
        if (entry.size() > name.size() && entry.at(name.size()) == u'=' && entry.startsWith(name))
            return entry.mid(name.size() + 1);
    return QString();
}

bool ProcessInfo::runs(const QString& name) const {
    return !name.isEmpty() && (programName() == name || comm == name.left(15) ||
                               (!arguments.isEmpty() && lastComponent(arguments.first()) == name));
}

std::vector<ProcessInfo> userProcesses(const QString& procRoot, uid_t user,
                                       const ProcessFilter& wanted) {
    std::vector<ProcessInfo> processes;
    QList<int> ids;
    for (const QString& entry : QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (number && pid > 0)
            ids.append(pid);
    }
    std::sort(ids.begin(), ids.end());
    for (const int pid : ids) {
        const QString folder = procRoot + u'/' + QString::number(pid);
        struct stat info {};
        if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || info.st_uid != user)
            continue;
        ProcessInfo process;
        process.pid = pid;
        process.exe = linkTarget(folder + QStringLiteral("/exe"));
        process.comm =
            QString::fromLocal8Bit(readSmall(folder + QStringLiteral("/comm"))).trimmed();
        process.arguments = nulSeparated(readSmall(folder + QStringLiteral("/cmdline")));
        // A kernel thread or a process that ended while it was read.
        if ((process.comm.isEmpty() && process.arguments.isEmpty()) || (wanted && !wanted(process)))
            continue;
        process.environment = nulSeparated(readSmall(folder + QStringLiteral("/environ")));
        process.workingFolder = linkTarget(folder + QStringLiteral("/cwd"));
        processes.push_back(std::move(process));
    }
    return processes;
}

std::vector<ProcessInfo> userProcesses(const ProcessFilter& wanted) {
    return userProcesses(QStringLiteral("/proc"), ::getuid(), wanted);
}

bool processRuns(const QString& procRoot, int pid) {
    const QString folder = procRoot + u'/' + QString::number(pid);
    if (!QFileInfo::exists(folder))
        return false;
    // The state follows the name in parentheses, which may hold any byte.
    const QByteArray stat = readSmall(folder + QStringLiteral("/stat"));
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() || stat.at(close + 2) != 'Z';
}

} // namespace platform
