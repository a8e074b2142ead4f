// The desktop's workspace: opening a file with the user's default application
// and starting an application by name. Tests put their own in place, so that
// nothing is opened or started for real.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

class Image;

class Workspace {
public:
    virtual ~Workspace() = default;
    // The desktop's icon for the item at the path, or for files with the
    // extension, drawn for the given side in points, so that it is sharp at
    // the size it is shown; nothing when the desktop has none.
    virtual std::shared_ptr<Image> iconForFile(const std::string& path, int side);
    virtual std::shared_ptr<Image> iconForFileType(const std::string& extension, int side);
    // Opens the file with the user's default application: false when no
    // opener could be started. An opener that starts and then fails (ends
    // with a status other than 0: no application for the file, none could
    // start) calls failed later, from the event loop.
    virtual bool openFile(const std::string& path, std::function<void()> failed = {}) = 0;
    // The same, at a place in the file (a page's anchor, "" for its top),
    // where the application opening it takes one.
    virtual bool openFileAt(const std::string& path, const std::string& anchor,
                            std::function<void()> failed = {}) {
        (void)anchor;
        return openFile(path, std::move(failed));
    }
    virtual bool launchApplication(const std::string& name) = 0;
};

// The workspace in use: the desktop's, unless setWorkspace replaced it.
Workspace& sharedWorkspace();

// Installs a workspace; nullptr restores the desktop's. Not owned.
void setWorkspace(Workspace* workspace);

} // namespace platform
