// A theme of our own beside the user's: $XDG_DATA_HOME/icons/<theme>-Trayskin/
// holds the installed pictures in the directories the user's theme holds
// their names in, and an index.theme that inherits the user's theme and
// lists only those directories. A client asked for that theme finds our
// picture of a name at every size, and every other name in the user's theme,
// whatever order it breaks ties between base directories in.
//
// The folder is Trayskin's only when Trayskin made it: it is made under a
// passing name, its identity (device and inode) noted in Trayskin's state
// outside the library, and only then renamed to its own name. A folder of
// that name that the user made is never taken for ours: nothing in it is
// written or removed, and an install into it is refused.
#pragma once

#include "icontheme/Overlay.h"
#include "icontheme/ThemeIndex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace icontheme {

// "<theme>-Trayskin".
QString ownThemeName(const QString& theme);

// The index.theme of the own theme: the directories in the order the user's
// theme lists them, each with the user's theme's keys.
QByteArray ownThemeIndex(const QString& theme, const ThemeIndex& index, const QStringList& dirs);

class OwnTheme {
public:
    OwnTheme(IconThemes& themes, const BaseDirs& dirs, const QString& theme, QString recordPath);

    QString name() const { return ownThemeName(theme_); }
    QString folder() const { return overlay_.folder(); }
    // The folder is there and Trayskin made it.
    bool ours() const { return claim() == Claim::Ours; }
    // What the own theme holds, as Overlay::record.
    std::optional<OverlayRecord> record() { return overlay_.record(); }

    // As Overlay::install, then the index written for what the folder holds;
    // the folder is made first, and a folder of that name not ours refuses it.
    OverlayReport install(const QStringList& pictures, const QString& install = QString());
    // As Overlay::restore; the index and the empty folders go with the last picture.
    OverlayReport restore(const QStringList& icons = QStringList());
    // As Overlay::salvage, then the index as the folder is left.
    OverlayReport salvage(const QSet<QString>& ours);
    // As Overlay::recover, and the index made to name the directories the
    // record holds again: a kill may come between the pictures and the index.
    bool recover();

private:
    enum class Claim { None, Ours, Theirs };
    Claim claim() const;
    // A folder that an older Trayskin made carries no mark: it is ours when
    // its index is, byte for byte, the one written for the pictures its
    // record lists, and is marked so.
    void adoptOlder();
    // Makes the folder as ours; false when it cannot be.
    bool make();
    void finish(OverlayReport& report, const QStringList& touched);

    IconThemes& themes_;
    QString theme_;
    Overlay overlay_;
};

} // namespace icontheme
