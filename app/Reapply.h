// reapply: the sets in use installed again, for a theme that gained
// folders or pictures since they were installed (a theme package update).
#pragma once

#include "app/CountingTool.h"
#include "library/PictureSystem.h"

// Installs again, as Use This Set does, each item's set in use (other than
// the system's own pictures), saying what each install wrote. The caller
// holds the library's lock; the system copies through the tool. Returns
// the exit status.
int reapplySets(library::PictureSystem& system, const CountingTool& tool);
