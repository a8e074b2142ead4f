// The copies of a Menu Extras install or restore from the command line,
// each through the privileged tool as the window makes them, with the same
// lines on standard output; what the window's alert would say goes to
// standard error instead.
#pragma once

#include "library/PictureSystem.h"
#include "platform/core/Authorization.h"

#include <cstddef>

// How the copies went: how many were made before the first that failed,
// and that one's status (0 when none failed).
struct ToolCopies {
    std::size_t made = 0;
    OSStatus failure = 0;
    // The authorization, rather than the copy, said no.
    bool refused() const;
};

// A copier that counts into copies, which must outlive it.
library::PrivilegedCopier toolCopier(ToolCopies& copies);
