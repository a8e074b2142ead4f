#include "library/icontheme/StampedMemo.h"

#include "icontheme/IconThemes.h"
#include "platform/core/FileManager.h"
#include "platform/core/Posix.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace library {
namespace {

constexpr quint32 kFormat = 0x54534d34; // "TSM4"
// Far more than the stamps of every folder of the largest themes take.
constexpr std::size_t kMaxMemoBytes = 64 << 20;

} // namespace

StampedMemo::StampedMemo(QString file, QStringList key)
    : file_(std::move(file)), key_(std::move(key)) {
    // The program that answers, where it is installed: another installation
    // is another build, whose file's stamp this one's answer never noted.
    key_.append(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
}

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

void StampedMemo::noteThemes(const QStringList& bases, icontheme::IconThemes& themes,
                             const QStringList& names) {
    // The program itself: another build may answer otherwise.
    note(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    for (const QString& base : bases) {
        note(base); // its own pictures, and the themes it holds
        for (const QString& name : names) {
            const QString folder = base + u'/' + name;
            note(folder);
            note(folder + QStringLiteral("/index.theme"));
            const icontheme::Theme* theme = themes.theme(name);
            if (theme == nullptr || !QFileInfo(folder).isDir())
                continue;
            // The folders a lookup reads, through links as it follows them:
            // each directory of the index and those it is in; no other.
            // A folder that is not there stands for what its index names below it.
            for (const icontheme::ThemeDir& dir : theme->index.dirs) {
                QString path = folder;
                for (const QString& part : dir.path.split(u'/', Qt::SkipEmptyParts)) {
                    note(path += u'/' + part);
                    if (!QFileInfo(path).isDir())
                        break;
                }
            }
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
