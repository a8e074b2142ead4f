#include "app/ApplicationMain.h"

#include "app/AppController.h"
#include "app/CommandMain.h"
#include "app/PrivilegedTool.h"
#include "app/SingleInstance.h"
#include "library/PictureSystem.h"
#include "library/SystemChoice.h"
#include "platform/core/Bundle.h"
#include "platform/core/Memory.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMainWindow>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

void onTerminate(int) {
    char byte = 1;
    ssize_t ignored = ::write(quitPipe[1], &byte, 1);
    (void)ignored;
}

// A request to end the session (SIGTERM, SIGINT, SIGHUP) quits the way the
// Quit command does, once the event loop handles it.
void quitOnTerminationSignals(AppController& controller) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, quitPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &controller);
    QObject::connect(notifier, &QSocketNotifier::activated, &controller,
                     [&controller] { controller.exitApp(); });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

// The window opens at the size its interface file gives it, or at what the
// screen has room for when that is less (a small screen, a large scale),
// leaving room for a title bar.
void fitOnScreen(QMainWindow& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().size() - QSize(0, 40);
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSizeHint()));
}

} // namespace

int applicationMain(int argc, char** argv) {
    platform::retainFreedMemory();
    int exitStatus = -1;
    const StartOptions options = readCommandLine(argc, argv, &exitStatus);
    if (exitStatus >= 0)
        return exitStatus;
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral("trayskin"));
    // Every window carries the application's icon, from the bundle.
    QIcon icon;
    const std::string icons = platform::bundle::resourcesFolder() + "/icons";
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString::fromStdString(icons + "/trayskin-" + std::to_string(side) + ".png"),
                     QSize(side, side));
    QApplication::setWindowIcon(icon);
    platform::bundle::loadTranslations();
    // The command line first, then which folders exist.
    const std::shared_ptr<library::PictureSystem> system = library::chooseSystem(
        options.request, options.iconTheme, QIcon::themeName(), std::make_shared<PrivilegedTool>());

    // One program per library: a second start brings the first one's window
    // to the front and ends; only the holder of the lock touches the library.
    SingleInstance instance(system->libraryRoot());
    if (instance.start() == SingleInstance::Start::Elsewhere) {
        std::fputs("Trayskin is already running on this library; its window was brought to the "
                   "front.\n",
                   stderr);
        return 0;
    }

    AppController controller;
    instance.setShowRequest([&controller] {
        QMainWindow* window = controller.mainWindow();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    });
    quitOnTerminationSignals(controller);
    controller.awakeFromNib(system);
    if (options.ownTheme && !controller.runSystemCommand(library::kOwnThemeRouteCommand, true))
        std::fputs("The own-theme route could not be kept in the library.\n", stderr);
    fitOnScreen(*controller.mainWindow());
    controller.mainWindow()->show();
    return QApplication::exec();
}
