// Draws every picture that Trayskin ships or tests with: the example sets of
// the application bundle, the default icon, and the made-up Menu Extras
// folder of the sandbox and the benchmarks. Nothing here is taken from any
// other program; every picture is painted below.
//
//   artgen examples <included-folder>
//   artgen desktop-examples <folder>   SVG sets of desktop mode
//   artgen icon <file.png>
//   artgen appicons <dir>      trayskin-<side>.png, the application icon
//   artgen sandbox <system-root>
//   artgen menuextras <folder> <bundles> <pictures-per-bundle>

#include "resources/artgen/AppIcons.h"
#include "resources/artgen/DesktopExamples.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct Style {
    QColor ink;
    QColor fill;
    QColor accent;
};

enum class Motif { Speaker, Battery, Clock, Display, Eject, Generic };

// One picture of a Menu Extra: its motif and a level (a volume step, a charge,
// an hour) so that the pictures of one bundle differ from each other.
void paintMotif(QPainter& p, Motif motif, int level, const Style& s, double w, double h) {
    p.setRenderHint(QPainter::Antialiasing);
    const double u = std::min(w, h) / 22.0;
    QPen pen(s.ink, 1.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (motif) {
    case Motif::Speaker: {
        QPainterPath body;
        body.moveTo(3 * u, 8 * u);
        body.lineTo(7 * u, 8 * u);
        body.lineTo(12 * u, 3.5 * u);
        body.lineTo(12 * u, 18.5 * u);
        body.lineTo(7 * u, 14 * u);
        body.lineTo(3 * u, 14 * u);
        body.closeSubpath();
        p.setBrush(s.fill);
        p.drawPath(body);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(s.accent, 1.5 * u, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < level % 4; ++i) {
            double r = (3.5 + 3.0 * i) * u;
            p.drawArc(QRectF(12 * u - r, 11 * u - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
        break;
    }
    case Motif::Battery: {
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2 * u, 6 * u, 16 * u, 10 * u), 2 * u, 2 * u);
        p.setBrush(s.ink);
        p.drawRect(QRectF(18.5 * u, 9 * u, 1.5 * u, 4 * u));
        double charge = 13.0 * u * ((level % 5) + 1) / 5.0;
        p.setPen(Qt::NoPen);
        p.setBrush(level % 5 == 0 ? s.accent : s.fill);
        p.drawRect(QRectF(3.5 * u, 7.5 * u, charge, 7 * u));
        break;
    }
    case Motif::Clock: {
        p.setBrush(s.fill);
        p.drawEllipse(QRectF(2 * u, 2 * u, 18 * u, 18 * u));
        p.setPen(QPen(s.ink, 1.8 * u, Qt::SolidLine, Qt::RoundCap));
        QPointF c(11 * u, 11 * u);
        double hour = (level % 12) * M_PI / 6.0;
        p.drawLine(c, c + QPointF(std::sin(hour) * 5 * u, -std::cos(hour) * 5 * u));
        p.setPen(QPen(s.accent, 1.2 * u, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(0, -7.5 * u));
        break;
    }
    case Motif::Display: {
        p.setBrush(s.fill);
        p.drawRoundedRect(QRectF(2 * u, 3 * u, 18 * u, 12 * u), 1.5 * u, 1.5 * u);
        p.drawLine(QPointF(11 * u, 15 * u), QPointF(11 * u, 18 * u));
        p.drawLine(QPointF(7 * u, 19 * u), QPointF(15 * u, 19 * u));
        p.setPen(Qt::NoPen);
        p.setBrush(s.accent);
        p.drawEllipse(QPointF((5 + (level % 4) * 4) * u, 9 * u), 1.6 * u, 1.6 * u);
        break;
    }
    case Motif::Eject: {
        QPainterPath tri;
        tri.moveTo(11 * u, 3 * u);
        tri.lineTo(19 * u, 13 * u);
        tri.lineTo(3 * u, 13 * u);
        tri.closeSubpath();
        p.setBrush(level % 2 ? s.accent : s.fill);
        p.drawPath(tri);
        p.drawRect(QRectF(3 * u, 16 * u, 16 * u, 3 * u));
        break;
    }
    case Motif::Generic: {
        p.setBrush(s.fill);
        p.drawRoundedRect(QRectF(3 * u, 3 * u, 16 * u, 16 * u), 3 * u, 3 * u);
        p.setPen(QPen(s.accent, 2 * u));
        p.drawLine(QPointF(6 * u, (6 + level % 10) * u), QPointF(16 * u, (6 + level % 10) * u));
        break;
    }
    }
}

bool writePicture(const QString& path, Motif motif, int level, const Style& s, int w = 22,
                  int h = 22) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintMotif(p, motif, level, s, w, h);
    }
    QImageWriter writer(path, "tiff");
    if (!writer.write(image)) {
        std::fprintf(stderr, "artgen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(text) == text.size();
}

bool makePath(const QString& path) {
    if (!QDir().mkpath(path)) {
        std::fprintf(stderr, "artgen: cannot make %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct Extra {
    const char* name;
    Motif motif;
    const char* picturePrefix;
    int pictures;
};

// The Menu Extras of the made-up system folder, with the names of their
// pictures. The example sets replace pictures of the same names.
const Extra kExtras[] = {
    {"Volume", Motif::Speaker, "Volume", 4},   {"Displays", Motif::Display, "Displays", 3},
    {"Battery", Motif::Battery, "Battery", 5}, {"Clock", Motif::Clock, "Clock", 4},
    {"Eject", Motif::Eject, "Eject", 2},
};

const Style kSystemStyle{QColor(30, 30, 30), QColor(80, 80, 80), QColor(30, 30, 30)};

QString pictureName(const Extra& e, int i) {
    return QStringLiteral("%1%2.tif").arg(QString::fromUtf8(e.picturePrefix)).arg(i + 1);
}

struct ExampleSet {
    const char* extra;
    const char* name;
    Style style;
    const char* info;
};

const ExampleSet kExamples[] = {
    {"Volume",
     "Ocean",
     {QColor(10, 60, 120), QColor(70, 150, 220), QColor(20, 110, 200)},
     "Ocean\nCalm blue speakers with sea-green waves.\n"},
    {"Volume",
     "Ember",
     {QColor(110, 30, 10), QColor(240, 140, 60), QColor(220, 60, 20)},
     "Ember\nWarm orange speakers for late evenings.\n"},
    {"Battery",
     "Leaf",
     {QColor(20, 80, 30), QColor(110, 200, 90), QColor(210, 60, 40)},
     "Leaf\nA green battery that turns red when it runs low.\n"},
    {"Clock",
     "Chalk",
     {QColor(240, 240, 235), QColor(60, 70, 70), QColor(250, 200, 60)},
     "Chalk\nA dark clock face drawn in chalk, with a yellow hand.\n"},
};

const Extra* findExtra(const char* name) {
    for (const auto& e : kExtras)
        if (qstrcmp(e.name, name) == 0)
            return &e;
    return nullptr;
}

bool makeExamples(const QString& included) {
    for (const auto& set : kExamples) {
        const Extra* extra = findExtra(set.extra);
        QString folder = included + QLatin1Char('/') + QString::fromUtf8(set.extra) +
                         QLatin1Char('/') + QString::fromUtf8(set.name);
        if (!makePath(folder))
            return false;
        for (int i = 0; i < extra->pictures; ++i)
            if (!writePicture(folder + QLatin1Char('/') + pictureName(*extra, i), extra->motif, i,
                              set.style))
                return false;
        if (!writeText(folder + QStringLiteral("/trayskininfo.txt"), QByteArray(set.info)))
            return false;
    }
    return true;
}

// A bundle of the made-up Menu Extras folder: its pictures, two names that
// look like pictures but are not, and a localisation folder.
bool makeBundle(const QString& menuExtras, const Extra& e, int pictures, int size) {
    QString resources = menuExtras + QLatin1Char('/') + QString::fromUtf8(e.name) +
                        QStringLiteral(".menu/Contents/Resources");
    if (!makePath(resources + QStringLiteral("/English.lproj")))
        return false;
    for (int i = 0; i < pictures; ++i) {
        if (!writePicture(resources + QLatin1Char('/') + pictureName(e, i), e.motif, i,
                          kSystemStyle, size, size))
            return false;
    }
    QString prefix = resources + QLatin1Char('/') + QString::fromUtf8(e.picturePrefix);
    return writePicture(prefix + QStringLiteral("Big.TIF"), e.motif, 1, kSystemStyle) &&
           writePicture(prefix + QStringLiteral("1.tif.bak"), e.motif, 2, kSystemStyle) &&
           writeText(resources + QStringLiteral("/English.lproj/Localizable.strings"),
                     QByteArray("\"Menu\" = \"Menu\";\n")) &&
           writeText(menuExtras + QLatin1Char('/') + QString::fromUtf8(e.name) +
                         QStringLiteral(".menu/Contents/Info.plist"),
                     QByteArray("<plist/>\n"));
}

bool makeSandbox(const QString& sysroot) {
    QString menuExtras = sysroot + QStringLiteral("/System/Library/CoreServices/Menu Extras");
    if (!makePath(menuExtras))
        return false;
    for (const auto& e : kExtras)
        if (!makeBundle(menuExtras, e, e.pictures, 22))
            return false;
    // An entry that is not a Menu Extra bundle.
    if (!writeText(menuExtras + QStringLiteral("/ReadMe.txt"),
                   QByteArray("Menu Extras of the Trayskin sandbox.\n")))
        return false;
    const char* panes[] = {"Sound", "Displays", "EnergySaver", "DateAndTime"};
    for (const char* pane : panes) {
        QString folder = sysroot + QStringLiteral("/System/Library/PreferencePanes/") +
                         QString::fromUtf8(pane) + QStringLiteral(".prefPane/Contents");
        if (!makePath(folder) ||
            !writeText(folder + QStringLiteral("/Info.plist"), QByteArray("<plist/>\n")))
            return false;
    }
    return true;
}

// A large Menu Extras folder for the benchmarks: bundles of 64 x 64 pictures
// with a nested localisation tree each.
bool makeMenuExtras(const QString& folder, int bundles, int pictures) {
    for (int b = 0; b < bundles; ++b) {
        Extra e{nullptr, static_cast<Motif>(b % 6), "Picture", pictures};
        QByteArray name = "Extra" + QByteArray::number(b);
        e.name = name.constData();
        if (!makeBundle(folder, e, pictures, 72))
            return false;
        QString nested = folder + QLatin1Char('/') + QString::fromUtf8(name) +
                         QStringLiteral(".menu/Contents/Resources/German.lproj/Sub");
        if (!makePath(nested) ||
            !writeText(nested + QStringLiteral("/notes.txt"), QByteArray(2048, 'x')))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    if (args.size() == 3 && args[1] == QStringLiteral("examples"))
        ok = makeExamples(args[2]);
    else if (args.size() == 3 && args[1] == QStringLiteral("desktop-examples"))
        ok = makeDesktopExamples(args[2]);
    else if (args.size() == 3 && args[1] == QStringLiteral("icon"))
        ok = makeIcon(args[2]);
    else if (args.size() == 3 && args[1] == QStringLiteral("appicons"))
        ok = makeAppIcons(args[2]);
    else if (args.size() == 3 && args[1] == QStringLiteral("sandbox"))
        ok = makeSandbox(args[2]);
    else if (args.size() == 5 && args[1] == QStringLiteral("menuextras"))
        ok = makeMenuExtras(args[2], args[3].toInt(), args[4].toInt());
    else
        std::fprintf(stderr, "usage: artgen examples DIR | desktop-examples DIR | icon FILE | "
                             "appicons DIR | sandbox ROOT | "
                             "menuextras DIR BUNDLES PICTURES\n");
    return ok ? 0 : 1;
}
