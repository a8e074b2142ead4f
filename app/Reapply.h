// reapply: the installed sets put in place again, for a theme that gained
// folders or pictures since they were installed (a theme package update);
// on the command line and in the window.
#pragma once

#include "app/CountingTool.h"
#include "library/PictureSystem.h"

#include <string>
#include <vector>

// One set installed again, with what the install said.
struct Reapplied {
    library::InstalledSet installed;
    library::PlaceReport report;
};

// Installs again, as Use This Set does, each set the system's records say
// an install put in place. The caller holds the library's lock.
std::vector<Reapplied> reapply(library::PictureSystem& system);

// The command line's: each set named with what the theme gained for it,
// then what its install said. Returns the exit status.
int reapplySets(library::PictureSystem& system, const CountingTool& tool);

// The window's: the alerts of the installs, those of one kind in one alert,
// each message headed by its item and set.
library::PlaceReport reapplyReport(library::PictureSystem& system);
