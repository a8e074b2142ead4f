#include "library/menuextras/MenuExtrasSystem.h"

#include "library/menuextras/MenuExtrasTexts.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/PathString.h"

#include <QtGlobal>
#include <cstdio>

namespace library {

MenuExtrasSystem::MenuExtrasSystem(std::shared_ptr<ToolRunner> runner)
    : runner_(std::move(runner)) {}

QString MenuExtrasSystem::description() const {
    return platform::bundle::localizedString(QT_TRANSLATE_NOOP("Trayskin", "Menu Extras"));
}

QString MenuExtrasSystem::nothingShownText() const {
    return platform::bundle::localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "No Menu Extra of this name is installed."));
}

std::string MenuExtrasSystem::libraryRoot() const {
    return library::libraryRoot();
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

bool MenuExtrasSystem::copyThroughTool(const std::vector<InstallCopy>& copies,
                                       PlaceReport& report) {
    for (const InstallCopy& copy : copies) {
        std::puts("copy");
        std::fflush(stdout);
        platform::logLine(copy.source);
        std::puts("to");
        std::fflush(stdout);
        platform::logLine(copy.target);
        const int status = runner_ ? runner_->copy(copy.source, copy.target) : -1;
        if (status != 0) {
            std::printf("copy problem!  err is %d\n", status);
            std::fflush(stdout);
            report.statusLine = runner_ ? runner_->failureCause(status) : QString();
            report.notices.push_back(copyFailed(copy, report.statusLine));
            return false;
        }
    }
    return true;
}

PlaceReport MenuExtrasSystem::install(const std::string& item, const std::string& set) {
    PlaceReport report;
    const auto copies = installCopies(item, set);
    report.done = copyThroughTool(copies, report);
    if (!report.done)
        return report;
    complete(report, Completion::Installed, item);
    // The alert stays as it is; beneath it, what was left out and why.
    QStringList leftOut;
    for (const std::string& name : platform::fs::listFolder(
             platform::formatPath(kPictureSetPattern, {libraryRoot(), item, set}))) {
        const QString why = isHiddenName(name) ? QString() : pictureRefusal(item, set, name);
        if (!why.isEmpty())
            leftOut.append(QString::fromStdString(name) + QStringLiteral(": ") + why);
    }
    report.partly = !leftOut.isEmpty();
    if (report.partly)
        report.notices.back().detail = leftOutText(int(copies.size()), leftOut);
    return report;
}

PlaceReport MenuExtrasSystem::copyRestoring(const std::vector<InstallCopy>& copies,
                                            const std::string& extra, bool all) {
    PlaceReport report;
    // Every picture already the original: nothing to copy, and that is said.
    if (copies.empty()) {
        report.done = true;
        report.notices.push_back(nothingNeededRestoring());
        return report;
    }
    report.done = copyThroughTool(copies, report);
    if (report.done)
        complete(report, all ? Completion::RestoredAll : Completion::Restored, extra);
    return report;
}

PlaceReport MenuExtrasSystem::restore(const std::string& item) {
    RestoreProblem problem = RestoreProblem::None;
    const auto copies = restoreCopies(item, problem);
    if (problem != RestoreProblem::None) {
        PlaceReport report;
        report.nothingChanged = true;
        report.notices.push_back(nothingRestored(problem));
        return report;
    }
    return copyRestoring(copies, item, false);
}

PlaceReport MenuExtrasSystem::restoreAll() {
    std::vector<InstallCopy> all;
    for (const std::string& extra : installedExtras()) {
        RestoreProblem problem = RestoreProblem::None;
        auto copies = restoreCopies(extra, problem);
        if (problem == RestoreProblem::NoBackup || problem == RestoreProblem::BackupIncomplete) {
            PlaceReport report;
            report.nothingChanged = true;
            report.notices.push_back(nothingRestored(problem));
            return report;
        }
        // A bundle added after the backup was made has nothing to go back to.
        all.insert(all.end(), copies.begin(), copies.end());
    }
    return copyRestoring(all, std::string(), true);
}

} // namespace library
