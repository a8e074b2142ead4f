#include "resources/artgen/AppIcons.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

bool makeIcon(const QString& file) {
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath page;
        page.moveTo(28, 10);
        page.lineTo(78, 10);
        page.lineTo(102, 34);
        page.lineTo(102, 118);
        page.lineTo(28, 118);
        page.closeSubpath();
        p.setPen(QPen(QColor(90, 100, 110), 3));
        p.setBrush(QColor(245, 247, 250));
        p.drawPath(page);
        p.setBrush(QColor(205, 212, 220));
        QPainterPath fold;
        fold.moveTo(78, 10);
        fold.lineTo(78, 34);
        fold.lineTo(102, 34);
        fold.closeSubpath();
        p.drawPath(fold);
        p.setPen(QPen(QColor(150, 160, 172), 4, Qt::SolidLine, Qt::RoundCap));
        for (int y = 56; y <= 98; y += 14)
            p.drawLine(42, y, 88, y);
    }
    return image.save(file, "PNG");
}

namespace {

// The application icon of resources/icons/trayskin.svg, drawn with the same
// shapes at the given side: a menu bar with three status items above a stack
// of picture sets.
QImage drawAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 256.0, side / 256.0);
    QLinearGradient back(0, 8, 0, 248);
    back.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
    back.setColorAt(1, QColor(0x1d, 0x4f, 0x91));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setBrush(QColor(0xf4, 0xf6, 0xfa));
    p.drawRoundedRect(QRectF(28, 40, 200, 44), 10, 10);
    const QColor ink(0x24, 0x30, 0x3f);
    QPainterPath speaker;
    speaker.moveTo(52, 56);
    speaker.lineTo(62, 56);
    speaker.lineTo(74, 47);
    speaker.lineTo(74, 77);
    speaker.lineTo(62, 68);
    speaker.lineTo(52, 68);
    speaker.closeSubpath();
    p.setBrush(ink);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 5));
    p.drawRoundedRect(QRectF(104, 52, 38, 20), 4, 4);
    p.drawEllipse(QPointF(190, 62), 15, 15);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({QPointF(190, 52), QPointF(190, 62), QPointF(198, 62)}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(142, 57, 5, 10));
    p.setBrush(QColor(0x2f, 0x9e, 0x44));
    p.drawRect(QRectF(109, 57, 20, 10));
    p.setBrush(QColor(0x9c, 0xc3, 0xf5));
    p.drawRoundedRect(QRectF(60, 118, 136, 96), 12, 12);
    p.setBrush(QColor(0xcf, 0xe2, 0xfb));
    p.drawRoundedRect(QRectF(48, 130, 136, 96), 12, 12);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(36, 142, 136, 96), 12, 12);
    QPainterPath hills;
    hills.moveTo(60, 214);
    hills.lineTo(90, 178);
    hills.lineTo(112, 202);
    hills.lineTo(128, 186);
    hills.lineTo(154, 214);
    hills.closeSubpath();
    p.setBrush(QColor(0x3a, 0x7b, 0xd5));
    p.drawPath(hills);
    p.setBrush(QColor(0xf5, 0xa5, 0x24));
    p.drawEllipse(QPointF(140, 170), 10, 10);
    return image;
}

} // namespace

bool makeAppIcons(const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "artgen: cannot make %s\n", qPrintable(dir));
        return false;
    }
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        if (!drawAppIcon(side).save(QStringLiteral("%1/trayskin-%2.png").arg(dir).arg(side)))
            return false;
    }
    return true;
}
