#include "Workspace.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

namespace platform {

namespace {

class DesktopWorkspace final : public Workspace {
public:
    bool openFile(const std::string& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    }

    bool launchApplication(const std::string& name) override {
        // The name is looked up on the search path as it stands, with spaces
        // and all; there is no shell in between.
        QString program = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (program.isEmpty() || !QProcess::startDetached(program, {})) {
            std::fprintf(stderr, "Could not launch the application \"%s\".\n", name.c_str());
            return false;
        }
        return true;
    }
};

Workspace* current = nullptr;

} // namespace

Workspace& sharedWorkspace() {
    static DesktopWorkspace desktop;
    return current ? *current : desktop;
}

void setWorkspace(Workspace* workspace) {
    current = workspace;
}

} // namespace platform
