#include "library/icontheme/IconThemeSystem.h"

#include "icontheme/DesktopTheme.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemePictures.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/core/Stamps.h"

#include <QDir>
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

} // namespace

IconThemeSystem::IconThemeSystem(icontheme::BaseDirs dirs, QString theme, QString dataHome,
                                 QString desktop)
    : themes_(dirs.bases, {dirs.homeIcons, dirs.userIcons}), dirs_(std::move(dirs)),
      theme_(std::move(theme)), root_(toStd(dataHome + QStringLiteral("/trayskin"))),
      desktop_(std::move(desktop)), context_(icontheme::desktopContextFromEnvironment()) {
    context_.currentDesktop = desktop_;
}

std::shared_ptr<IconThemeSystem> IconThemeSystem::fromEnvironment(const QString& themeName,
                                                                  const QString& qtTheme) {
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    icontheme::DesktopContext context = icontheme::desktopContextFromEnvironment(qtTheme);
    // What a kept status says of the theme stands while the settings files
    // it may have been read from hold (stamped before they are read), and
    // never where a settings tool was asked or LXDE's session was read from
    // the running programs: nothing stamps their answers.
    platform::stamps::StampList settings;
    for (const icontheme::SettingsFile& file : icontheme::settingsFiles()) {
        const QString path = themeName.isEmpty() && icontheme::readOnDesktop(file, context)
                                 ? file.path(context)
                                 : QString();
        if (!path.isEmpty())
            settings.note(QFile::encodeName(QDir::cleanPath(path)).toStdString());
    }
    bool asked = !context.lxdeSession.isEmpty() && qEnvironmentVariableIsEmpty("DESKTOP_SESSION");
    const auto run = context.run;
    context.run = [&asked, run](const QString& program, const QStringList& arguments) {
        asked = true;
        return run ? run(program, arguments) : std::nullopt;
    };
    const icontheme::ThemeChoice choice =
        icontheme::chooseTheme(context, icontheme::desktopThemeSources(), themeName);
    for (const QString& refused : choice.refused)
        std::printf("Icon theme name refused (%s)\n", qPrintable(refused));
    // The data folder is the one the overlay base directory is in.
    const QString dataHome = dirs.userIcons.chopped(int(qstrlen("/icons")));
    // A desktop switched to an own theme is on the theme it is made from.
    const QString own = icontheme::ownThemeName(QString());
    const QString theme = choice.theme.endsWith(own) && choice.theme.size() > own.size()
                              ? choice.theme.chopped(own.size())
                              : choice.theme;
    auto system =
        std::make_shared<IconThemeSystem>(std::move(dirs), theme, dataHome, context.currentDesktop);
    // The desktop's theme is read again later as it was read here.
    system->context_.qtTheme = qtTheme;
    system->themeStamps_ = asked ? std::string() : settings.bytes();
    return system;
}

const icontheme::StatusItem* IconThemeSystem::statusItem(const std::string& title) {
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        if (item.title == QString::fromStdString(title))
            return &item;
    return nullptr;
}

QString IconThemeSystem::recordPath(const QString& theme) const {
    return fromStd(root_) + QStringLiteral("/.overlay-") + (theme.isEmpty() ? theme_ : theme) +
           QStringLiteral(".json");
}

QString IconThemeSystem::madeIconsNotePath() const {
    return fromStd(root_) + QStringLiteral("/.made-icons-folder");
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
    // As picturesIn() takes them.
    const std::string extension = platform::pathExtension(name);
    return extension == "png" || extension == "svg";
}

QMap<QString, QMap<QString, QString>> IconThemeSystem::themePictures() {
    // Never the overlay.
    return icontheme::bestPictures(themes_, themes_.chain(theme_), dirs_.userIcons);
}

icontheme::Overlay IconThemeSystem::overlayOf(const QString& theme) {
    if (recovered_ && recovered_->theme() == theme) {
        icontheme::Overlay overlay = std::move(*recovered_);
        recovered_.reset();
        return overlay;
    }
    return icontheme::Overlay(themes_, dirs_, theme, recordPath(theme));
}

std::vector<std::string> IconThemeSystem::items() {
    if (auto kept = keptItems())
        return std::move(*kept);
    std::vector<std::string> titles;
    const auto pictures = themePictures();
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        if (pictures.contains(item.title))
            titles.push_back(toStd(item.title));
    return titles;
}

QStringList IconThemeSystem::picturesOfSet(const std::string& item, const std::string& set) const {
    return picturesIn(root_, item, set);
}

QStringList IconThemeSystem::picturesIn(const std::string& root, const std::string& item,
                                        const std::string& set) {
    QStringList pictures;
    for (const std::string& name :
         fs::listFolder(formatPath(kPictureSetPattern, {root, item, set}))) {
        const std::string extension = platform::pathExtension(name);
        if (!isHiddenName(name) && (extension == "png" || extension == "svg"))
            pictures.append(fromStd(formatPath(kSetFilePattern, {root, item, set, name})));
    }
    return pictures;
}

std::vector<InstallCopy> IconThemeSystem::currentPictures(const std::string& item,
                                                          const std::string& set,
                                                          std::size_t most) {
    themes_.refresh();
    const QString theme = shownTheme();
    std::vector<InstallCopy> pictures;
    for (const QString& path : picturesOfSet(item, set)) {
        if (pictures.size() == most)
            break;
        const auto name = icontheme::pictureName(QFileInfo(path).fileName());
        const QString now = name ? themes_.lookup(theme, name->icon, kPanelSide) : QString();
        pictures.push_back({toStd(path), toStd(now)});
    }
    return pictures;
}

} // namespace library
