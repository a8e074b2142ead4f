// A backup progress that shows nothing, for starts run by tests.
#pragma once

#include "library/HomeFolder.h"

namespace testing_support {

struct NoProgress final : library::BackupProgress {
    void openBackupWindow() override {}
    void closeBackupWindow() override {}
    void incrementBy(double) override {}
    void displayIfNeeded() override {}
};

} // namespace testing_support
