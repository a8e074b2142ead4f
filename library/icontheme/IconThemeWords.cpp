// What the inspector says of desktop mode's library entries: a status item
// and the next step, a set with the number of its pictures and the icon
// names they cover, a picture's kind and pixel size.
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/icontheme/IconThemeSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QFileInfo>
#include <QStringList>

namespace library {

using platform::bundle::localizedString;

namespace {

// The most names the inspector lists of a set.
constexpr qsizetype kMostNames = 12;

// The set's pictures and the names they cover: each icon once, in order.
QString setWords(const std::vector<std::string>& files) {
    QStringList names;
    int pictures = 0;
    for (const std::string& file : files) {
        const auto name = icontheme::pictureName(QString::fromStdString(file));
        if (!name || file.starts_with('.'))
            continue;
        ++pictures;
        if (!names.contains(name->icon))
            names.append(name->icon);
    }
    names.sort();
    if (names.size() > kMostNames)
        names = names.mid(0, kMostNames) << QStringLiteral("\u2026");
    return localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 pictures, of: %2"))
        .arg(pictures)
        .arg(names.join(QStringLiteral(", ")));
}

QString pictureWords(const std::string& path) {
    const icontheme::Picture picture = icontheme::readPicture(QString::fromStdString(path));
    if (picture.problem != icontheme::PictureProblem::None)
        return QString();
    if (picture.extension == QLatin1String("svg"))
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "SVG picture, scalable"));
    return localizedString(QT_TRANSLATE_NOOP("Trayskin", "PNG picture, %1 x %2"))
        .arg(picture.width)
        .arg(picture.height);
}

} // namespace

EntryWords IconThemeSystem::describeEntry(const std::string& path) {
    const std::string prefix = root_ + '/';
    if (!path.starts_with(prefix))
        return {};
    const auto parts = platform::splitPath(path.substr(root_.size()), "/");
    // parts[0] is the empty name before the first separator.
    if (parts.size() == 2)
        return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Status item")),
                localizedString(QT_TRANSLATE_NOOP(
                    "Trayskin", "Choose a set in the next column to see its pictures."))};
    if (parts.size() == 3) {
        return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Picture set")),
                setWords(platform::fs::listFolder(path))};
    }
    if (parts.size() == 4)
        return {pictureWords(path), QString()};
    return {};
}

std::string IconThemeSystem::entryPicture(const std::string& path) {
    const std::string prefix = root_ + '/';
    if (!path.starts_with(prefix))
        return {};
    const auto parts = platform::splitPath(path.substr(root_.size()), "/");
    if (parts.size() != 2 && parts.size() != 3)
        return {};
    // The item's first name: the first icon the theme's own pictures of it
    // stand for.
    std::optional<icontheme::PictureName> first;
    for (const QString& picture : picturesOfSet(parts[1], "default")) {
        const auto name = icontheme::pictureName(QFileInfo(picture).fileName());
        if (name && (!first || name->icon < first->icon))
            first = name;
    }
    if (parts.size() == 2) {
        if (!first)
            return {};
        themes_.refresh();
        return themes_.lookup(shownTheme(), first->icon, kPanelSide).toStdString();
    }
    QStringList pictures = picturesOfSet(parts[1], parts[2]);
    pictures.sort();
    for (const QString& picture : pictures) {
        const auto name = icontheme::pictureName(QFileInfo(picture).fileName());
        if (name && first && name->icon == first->icon)
            return picture.toStdString();
    }
    return pictures.isEmpty() ? std::string() : pictures.front().toStdString();
}

// The status items' titles as the user reads them; the library's folders
// keep the English ones.
const char* const kItemTitles[] = {
    QT_TRANSLATE_NOOP("Trayskin", "Volume"),
    QT_TRANSLATE_NOOP("Trayskin", "Microphone"),
    QT_TRANSLATE_NOOP("Trayskin", "Battery"),
    QT_TRANSLATE_NOOP("Trayskin", "Network"),
    QT_TRANSLATE_NOOP("Trayskin", "Bluetooth"),
    QT_TRANSLATE_NOOP("Trayskin", "Brightness"),
    QT_TRANSLATE_NOOP("Trayskin", "Keyboard Brightness"),
    QT_TRANSLATE_NOOP("Trayskin", "Power Mode"),
    QT_TRANSLATE_NOOP("Trayskin", "Night Light"),
    QT_TRANSLATE_NOOP("Trayskin", "Airplane Mode"),
    QT_TRANSLATE_NOOP("Trayskin", "Location"),
    QT_TRANSLATE_NOOP("Trayskin", "Camera"),
    QT_TRANSLATE_NOOP("Trayskin", "Screen Sharing"),
    QT_TRANSLATE_NOOP("Trayskin", "Notifications"),
    QT_TRANSLATE_NOOP("Trayskin", "Rotation"),
    QT_TRANSLATE_NOOP("Trayskin", "Software Update"),
    QT_TRANSLATE_NOOP("Trayskin", "Printer"),
    QT_TRANSLATE_NOOP("Trayskin", "Presence"),
    QT_TRANSLATE_NOOP("Trayskin", "Thunderbolt"),
};

QString IconThemeSystem::itemTitle(const std::string& item) const {
    for (const char* title : kItemTitles)
        if (item == title)
            return localizedString(title);
    return QString::fromStdString(item);
}

} // namespace library
