// reapply: the sets in use installed again, for a theme that gained
// folders or pictures since they were installed (a theme package update).
#pragma once

#include "app/ToolCopier.h"
#include "library/PictureSystem.h"

// Installs again, as Use This Set does, each item's set whose pictures the
// records say were written, and says which files that added or removed.
// The caller holds the library's lock. Returns the exit status.
int reapplySets(library::PictureSystem& system);
