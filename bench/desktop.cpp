// Desktop mode's work without windows, on the machine's Adwaita with a data
// folder of its own (XDG_DATA_HOME):
//   bench_desktop start           the first start: the default sets
//   bench_desktop sources         the theme files the default sets copy, one a line
//   bench_desktop install ITEM SET   Use This Set; the files written, one a line
#include "bench/SilentProgress.h"
#include "icontheme/BaseDirs.h"
#include "library/icontheme/IconThemeSystem.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    const QString dataHome = dirs.userIcons.chopped(6); // less "/icons"
    library::IconThemeSystem system(dirs, QStringLiteral("Adwaita"), dataHome);
    bench::SilentProgress progress;
    if (args.size() == 2 && args[1] == u"start")
        return system.setupLibrary(progress, nullptr) ? 0 : 1;
    if (args.size() == 2 && args[1] == u"sources") {
        const auto items = system.themePictures();
        for (const auto& icons : items)
            for (const QString& file : icons)
                std::printf("%s\n", qPrintable(file));
        return 0;
    }
    if (args.size() == 4 && args[1] == u"install") {
        const library::PlaceReport report =
            system.install(args[2].toStdString(), args[3].toStdString());
        return report.done ? 0 : 1;
    }
    std::fprintf(stderr, "usage: bench_desktop start | sources | install ITEM SET\n");
    return 2;
}
