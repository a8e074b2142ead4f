// The verbs of the command line, each without a window: on the picture
// system the window would work on, with the window's checks and records.
#pragma once

#include "app/CommandLine.h"

#include <string>

// The command as it was started, so that what status prints can be kept
// whole (platform/core/KeptOutput.h): its key, and the stamps of the
// program's own files (its programs and translations) and of the folder
// whose presence chooses the mode, taken before they were read. Without a
// key nothing is kept.
struct CommandStart {
    std::string key;
    std::string programStamps;
};

// Runs the options' verb (not Verb::Window); returns the exit status.
int runVerb(const StartOptions& options, const CommandStart& start = {});
