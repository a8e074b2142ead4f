// What a toggle of the XSettings manager's icon theme has set and not yet
// put back, kept on disk for the time of the pause: a kill, a crash or an
// interrupt inside it leaves the journal, and the next start puts the
// user's value back from it.
#pragma once

#include "library/icontheme/XSettingsToggle.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace library {

struct ToggleJournal {
    XSettingsManager kind = XSettingsManager::None;
    QString value; // the user's, to put back
    QString set;   // the other value the toggle set
    // xsettingsd: its file, the user's bytes and the toggle's.
    QString path;
    QByteArray original;
    QByteArray ours;
};

// Written whole (temporary file, sync, rename) before the other value is set.
bool writeToggleJournal(const QString& path, const ToggleJournal& journal);
bool removeToggleJournal(const QString& path);

// Puts back what a toggle that never ended set, where the setting still holds
// the toggle's value (a later choice of the user's stays), says so on
// standard error and removes the journal; a damaged journal is removed with
// nothing written. running is the manager found now (xsettingsd is told to
// reload only when it reads the journal's file).
void finishInterruptedToggle(const QString& path, const ToggleContext& context,
                             const FoundManager& running);

} // namespace library
