// Which set an item shows, as the window asks when an item is chosen.
//   bench_inuse WORK_DIR
//     Menu Extras: an extra with 20 sets of 40 pictures of 4 KB. Makes the
//     library and the bundle in WORK_DIR when missing (the bundle then shows
//     the last set's pictures), then answers once and prints the answer.
//   bench_inuse choose THEME RUNS [ITEM]
//     Desktop mode, with the data folder and base directories of the
//     environment: the choice of the item (Volume unless named; In use and
//     the panel preview's drawing of its set "Bench", made from the theme's
//     pictures when missing), once
//     with nothing read yet and then RUNS times. Prints
//     "THEME[/ITEM] DIRS FIRST_MS MEDIAN_MS ANSWER".
//   bench_inuse wide BASE DIRS
//     Makes the theme "Wide" in BASE: DIRS directories of sizes 8 to 263,
//     every hundredth holding the Volume item's pictures.
#include "library/InUse.h"
#include "browser/PanelPictures.h"
#include "icontheme/BaseDirs.h"
#include "library/Layout.h"
#include "library/icontheme/IconThemeSystem.h"
#include "platform/core/FileManager.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = platform::fs;

std::string picture(int set, int index) {
    std::string bytes("II*\0", 4);
    bytes.resize(4096, static_cast<char>('a' + (set * 7 + index) % 26));
    return bytes;
}

int menuExtras(const std::string& work) {
    ::setenv("HOME", (work + "/home").c_str(), 1);
    ::setenv("TRAYSKIN_SYSROOT", (work + "/system").c_str(), 1);
    const std::string resources = library::menuExtrasFolder() + "/Bench.menu/Contents/Resources";
    if (!fs::exists(resources)) {
        fs::createDirectoryChain(resources);
        for (int set = 0; set < 20; ++set) {
            const std::string folder =
                library::libraryRoot() + "/Bench/Set" + std::to_string(10 + set);
            fs::createDirectoryChain(folder);
            for (int i = 0; i < 40; ++i) {
                const std::string name = "/Picture" + std::to_string(10 + i) + ".tif";
                fs::createFile(folder + name, picture(set, i));
                if (set == 19)
                    fs::createFile(resources + name, picture(set, i));
            }
        }
    }
    const library::InUse inUse = library::setInUse("Bench");
    std::printf("%s\n", inUse.kind == library::InUse::Kind::Set ? inUse.set.c_str() : "?");
    return inUse.kind == library::InUse::Kind::Set ? 0 : 1;
}

const char* const kVolume[] = {"audio-volume-high", "audio-volume-medium", "audio-volume-low",
                               "audio-volume-muted"};

int makeWide(const QString& base, int dirs) {
    const QString folder = base + QStringLiteral("/Wide");
    QByteArray index = "[Icon Theme]\nName=Wide\nDirectories=";
    QByteArray groups;
    for (int i = 0; i < dirs; ++i) {
        const QByteArray dir = "s" + QByteArray::number(i) + "/status";
        index += (i ? "," : "") + dir;
        groups += "[" + dir + "]\nSize=" + QByteArray::number(8 + i % 256) + "\nType=Fixed\n";
        QDir().mkpath(folder + u'/' + QString::fromLatin1(dir));
        if (i % 100 != 0)
            continue;
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(QColor::fromRgb(0x102030 + i));
        for (const char* icon : kVolume)
            image.save(folder + u'/' + QString::fromLatin1(dir) + u'/' + QString::fromLatin1(icon) +
                       QStringLiteral(".png"));
    }
    QFile file(folder + QStringLiteral("/index.theme"));
    return file.open(QIODevice::WriteOnly) && file.write(index + "\n" + groups) > 0 ? 0 : 1;
}

// The item chosen.
std::string item = "Volume";

// The set "Bench" of the item: the theme's own pictures of it.
void makeSet(library::IconThemeSystem& system) {
    const std::string set = system.libraryRoot() + '/' + item + "/Bench";
    if (fs::exists(set))
        return;
    fs::createDirectoryChain(set);
    const auto pictures = system.themePictures().value(QString::fromStdString(item));
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
        QFile::copy(it.value(), QString::fromStdString(set) + u'/' + it.key() + u'.' +
                                    QFileInfo(it.value()).suffix());
}

// What the window does when the item's set is chosen: In use on a thread of
// its own while the panel preview draws the set's pictures at the panel's
// sides and twice each, until both are there.
QString choose(library::IconThemeSystem& system) {
    library::InUse inUse;
    std::thread worker([&inUse, task = system.inUseTask(item)] { inUse = task(); });
    const browser::PanelDrawing drawing = browser::drawPanelPictures(
        browser::setPictures(system.libraryRoot(), item, "Bench",
                             [&system](std::string_view name) { return system.isPicture(name); }),
        browser::withTwice(system.panelSides()), 1.0);
    worker.join();
    if (drawing.light.empty() || drawing.light.front().empty() ||
        drawing.light.front().front().isNull())
        return QStringLiteral("no-preview");
    return inUse.kind == library::InUse::Kind::Set ? QString::fromStdString(inUse.set)
                                                   : QStringLiteral("not-a-set");
}

int chooseItem(const QString& theme, int runs) {
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    const QString dataHome = dirs.userIcons.chopped(6); // less "/icons"
    auto system = std::make_shared<library::IconThemeSystem>(dirs, theme, dataHome);
    makeSet(*system);
    const auto indexed = icontheme::IconThemes(dirs.bases).theme(theme);
    const qsizetype dirCount = indexed ? indexed->index.dirs.size() : 0;
    // A system of its own, so that nothing read by makeSet counts.
    system = std::make_shared<library::IconThemeSystem>(dirs, theme, dataHome);
    QElapsedTimer timer;
    timer.start();
    QString answer = choose(*system);
    const double first = double(timer.nsecsElapsed()) / 1e6;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        timer.restart();
        answer = choose(*system);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const std::string label =
        item == "Volume" ? theme.toStdString() : theme.toStdString() + '/' + item;
    std::printf("%s %lld %.2f %.2f %s\n", label.c_str(), static_cast<long long>(dirCount), first,
                times.empty() ? first : times[times.size() / 2], qPrintable(answer));
    return answer == u"Bench" ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2)
        return menuExtras(argv[1]);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argc > 1 ? argv[1] : "");
    if (argc == 5 && mode == u"choose")
        item = argv[4];
    if ((argc == 4 || argc == 5) && mode == u"choose")
        return chooseItem(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc == 4 && mode == u"wide")
        return makeWide(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    std::fprintf(
        stderr, "usage: bench_inuse WORK_DIR | choose THEME RUNS [ITEM] | wide BASE DIRECTORIES\n");
    return 2;
}
