// The cost of one click in the library browser, whatever the files hold:
//   bench_click BUNDLE WORK_DIR CASE
// CASE is one of
//   plain        a set of one small picture and a short description (the baseline)
//   info         a set whose description is 200 MB
//   packed-set   a set whose one picture is a small file of 4000 x 4000 pixels
//   packed-file  that picture itself
//   many         a set of 50,000 pictures
// The library is made in WORK_DIR when missing (CASE "make" makes it and
// does nothing else). The program starts as it does
// for a user (offscreen), selects the item and clicks: the inspector, its
// well, the "in use" label and the preview are made and drawn (after one
// click on the small set, which pays what only a first click costs). Prints
// "CASE MS KB": the click's time in milliseconds and how far the process's
// peak memory (getrusage) rose above what it held before the click.
#include "app/AppController.h"
#include "library/Layout.h"
#include "library/SystemChoice.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/widgets/ColumnBrowser.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QMainWindow>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = platform::fs;

namespace {

std::string tiny() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "TIFF");
    return bytes.toStdString();
}

void makeLibrary(const std::string& work) {
    const std::string resources = library::menuExtrasFolder() + "/Bench.menu/Contents/Resources";
    if (fs::exists(resources))
        return;
    const std::string root = library::libraryRoot() + "/Bench";
    fs::createDirectoryChain(root + "/Plain");
    fs::createFile(root + "/Plain/trayskininfo.txt", "A small set.\n");
    fs::createFile(root + "/Plain/Picture.tif", tiny());

    fs::createDirectoryChain(root + "/Info");
    {
        std::ofstream out(root + "/Info/trayskininfo.txt", std::ios::binary);
        const std::string line = "A description that goes on for two hundred megabytes.\n";
        for (std::size_t written = 0; written < 200u * 1024 * 1024; written += line.size())
            out << line;
    }
    fs::createDirectoryChain(root + "/Packed");
    fs::createFile(root + "/Packed/trayskininfo.txt", "One picture of many pixels.\n");
    {
        QImage big(4000, 4000, QImage::Format_RGB32);
        big.fill(Qt::darkBlue);
        QImageWriter writer(QString::fromStdString(root + "/Packed/Picture.tif"), "tiff");
        writer.setCompression(1);
        writer.write(big);
    }
    fs::createDirectoryChain(root + "/Many");
    fs::createFile(root + "/Many/trayskininfo.txt", "Fifty thousand pictures.\n");
    const std::string picture = tiny();
    for (int i = 0; i < 50000; ++i)
        fs::createFile(root + "/Many/Picture" + std::to_string(100000 + i) + ".tif", picture);
    fs::createDirectoryChain(resources);
    fs::createFile(resources + "/Picture.tif", picture);
    (void)work;
}

long residentKB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long peakKB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_click BUNDLE WORK_DIR CASE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string work = argv[2];
    const std::string which = argv[3];
    ::setenv("HOME", (work + "/home").c_str(), 1);
    ::setenv("TRAYSKIN_SYSROOT", (work + "/system").c_str(), 1);
    QApplication app(argc, argv);
    platform::bundle::setMainBundlePath(argv[1]);
    makeLibrary(work);
    // Making the library costs memory of its own: a run of its own.
    if (which == "make")
        return 0;

    const std::map<std::string, std::string> paths = {
        {"plain", "/Bench/Plain"},       {"info", "/Bench/Info"},
        {"packed-set", "/Bench/Packed"}, {"packed-file", "/Bench/Packed/Picture.tif"},
        {"many", "/Bench/Many"},
    };
    const auto found = paths.find(which);
    if (found == paths.end()) {
        std::fprintf(stderr, "unknown case %s\n", which.c_str());
        return 2;
    }

    AppController controller;
    controller.setTerminator([](int status) { std::exit(status == 0 ? 3 : status); });
    controller.awakeFromNib(library::chooseSystem(library::ModeRequest::MenuExtras, QString()));
    controller.mainWindow()->resize(900, 500);
    controller.mainWindow()->show();
    platform::ColumnBrowser& view =
        *controller.mainWindow()->findChild<platform::ColumnBrowser*>(QStringLiteral("fsBrowser"));
    // The selection with the columns it opens, then the click's action.
    auto click = [&](const std::string& path) {
        QElapsedTimer clock;
        clock.start();
        view.setPath(path);
        QApplication::processEvents();
        // The click's action on the row the path selected, as a click runs it.
        const int column = view.selectedColumn();
        view.selectRow(*view.columnView(column)->selectedRows().begin(), column);
        controller.mainWindow()->repaint();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    // A first click does once what every later one finds done (fonts,
    // the first drawing of the inspector and the preview).
    click("/Bench/Plain");
    click("/Bench");

    const long before = residentKB();
    const double ms = click(found->second);
    std::printf("%s %.1f %ld\n", which.c_str(), ms, std::max(0L, peakKB() - before));
    return 0;
}
