#include "library/MenuExtrasSystem.h"

#include "platform/core/Bundle.h"
#include "platform/core/PathString.h"

#include <QtGlobal>

namespace library {

namespace {

PlaceReport copyRestoring(const std::vector<InstallCopy>& copies, const PrivilegedCopier& copier,
                          PlaceReport::Completion completion) {
    PlaceReport report;
    // Every picture already the original: nothing to copy, and that is said.
    report.nothingNeeded = copies.empty();
    report.done = report.nothingNeeded || copier(copies);
    if (!report.nothingNeeded && report.done)
        report.menuExtraCompletion = completion;
    return report;
}

} // namespace

QString MenuExtrasSystem::description() const {
    return platform::bundle::localizedString(QT_TRANSLATE_NOOP("Trayskin", "Menu Extras"));
}

std::string MenuExtrasSystem::libraryRoot() const {
    return platform::expandTilde(kLibraryRoot);
}

std::string MenuExtrasSystem::exampleTree(const std::string& bundlePath) const {
    return platform::formatPath(kExampleTreePattern, {bundlePath});
}

bool MenuExtrasSystem::isPicture(std::string_view name) const {
    return library::isPicture(name);
}

bool MenuExtrasSystem::setupLibrary(BackupProgress& progress, SetupReport* report) {
    return setupHomeFolder(progress, report);
}

std::vector<std::string> MenuExtrasSystem::items() {
    return installedExtras();
}

InUse MenuExtrasSystem::inUse(const std::string& item) {
    return setInUse(item);
}

std::vector<InstallCopy> MenuExtrasSystem::currentPictures(const std::string& item,
                                                           const std::string& set,
                                                           std::size_t most) {
    return installCopies(item, set, most);
}

PlaceReport MenuExtrasSystem::install(const std::string& item, const std::string& set,
                                      const PrivilegedCopier& copier) {
    PlaceReport report;
    report.done = copier(installCopies(item, set));
    if (report.done)
        report.menuExtraCompletion = PlaceReport::Completion::Installed;
    return report;
}

PlaceReport MenuExtrasSystem::restore(const std::string& item, const PrivilegedCopier& copier) {
    PlaceReport report;
    const auto copies = restoreCopies(item, report.problem);
    if (report.problem != RestoreProblem::None)
        return report;
    return copyRestoring(copies, copier, PlaceReport::Completion::Restored);
}

PlaceReport MenuExtrasSystem::restoreAll(const PrivilegedCopier& copier) {
    PlaceReport report;
    std::vector<InstallCopy> all;
    for (const std::string& extra : installedExtras()) {
        RestoreProblem problem = RestoreProblem::None;
        auto copies = restoreCopies(extra, problem);
        if (problem == RestoreProblem::NoBackup || problem == RestoreProblem::BackupIncomplete) {
            report.problem = problem;
            return report;
        }
        // A bundle added after the backup was made has nothing to go back to.
        all.insert(all.end(), copies.begin(), copies.end());
    }
    return copyRestoring(all, copier, PlaceReport::Completion::RestoredAll);
}

} // namespace library
