// Start-up preparation of the picture library: the library root, the one-time
// backup of the Menu Extras folder, and an extra folder with a "default" set
// for every Menu Extra bundle.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// The run of the one-time backup, whichever system it copies: the bar moves
// on by one step per entry; a copy that fails stops a first start, and a
// start that resumes the backup leaves it for the next one instead; once
// every entry is in, the staging folder becomes the backup.
class BackupRun {
public:
    BackupRun(BackupProgress& progress, std::size_t entries, bool resuming);
    // After an entry's copy was made (or found made): false when the start
    // stops at it.
    bool entryDone(bool copied, const std::string& entry);
    // The staging folder renamed to the backup when no entry is missing
    // (false when that fails), and the window closed.
    bool finish(const std::string& staging, const std::string& backup);
    const std::vector<std::string>& missing() const { return missing_; }

private:
    BackupProgress& progress_;
    double step_;
    bool resuming_;
    std::vector<std::string> missing_;
};

// What a start that succeeded could not do: the backup entries that it could
// not copy. While any is left the backup stays incomplete (staged, never
// called "backup") and every start tries them again.
struct SetupReport {
    std::vector<std::string> backupMissing;
    // For a start that failed: the path it failed on and the system's error
    // number (0 when none was given).
    std::string failedPath;
    int failedError = 0;
};

// Returns true when the library is ready, false at the first failure. Nothing
// done before a failure is undone; the next start carries on from there.
//
// The backup is complete or absent: entries are gathered in a hidden staging
// folder, each arriving whole, and the folder becomes "backup" only once every
// entry is in. The first start stops at a backup copy that fails. A later
// start that finds the backup unfinished resumes it, but an entry that still
// cannot be copied does not stop it: the entry is left for the next start
// (and named in the report) and the rest of the library is prepared, so that
// one bad entry never locks the user out.
//
// Every copy is built in the work folder, which each start empties first, so
// a start killed at any moment leaves no temporary name elsewhere; the caller
// holds the library's lock, so no other process is building copies there.
// A set goes into place only once each of its files was written and closed
// without an error (a full disk fails the start instead), and a "default"
// set whose info file an older start left cut short (a beginning of the
// default text) gets its whole text back. Menu
// Extras named like the library root's own folders get no extra folder.
bool setupHomeFolder(BackupProgress& progress, SetupReport* report = nullptr);

} // namespace library
