// The desktop's workspace: opening a file with the user's default application
// and starting an application by name. Tests put their own in place, so that
// nothing is opened or started for real.
#pragma once

#include <string>

namespace platform {

class Workspace {
public:
    virtual ~Workspace() = default;
    virtual bool openFile(const std::string& path) = 0;
    virtual bool launchApplication(const std::string& name) = 0;
};

// The workspace in use: the desktop's, unless setWorkspace replaced it.
Workspace& sharedWorkspace();

// Installs a workspace; nullptr restores the desktop's. Not owned.
void setWorkspace(Workspace* workspace);

} // namespace platform
