// Start-up preparation of the picture library: the library root, the one-time
// backup of the Menu Extras folder, and an extra folder with a "default" set
// for every Menu Extra bundle.
#pragma once

namespace library {

// What the backup drives while it runs: the backup window and its bar, on a
// scale from 0 to 100.
class BackupProgress {
public:
    virtual ~BackupProgress() = default;
    virtual void openBackupWindow() = 0;
    virtual void closeBackupWindow() = 0;
    virtual void incrementBy(double delta) = 0;
    // Redraws the bar at once; the event loop is not running yet.
    virtual void displayIfNeeded() = 0;
};

// Returns true when the library is ready, false at the first failure. Nothing
// done before a failure is undone; the next start carries on from there.
//
// The backup is complete or absent: entries are gathered in a hidden staging
// folder, each arriving whole, and the folder becomes "backup" only once every
// entry is in and the rest of the walk succeeded. A start that fails or dies
// half-way leaves the staging folder behind; the next start keeps the entries
// already gathered and copies the others.
bool setupHomeFolder(BackupProgress& progress);

} // namespace library
