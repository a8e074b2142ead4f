#include "icontheme/Picture.h"

#include "icontheme/StatusItems.h"
#include "platform/core/FileManager.h"

#include <QFile>
#include <QFileInfo>

namespace icontheme {
namespace {

quint32 bigEndian(const QByteArray& bytes, int at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

bool looksLikeSvg(const QByteArray& bytes) {
    QByteArray head = bytes.left(64 * 1024);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    head = head.trimmed();
    if (head.startsWith("<svg"))
        return true;
    // An XML declaration, comments or a doctype may come first.
    return (head.startsWith("<?xml") || head.startsWith("<!")) && head.contains("<svg");
}

} // namespace

std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes, bool* tooLarge) {
    // Read to the size it has, not into a buffer of the largest size allowed.
    auto prefix =
        platform::fs::readFilePrefix(QFile::encodeName(path).toStdString(), std::size_t(maxBytes));
    if (!prefix || !prefix->whole) {
        if (tooLarge)
            *tooLarge = prefix.has_value();
        return std::nullopt;
    }
    return QByteArray(prefix->bytes.data(), qsizetype(prefix->bytes.size()));
}

QString pictureKind(const QByteArray& head) {
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("png");
    if (looksLikeSvg(head))
        return QStringLiteral("svg");
    return {};
}

Picture readPicture(const QString& path) {
    Picture picture;
    picture.source = path;
    const auto name = pictureName(QFileInfo(path).fileName());
    if (!name) {
        picture.problem = PictureProblem::BadName;
        return picture;
    }
    picture.icon = name->icon;
    picture.extension = name->extension;
    bool tooLarge = false;
    auto bytes = readSmallFile(path, kMaxPictureBytes, &tooLarge);
    if (!bytes) {
        picture.problem = tooLarge ? PictureProblem::TooLarge : PictureProblem::Unreadable;
        return picture;
    }
    picture.bytes = std::move(*bytes);
    const QString kind = pictureKind(picture.bytes);
    if (kind.isEmpty())
        picture.problem = PictureProblem::NotPngOrSvg;
    else if (kind != picture.extension)
        picture.problem = PictureProblem::WrongExtension;
    else if (kind == u"png" && picture.bytes.size() >= 24 && picture.bytes.mid(12, 4) == "IHDR") {
        picture.width = int(qMin<quint32>(bigEndian(picture.bytes, 16), 1 << 30));
        picture.height = int(qMin<quint32>(bigEndian(picture.bytes, 20), 1 << 30));
    }
    if (picture.problem != PictureProblem::None)
        picture.bytes.clear();
    return picture;
}

} // namespace icontheme
