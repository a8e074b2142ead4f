// The per-file lines of an install or a restore in desktop mode ("wrote
// PATH", "removed PATH", ...): on standard output only while their logging
// category, trayskin.files, is on (--verbose, or QT_LOGGING_RULES).
#pragma once

#include <QLoggingCategory>
#include <QString>

namespace library {

Q_DECLARE_LOGGING_CATEGORY(fileLines)

// Turns the lines on for the rest of the process.
void showFileLines();

// "WHAT LINE" on standard output, when the lines are on.
void sayFileLine(const char* what, const QString& line);

} // namespace library
