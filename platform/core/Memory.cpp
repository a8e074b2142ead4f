#include "platform/core/Memory.h"

#include <malloc.h>

namespace platform {

void retainFreedMemory() {
    constexpr int kMegabyte = 1024 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, 32 * kMegabyte);
    ::mallopt(M_TRIM_THRESHOLD, 64 * kMegabyte);
}

} // namespace platform
