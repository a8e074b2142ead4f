// What a command printed, kept with the stamps of everything it was worked
// out from, so that the same command in the same environment can print it
// again without running: plain C++, no Qt (the command's front gives it
// before any library of Qt is loaded, app/FrontMain.cpp).
//
// The key is the programs' folder, the command's arguments, its working
// folder and every variable of its environment that the program, Qt Core,
// ICU or the C library may read (its own and the desktop's folders and
// settings, the language and locale, the time zone, the loader's), compared
// whole: a kept output is given only to the very same command line of the
// same installation in the very same environment, and only while every
// stamp still holds (Stamps.h).
#pragma once

#include <string>
#include <vector>

namespace platform::kept {

// The folder of the running program (the front and the command's program
// are in the same), the arguments after the program's name, the working
// folder and the variables that are read (sorted).
std::string commandKey(int argc, char** argv, char** environment);

// Where the output of the command with that key is kept, in the user's
// cache folder; "" where there is none (no HOME and no XDG_CACHE_HOME).
std::string keptPath(const std::string& key, char** environment);

// The exit status kept for the key, its output written to fd (whether or
// not all of it could be); -1, and nothing written, when none is kept or a
// stamp no longer holds.
int giveKept(const std::string& path, const std::string& key, int fd);

// Keeps the output and exit status with the lists of stamps
// (StampList::bytes) it was worked out from; false when it could not be
// written. At most kMostKept outputs are kept in the folder: the oldest go.
constexpr int kMostKept = 8;
bool keep(const std::string& path, const std::string& key, int status, const std::string& output,
          const std::vector<std::string>& stampLists);

} // namespace platform::kept
