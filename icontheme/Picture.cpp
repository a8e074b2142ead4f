#include "icontheme/Picture.h"

#include "icontheme/StatusItems.h"

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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        picture.problem = PictureProblem::Unreadable;
        return picture;
    }
    picture.bytes = file.read(kMaxPictureBytes + 1);
    if (picture.bytes.size() > kMaxPictureBytes) {
        picture.bytes.clear();
        picture.problem = PictureProblem::TooLarge;
        return picture;
    }
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
