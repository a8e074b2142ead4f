#include "app/SingleInstance.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView kShowRequest = "show\n";
// How long a later start looks for the running program before it gives up.
constexpr qint64 kReachWithinMs = 10000;

} // namespace

SingleInstance::SingleInstance(std::string libraryRoot) : root_(std::move(libraryRoot)) {}

SingleInstance::~SingleInstance() {
    if (lock_ >= 0)
        ::close(lock_);
}

bool SingleInstance::tryLock() {
    while (::flock(lock_, LOCK_EX | LOCK_NB) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

QString SingleInstance::serverName(const std::string& libraryRoot) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(libraryRoot), QCryptographicHash::Sha256)
            .toHex()
            .left(24);
    return QStringLiteral("trayskin-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::Start SingleInstance::start() {
    // Two first starts may make the root at the same moment; that is fine.
    platform::fs::createDirectoryChain(root_);
    if (!platform::fs::isDirectory(root_))
        return Start::First;
    lock_ =
        ::open(library::lockFile(root_).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // A library that cannot hold a lock file (read-only): the start-up
    // finds out what else it cannot do and says so.
    if (lock_ < 0)
        return Start::First;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (tryLock()) {
            listen();
            return Start::First;
        }
        QLocalSocket socket;
        socket.connectToServer(serverName(root_));
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest.data(), kShowRequest.size());
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return Start::Elsewhere;
        }
        // The holder has not begun to listen yet, or has just ended: look
        // again (connecting took up to half a second).
        if (clock.elapsed() > kReachWithinMs)
            return Start::Elsewhere;
        QThread::msleep(50);
    }
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(root_);
    // A socket left by a program that died: ours now, as the lock is.
    if (!server_->listen(name)) {
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains('\n') && show_)
                    show_();
            });
        }
    });
}
