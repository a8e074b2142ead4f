// status in desktop mode: every item's set in use, kept between runs with
// the stamps of what it was worked out from (StatusMemo.h), so that a status
// of an unchanged library and theme reads neither the themes nor a picture.
#include "icontheme/StatusItems.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/StatusMemo.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;

namespace {

// The themes the answer reads: those of the theme's chain and of the shown
// theme's, hicolor among them.
QStringList themesRead(icontheme::IconThemes& themes, const QString& theme, const QString& shown) {
    QStringList names = themes.chain(theme);
    for (const QString& name : themes.chain(shown))
        if (!names.contains(name))
            names.append(name);
    return names;
}

} // namespace

QString IconThemeSystem::statusMemoPath() const {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    const QString folder =
        QDir::isAbsolutePath(cache) ? cache : QDir::homePath() + QStringLiteral("/.cache");
    const QByteArray library = QCryptographicHash::hash(
        QString::fromStdString(root_).toUtf8() + '\n' + theme_.toUtf8(), QCryptographicHash::Sha1);
    return folder + QStringLiteral("/trayskin/status-") +
           QString::fromLatin1(library.toHex().left(16)) + QStringLiteral(".memo");
}

std::vector<ItemInUse> IconThemeSystem::itemsInUse() {
    const QString shown = shownTheme();
    StatusMemo memo(statusMemoPath(),
                    QStringList{QString::fromStdString(root_), theme_, shown, dirs_.userIcons} +
                        dirs_.bases);
    if (auto kept = memo.kept()) {
        statusStamps_ = memo.stamps();
        return *kept;
    }
    statusStamps_.clear();

    // Every stamp is taken before what it stands for is read, so a change
    // made while the answer is worked out makes the next run work it out
    // again. The program itself is one: another build may answer otherwise.
    themes_.refresh();
    const QStringList names = themesRead(themes_, theme_, shown);
    memo.note(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    for (const QString& base : dirs_.bases) {
        memo.note(base); // its own pictures, and the themes it holds
        for (const QString& name : names) {
            memo.noteTree(base + u'/' + name);
            memo.note(base + u'/' + name + QStringLiteral("/index.theme"));
        }
    }
    themes_.forget();
    // The files compared in the user's own base directories, where Trayskin
    // installs and the user edits, one by one: a picture rewritten in place
    // leaves its folder as it was. A system theme's files are seen through
    // their folders, since a package puts each file in place by a rename.
    const auto noteOwn = [this, &memo](const QString& file) {
        if (file.startsWith(dirs_.userIcons + u'/') || file.startsWith(dirs_.homeIcons + u'/'))
            memo.note(file);
    };
    std::vector<ItemInUse> answer;
    for (const std::string& item : items()) {
        const std::string folder = formatPath(kExtraFolderPattern, {root_, item});
        memo.note(QString::fromStdString(folder));
        for (const std::string& set : fs::listFolder(folder)) {
            const std::string setFolder = formatPath(kPictureSetPattern, {root_, item, set});
            if (isHiddenName(set) || !fs::isDirectory(setFolder))
                continue;
            memo.note(QString::fromStdString(setFolder));
            for (const QString& picture : picturesIn(root_, item, set))
                memo.note(picture);
        }
        answer.push_back({item, inUseOn(themes_, root_, shown, item, noteOwn)});
    }
    // A theme's index that changed while it was read may name other themes.
    if (themesRead(themes_, theme_, shown) == names) {
        memo.save(answer);
        statusStamps_ = memo.stamps();
    }
    return answer;
}

std::vector<std::string> IconThemeSystem::statusInputStamps() {
    if (themeStamps_.empty())
        return {};
    platform::stamps::StampList inputs;
    for (const QString& file : stateFiles())
        inputs.note(QFile::encodeName(QDir::cleanPath(file)).toStdString());
    return {themeStamps_, inputs.bytes()};
}

} // namespace library
