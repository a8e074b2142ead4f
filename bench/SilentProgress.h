// A backup progress that shows nothing, for benchmarks that run a start
// without windows.
#pragma once

#include "library/HomeFolder.h"

namespace bench {

struct SilentProgress final : library::BackupProgress {
    void openBackupWindow() override {}
    void closeBackupWindow() override {}
    void incrementBy(double) override {}
    void displayIfNeeded() override {}
};

} // namespace bench
