// The Menu Extras folder: bundles with TIFF pictures, replaced through the
// privileged tool, restored from the backup's copies.
#pragma once

#include "library/PictureSystem.h"

namespace library {

class MenuExtrasSystem final : public PictureSystem {
public:
    Mode mode() const override { return Mode::MenuExtras; }
    QString description() const override;
    std::string libraryRoot() const override;
    std::string exampleTree(const std::string& bundlePath) const override;
    bool isPicture(std::string_view name) const override;
    int panelSide() const override { return 0; }
    bool setupLibrary(BackupProgress& progress, SetupReport* report) override;
    std::vector<std::string> items() override;
    InUse inUse(const std::string& item) override;
    std::vector<InstallCopy> currentPictures(const std::string& item, const std::string& set,
                                             std::size_t most) override;
    PlaceReport install(const std::string& item, const std::string& set,
                        const PrivilegedCopier& copier) override;
    PlaceReport restore(const std::string& item, const PrivilegedCopier& copier) override;
    PlaceReport restoreAll(const PrivilegedCopier& copier) override;
};

} // namespace library
