#include "library/FileLines.h"

#include <cstdio>

namespace library {

Q_LOGGING_CATEGORY(fileLines, "trayskin.files", QtWarningMsg)

void showFileLines() {
    // A rule of the program's, which outlives the rules read again when an
    // application object is made.
    QLoggingCategory::setFilterRules(QStringLiteral("trayskin.files.info=true"));
}

void sayFileLine(const char* what, const QString& line) {
    if (fileLines().isInfoEnabled())
        std::printf("%s %s\n", what, qPrintable(line));
}

} // namespace library
