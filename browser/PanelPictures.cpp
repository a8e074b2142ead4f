#include "browser/PanelPictures.h"

#include "library/Layout.h"
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
#include <functional>
#include <optional>
#include <system_error>
#include <thread>
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

// A set is drawn in parts at once from this many pictures a part, in at
// most so many parts.
constexpr std::size_t kPicturesPerPart = 8;
constexpr std::size_t kMostParts = 4;

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

std::vector<PanelPicture> setPictures(const std::string& libraryRoot, const std::string& item,
                                      const std::string& set,
                                      const std::function<bool(std::string_view)>& isPicture) {
    std::vector<std::string> paths;
    if (!set.empty()) {
        const std::string folder =
            platform::formatPath(library::kPictureSetPattern, {libraryRoot, item, set});
        for (const std::string& name : platform::fs::listFolder(folder))
            if (!library::isHiddenName(name) && isPicture(name))
                paths.push_back(folder + '/' + name);
    }
    return groupedPictures(paths);
}

std::vector<int> withTwice(std::vector<int> sides) {
    const std::size_t count = sides.size();
    for (std::size_t i = 0; i < count; ++i)
        sides.push_back(2 * sides[i]);
    std::sort(sides.begin(), sides.end());
    sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
    return sides;
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

namespace {

// A picture made ready once for one bar (its SVG recoloured and parsed, or
// its pixels decoded) and drawn from there at each side.
class PreparedPicture {
public:
    PreparedPicture(const QByteArray& bytes, bool symbolic, const BarInk& ink)
        : ink_(ink), inked_(!symbolic) {
        if (looksLikeSvg(bytes)) {
            const QByteArray recoloured = symbolic ? recolouredSvg(bytes, ink) : QByteArray();
            inked_ = inked_ || !recoloured.isEmpty();
            svg_.load(recoloured.isEmpty() ? bytes : recoloured);
            svg_.setAspectRatioMode(Qt::KeepAspectRatio);
            valid_ = svg_.isValid();
        } else {
            pixels_ = decoded(bytes);
            valid_ = !pixels_.isNull();
        }
    }

    QImage draw(int side, double ratio) {
        if (!valid_)
            return QImage();
        const int pixels = std::max(1, qRound(side * ratio));
        QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        if (pixels_.isNull()) {
            svg_.render(&painter, QRectF(0, 0, pixels, pixels));
        } else {
            // From the file's own pixels straight to the device's.
            const QImage fitted =
                pixels_.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            painter.drawImage((pixels - fitted.width()) / 2, (pixels - fitted.height()) / 2,
                              fitted);
        }
        if (!inked_) { // a symbolic picture that can only be recoloured as a whole
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(image.rect(), ink_.foreground);
        }
        painter.end();
        image.setDevicePixelRatio(ratio);
        return image;
    }

private:
    const BarInk& ink_;
    bool inked_;
    bool valid_ = false;
    QSvgRenderer svg_;
    QImage pixels_;
};

// The pictures from first up to end, each at every side on both bars.
void drawRange(PanelDrawing& drawing, std::size_t first, std::size_t end) {
    for (std::size_t i = first; i < end; ++i) {
        const PanelPicture& picture = drawing.pictures[i];
        const QByteArray bytes = readPicture(picture.path);
        PreparedPicture light(bytes, picture.symbolic, lightBarInk());
        // Only a symbolic picture differs between the bars.
        std::optional<PreparedPicture> dark;
        if (picture.symbolic)
            dark.emplace(bytes, true, darkBarInk());
        for (int side : drawing.sides) {
            drawing.light[i].push_back(light.draw(side, drawing.ratio));
            drawing.dark[i].push_back(dark ? dark->draw(side, drawing.ratio)
                                           : drawing.light[i].back());
        }
    }
}

} // namespace

QImage drawPicture(const QByteArray& bytes, bool symbolic, const BarInk& ink, int side,
                   double ratio) {
    return PreparedPicture(bytes, symbolic, ink).draw(side, ratio);
}

PanelDrawing drawPanelPictures(std::vector<PanelPicture> pictures, std::vector<int> sides,
                               double ratio) {
    PanelDrawing drawing{std::move(pictures), std::move(sides), ratio, {}, {}};
    const std::size_t count = drawing.pictures.size();
    drawing.light.resize(count);
    drawing.dark.resize(count);
    // A set of many pictures is drawn in parts at once, one per processor;
    // each part fills its own pictures' places.
    const std::size_t parts = std::clamp<std::size_t>(
        std::min<std::size_t>(count / kPicturesPerPart, std::thread::hardware_concurrency()), 1,
        kMostParts);
    std::vector<std::thread> others;
    std::vector<std::size_t> here{0}; // the parts drawn on this thread
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            others.emplace_back(drawRange, std::ref(drawing), count * part / parts,
                                count * (part + 1) / parts);
        } catch (const std::system_error&) { // no thread to be had (the user's limit)
            here.push_back(part);
        }
    }
    for (std::size_t part : here)
        drawRange(drawing, count * part / parts, count * (part + 1) / parts);
    for (std::thread& other : others)
        other.join();
    return drawing;
}

} // namespace browser
