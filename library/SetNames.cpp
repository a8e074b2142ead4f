#include "library/SetNames.h"

#include "library/Layout.h"
#include "platform/core/Bundle.h"

namespace library {

using platform::bundle::localizedString;

namespace {
// The longest file name the usual file systems take, in bytes.
constexpr qsizetype kMaxNameBytes = 255;
} // namespace

SetNameProblem checkSetName(const QString& name) {
    if (name.trimmed().isEmpty())
        return SetNameProblem::Empty;
    if (name.contains(u'/') || name.contains(QChar(0)))
        return SetNameProblem::HasSlash;
    if (name.startsWith(u'.'))
        return SetNameProblem::Hidden;
    const std::string bytes = name.toStdString();
    if (bytes == kBackupFolderName || bytes == kInfoFileName)
        return SetNameProblem::Reserved;
    if (qsizetype(bytes.size()) > kMaxNameBytes)
        return SetNameProblem::TooLong;
    return SetNameProblem::None;
}

QString setNameProblemText(SetNameProblem problem) {
    switch (problem) {
    case SetNameProblem::None:
        return {};
    case SetNameProblem::Empty:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "A set needs a name."));
    case SetNameProblem::HasSlash:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "A set's name cannot hold a \"/\"."));
    case SetNameProblem::Hidden:
        return localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "A set's name cannot begin with \".\": it would be hidden."));
    case SetNameProblem::Reserved:
        return localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "This name is kept for the library's own use."));
    case SetNameProblem::TooLong:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "This name is too long."));
    }
    return {};
}

} // namespace library
