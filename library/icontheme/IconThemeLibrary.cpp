// Desktop mode's start: the library root, the overlays and own themes put
// right after a kill, and a default set per status item.
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeIndex.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/StampedMemo.h"
#include "library/icontheme/XSettingsToggle.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

// Writes a new file into the library through the work folder, so it appears whole.
bool writeWhole(const std::string& target, const QByteArray& bytes, const std::string& work) {
    const std::string made = fs::makeFolderIn(work);
    if (made.empty())
        return false;
    const std::string file = made + "/picture";
    return fs::createFile(file, bytes.toStdString()) && fs::moveNoReplace(file, target);
}

// Notes what failed, with the system's error of the step, for the caller.
bool failedAt(SetupReport* report, const std::string& path) {
    if (report) {
        report->failedError = errno;
        report->failedPath = path;
    }
    return false;
}

} // namespace

bool IconThemeSystem::setupLibrary(BackupProgress&, SetupReport* report) {
    if (!fs::exists(root_) && !fs::createDirectoryChain(root_))
        return failedAt(report, root_);
    const std::string work = formatPath(kBackupFolderPattern, {root_, kWorkFolderSuffix});
    if (!fs::prepareWorkFolder(work))
        return failedAt(report, work);
    // A kill of an earlier run may have left a write half done: the overlay
    // and the own theme of every theme written into are put right before
    // anything reads them. The user's own overrides are not copied: an
    // install moves aside what it displaces, when it does.
    // A toggle of the display's icon theme that was killed in its pause is
    // ended: the user's value goes back where ours is still set.
    finishDesktopState();
    // A command's change of the theme follows at once: its first reading of
    // the overlay is the one made here (Overlay::recover).
    recovered_.reset();
    for (const QString& theme : recordedThemes()) {
        icontheme::Overlay overlay(themes_, dirs_, theme, recordPath(theme));
        if (overlay.recover() && commandLine_ && theme == theme_)
            recovered_.emplace(std::move(overlay));
        icontheme::OwnTheme(themes_, dirs_, theme, ownThemeRecordPath(theme)).recover();
    }
    // The other themes' sets come after the window is up (laterStartWork).
    return makeDefaultSets(work, report);
}

bool IconThemeSystem::desktopStateUnfinished() const {
    return QFileInfo::exists(toggleJournalPath());
}

void IconThemeSystem::finishDesktopState() {
    finishInterruptedToggleOfThisDisplay();
}

void IconThemeSystem::pauseAside() {
    pauseTogglesAside();
}

void IconThemeSystem::endPausesAside() {
    waitForPendingToggle();
}

QStringList IconThemeSystem::recordedThemes() const {
    QStringList themes{theme_};
    for (const std::string& name : fs::listFolder(root_)) {
        const QString file = QString::fromStdString(name);
        for (const char* prefix : {".overlay-", ".own-"}) {
            if (!file.startsWith(QLatin1String(prefix)))
                continue;
            QString theme = file.mid(qsizetype(qstrlen(prefix)));
            if (theme.endsWith(QStringLiteral(".previous")))
                theme.chop(int(qstrlen(".previous")));
            if (theme.endsWith(QStringLiteral(".json")))
                theme.chop(int(qstrlen(".json")));
            else
                continue;
            if (icontheme::isSafeThemeName(theme) && !themes.contains(theme))
                themes.append(theme);
        }
    }
    return themes;
}

QSet<QString> IconThemeSystem::libraryDigests() const {
    QSet<QString> digests;
    for (const std::string& item : fs::listFolder(root_)) {
        if (isHiddenName(item))
            continue;
        for (const std::string& set : fs::listFolder(root_ + "/" + item)) {
            for (const QString& path : picturesOfSet(item, set)) {
                if (const auto bytes = icontheme::readSmallFile(path, icontheme::kMaxPictureBytes))
                    digests.insert(icontheme::OverlayRecord::digest(*bytes));
            }
        }
    }
    return digests;
}

namespace {

// Where a default set could not be made, with the system's error of the step.
struct SetFailure {
    std::string path;
    int error = 0;
};

// The theme's files that a default set lacks because they are no picture of
// ours (yet): one made good in place changes none of the folders stamped.
using LeftOut = QStringList;

SetFailure failure(const std::string& path) {
    return {path, errno};
}

// Where the default set holds the picture of that name.
std::string defaultSetFile(const std::string& root, const std::string& title,
                           const icontheme::PictureName& name) {
    return formatPath(kDefaultSetFilePattern,
                      {root, title, (name.icon + u'.' + name.extension).toStdString()});
}

// Makes the default set of one item from the theme's pictures of its names.
// A new set is made whole in the work folder, with its info file and every
// picture, then renamed into place; a set that is there gets the pictures it
// lacks one by one.
SetFailure makeDefaultSet(const std::string& root, const std::string& title,
                          const QMap<QString, QString>& icons, const std::string& info,
                          const std::string& work, LeftOut& leftOut) {
    const std::string extraFolder = formatPath(kExtraFolderPattern, {root, title});
    if (!fs::exists(extraFolder) && !fs::createDirectory(extraFolder))
        return failure(extraFolder);
    const std::string defaultSet = formatPath(kDefaultSetPattern, {root, title});
    const bool whole = !fs::exists(defaultSet);
    const std::string made = whole ? fs::makeFolderIn(work) : std::string();
    if (whole && made.empty())
        return failure(work);
    if (whole && !fs::createFile(formatPath(kExtraFolderPattern, {made, kInfoFileName}), info))
        return failure(made);
    for (const QString& source : icons) {
        // A set that is there reads only the pictures it lacks.
        if (const auto named = icontheme::pictureName(QFileInfo(source).fileName());
            !whole && named && fs::exists(defaultSetFile(root, title, *named)))
            continue;
        const icontheme::Picture picture = icontheme::readPicture(source);
        // A theme's file that is no picture of ours is left out.
        if (picture.problem != icontheme::PictureProblem::None) {
            leftOut.append(source);
            continue;
        }
        const std::string name = picture.fileName().toStdString();
        if (whole) {
            const std::string file = formatPath(kExtraFolderPattern, {made, name});
            if (!fs::createFile(file, picture.bytes.toStdString()))
                return failure(file);
            continue;
        }
        const std::string target = formatPath(kDefaultSetFilePattern, {root, title, name});
        if (!fs::exists(target) && !writeWhole(target, picture.bytes, work))
            return failure(target);
    }
    if (whole && !fs::moveNoReplace(made, defaultSet))
        return failure(defaultSet);
    return {};
}

// What the items the theme holds depend on besides the stamps: the
// library, the theme and where the themes are.
QStringList itemsKey(const std::string& root, const QString& theme,
                     const icontheme::BaseDirs& dirs) {
    return QStringList{QStringLiteral("items"), QString::fromStdString(root), theme,
                       dirs.userIcons} +
           dirs.bases;
}

// Keeps the items the theme holds with the stamps of their sets as they are
// now (those just written into are not trusted until the next start finds
// nothing more to make) and of the theme's files the sets left out.
void keepItems(StampedMemo& memo, const std::string& root,
               const QMap<QString, QMap<QString, QString>>& pictures,
               const std::vector<LeftOut>& leftOut) {
    QByteArray titles;
    for (const icontheme::StatusItem& item : icontheme::statusItems()) {
        if (!pictures.contains(item.title))
            continue;
        titles += item.title.toUtf8() + '\n';
        const std::string title = item.title.toStdString();
        memo.note(QString::fromStdString(formatPath(kExtraFolderPattern, {root, title})));
        memo.note(QString::fromStdString(formatPath(kDefaultSetPattern, {root, title})));
    }
    for (const LeftOut& files : leftOut)
        for (const QString& file : files)
            memo.note(file);
    memo.save(titles);
}

} // namespace

std::optional<std::vector<std::string>> IconThemeSystem::keptItems() {
    StampedMemo memo(memoPath("items"), itemsKey(root_, theme_, dirs_));
    const auto kept = memo.kept();
    if (!kept)
        return std::nullopt;
    // Only an answer as it is written: items' titles, in their order.
    const QList<QByteArray> lines = kept->split('\n');
    QByteArray again;
    std::vector<std::string> titles;
    for (const icontheme::StatusItem& item : icontheme::statusItems()) {
        if (lines.contains(item.title.toUtf8())) {
            again += item.title.toUtf8() + '\n';
            titles.push_back(item.title.toStdString());
        }
    }
    return again == *kept ? std::optional(titles) : std::nullopt;
}

bool IconThemeSystem::makeDefaultSets(const std::string& work, SetupReport* report) {
    // Every start but the first finds the sets made and the themes as they
    // were: one look at the stamps instead of a reading of the whole theme
    // and hicolor. A theme that gained a picture or a set that lost one is
    // read and filled again.
    if (keptItems())
        return true;
    // Stamped before they are read; the overlay is never read for the sets.
    StampedMemo memo(memoPath("items"), itemsKey(root_, theme_, dirs_));
    themes_.refresh();
    QStringList bases = dirs_.bases;
    bases.removeAll(dirs_.userIcons);
    const QStringList chain = themes_.chain(theme_);
    memo.noteThemes(bases, themes_, chain);
    // Its index of a theme is read all the same where it is the first one
    // across the bases, and may name other themes.
    for (const QString& name : chain)
        memo.note(dirs_.userIcons + u'/' + name + QStringLiteral("/index.theme"));
    const auto pictures = themePictures();
    // In the user's language at the time the sets are made.
    const std::string info =
        localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                          "Original pictures of the icon theme %1. They came "
                                          "with the theme."))
            .arg(theme_)
            .toStdString() +
        '\n';
    std::vector<std::pair<std::string, const QMap<QString, QString>*>> items;
    for (auto item = pictures.cbegin(); item != pictures.cend(); ++item)
        items.emplace_back(item.key().toStdString(), &item.value());
    // The start's time goes to the disk's creations of folders and files,
    // and the items' sets are apart from each other: a few threads make them
    // at once. Every item is tried; the first failure in the items' order is
    // the one reported.
    std::vector<SetFailure> failures(items.size());
    std::vector<LeftOut> leftOut(items.size());
    std::atomic<std::size_t> next{0};
    auto work_through = [&] {
        for (std::size_t i = next++; i < items.size(); i = next++)
            failures[i] =
                makeDefaultSet(root_, items[i].first, *items[i].second, info, work, leftOut[i]);
    };
    const std::size_t helpers =
        std::min<std::size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u) - 1,
                              items.size() > 1 ? items.size() - 1 : 0);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            threads.emplace_back(work_through);
        } catch (const std::system_error&) {
            break; // no thread to be had: this one does the rest
        }
    }
    work_through();
    for (std::thread& thread : threads)
        thread.join();
    for (const SetFailure& failed : failures) {
        if (!failed.path.empty()) {
            errno = failed.error;
            return failedAt(report, failed.path);
        }
    }
    keepItems(memo, root_, pictures, leftOut);
    return true;
}

} // namespace library
