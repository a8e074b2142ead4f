// One install of a set of 100 pictures (4 KB each) through the use button's
// command, in a sandbox made here:  bench_install WORK_DIR
// The set and the bundle are made once; each run of this program installs
// the set once and prints nothing unless it fails.
//   bench_install WORK_DIR BUNDLE
#include "app/AppController.h"
#include "app/PrivilegedTool.h"
#include "library/SystemChoice.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"
#include "platform/widgets/ColumnBrowser.h"

#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

struct Dismiss : platform::AlertPresenter {
    int alerts = 0;
    bool failed = false;
    bool present(const platform::Alert& alert) override {
        ++alerts;
        failed = failed || alert.button == QStringLiteral("OK");
        return false;
    }
};

struct NoDesktop : platform::Workspace {
    bool openFile(const std::string&, std::function<void()>) override { return true; }
    bool launchApplication(const std::string&) override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_install WORK_DIR BUNDLE\n");
        return 2;
    }
    platform::bundle::setMainBundlePath(argv[2]);
    const std::string work = argv[1];
    ::setenv("HOME", (work + "/home").c_str(), 1);
    ::setenv("TRAYSKIN_SYSROOT", (work + "/system").c_str(), 1);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Dismiss presenter;
    NoDesktop desktop;
    platform::setAlertPresenter(&presenter);
    platform::setWorkspace(&desktop);

    AppController controller;
    controller.setTerminator([](int status) { std::exit(status == 0 ? 3 : status); });
    controller.awakeFromNib(library::chooseSystem(library::ModeRequest::MenuExtras, QString(),
                                                  QString(), std::make_shared<PrivilegedTool>()));
    auto* view =
        controller.mainWindow()->findChild<platform::ColumnBrowser*>(QStringLiteral("fsBrowser"));
    if (!view->setPath("/Volume/Bench")) {
        std::fprintf(stderr, "no set Volume/Bench in %s\n", work.c_str());
        return 1;
    }
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    (void)quiet;
    controller.useButtonClick();
    return presenter.alerts == 1 && !presenter.failed ? 0 : 1;
}
