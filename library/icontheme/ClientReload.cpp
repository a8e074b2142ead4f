#include "library/icontheme/ClientReload.h"
#include "library/FileLines.h"

#include "icontheme/SafeFolder.h"
#include "library/icontheme/XSettingsToggle.h"
#include "platform/core/Bundle.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <future>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

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

// The socket of a bus address's first "unix:path=" or "unix:abstract=" entry
// (its value unescaped; an abstract name starts with a NUL byte); empty for
// other transports.
QByteArray unixSocketOf(const QString& address) {
    const QString first = address.section(u';', 0, 0);
    if (!first.startsWith(QStringLiteral("unix:")))
        return {};
    for (const QString& pair : first.mid(5).split(u',')) {
        const QString key = pair.section(u'=', 0, 0);
        const QByteArray value = QByteArray::fromPercentEncoding(pair.section(u'=', 1).toUtf8());
        if (key == u"path")
            return value;
        if (key == u"abstract")
            return QByteArray(1, '\0') + value;
    }
    return {};
}

// How long the window waits for the bus to take the signal; a live bus
// answers in milliseconds.
constexpr auto kAnswerLimit = std::chrono::seconds(3);

// Ends every connection of this process to the unix socket (shutdown, not
// close: the descriptor stays its owner's). A bus that took a connection and
// never answers holds libdbus, and Qt's D-Bus thread with it, without end;
// an ended connection lets both go. (A connection of Qt's own to that bus
// is ended too; it was no better off.)
void endConnectionsTo(const QByteArray& socketName) {
    if (socketName.isEmpty())
        return;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& entry :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int fd = entry.toInt(&number);
        sockaddr_un peer{};
        socklen_t length = sizeof peer;
        if (!number || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0 ||
            peer.sun_family != AF_UNIX || length <= offsetof(sockaddr_un, sun_path))
            continue;
        QByteArray name(peer.sun_path, qsizetype(length - offsetof(sockaddr_un, sun_path)));
        if (!name.startsWith('\0') && name.endsWith('\0'))
            name.chop(1); // a path's terminator
        if (name == socketName)
            ::shutdown(fd, SHUT_RDWR);
    }
}

// KIconLoader's signal, through Qt's D-Bus on a private connection read from
// the environment now and closed after; the call after the signal returns
// once the bus has passed the signal on.
bool sendSignal(const QString& address) {
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
            const int limit = int(std::chrono::milliseconds(kAnswerLimit).count());
            sent = bus.send(signal) &&
                   bus.call(id, QDBus::Block, limit).type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return sent;
}

// Every loader on the bus drops what it read of the theme: the group is 0
// (all), as KDE's own daemon sends it when an icons folder changes. The
// signal goes out on a thread of its own; the window waits for it a bounded
// time, and a bus that has not answered by then has its connection ended.
bool signalKde() {
    const QString address = sessionBusAddress();
    if (address.isEmpty())
        return false;
    auto outcome = std::make_shared<std::promise<bool>>();
    std::future<bool> sent = outcome->get_future();
    std::thread sender([outcome, address] { outcome->set_value(sendSignal(address)); });
    if (sent.wait_for(kAnswerLimit) == std::future_status::ready) {
        sender.join();
        return sent.get();
    }
    std::fprintf(stderr, "The session bus %s does not answer; KDE programs are not told.\n",
                 qPrintable(address));
    endConnectionsTo(unixSocketOf(address));
    // A transport that cannot be ended here is left to its thread.
    if (sent.wait_for(kAnswerLimit) == std::future_status::ready)
        sender.join();
    else
        sender.detach();
    return false;
}

} // namespace

ClientReload tellRunningClients(const QStringList& themeFolders) {
    ClientReload reload;
    for (const QString& path : themeFolders) {
        auto folder = icontheme::SafeFolder::open(path, false);
        if (folder && folder->touch()) {
            reload.touched = true;
            sayFileLine("touched", path);
        }
    }
    reload.live = toggleRunningManager();
    std::printf("the display's settings manager %s\n",
                reload.live ? "named another icon theme and back" : "was not told");
    reload.signalled = signalKde();
    sayFileLine("KDE's icon loaders",
                QLatin1String(reload.signalled ? "signalled" : "not signalled"));
    std::fflush(stdout);
    return reload;
}

QString reloadParagraph(const ClientReload& reload) {
    using platform::bundle::localizedString;
    QStringList sentences;
    if (reload.signalled)
        sentences << localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Running KDE programs were told to reload their icons."));
    if (reload.live)
        sentences << localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "Programs that follow the desktop's settings, as the Xfce panel does, "
                        "were told to look their icons up again and show the pictures now."));
    if (reload.touched)
        sentences << localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "Running GTK programs notice the change the next time they look an icon "
                        "up, as a status icon does when its state changes (the volume, for "
                        "example)."));
    return sentences.isEmpty() ? QString() : QStringLiteral("\n\n") + sentences.join(u' ');
}

} // namespace library
