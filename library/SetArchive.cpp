#include "library/SetArchive.h"

#include "icontheme/IconThemes.h"
#include "icontheme/ThemePictures.h"
#include "library/ArchiveReader.h"
#include "library/Layout.h"
#include "library/SetNames.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

// A picture's name less what tells its kind, so that a theme's SVG matches
// a PNG of the same icon: "<icon>.symbolic.png", "<icon>.png", "<icon>.tif".
QString nameKey(const QString& file) {
    if (file.endsWith(u".symbolic.png"))
        return file.chopped(int(qstrlen(".symbolic.png")));
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > 0 ? file.left(dot) : file;
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The item whose default set holds the most of the names; "" for none.
QString itemOf(const std::string& root, const QStringList& files) {
    QSet<QString> keys;
    for (const QString& file : files)
        keys.insert(nameKey(file));
    QString best;
    qsizetype most = 0;
    for (const std::string& item : fs::listFolder(root)) {
        if (isHiddenName(item) || isReservedExtraName(item))
            continue;
        qsizetype found = 0;
        for (const QString& file :
             filesIn(QString::fromStdString(formatPath(kDefaultSetPattern, {root, item}))))
            found += keys.contains(nameKey(file)) && file != QLatin1String(kInfoFileName.data());
        if (found > most) {
            most = found;
            best = QString::fromStdString(item);
        }
    }
    return best;
}

// Moves the files into a new folder of the work folder, then the folder
// into place as the set, whole; false when the set is there already.
bool placeSet(const std::string& root, const QString& item, const QString& set,
              const QMap<QString, QString>& files, ImportResult& result) {
    const std::string target =
        formatPath(kPictureSetPattern, {root, item.toStdString(), set.toStdString()});
    const std::string made = fs::makeFolderIn(workFolder(root));
    bool ok = !made.empty() && !fs::exists(target);
    for (auto file = files.cbegin(); ok && file != files.cend(); ++file)
        ok = fs::moveNoReplace(file.value().toStdString(), made + "/" + file.key().toStdString());
    const std::string extra = formatPath(kExtraFolderPattern, {root, item.toStdString()});
    ok = ok && (fs::isDirectory(extra) || fs::createDirectory(extra)) &&
         fs::moveNoReplace(made, target);
    if (ok)
        result.made.append(item + u'/' + set);
    else
        result.reason +=
            localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "A set of this name is there already, or could not be written:")) +
            u' ' + item + u'/' + set + u'\n';
    return ok;
}

// A theme (its index.theme in the folder): a set per item, named after it.
void themeSets(const std::string& root, const QString& staging, const QString& themeFolder,
               ImportResult& result) {
    const QString theme = staging + QStringLiteral("/theme");
    if (!QDir().rename(themeFolder, theme))
        return;
    icontheme::IconThemes themes({staging});
    const icontheme::Theme* index = themes.theme(QStringLiteral("theme"));
    if (index == nullptr)
        return;
    const QString named = index->index.displayName.trimmed();
    const QString set = checkSetName(named) == SetNameProblem::None && named != u"default"
                            ? named
                            : QStringLiteral("imported");
    const auto pictures = icontheme::bestPictures(themes, {QStringLiteral("theme")}, QString());
    for (auto item = pictures.cbegin(); item != pictures.cend(); ++item) {
        QMap<QString, QString> files;
        for (const QString& path : item.value())
            files.insert(QFileInfo(path).fileName(), path);
        placeSet(root, item.key(), set, files, result);
    }
}

// Plain files: one set of the folder's files, for the item of their names.
void plainSet(const std::string& root, const QString& folder, const QString& set,
              ImportResult& result) {
    const QStringList names = filesIn(folder);
    const QString item = itemOf(root, names);
    if (item.isEmpty()) {
        result.reason = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "No item of the library has pictures of these names."));
        return;
    }
    // The folder's name is the set's: a hidden or reserved one is said.
    if (const SetNameProblem problem = checkSetName(set); problem != SetNameProblem::None) {
        result.reason = setNameProblemText(problem);
        return;
    }
    QMap<QString, QString> files;
    for (const QString& name : names)
        files.insert(name, folder + u'/' + name);
    placeSet(root, item, set, files, result);
}

// The source's name less its archive extensions.
QString baseName(const std::string& source) {
    QString name = QFileInfo(QString::fromStdString(source)).fileName();
    for (const char* ext : {".gz", ".xz", ".bz2", ".tar", ".zip"})
        if (name.endsWith(QLatin1String(ext)))
            name.chop(int(qstrlen(ext)));
    return name;
}

void makeSets(const std::string& root, const QString& staging, const std::string& source,
              ImportResult& result) {
    const QString unpacked = staging + QStringLiteral("/unpacked");
    QDir top(unpacked);
    if (QFileInfo::exists(unpacked + QStringLiteral("/index.theme")))
        return themeSets(root, staging, unpacked, result);
    const QStringList folders = top.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    const bool one = folders.size() == 1 && filesIn(unpacked).isEmpty();
    if (one && QFileInfo::exists(top.filePath(folders[0]) + QStringLiteral("/index.theme")))
        return themeSets(root, staging, top.filePath(folders[0]), result);
    if (one)
        return plainSet(root, top.filePath(folders[0]), folders[0], result);
    plainSet(root, unpacked, baseName(source), result);
}

} // namespace

ImportResult importSets(const std::string& root, const std::string& source,
                        const ImportLimits& limits) {
    const std::string work = workFolder(root);
    const std::string staging =
        fs::isDirectory(work) || fs::createDirectory(work) ? fs::makeFolderIn(work) : std::string();
    ImportResult result;
    if (staging.empty() || !fs::createDirectory(staging + "/unpacked")) {
        result.reason =
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written."));
        return result;
    }
    const Unpacked unpacked = fs::isDirectory(source)
                                  ? copyFolderIn(source, staging + "/unpacked", limits)
                                  : unpackArchive(source, staging + "/unpacked", limits);
    if (unpacked.ok)
        makeSets(root, QString::fromStdString(staging), source, result);
    else
        result.reason = unpacked.reason;
    QDir(QString::fromStdString(staging)).removeRecursively();
    result.reason = result.reason.trimmed();
    if (result.made.isEmpty() && result.reason.isEmpty())
        result.reason = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "No item of the library has pictures of these names."));
    result.done = !result.made.isEmpty() && result.reason.isEmpty();
    return result;
}

} // namespace library
