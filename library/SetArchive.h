// Importing sets from a folder or an archive (.tar.gz, .tar.xz, .tar.bz2,
// .zip) and exporting a set as a .tar.gz. What is imported is hostile until
// checked: names that are absolute or climb with "..", links, devices and
// other special entries refuse the whole import, and so do more entries,
// a larger entry or more bytes in all than the limits, as soon as the header
// or the bytes read so far show it. Everything is unpacked into the library's
// work folder and each set is renamed into place whole; nothing is written
// anywhere else.
//
// An archive or folder with an index.theme (an icon theme) gives one set per
// status item it holds pictures of, named after the theme's Name; one of
// plain files gives one set, for the item whose default set has pictures of
// the same names, named after the archive's one folder (or the archive).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

namespace library {

struct ImportLimits {
    std::int64_t entries = 20000;
    std::int64_t entryBytes = std::int64_t(16) << 20;
    std::int64_t totalBytes = std::int64_t(256) << 20;
};

struct ImportResult {
    bool done = false;
    QString reason;   // why nothing was imported, in the user's words
    QStringList made; // "item/set" of each set made
};

ImportResult importSets(const std::string& root, const std::string& source,
                        const ImportLimits& limits = {});

struct ExportResult {
    bool done = false;
    QString reason;
};

// Writes the set's folder (its plain files, under the set's name) as a
// .tar.gz at file, which must not exist yet.
ExportResult exportSet(const std::string& root, const std::string& item, const std::string& set,
                       const std::string& file);

} // namespace library
