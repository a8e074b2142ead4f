// The library browser on a column of N entries, each figure the median of
// several runs, in milliseconds:
//   first screen: the browser loads the column, fills the rows on screen and
//     draws them; with the folder listings made per load;
//   one listing: the baseline, one listing of that folder;
//   reload: what File > Reload does (the path set, column 0 loaded afresh);
//   no match: typing three letters that no title starts with, each in a pass
//     of the event loop of its own.
// Then a click on a set whose info file is 5 MB, against reading that file.
// Prints "N first listings listing reload nomatch" per N, then
// "click MS read MS":   bench_browser N...
#include "browser/FSBrowserCell.h"
#include "browser/LibraryBrowserController.h"
#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/Memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void makeColumn(const std::string& root, int entries) {
    ::mkdir(root.c_str(), 0755);
    for (int i = 0; i < entries; ++i) {
        const std::string path = root + "/Extra" + std::to_string(100000 + i);
        ::mkdir(path.c_str(), 0755);
    }
}

// Each run starts in a pass of the event loop of its own, as each of the
// user's actions does: nothing that the browser keeps for one pass is left
// from the run before.
double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QApplication::processEvents();
        prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void type(QWidget* widget, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program does at start.
    platform::retainFreedMemory();
    QApplication app(argc, argv);
    char pattern[] = "/tmp/trayskin-bench-XXXXXX";
    const std::string base = ::mkdtemp(pattern);
    for (int a = 1; a < argc; ++a) {
        const int entries = std::atoi(argv[a]);
        const std::string home = base + "/home" + std::to_string(entries);
        ::mkdir(home.c_str(), 0755);
        ::mkdir((home + "/Library").c_str(), 0755);
        ::setenv("HOME", home.c_str(), 1);
        makeColumn(library::libraryRoot(), entries);

        platform::ColumnBrowser view;
        browser::LibraryBrowserController controller({&view, nullptr, nullptr, nullptr},
                                                     library::libraryRoot(), library::isPicture);
        view.setCellClass<browser::FSBrowserCell>();
        view.setDelegate(&controller);
        view.setMaxVisibleColumns(4);
        view.resize(640, 420);
        view.show();
        QApplication::processEvents();

        unsigned long long listings = 0;
        const double first = medianMs(
            7, [] {},
            [&] {
                const auto before = platform::fs::listingCount();
                view.loadColumnZero();
                view.columnView(0)->viewport()->repaint();
                listings = platform::fs::listingCount() - before;
            });
        const double listing = medianMs(
            7, [] {}, [&] { platform::fs::listFolder(library::libraryRoot()); });
        const double reload = medianMs(
            7, [] {},
            [&] {
                view.setPath(library::libraryRoot());
                view.loadColumnZero();
                view.columnView(0)->viewport()->repaint();
            });
        const double noMatch = medianMs(
            7,
            [&] {
                view.columnView(0)->setFocus();
                type(view.columnView(0), Qt::Key_Escape, QString());
            },
            [&] {
                // Each key in a pass of its own, as typed keys arrive.
                for (int i = 0; i < 3; ++i) {
                    type(view.columnView(0), Qt::Key_Z, QStringLiteral("z"));
                    QApplication::processEvents();
                }
                view.columnView(0)->viewport()->repaint();
            });
        std::printf("%d %.3f %llu %.3f %.3f %.3f\n", entries, first, listings, listing, reload,
                    noMatch);
        std::fflush(stdout);
    }

    // A click on a set whose description is 5 MB.
    const std::string home = base + "/home-click";
    ::mkdir(home.c_str(), 0755);
    ::mkdir((home + "/Library").c_str(), 0755);
    ::setenv("HOME", home.c_str(), 1);
    const std::string root = library::libraryRoot();
    ::mkdir(root.c_str(), 0755);
    ::mkdir((root + "/Big").c_str(), 0755);
    ::mkdir((root + "/Big/Huge").c_str(), 0755);
    std::string huge;
    while (huge.size() < 5 * 1024 * 1024)
        huge += "A long description line that goes on and on and on.\n";
    platform::fs::createFile(root + "/Big/Huge/trayskininfo.txt", huge);
    platform::fs::createFile(root + "/Big/Huge/Picture.tif", "not a picture");
    platform::ColumnBrowser view;
    QTextEdit inspector;
    inspector.resize(220, 300);
    inspector.show();
    browser::LibraryBrowserController controller({&view, nullptr, &inspector, nullptr}, root,
                                                 library::isPicture);
    view.setCellClass<browser::FSBrowserCell>();
    view.setDelegate(&controller);
    view.resize(640, 420);
    view.show();
    view.loadColumnZero();
    view.setPath("/Big/Huge");
    QApplication::processEvents();
    const double click = medianMs(
        5, [] {},
        [&] {
            controller.browserSingleClick(view);
            inspector.viewport()->repaint();
        });
    const double read = medianMs(
        5, [] {}, [&] { platform::fs::readFile(root + "/Big/Huge/trayskininfo.txt"); });
    std::printf("click %.3f read %.3f\n", click, read);
    std::system(("rm -rf '" + base + "'").c_str());
    return 0;
}
