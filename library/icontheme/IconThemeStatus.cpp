// status in desktop mode: every item's set in use, kept between runs with
// the stamps of what it was worked out from (StampedMemo.h), so that a status
// of an unchanged library and theme reads neither the themes nor a picture.
#include "icontheme/StatusItems.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/StampedMemo.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QCryptographicHash>
#include <QDataStream>
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

QByteArray toBytes(const std::vector<ItemInUse>& answer) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    for (const ItemInUse& entry : answer)
        out << QString::fromStdString(entry.item) << qint32(entry.inUse.kind)
            << QString::fromStdString(entry.inUse.set);
    return bytes;
}

std::optional<std::vector<ItemInUse>> fromBytes(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    std::vector<ItemInUse> answer;
    while (!in.atEnd()) {
        QString item;
        QString set;
        qint32 kind = 0;
        in >> item >> kind >> set;
        if (in.status() != QDataStream::Ok || kind < 0 || kind > qint32(InUse::Kind::Unknown))
            return std::nullopt;
        answer.push_back({item.toStdString(), {InUse::Kind(kind), set.toStdString()}});
    }
    return answer;
}

} // namespace

QString IconThemeSystem::memoPath(const char* what) const {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    const QString folder =
        QDir::isAbsolutePath(cache) ? cache : QDir::homePath() + QStringLiteral("/.cache");
    const QByteArray library = QCryptographicHash::hash(
        QString::fromStdString(root_).toUtf8() + '\n' + theme_.toUtf8(), QCryptographicHash::Sha1);
    return folder + QStringLiteral("/trayskin/") + QLatin1String(what) + u'-' +
           QString::fromLatin1(library.toHex().left(16)) + QStringLiteral(".memo");
}

std::vector<ItemInUse> IconThemeSystem::itemsInUse() {
    const QString shown = shownTheme();
    StampedMemo memo(memoPath("status"),
                     QStringList{QString::fromStdString(root_), theme_, shown, dirs_.userIcons} +
                         dirs_.bases);
    if (const auto kept = memo.kept()) {
        if (auto answer = fromBytes(*kept)) {
            statusStamps_ = memo.stamps();
            return *answer;
        }
    }
    statusStamps_.clear();

    // Every stamp is taken before what it stands for is read, so a change
    // made while the answer is worked out makes the next run work it out
    // again.
    themes_.refresh();
    const QStringList names = themesRead(themes_, theme_, shown);
    memo.noteThemes(dirs_.bases, themes_, names);
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
        memo.save(toBytes(answer));
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
