#include "library/ClientReload.h"

#include "icontheme/SafeFolder.h"
#include "platform/core/Bundle.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>
#include <cstdio>

namespace library {
namespace {

// The session bus of the environment: its address, or the user's bus
// socket where the address is not given; empty when there is none.
QString sessionBusAddress() {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo(socket).exists())
        return QStringLiteral("unix:path=") + socket;
    return QString();
}

// KIconLoader's signal: every loader on the bus drops what it read of the
// theme. The group is 0 (all), as KDE's own daemon sends it when an icons
// folder changes. A private connection, read from the environment now and
// closed after, carries it; the call after the signal returns once the bus
// has passed the signal on.
bool signalKde() {
    const QString address = sessionBusAddress();
    if (address.isEmpty())
        return false;
    const QString name = QStringLiteral("trayskin-reload-") + QUuid::createUuid().toString();
    bool sent = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        if (bus.isConnected()) {
            QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"),
                                                             QStringLiteral("org.kde.KIconLoader"),
                                                             QStringLiteral("iconChanged"));
            signal << 0;
            const QDBusMessage id = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
            sent = bus.send(signal) &&
                   bus.call(id, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return sent;
}

} // namespace

ClientReload tellRunningClients(const QStringList& themeFolders) {
    ClientReload reload;
    for (const QString& path : themeFolders) {
        auto folder = icontheme::SafeFolder::open(path, false);
        if (folder && folder->touch()) {
            reload.touched = true;
            std::printf("touched %s\n", qPrintable(path));
        }
    }
    reload.signalled = signalKde();
    std::printf("KDE's icon loaders %s\n", reload.signalled ? "signalled" : "not signalled");
    std::fflush(stdout);
    return reload;
}

QString reloadParagraph(const ClientReload& reload) {
    using platform::bundle::localizedString;
    QStringList sentences;
    if (reload.signalled)
        sentences << localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Running KDE programs were told to reload their icons."));
    if (reload.touched)
        sentences << localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "Running GTK programs notice the change the next time they look an icon "
                        "up, as a status icon does when its state changes (the volume, for "
                        "example)."));
    return sentences.isEmpty() ? QString() : QStringLiteral("\n\n") + sentences.join(u' ');
}

} // namespace library
