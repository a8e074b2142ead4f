// Telling running clients never waits on a session bus that takes the
// connection and never answers (a stopped daemon): the folders are still
// touched, the signal is given up, and the connection is ended, so that Qt's
// D-Bus thread, and with it the end of this test program, is not held.
#include "library/icontheme/ClientReload.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// A bus that listens and never accepts: the kernel completes connections
// into its backlog, so a client's connect succeeds and its first read waits.
struct SilentBus {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    explicit SilentBus(const std::string& name) {
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        name.copy(where.sun_path, name.size());
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + name.size() +
                                      (name.front() == '\0' ? 0 : 1));
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&where), length), 0);
        EXPECT_EQ(::listen(fd, 8), 0);
    }
    ~SilentBus() { close(); }
    void close() {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

TEST(ClientReload, ASessionBusThatNeverAnswersIsGivenUp) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("bus")).toStdString();
    const std::string abstract = "trayskin-test-" + std::to_string(::getpid());
    const struct {
        std::string socket, address;
    } cases[] = {
        {path, "unix:path=" + path + ",guid=0123456789abcdef0123456789abcdef;tcp:host=x"},
        {std::string(1, '\0') + abstract, "unix:abstract=" + abstract},
    };
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        ::unlink(path.c_str());
        SilentBus bus(c.socket);
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(c.address));
        auto told = std::async(std::launch::async,
                               [&] { return library::tellRunningClients({dir.path()}); });
        // A watchdog, not a measure: a hang shows as a failure, and closing
        // the bus lets a hung client go.
        const bool returned = told.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        EXPECT_TRUE(returned);
        if (!returned)
            bus.close();
        const library::ClientReload reload = told.get();
        EXPECT_TRUE(reload.touched);
        EXPECT_FALSE(reload.signalled);
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
}

} // namespace
