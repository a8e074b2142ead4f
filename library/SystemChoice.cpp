#include "library/SystemChoice.h"

#include "library/Layout.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/menuextras/MenuExtrasSystem.h"
#include "platform/core/FileManager.h"

namespace library {

std::shared_ptr<PictureSystem> chooseSystem(ModeRequest request, const QString& themeName,
                                            const QString& qtTheme,
                                            std::shared_ptr<ToolRunner> runner) {
    if (request == ModeRequest::Any)
        request = !themeName.isEmpty() || !platform::fs::isDirectory(menuExtrasFolder())
                      ? ModeRequest::Desktop
                      : ModeRequest::MenuExtras;
    if (request == ModeRequest::MenuExtras)
        return std::make_shared<MenuExtrasSystem>(std::move(runner));
    return IconThemeSystem::fromEnvironment(themeName, qtTheme);
}

} // namespace library
