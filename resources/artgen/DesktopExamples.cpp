// The example sets of desktop mode: SVG pictures named by the icon names a
// panel asks for, in colour for the plain names and in one grey for the
// -symbolic names (which the desktop recolours). All drawn here.
#include "resources/artgen/DesktopExamples.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

struct Palette {
    QString ink, fill, accent;
};

// The grey that GTK recolours in symbolic pictures.
const Palette kSymbolic{QStringLiteral("#2e3436"), QStringLiteral("#2e3436"),
                        QStringLiteral("#2e3436")};

QString svg(const QString& body) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" "
                          "viewBox=\"0 0 16 16\">\n") +
           body + QStringLiteral("</svg>\n");
}

// A speaker with 0 to 3 waves, or crossed out when muted.
QString speaker(int waves, bool muted, const Palette& p) {
    QString body =
        QStringLiteral("<path d=\"M1 5.5h3l4-3.5v12l-4-3.5H1z\" fill=\"%1\" "
                       "stroke=\"%2\" stroke-width=\"0.8\" stroke-linejoin=\"round\"/>\n")
            .arg(p.fill, p.ink);
    for (int i = 0; i < waves; ++i) {
        const double r = 2.2 + 2.0 * i;
        body += QStringLiteral("<path d=\"M%1 %2a%3 %3 0 0 1 0 %4\" fill=\"none\" stroke=\"%5\" "
                               "stroke-width=\"1.2\" stroke-linecap=\"round\"/>\n")
                    .arg(9.0 + 0.2 * i)
                    .arg(8.0 - r)
                    .arg(r)
                    .arg(2 * r)
                    .arg(p.accent);
    }
    if (muted)
        body +=
            QStringLiteral("<path d=\"M10 5.5l5 5m0-5l-5 5\" stroke=\"%1\" stroke-width=\"1.4\" "
                           "stroke-linecap=\"round\"/>\n")
                .arg(p.accent);
    return svg(body);
}

// A battery charged from 0 to 4 quarters.
QString battery(int quarters, const Palette& p) {
    QString body = QStringLiteral("<rect x=\"1\" y=\"4.5\" width=\"12\" height=\"7\" rx=\"1.5\" "
                                  "fill=\"none\" stroke=\"%1\" stroke-width=\"1\"/>\n"
                                  "<rect x=\"13.5\" y=\"6.5\" width=\"1.5\" height=\"3\" "
                                  "fill=\"%1\"/>\n")
                       .arg(p.ink);
    if (quarters > 0)
        body += QStringLiteral("<rect x=\"2.5\" y=\"6\" width=\"%1\" height=\"4\" fill=\"%2\"/>\n")
                    .arg(2.25 * quarters)
                    .arg(quarters == 1 ? p.accent : p.fill);
    return svg(body);
}

// A wireless fan with 0 to 4 bars lit, a plug for wired, a cross for offline.
QString network(int bars, bool wired, bool offline, const Palette& p) {
    QString body;
    if (wired) {
        body = QStringLiteral("<rect x=\"3\" y=\"2\" width=\"10\" height=\"8\" rx=\"1\" "
                              "fill=\"%1\"/>\n<path d=\"M8 10v4M5 14h6\" stroke=\"%2\" "
                              "stroke-width=\"1.4\"/>\n")
                   .arg(p.fill, p.ink);
    } else {
        for (int i = 0; i < 4; ++i) {
            const double r = 3.0 + 3.0 * i;
            const bool lit = i < bars;
            body += QStringLiteral("<path d=\"M%1 %2A%3 %3 0 0 1 %4 %2\" fill=\"none\" "
                                   "stroke=\"%5\" stroke-width=\"1.4\" stroke-linecap=\"round\" "
                                   "opacity=\"%6\"/>\n")
                        .arg(8.0 - r * 0.7)
                        .arg(14.0 - r * 0.7)
                        .arg(r)
                        .arg(8.0 + r * 0.7)
                        .arg(lit ? p.accent : p.ink)
                        .arg(lit ? 1.0 : 0.35);
        }
        body += QStringLiteral("<circle cx=\"8\" cy=\"13.5\" r=\"1.3\" fill=\"%1\"/>\n").arg(p.ink);
    }
    if (offline)
        body += QStringLiteral("<path d=\"M2 2l12 12\" stroke=\"%1\" stroke-width=\"1.4\"/>\n")
                    .arg(p.accent);
    return svg(body);
}

struct Picture {
    QString icon;
    QString text;
};

QList<Picture> volume(const Palette& p, const QString& suffix) {
    return {{QStringLiteral("audio-volume-high") + suffix, speaker(3, false, p)},
            {QStringLiteral("audio-volume-medium") + suffix, speaker(2, false, p)},
            {QStringLiteral("audio-volume-low") + suffix, speaker(1, false, p)},
            {QStringLiteral("audio-volume-muted") + suffix, speaker(0, true, p)}};
}

QList<Picture> batteries(const Palette& p, const QString& suffix) {
    return {{QStringLiteral("battery-full") + suffix, battery(4, p)},
            {QStringLiteral("battery-good") + suffix, battery(3, p)},
            {QStringLiteral("battery-low") + suffix, battery(2, p)},
            {QStringLiteral("battery-caution") + suffix, battery(1, p)},
            {QStringLiteral("battery-empty") + suffix, battery(0, p)}};
}

QList<Picture> networks(const Palette& p, const QString& suffix) {
    return {
        {QStringLiteral("network-wireless-signal-excellent") + suffix, network(4, false, false, p)},
        {QStringLiteral("network-wireless-signal-good") + suffix, network(3, false, false, p)},
        {QStringLiteral("network-wireless-signal-ok") + suffix, network(2, false, false, p)},
        {QStringLiteral("network-wireless-signal-weak") + suffix, network(1, false, false, p)},
        {QStringLiteral("network-wireless-signal-none") + suffix, network(0, false, false, p)},
        {QStringLiteral("network-wired") + suffix, network(0, true, false, p)},
        {QStringLiteral("network-offline") + suffix, network(0, true, true, p)}};
}

struct DesktopSet {
    const char* item;
    const char* name;
    Palette palette;
    QList<Picture> (*pictures)(const Palette&, const QString&);
    const char* info;
};

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

bool makeDesktopExamples(const QString& folder) {
    const DesktopSet sets[] = {
        {"Volume",
         "Ocean",
         {QStringLiteral("#0a3c78"), QStringLiteral("#4696dc"), QStringLiteral("#146ec8")},
         volume,
         "Ocean\nCalm blue speakers with sea-green waves.\n"},
        {"Volume",
         "Ember",
         {QStringLiteral("#6e1e0a"), QStringLiteral("#f08c3c"), QStringLiteral("#dc3c14")},
         volume,
         "Ember\nWarm orange speakers for late evenings.\n"},
        {"Battery",
         "Leaf",
         {QStringLiteral("#14501e"), QStringLiteral("#6ec85a"), QStringLiteral("#d23c28")},
         batteries,
         "Leaf\nA green battery that turns red when it runs low.\n"},
        {"Battery",
         "Slate",
         {QStringLiteral("#3c4650"), QStringLiteral("#8c9baa"), QStringLiteral("#e6a019")},
         batteries,
         "Slate\nA grey battery with an amber warning.\n"},
        {"Network",
         "Beacon",
         {QStringLiteral("#283c50"), QStringLiteral("#5a8cbe"), QStringLiteral("#1e9664")},
         networks,
         "Beacon\nGreen waves on a dark mast.\n"},
        {"Network",
         "Dusk",
         {QStringLiteral("#50283c"), QStringLiteral("#b46e8c"), QStringLiteral("#e6783c")},
         networks,
         "Dusk\nEvening colours, orange where the signal is.\n"},
    };
    for (const DesktopSet& set : sets) {
        const QString dir =
            folder + u'/' + QString::fromUtf8(set.item) + u'/' + QString::fromUtf8(set.name);
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "artgen: cannot make %s\n", qPrintable(dir));
            return false;
        }
        QList<Picture> pictures = set.pictures(set.palette, QString());
        pictures += set.pictures(kSymbolic, QStringLiteral("-symbolic"));
        for (const Picture& picture : pictures)
            if (!write(dir + u'/' + picture.icon + QStringLiteral(".svg"), picture.text.toUtf8()))
                return false;
        if (!write(dir + QStringLiteral("/trayskininfo.txt"), QByteArray(set.info)))
            return false;
    }
    return true;
}
