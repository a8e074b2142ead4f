// What the window does to a set as a whole: moves it to the desktop's trash,
// duplicates it, renames it. Every operation checks the names first and
// never replaces anything; a duplicate is built in the library's work folder
// and renamed into place whole.
#pragma once

#include <QString>
#include <string>

namespace library {

struct SetOutcome {
    bool done = false;
    QString reason;    // why not, in the user's words ("" when done)
    std::string where; // the set's folder after the operation
};

// Moves the set's folder to the trash (the freedesktop trash folders);
// "default" stays.
SetOutcome moveSetToTrash(const std::string& root, const std::string& item, const std::string& set);
// Copies the set under the new name.
SetOutcome duplicateSet(const std::string& root, const std::string& item, const std::string& set,
                        const QString& newName);
SetOutcome renameSet(const std::string& root, const std::string& item, const std::string& set,
                     const QString& newName);
// A name for a copy of the set that no set of the item has: "<set> copy",
// then "<set> copy 2", ...
QString freeCopyName(const std::string& root, const std::string& item, const std::string& set);

} // namespace library
