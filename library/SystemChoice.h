// Which picture system the program works on: the one asked for on the
// command line, else the Menu Extras where their folder exists (behind the
// system root when one is set), else the user's icon theme.
#pragma once

#include "library/PictureSystem.h"
#include "library/ToolRunner.h"

#include <QString>
#include <memory>

namespace library {

enum class ModeRequest { Any, MenuExtras, Desktop };

// A theme name asks for desktop mode unless the Menu Extras are asked for;
// qtTheme is Qt's own theme name, one of the answers to which theme the
// desktop uses. The Menu Extras copy through the runner.
std::shared_ptr<PictureSystem> chooseSystem(ModeRequest request, const QString& themeName,
                                            const QString& qtTheme = QString(),
                                            std::shared_ptr<ToolRunner> runner = nullptr);
// What the program does, in the words of the system it would choose so
// (the menu bar's status items, or the panel's status icons); nothing is
// read beyond whether the Menu Extras folder exists.
QString purposeText(ModeRequest request, const QString& themeName);

} // namespace library
