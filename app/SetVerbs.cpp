#include "app/SetVerbs.h"

#include "app/CommandLine.h"
#include "library/SetArchive.h"

#include <QFileInfo>
#include <cstdio>

int importVerb(library::PictureSystem& system, const QString& path) {
    const library::ImportResult result =
        library::importSets(system.libraryRoot(), QFileInfo(path).absoluteFilePath().toStdString());
    for (const QString& made : result.made)
        std::printf("%s\n", qPrintable(made));
    std::fflush(stdout);
    if (!result.done) {
        std::fprintf(stderr, "%s\n", qPrintable(result.reason));
        return exitstatus::kNothing;
    }
    return exitstatus::kDone;
}

int exportVerb(library::PictureSystem& system, const std::string& item, const std::string& set,
               const QString& file) {
    const library::ExportResult result = library::exportSet(
        system.libraryRoot(), item, set, QFileInfo(file).absoluteFilePath().toStdString());
    if (!result.done) {
        std::fprintf(stderr, "%s\n", qPrintable(result.reason));
        return exitstatus::kCannotWrite;
    }
    return exitstatus::kDone;
}
