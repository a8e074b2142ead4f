// Process-wide allocator settings.
#pragma once

namespace platform {

// Keeps memory that was freed for the next allocation instead of handing it
// back to the system at once. Folder listings of long folders allocate and
// free megabytes many times per screen; without this each one comes back as
// fresh pages that fault on first touch.
void retainFreedMemory();

} // namespace platform
