#include "library/IconThemeSystem.h"

#include "icontheme/DesktopTheme.h"
#include "icontheme/Overlay.h"
#include "icontheme/Picture.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "library/DesktopTexts.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <map>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

std::string toStd(const QString& text) {
    return text.toStdString();
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

std::optional<QByteArray> readSmall(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(icontheme::kMaxPictureBytes + 1);
    if (bytes.size() > icontheme::kMaxPictureBytes)
        return std::nullopt;
    return bytes;
}

const icontheme::StatusItem* statusItem(const std::string& title) {
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        if (item.title == QString::fromStdString(title))
            return &item;
    return nullptr;
}

} // namespace

IconThemeSystem::IconThemeSystem(icontheme::BaseDirs dirs, QString theme, QString dataHome,
                                 QString desktop)
    : themes_(dirs.bases), dirs_(std::move(dirs)), theme_(std::move(theme)),
      root_(toStd(dataHome + QStringLiteral("/trayskin"))), desktop_(std::move(desktop)) {}

std::shared_ptr<IconThemeSystem> IconThemeSystem::fromEnvironment(const QString& themeName) {
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    const icontheme::DesktopContext context = icontheme::desktopContextFromEnvironment();
    const icontheme::ThemeChoice choice =
        icontheme::chooseTheme(context, icontheme::desktopThemeSources(), themeName);
    for (const QString& refused : choice.refused)
        std::printf("Icon theme name refused (%s)\n", qPrintable(refused));
    // The data folder is the one the overlay base directory is in.
    const QString dataHome = dirs.userIcons.chopped(int(qstrlen("/icons")));
    return std::make_shared<IconThemeSystem>(std::move(dirs), choice.theme, dataHome,
                                             context.currentDesktop);
}

QString IconThemeSystem::recordPath() const {
    return fromStd(root_) + QStringLiteral("/.overlay-") + theme_ + QStringLiteral(".json");
}

QString IconThemeSystem::description() const {
    // A theme that no base directory holds has no items: say so at once.
    const char* key = themes_.theme(theme_) != nullptr
                          ? QT_TRANSLATE_NOOP("Trayskin", "Desktop mode, icon theme:")
                          : QT_TRANSLATE_NOOP("Trayskin", "Desktop mode, icon theme not found:");
    return localizedString(key) + u' ' + theme_;
}

std::string IconThemeSystem::exampleTree(const std::string& bundlePath) const {
    return formatPath(kDesktopExampleTreePattern, {bundlePath});
}

bool IconThemeSystem::isPicture(std::string_view name) const {
    const std::string extension = platform::pathExtension(name);
    return extension == "png" || extension == "svg";
}

QMap<QString, QMap<QString, QString>> IconThemeSystem::themePictures() {
    struct Best {
        QString file;
        QString theme;
        int score = -1;
    };
    std::map<QString, Best> best; // icon -> its file
    for (const QString& name : themes_.chain(theme_)) {
        const icontheme::Theme* theme = themes_.theme(name);
        // Only the base directories that hold the theme are read; never the
        // overlay.
        QStringList held;
        for (const QString& base : themes_.bases())
            if (base != dirs_.userIcons && QFileInfo(base + u'/' + name).isDir())
                held.append(base);
        for (const icontheme::ThemeDir& dir : theme->index.dirs) {
            for (const QString& base : held) {
                const QString folder = base + u'/' + name + u'/' + dir.path;
                // Names alone: a picture's name is never a folder's in a theme.
                for (const std::string& entry : fs::listFolder(toStd(folder))) {
                    const QString file = fromStd(entry);
                    const auto picture = icontheme::pictureName(file);
                    if (!picture || icontheme::itemForIcon(picture->icon) == nullptr)
                        continue;
                    // The scalable SVG first, then the largest PNG.
                    const int score =
                        picture->extension == u"svg"
                            ? (dir.type == icontheme::DirType::Scalable ? 1 << 30 : 1 << 29)
                            : dir.size * dir.scale;
                    Best& known = best[picture->icon];
                    // A theme earlier in the chain wins over those it inherits.
                    if (!known.theme.isEmpty() && known.theme != name)
                        continue;
                    if (score > known.score)
                        known = {folder + u'/' + file, name, score};
                }
            }
        }
    }
    QMap<QString, QMap<QString, QString>> items;
    for (const auto& [icon, found] : best)
        items[icontheme::itemForIcon(icon)->title][icon] = found.file;
    return items;
}

std::vector<std::string> IconThemeSystem::items() {
    std::vector<std::string> titles;
    const auto pictures = themePictures();
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        if (pictures.contains(item.title))
            titles.push_back(toStd(item.title));
    return titles;
}

QStringList IconThemeSystem::picturesOfSet(const std::string& item, const std::string& set) const {
    QStringList pictures;
    for (const std::string& name :
         fs::listFolder(formatPath(kPictureSetPattern, {root_, item, set})))
        if (!isHiddenName(name) && isPicture(name))
            pictures.append(fromStd(formatPath(kSetFilePattern, {root_, item, set, name})));
    return pictures;
}

QStringList IconThemeSystem::resolvedFiles(const QString& icon) {
    QStringList files;
    QSet<QPair<int, int>> asked;
    for (const QString& name : themes_.chain(theme_)) {
        const icontheme::Theme* theme = themes_.theme(name);
        for (const icontheme::IconFile& file : themes_.filesOf(name, icon)) {
            for (const icontheme::ThemeDir& dir : theme->index.dirs) {
                if (dir.path != file.dir)
                    continue;
                for (int size : {dir.size, dir.type == icontheme::DirType::Scalable ? dir.maxSize
                                                                                    : dir.size}) {
                    if (asked.contains({size, dir.scale}))
                        continue;
                    asked.insert({size, dir.scale});
                    const QString found = themes_.lookup(theme_, icon, size, dir.scale);
                    if (!found.isEmpty() && !files.contains(found))
                        files.append(found);
                }
            }
        }
    }
    return files;
}

InUse IconThemeSystem::inUse(const std::string& item) {
    // What the disk holds now, not what was read before.
    themes_.forget();
    InUse result;
    std::map<QString, bool> held;          // icon -> some set's picture is shown
    QMap<QString, QSet<QByteArray>> shown; // icon -> bytes of the files a lookup gives
    const icontheme::StatusItem* status = statusItem(item);
    std::size_t best = 0;
    for (const std::string& set : fs::listFolder(formatPath(kExtraFolderPattern, {root_, item}))) {
        if (isHiddenName(set) ||
            !fs::isDirectory(formatPath(kPictureSetPattern, {root_, item, set})))
            continue;
        std::size_t pictures = 0;
        bool all = true;
        for (const QString& path : picturesOfSet(item, set)) {
            // A picture that can never be put in place does not count.
            const icontheme::Picture picture = icontheme::readPicture(path);
            if (picture.problem != icontheme::PictureProblem::None || status == nullptr ||
                !status->hasName(picture.icon))
                continue;
            ++pictures;
            if (!shown.contains(picture.icon)) {
                QSet<QByteArray>& bytes = shown[picture.icon];
                for (const QString& file : resolvedFiles(picture.icon))
                    bytes.insert(readSmall(file).value_or(QByteArray()));
            }
            const bool isShown = shown[picture.icon].contains(picture.bytes);
            held[picture.icon] = held[picture.icon] || isShown;
            all = all && isShown;
        }
        if (pictures > best && all) {
            best = pictures;
            result.kind = InUse::Kind::Set;
            result.set = set;
        }
    }
    if (result.kind == InUse::Kind::Set)
        return result;
    bool anyResolved = false;
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        anyResolved = anyResolved || !it->isEmpty();
    if (!anyResolved)
        return result; // the theme shows nothing of this item
    bool allHeld = !held.empty();
    for (const auto& [icon, isHeld] : held)
        allHeld = allHeld && isHeld;
    result.kind = allHeld ? InUse::Kind::Mix : InUse::Kind::Unknown;
    return result;
}

std::vector<InstallCopy> IconThemeSystem::currentPictures(const std::string& item,
                                                          const std::string& set,
                                                          std::size_t most) {
    themes_.forget();
    std::vector<InstallCopy> pictures;
    for (const QString& path : picturesOfSet(item, set)) {
        if (pictures.size() == most)
            break;
        const auto name = icontheme::pictureName(QFileInfo(path).fileName());
        const QString now = name ? themes_.lookup(theme_, name->icon, kPanelSide) : QString();
        pictures.push_back({toStd(path), toStd(now)});
    }
    return pictures;
}

PlaceReport IconThemeSystem::install(const std::string& item, const std::string& set,
                                     const PrivilegedCopier&) {
    PlaceReport place;
    // Only the item's own names: a set never changes another item's icons.
    const icontheme::StatusItem* status = statusItem(item);
    QStringList pictures;
    QStringList unused;
    for (const QString& path : picturesOfSet(item, set)) {
        const QString file = QFileInfo(path).fileName();
        const auto name = icontheme::pictureName(file);
        if (name && (status == nullptr || !status->hasName(name->icon))) {
            const QString line =
                file + QStringLiteral(": ") +
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "not an icon name of this item"));
            std::printf("refused %s\n", qPrintable(line));
            unused.append(line);
            continue;
        }
        pictures.append(path);
    }
    // A user's own picture that an install may replace is kept first.
    const std::string notKept = keepUserOverrides();
    if (!notKept.empty()) {
        std::printf("not kept %s\n", notKept.c_str());
        std::fflush(stdout);
        place.notices.push_back({localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
                                 localizedString(QT_TRANSLATE_NOOP(
                                     "Trayskin", "Your own picture could not be kept in the "
                                                 "backup, so nothing was changed:")) +
                                     u' ' + fromStd(notKept),
                                 localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
        return place;
    }
    icontheme::Overlay overlay(themes_, dirs_, theme_, recordPath());
    const icontheme::OverlayReport report = overlay.install(pictures);
    for (const QString& path : report.written)
        std::printf("wrote %s/%s\n", qPrintable(overlay.folder()), qPrintable(path));
    for (const icontheme::Picture& picture : report.refused) {
        const QString line = QFileInfo(picture.source).fileName() + QStringLiteral(": ") +
                             localizedString(refusalKey(picture.problem));
        std::printf("refused %s\n", qPrintable(line));
        unused.append(line);
    }
    for (const QString& icon : report.skipped) {
        const QString line = icon + QStringLiteral(": ") +
                             localizedString(QT_TRANSLATE_NOOP(
                                 "Trayskin", "the icon theme has no folder for this name"));
        std::printf("skipped %s\n", qPrintable(line));
        unused.append(line);
    }
    std::fflush(stdout);
    if (!unused.isEmpty())
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Some Pictures Not Used")),
             unused.join(u'\n'), localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    if (!report.ok()) {
        place.notices.push_back(failureNotice(report.failure, theme_));
        return place;
    }
    place.done = true;
    QString message =
        localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "The pictures are in place in the icon theme")) +
        u' ' + theme_ + QStringLiteral(".\n\n") + localizedString(panelHintKey(desktop_));
    if (!report.shadowed.isEmpty())
        message += QStringLiteral("\n\n") +
                   localizedString(QT_TRANSLATE_NOOP(
                       "Trayskin", "Files of the same name in ~/.icons hide these pictures:")) +
                   u' ' + report.shadowed.join(QStringLiteral(", "));
    place.notices.push_back(
        {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")), message,
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    return place;
}

PlaceReport IconThemeSystem::restore(const std::string& item, const PrivilegedCopier&) {
    return putBack({fromStd(item)});
}

PlaceReport IconThemeSystem::restoreAll(const PrivilegedCopier&) {
    return putBack({});
}

PlaceReport IconThemeSystem::putBack(const QStringList& items) {
    PlaceReport place;
    auto ofItems = [&items](const QString& fileName) {
        const auto name = icontheme::pictureName(fileName);
        const icontheme::StatusItem* item = name ? icontheme::itemForIcon(name->icon) : nullptr;
        return item && (items.isEmpty() || items.contains(item->title));
    };
    icontheme::Overlay overlay(themes_, dirs_, theme_, recordPath());
    const auto record = overlay.record();
    icontheme::OverlayReport report;
    if (!record) {
        report.failure = icontheme::OverlayFailure::Record;
    } else {
        QStringList icons;
        for (auto it = record->files.cbegin(); it != record->files.cend(); ++it) {
            const QString file = it.key().mid(it.key().lastIndexOf(u'/') + 1);
            if (ofItems(file))
                icons.append(icontheme::pictureName(file)->icon);
        }
        if (!icons.isEmpty())
            report = overlay.restore(icons);
    }
    for (const QString& path : report.removed)
        std::printf("removed %s/%s\n", qPrintable(overlay.folder()), qPrintable(path));
    if (!report.ok()) {
        std::fflush(stdout);
        place.notices.push_back(failureNotice(report.failure, theme_));
        return place;
    }
    // The user's own overrides, as the first start found them.
    const QString saved =
        fromStd(formatPath(kBackupFolderPattern, {root_, kBackupSuffix})) + u'/' + theme_;
    bool allBack = true;
    if (QFileInfo(saved).isDir()) {
        auto folder = icontheme::SafeFolder::open(overlay.folder(), true);
        QDirIterator it(saved, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = QDir(saved).relativeFilePath(path);
            if (!ofItems(it.fileName()) || QFileInfo(path).isSymLink())
                continue;
            if (folder && folder->exists(relative))
                continue;
            const auto bytes = readSmall(path);
            const bool back = folder && bytes && folder->write(relative, *bytes);
            std::printf("%s %s/%s\n", back ? "put back" : "could not put back",
                        qPrintable(overlay.folder()), qPrintable(relative));
            allBack = allBack && back;
        }
    }
    std::fflush(stdout);
    themes_.forget();
    if (!allBack) {
        place.notices.push_back(failureNotice(icontheme::OverlayFailure::Write, theme_));
        return place;
    }
    place.done = true;
    place.notices.push_back(
        {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
         localizedString(QT_TRANSLATE_NOOP(
             "Trayskin", "The icon theme shows its own pictures again, and your own "
                         "overrides are back.")) +
             QStringLiteral("\n\n") + localizedString(panelHintKey(desktop_)),
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    return place;
}

} // namespace library
