#include "library/SetOperations.h"

#include "library/Layout.h"
#include "library/SetNames.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QFile>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

constexpr std::string_view kDefaultSetName = "default";

SetOutcome refused(const char* key) {
    return {false, localizedString(key), {}};
}

// The set is one of the item's folders and not the default set.
std::optional<SetOutcome> checkMovable(const std::string& root, const std::string& item,
                                       const std::string& set) {
    const QString name = QString::fromStdString(set);
    if (checkSetName(name) != SetNameProblem::None || isHiddenName(item) || item.empty() ||
        item.find('/') != std::string::npos ||
        !fs::isDirectory(formatPath(kPictureSetPattern, {root, item, set})) ||
        fs::isSymbolicLink(formatPath(kPictureSetPattern, {root, item, set})))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "There is no such set in the library."));
    if (set == kDefaultSetName)
        return refused(QT_TRANSLATE_NOOP(
            "Trayskin", "The default set holds the theme's own pictures and stays."));
    return std::nullopt;
}

// The new name is free and a set's name.
std::optional<SetOutcome> checkNewName(const std::string& root, const std::string& item,
                                       const QString& newName) {
    const SetNameProblem problem = checkSetName(newName);
    if (problem != SetNameProblem::None)
        return SetOutcome{false, setNameProblemText(problem), {}};
    if (fs::exists(formatPath(kPictureSetPattern, {root, item, newName.toStdString()})))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "The item has a set of that name already."));
    return std::nullopt;
}

} // namespace

SetOutcome moveSetToTrash(const std::string& root, const std::string& item,
                          const std::string& set) {
    if (auto no = checkMovable(root, item, set))
        return *no;
    const QString folder =
        QString::fromStdString(formatPath(kPictureSetPattern, {root, item, set}));
    QString inTrash;
    if (!QFile::moveToTrash(folder, &inTrash))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "The set could not be moved to the trash."));
    return {true, {}, inTrash.toStdString()};
}

SetOutcome duplicateSet(const std::string& root, const std::string& item, const std::string& set,
                        const QString& newName) {
    const std::string source = formatPath(kPictureSetPattern, {root, item, set});
    if (checkSetName(QString::fromStdString(set)) != SetNameProblem::None ||
        !fs::isDirectory(source))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "There is no such set in the library."));
    if (auto no = checkNewName(root, item, newName))
        return *no;
    const std::string target = formatPath(kPictureSetPattern, {root, item, newName.toStdString()});
    if (!fs::copyPath(source, target, workFolder(root)))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "The set could not be copied."));
    return {true, {}, target};
}

SetOutcome renameSet(const std::string& root, const std::string& item, const std::string& set,
                     const QString& newName) {
    if (auto no = checkMovable(root, item, set))
        return *no;
    if (auto no = checkNewName(root, item, newName))
        return *no;
    const std::string target = formatPath(kPictureSetPattern, {root, item, newName.toStdString()});
    if (!fs::moveNoReplace(formatPath(kPictureSetPattern, {root, item, set}), target))
        return refused(QT_TRANSLATE_NOOP("Trayskin", "The set could not be renamed."));
    return {true, {}, target};
}

QString freeCopyName(const std::string& root, const std::string& item, const std::string& set) {
    const QString base =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 copy")).arg(QString::fromStdString(set));
    QString name = base;
    for (int n = 2; fs::exists(formatPath(kPictureSetPattern, {root, item, name.toStdString()}));
         ++n)
        name = base + u' ' + QString::number(n);
    return name;
}

} // namespace library
