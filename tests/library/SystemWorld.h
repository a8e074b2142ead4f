// Desktop mode's system on a world of made-up themes: a fixture of
// tests/icontheme/themes copied in, the library in the world's data folder.
#pragma once

#include "library/icontheme/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/library/NoProgress.h"

namespace testing_support {

struct SystemWorld {
    ThemeWorld world;
    icontheme::BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    QString data = world.root() + "/data";

    explicit SystemWorld(const char* fixture) {
        world.copy(TRAYSKIN_THEMES "/" + QString(fixture));
    }
    library::IconThemeSystem system(const QString& theme = "Made") { return {dirs, theme, data}; }
    // A start with no window.
    bool start(library::SetupReport* report = nullptr) {
        NoProgress progress;
        return system().setupLibrary(progress, report);
    }
};

} // namespace testing_support
