// Tells icon clients that are running that a theme's files changed, without
// changing any setting of the user's. GTK 3 (and the toolkits copied from
// it) compares the modification time of each theme folder when it looks an
// icon up, at most every five seconds, and reloads the theme when one
// changed; so the folders that were written are touched. KDE's KIconLoader
// reloads on its signal on the session bus.
#pragma once

#include <QString>
#include <QStringList>

namespace library {

struct ClientReload {
    bool touched = false;   // a theme folder's time moved on
    bool signalled = false; // the KDE signal went out on a session bus
    bool live = false;      // the display's XSettings manager named another theme and back
};

// The theme folders are touched where they exist, and the display's
// XSettings manager, where one runs, names another icon theme for a moment.
ClientReload tellRunningClients(const QStringList& themeFolders);

// What the completion alert says of it, as a paragraph after a blank line;
// empty when no client was told.
QString reloadParagraph(const ClientReload& reload);

} // namespace library
