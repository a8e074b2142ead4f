// The start of every process of the program: the command line read on a
// QCoreApplication, before any window system is loaded.
#pragma once

#include "app/CommandLine.h"

// Names the application (its name and version, for Qt's own use).
void nameApplication();

// Reads the arguments, prints the help, the version or a usage error, or
// runs the verb they name. exitStatus is the status to end with, or -1 when
// the window is to open.
StartOptions readCommandLine(int argc, char** argv, int* exitStatus);

// The command's own main: everything but the window, on Qt Core alone; for
// the window, the window's program beside it takes over this process with
// the same arguments.
int commandMain(int argc, char** argv);
