#include "library/SystemChoice.h"

#include "library/Layout.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/menuextras/MenuExtrasSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"

namespace library {

namespace {

ModeRequest chosenMode(ModeRequest request, const QString& themeName) {
    if (request != ModeRequest::Any)
        return request;
    return !themeName.isEmpty() || !platform::fs::isDirectory(menuExtrasFolder())
               ? ModeRequest::Desktop
               : ModeRequest::MenuExtras;
}

} // namespace

QString purposeText(ModeRequest request, const QString& themeName) {
    using platform::bundle::localizedString;
    return chosenMode(request, themeName) == ModeRequest::MenuExtras
               ? localizedString(QT_TRANSLATE_NOOP(
                     "Trayskin", "Chooses the pictures of the menu bar's status items."))
               : localizedString(QT_TRANSLATE_NOOP(
                     "Trayskin", "Chooses the pictures of the panel's status icons."));
}

std::shared_ptr<PictureSystem> chooseSystem(ModeRequest request, const QString& themeName,
                                            const QString& qtTheme,
                                            std::shared_ptr<ToolRunner> runner) {
    request = chosenMode(request, themeName);
    if (request == ModeRequest::MenuExtras)
        return std::make_shared<MenuExtrasSystem>(std::move(runner));
    return IconThemeSystem::fromEnvironment(themeName, qtTheme);
}

} // namespace library
