// The verbs of the command line, each without a window: on the picture
// system the window would work on, with the window's checks and records.
#pragma once

#include "app/CommandLine.h"

// Runs the options' verb (not Verb::Window); returns the exit status.
int runVerb(const StartOptions& options);
