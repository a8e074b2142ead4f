#include "library/ClientReload.h"

#include "icontheme/SafeFolder.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileDescriptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

// Whether the bus at a unix socket answers the start of a connection (the
// client's credentials and its AUTH EXTERNAL line) within the limit.
// libdbus waits without end for a bus that took the connection and never
// answers, as a stopped daemon does, and the window would wait with it: so
// the bus is asked here first, with a deadline.
bool busAnswers(const QByteArray& socketName, int limitMs) {
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    if (socketName.isEmpty() || std::size_t(socketName.size()) > sizeof where.sun_path)
        return false;
    std::memcpy(where.sun_path, socketName.constData(), std::size_t(socketName.size()));
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + std::size_t(socketName.size()) +
                                  (socketName.front() == '\0' ? 0 : 1));
    platform::fs::Fd bus(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!bus.ok() || ::connect(bus.get(), reinterpret_cast<sockaddr*>(&where), length) != 0)
        return false;
    const QByteArray hello =
        QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::getuid()).toHex() + "\r\n";
    if (::send(bus.get(), hello.constData(), std::size_t(hello.size()), MSG_NOSIGNAL) !=
        hello.size())
        return false;
    // The answer's first three bytes, however the bus sends them, until the deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    char answer[3] = {};
    std::size_t got = 0;
    while (got < sizeof answer) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{bus.get(), POLLIN, 0};
        const int ready = ::poll(&wait, 1, int(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready != 1)
            return false;
        const ssize_t n = ::recv(bus.get(), answer + got, sizeof answer - got, 0);
        if (n <= 0 && !(n < 0 && (errno == EINTR || errno == EAGAIN)))
            return false;
        got += std::size_t(std::max<ssize_t>(n, 0));
    }
    return std::memcmp(answer, "OK ", 3) == 0;
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
    const QByteArray socket = unixSocketOf(address);
    if (!socket.isEmpty() && !busAnswers(socket, 2000)) {
        std::fprintf(stderr, "The session bus %s does not answer; KDE programs are not told.\n",
                     qPrintable(address));
        return false;
    }
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
