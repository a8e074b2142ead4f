// Unpacks a hostile archive or folder into a folder of the library's work
// folder, refusing the whole of it at the first entry that is not a plain
// file or folder, that has an absolute name or one that climbs with "..", or
// that goes beyond the limits (read from the header before any byte is
// unpacked, then counted as the bytes come).
#pragma once

#include "library/SetArchive.h"

#include <QString>
#include <string>

namespace library {

struct Unpacked {
    bool ok = false;
    QString reason; // in the user's words
};

// The entry's name made plain ("./" and empty components dropped); empty
// when it is absolute, climbs or is empty.
QString safeEntryName(const QString& name);

Unpacked unpackArchive(const std::string& archive, const std::string& into,
                       const ImportLimits& limits);
Unpacked copyFolderIn(const std::string& folder, const std::string& into,
                      const ImportLimits& limits);

} // namespace library
