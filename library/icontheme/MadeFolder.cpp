#include "library/icontheme/MadeFolder.h"
#include "library/FileLines.h"

#include "icontheme/SafeFolder.h"

#include <QFileInfo>
#include <cstdio>

namespace library {

void noteMadeFolder(const QString& folder, const QString& note) {
    auto made = icontheme::SafeFolder::open(folder, false);
    const auto id = made ? made->folderId() : std::nullopt;
    auto notes = icontheme::SafeFolder::open(QFileInfo(note).path(), false);
    // Not synced: a note a crash takes (or leaves empty) costs no more than
    // an empty folder left behind by a restore, which never takes a folder
    // it does not know for its own.
    if (id && notes)
        notes->write(QFileInfo(note).fileName(), id->toUtf8(), icontheme::SafeFolder::Sync::None);
}

void removeMadeFolder(const QString& folder, const QString& note) {
    auto notes = icontheme::SafeFolder::open(QFileInfo(note).path(), false);
    const QString name = QFileInfo(note).fileName();
    if (!notes || !notes->exists(name))
        return;
    const auto noted = notes->read(name, 64);
    auto made = icontheme::SafeFolder::open(folder, false);
    const bool ours = made && noted && made->folderId() == QString::fromUtf8(*noted);
    made.reset();
    const qsizetype slash = folder.lastIndexOf(u'/');
    auto parent = icontheme::SafeFolder::open(folder.left(slash), false);
    // A folder of ours that still holds anything stays, and stays noted.
    if (ours && !(parent && parent->removeEmptyFolder(folder.mid(slash + 1))))
        return;
    notes->remove(name);
    sayFileLine(ours ? "removed" : "forgot", folder);
}

} // namespace library
