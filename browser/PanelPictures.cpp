#include "browser/PanelPictures.h"

#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <unistd.h>

namespace browser {

const BarInk& lightBarInk() {
    // Adwaita's window and text colours and its state colours.
    static const BarInk ink{QColor(0xf6, 0xf5, 0xf4), QColor(0x2e, 0x34, 0x36),
                            QColor(0x33, 0xd1, 0x7a), QColor(0xf5, 0x79, 0x00),
                            QColor(0xcc, 0x00, 0x00)};
    return ink;
}

const BarInk& darkBarInk() {
    static const BarInk ink{QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xec),
                            QColor(0x26, 0xab, 0x62), QColor(0xf5, 0x79, 0x00),
                            QColor(0xcc, 0x00, 0x00)};
    return ink;
}

namespace {

const QString kSymbolicEndings[] = {QStringLiteral(".symbolic"), QStringLiteral("-symbolic-ltr"),
                                    QStringLiteral("-symbolic-rtl"), QStringLiteral("-symbolic")};

bool looksLikeSvg(const QByteArray& bytes) {
    const QByteArray head = bytes.left(4096).trimmed();
    return head.startsWith("<svg") ||
           ((head.startsWith("<?xml") || head.startsWith("<!")) && head.contains("<svg"));
}

// The ink of an element's own class ("success", "warning", "error"), else
// the text colour.
QString inkOf(QStringView classes, const BarInk& ink) {
    for (QStringView word : classes.split(u' ', Qt::SkipEmptyParts)) {
        if (word == u"success")
            return ink.success.name();
        if (word == u"warning")
            return ink.warning.name();
        if (word == u"error")
            return ink.error.name();
    }
    return ink.foreground.name();
}

bool isPaint(QStringView property, QStringView value) {
    return (property == u"fill" || property == u"stroke") && value.trimmed() != u"none";
}

// A style attribute with each painted fill and stroke in the colour; whether
// it names a fill comes back in *fill.
QString inkedStyle(QStringView style, const QString& colour, bool* fill) {
    QStringList declarations;
    for (QStringView declaration : style.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = declaration.indexOf(u':');
        const QStringView property = declaration.left(colon).trimmed();
        *fill = *fill || (colon > 0 && property == u"fill");
        declarations.append(colon > 0 && isPaint(property, declaration.mid(colon + 1))
                                ? property.toString() + u':' + colour
                                : declaration.toString());
    }
    return declarations.join(u';');
}

void writeInkedElement(const QXmlStreamReader& reader, QXmlStreamWriter& writer, const BarInk& ink,
                       bool root) {
    const QString colour = inkOf(reader.attributes().value(QStringLiteral("class")), ink);
    const bool ownClass = colour != ink.foreground.name();
    writer.writeStartElement(reader.qualifiedName().toString());
    bool fill = false;
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        const QString name = attribute.qualifiedName().toString();
        fill = fill || name == u"fill";
        if (name == u"style")
            writer.writeAttribute(name, inkedStyle(attribute.value(), colour, &fill));
        else
            writer.writeAttribute(
                name, isPaint(name, attribute.value()) ? colour : attribute.value().toString());
    }
    // What is painted without a fill of its own takes the root's or its class's.
    if (!fill && (root || ownClass))
        writer.writeAttribute(QStringLiteral("fill"), colour);
}

QImage decoded(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(64);
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.width() > 4096 || declared.height() > 4096)
        return QImage();
    return reader.read();
}

QByteArray readPicture(const std::string& path) {
    long long size = 0;
    const int fd = platform::fs::openForReading(path, &size);
    QFile file;
    if (fd < 0 || size > kMostPictureBytes ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return QByteArray();
    }
    return file.read(kMostPictureBytes);
}

} // namespace

bool isSymbolicPicture(const std::string& path) {
    const std::string name = platform::lastPathComponent(path);
    const std::string stem = platform::deletingPathExtension(name);
    return name.ends_with(".symbolic.png") || stem.ends_with("-symbolic") ||
           stem.ends_with("-symbolic-ltr") || stem.ends_with("-symbolic-rtl");
}

std::vector<PanelPicture> groupedPictures(const std::vector<std::string>& paths) {
    std::vector<PanelPicture> pictures;
    for (const std::string& path : paths) {
        PanelPicture picture{path,
                             QString::fromStdString(platform::deletingPathExtension(
                                 platform::lastPathComponent(path))),
                             {},
                             isSymbolicPicture(path)};
        picture.group = picture.icon;
        for (const QString& ending : kSymbolicEndings)
            if (picture.symbolic && picture.group.endsWith(ending)) {
                picture.group.chop(ending.size());
                break;
            }
        pictures.push_back(std::move(picture));
    }
    std::stable_sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) {
        return std::tie(a.group, a.symbolic, a.icon, a.path) <
               std::tie(b.group, b.symbolic, b.icon, b.path);
    });
    return pictures;
}

QByteArray recolouredSvg(const QByteArray& svg, const BarInk& ink) {
    QXmlStreamReader reader(svg);
    // Prefixes and namespace declarations pass through as they are written.
    reader.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    // A style sheet's painted fills and strokes too.
    static const QRegularExpression sheetPaint(
        QStringLiteral("\\b(fill|stroke)\\s*:\\s*(?!none\\b)[^;}!]+"));
    bool root = true, inSheet = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            writeInkedElement(reader, writer, ink, root);
            root = false;
            inSheet = reader.name() == u"style";
        } else if (token == QXmlStreamReader::Characters && inSheet) {
            writer.writeCharacters(reader.text().toString().replace(
                sheetPaint, QStringLiteral("\\1:") + ink.foreground.name()));
        } else if (!reader.hasError()) {
            inSheet = false;
            writer.writeCurrentToken(reader);
        }
    }
    return reader.hasError() ? QByteArray() : out;
}

QImage drawPicture(const QByteArray& bytes, bool symbolic, const BarInk& ink, int side,
                   double ratio) {
    const int pixels = std::max(1, qRound(side * ratio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    bool inked = !symbolic;
    if (looksLikeSvg(bytes)) {
        const QByteArray recoloured = symbolic ? recolouredSvg(bytes, ink) : QByteArray();
        inked = inked || !recoloured.isEmpty();
        QSvgRenderer renderer(recoloured.isEmpty() ? bytes : recoloured);
        if (!renderer.isValid())
            return QImage();
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    } else {
        const QImage decodedPixels = decoded(bytes);
        if (decodedPixels.isNull())
            return QImage();
        // From the file's own pixels straight to the device's.
        const QImage fitted =
            decodedPixels.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage((pixels - fitted.width()) / 2, (pixels - fitted.height()) / 2, fitted);
    }
    if (!inked) { // a symbolic picture that can only be recoloured as a whole
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), ink.foreground);
    }
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

PanelDrawing drawPanelPictures(std::vector<PanelPicture> pictures, std::vector<int> sides,
                               double ratio) {
    PanelDrawing drawing{std::move(pictures), std::move(sides), ratio, {}, {}};
    for (const PanelPicture& picture : drawing.pictures) {
        const QByteArray bytes = readPicture(picture.path);
        auto& light = drawing.light.emplace_back();
        auto& dark = drawing.dark.emplace_back();
        for (int side : drawing.sides) {
            light.push_back(drawPicture(bytes, picture.symbolic, lightBarInk(), side, ratio));
            // Only a symbolic picture differs between the bars.
            dark.push_back(picture.symbolic ? drawPicture(bytes, true, darkBarInk(), side, ratio)
                                            : light.back());
        }
    }
    return drawing;
}

} // namespace browser
