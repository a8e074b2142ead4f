// The first screen of a library column of N entries: the browser loads the
// column, the rows on screen are filled, and the column is drawn. Prints, for
// each N given, the median time over several loads and the folder listings
// made per load:   bench_browser N...
#include "browser/FSBrowserCell.h"
#include "browser/LibraryBrowserController.h"
#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/Memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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
        browser::LibraryBrowserController controller({&view, nullptr, nullptr, nullptr});
        view.setCellClass<browser::FSBrowserCell>();
        view.setDelegate(&controller);
        view.setMaxVisibleColumns(4);
        view.resize(640, 420);
        view.show();
        QApplication::processEvents();

        std::vector<double> times;
        unsigned long long listings = 0;
        for (int run = 0; run < 7; ++run) {
            const auto before = platform::fs::listingCount();
            QElapsedTimer clock;
            clock.start();
            view.loadColumnZero();
            view.columnView(0)->viewport()->repaint();
            times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            listings = platform::fs::listingCount() - before;
        }
        std::sort(times.begin(), times.end());
        std::printf("%d %.3f %llu\n", entries, times[times.size() / 2], listings);
        std::fflush(stdout);
    }
    std::system(("rm -rf '" + base + "'").c_str());
    return 0;
}
