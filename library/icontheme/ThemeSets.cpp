#include "library/icontheme/ThemeSets.h"

#include "icontheme/IconThemes.h"
#include "icontheme/Picture.h"
#include "icontheme/ThemePictures.h"
#include "library/Layout.h"
#include "library/SetNames.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/core/Posix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <mutex>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

QString notePath(const std::string& root) {
    return QString::fromStdString(root) + QString::fromLatin1(kThemeSetsNoteSuffix.data());
}

// The themes looked at before, one folder name a line.
QSet<QString> readNote(const std::string& root) {
    QSet<QString> themes;
    const auto text = fs::readFile(notePath(root).toStdString());
    if (text) {
        for (const QString& line : QString::fromStdString(*text).split(u'\n'))
            if (!line.isEmpty())
                themes.insert(line);
    }
    return themes;
}

// Written whole or not at all.
bool writeNote(const std::string& root, const QSet<QString>& themes) {
    QStringList lines(themes.cbegin(), themes.cend());
    lines.sort();
    return platform::posix::replaceFile(QFile::encodeName(notePath(root)).toStdString(),
                                        (lines.join(u'\n') + u'\n').toUtf8().toStdString());
}

// The theme's Name when it makes a set name, else its folder's name.
QString setNameOf(const QString& folderName, const icontheme::Theme& theme) {
    const QString name = theme.index.displayName.trimmed();
    if (checkSetName(name) == SetNameProblem::None && name != u"default")
        return name;
    return folderName;
}

// A licence file beside the theme's index.theme; "" when none.
QString licenceOf(const icontheme::Theme& theme) {
    const QDir folder = QFileInfo(theme.indexPath).dir();
    for (const QString& file : folder.entryList(QDir::Files, QDir::Name)) {
        const QString lower = file.toLower();
        if (lower.startsWith(u"licen") || lower.startsWith(u"copying"))
            return folder.filePath(file);
    }
    return {};
}

QString infoText(const QString& name, const icontheme::Theme& theme) {
    QString text =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Pictures of the icon theme %1, from %2."))
            .arg(name, QFileInfo(theme.indexPath).absolutePath()) +
        u'\n';
    const QString licence = licenceOf(theme);
    text += licence.isEmpty()
                ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "The theme ships no licence file."))
                : localizedString(QT_TRANSLATE_NOOP("Trayskin", "Its licence: %1")).arg(licence);
    return text + u'\n';
}

enum class Made { Yes, Nothing, Failed };

// Builds the set in the work folder and renames it into place whole.
Made makeSet(const std::string& setFolder, const QMap<QString, QString>& icons, const QString& info,
             const std::string& work) {
    const std::string made = fs::makeFolderIn(work);
    if (made.empty())
        return Made::Failed;
    bool any = false;
    bool written =
        fs::createFile(formatPath(kExtraFolderPattern, {made, kInfoFileName}), info.toStdString());
    for (auto file = icons.cbegin(); written && file != icons.cend(); ++file) {
        const icontheme::Picture picture = icontheme::readPicture(file.value());
        // A theme's file that is no picture of ours is left out.
        if (picture.problem != icontheme::PictureProblem::None)
            continue;
        // The theme file's own name: "-symbolic" and ".symbolic.png" stay.
        const std::string name = QFileInfo(file.value()).fileName().toStdString();
        written = fs::createFile(formatPath(kExtraFolderPattern, {made, name}),
                                 picture.bytes.toStdString());
        any = true;
    }
    if (written && any && fs::moveNoReplace(made, setFolder))
        return Made::Yes;
    QDir(QString::fromStdString(made)).removeRecursively();
    return written && !any ? Made::Nothing : Made::Failed;
}

// The sets of one theme that are missing, made; false when one could not be.
bool makeSetsOf(icontheme::IconThemes& themes, const icontheme::BaseDirs& dirs,
                const ThemeSetsRequest& request, const QString& folderName,
                ThemeSetsResult& result) {
    const icontheme::Theme* theme = themes.theme(folderName);
    const QString record = QString::fromStdString(request.root) + QStringLiteral("/.overlay-") +
                           folderName + QStringLiteral(".json");
    // What Trayskin wrote into a theme's overlay is not the theme's own.
    const QString skip = QFileInfo::exists(record) ? dirs.userIcons : QString();
    const auto pictures = icontheme::bestPictures(themes, {folderName}, skip);
    const QString name = setNameOf(folderName, *theme);
    const QString info = infoText(name, *theme);
    const std::string work = workFolder(request.root);
    const qsizetype failedBefore = result.failed.size();
    for (auto item = pictures.cbegin(); item != pictures.cend(); ++item) {
        const std::string title = item.key().toStdString();
        const std::string extra = formatPath(kExtraFolderPattern, {request.root, title});
        const std::string set =
            formatPath(kPictureSetPattern, {request.root, title, name.toStdString()});
        if (fs::exists(set))
            continue;
        const QString label = item.key() + u'/' + name;
        if (!fs::isDirectory(extra) && !fs::createDirectory(extra)) {
            result.failed.append(QString::fromStdString(extra));
            continue;
        }
        const Made made = makeSet(set, item.value(), info, work);
        if (made == Made::Yes)
            result.made.append(label);
        else if (made == Made::Failed)
            result.failed.append(QString::fromStdString(set));
    }
    return result.failed.size() == failedBefore;
}

} // namespace

QStringList installedThemes(icontheme::IconThemes& themes, const QSet<QString>& leftOut) {
    QSet<QString> found;
    for (const QString& base : themes.bases()) {
        for (const QString& name : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (found.contains(name) || leftOut.contains(name) || !icontheme::isSafeThemeName(name))
                continue;
            const icontheme::Theme* theme = themes.theme(name);
            if (theme != nullptr && !theme->index.hidden)
                found.insert(name);
        }
    }
    QStringList names(found.cbegin(), found.cend());
    names.sort();
    return names;
}

ThemeSetsResult makeThemeSets(icontheme::IconThemes& themes, const icontheme::BaseDirs& dirs,
                              const ThemeSetsRequest& request) {
    // A start's sets may still be made on another thread when the menu
    // command comes: the note and the sets are made by one at a time.
    static std::mutex making;
    const std::lock_guard<std::mutex> one(making);
    ThemeSetsResult result;
    QSet<QString> seen = readNote(request.root);
    const qsizetype before = seen.size();
    // A start reads the index of none of the themes looked at before.
    QSet<QString> leftOut = request.everyTheme ? QSet<QString>() : seen;
    leftOut.insert(request.inUse);
    for (const QString& name : installedThemes(themes, leftOut)) {
        const bool own = !request.ownThemeSuffix.isEmpty() && name.endsWith(request.ownThemeSuffix);
        if (own)
            continue;
        if (makeSetsOf(themes, dirs, request, name, result))
            seen.insert(name);
    }
    if (seen.size() != before && !writeNote(request.root, seen))
        result.failed.append(notePath(request.root));
    return result;
}

} // namespace library
