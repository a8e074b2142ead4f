// Which set an item shows now in desktop mode: each set's pictures held
// against the files that the theme's lookup gives for their names. The
// window asks it as a task that runs off its thread, on a reading of the
// themes of its own that is kept between tasks and read again only where a
// theme changed.
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/icontheme/IconThemeSystem.h"

#include <QSet>

#include <map>
#include <mutex>

namespace library {

struct IconThemeSystem::TaskThemes {
    TaskThemes(QStringList bases, QStringList watched)
        : themes(std::move(bases), std::move(watched)) {}
    std::mutex mutex; // one task at a time reads and keeps them
    icontheme::IconThemes themes;
};

QStringList IconThemeSystem::resolvedFiles(icontheme::IconThemes& themes, const QString& icon,
                                           const QString& shown) {
    QStringList files;
    QSet<QPair<int, int>> asked;
    for (const QString& name : themes.chain(shown)) {
        const icontheme::Theme* theme = themes.theme(name);
        for (const icontheme::IconFile& file : themes.filesOf(name, icon)) {
            const icontheme::ThemeDir& dir = theme->index.dirs[file.dirIndex];
            for (int size :
                 {dir.size, dir.type == icontheme::DirType::Scalable ? dir.maxSize : dir.size}) {
                if (asked.contains({size, dir.scale}))
                    continue;
                asked.insert({size, dir.scale});
                const QString found = themes.lookup(shown, icon, size, dir.scale);
                if (!found.isEmpty() && !files.contains(found))
                    files.append(found);
            }
        }
    }
    return files;
}

InUse IconThemeSystem::inUseOn(icontheme::IconThemes& themes, const std::string& root,
                               const QString& theme, const std::string& item,
                               const std::function<void(const QString&)>& reading) {
    std::map<QString, bool> held;          // icon -> some set's picture is shown
    QMap<QString, QSet<QByteArray>> shown; // icon -> bytes of the files a lookup gives
    const icontheme::StatusItem* status = statusItem(item);
    const auto set = setAllShown(root, item, [&](const std::string& set) {
        SetWeight weight;
        for (const QString& path : picturesIn(root, item, set)) {
            // A picture that can never be put in place does not count.
            const icontheme::Picture picture = icontheme::readPicture(path);
            if (picture.problem != icontheme::PictureProblem::None || status == nullptr ||
                !status->hasName(picture.icon))
                continue;
            ++weight.pictures;
            if (!shown.contains(picture.icon)) {
                QSet<QByteArray>& bytes = shown[picture.icon];
                // A FIFO or device (even behind a link) is refused, never waited on.
                for (const QString& file : resolvedFiles(themes, picture.icon, theme)) {
                    if (reading)
                        reading(file);
                    bytes.insert(icontheme::readSmallFile(file, icontheme::kMaxPictureBytes)
                                     .value_or(QByteArray()));
                }
            }
            const bool isShown = shown[picture.icon].contains(picture.bytes);
            held[picture.icon] = held[picture.icon] || isShown;
            weight.allShown = weight.allShown && isShown;
        }
        return weight;
    });
    if (set)
        return {InUse::Kind::Set, *set};
    bool anyResolved = false;
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        anyResolved = anyResolved || !it->isEmpty();
    if (!anyResolved)
        return InUse{}; // the theme shows nothing of this item
    return mixOrUnknown(held);
}

InUse IconThemeSystem::inUse(const std::string& item) {
    // The themes as a client sees them now: a theme that changed since it was
    // read is read again (IconThemes::refresh), the rest is not read twice.
    themes_.refresh();
    return inUseOn(themes_, root_, shownTheme(), item);
}

std::function<InUse()> IconThemeSystem::inUseTask(const std::string& item) {
    if (!taskThemes_)
        taskThemes_ = std::make_shared<TaskThemes>(dirs_.bases,
                                                   QStringList{dirs_.homeIcons, dirs_.userIcons});
    // Everything the task reads is its own: the system may be gone when it runs.
    return [themes = taskThemes_, root = root_, theme = shownTheme(), item] {
        const std::lock_guard<std::mutex> lock(themes->mutex);
        themes->themes.refresh();
        return inUseOn(themes->themes, root, theme, item);
    };
}

} // namespace library
