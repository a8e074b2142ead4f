// The Menu Extras folder: bundles with TIFF pictures, replaced through the
// privileged tool, restored from the backup's copies.
#pragma once

#include "library/PictureSystem.h"
#include "library/ToolRunner.h"

#include <memory>

namespace library {

class MenuExtrasSystem final : public PictureSystem {
public:
    // Every copy over a bundle's picture goes through the runner; without
    // one, every copy fails.
    explicit MenuExtrasSystem(std::shared_ptr<ToolRunner> runner);

    QString description() const override;
    QString nothingShownText() const override;
    std::string libraryRoot() const override;
    std::string exampleTree(const std::string& bundlePath) const override;
    bool isPicture(std::string_view name) const override;
    int panelSide() const override { return 0; }
    bool setupLibrary(BackupProgress& progress, SetupReport* report) override;
    std::vector<std::string> items() override;
    InUse inUse(const std::string& item) override;
    std::vector<InstallCopy> currentPictures(const std::string& item, const std::string& set,
                                             std::size_t most) override;
    PlaceReport install(const std::string& item, const std::string& set) override;
    PlaceReport restore(const std::string& item) override;
    PlaceReport restoreAll() override;
    // A TIFF picture by its first bytes, at most 16 MiB, under a name of one
    // of the Menu Extra's own pictures: what the privileged tool takes
    // (MenuExtrasReasons.cpp).
    QString fileRefusal(const std::string& item, const std::string& path) override;

private:
    // Each copy through the tool, with the install's lines; at the first
    // failure its alert and status line, and false.
    bool copyThroughTool(const std::vector<InstallCopy>& copies, PlaceReport& report);
    // The copies of a restore: the alert that nothing needed restoring, or
    // the copies and, when they all went, the completion.
    PlaceReport copyRestoring(const std::vector<InstallCopy>& copies, const std::string& extra,
                              bool all);

    std::shared_ptr<ToolRunner> runner_;
};

} // namespace library
