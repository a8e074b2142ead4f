// import and export: sets in and out of the library, through the same
// checks as the window's Import Sets and Export Set.
#pragma once

#include "library/PictureSystem.h"

#include <QString>

// Makes sets of the folder or archive at path; the caller holds the
// library's lock. Returns the exit status.
int importVerb(library::PictureSystem& system, const QString& path);
// Writes the item's set as a .tar.gz at file. Returns the exit status.
int exportVerb(library::PictureSystem& system, const std::string& item, const std::string& set,
               const QString& file);
