#include "app/Reapply.h"

#include "app/CommandLine.h"
#include "app/VerbOutput.h"
#include "platform/core/Bundle.h"

#include <algorithm>
#include <cstdio>

using platform::bundle::localizedString;

namespace {

const char* const kNothingKey = QT_TRANSLATE_NOOP("Trayskin", "No item shows a set to reapply.");

// The item and set, and what the theme gained for it since its install.
QString heading(const library::PictureSystem& system, const library::InstalledSet& installed) {
    QString text = system.itemTitle(installed.item) + QStringLiteral(": ") +
                   QString::fromStdString(installed.set);
    if (!installed.gained)
        return text;
    text += u'\n';
    if (installed.gained->isEmpty())
        return text + localizedString(QT_TRANSLATE_NOOP(
                          "Trayskin", "Nothing is new in the icon theme since the install."));
    return text + localizedString(
                      QT_TRANSLATE_NOOP("Trayskin", "New in the icon theme since the install: %1"))
                      .arg(installed.gained->join(QStringLiteral(", ")));
}

} // namespace

std::vector<Reapplied> reapply(library::PictureSystem& system) {
    std::vector<Reapplied> done;
    for (const library::InstalledSet& installed : system.installedSets())
        done.push_back({installed, system.install(installed.item, installed.set)});
    return done;
}

int reapplySets(library::PictureSystem& system, const CountingTool& tool) {
    int status = exitstatus::kDone;
    const std::vector<library::InstalledSet> sets = system.installedSets();
    for (const library::InstalledSet& installed : sets) {
        std::printf("%s\n", heading(system, installed).toLocal8Bit().constData());
        std::fflush(stdout);
        status = std::max(status, tellReport(system.install(installed.item, installed.set), tool));
    }
    if (sets.empty())
        std::printf("%s\n", qPrintable(localizedString(kNothingKey)));
    std::fflush(stdout);
    return status;
}

library::PlaceReport reapplyReport(library::PictureSystem& system) {
    library::PlaceReport merged;
    const std::vector<Reapplied> all = reapply(system);
    merged.done = !all.empty();
    for (const Reapplied& done : all) {
        merged.done = merged.done && done.report.done;
        merged.setsChanged = merged.setsChanged || done.report.setsChanged;
        if (merged.statusLine.isEmpty())
            merged.statusLine = done.report.statusLine;
        for (library::Notice notice : done.report.notices) {
            notice.message =
                heading(system, done.installed) + QStringLiteral("\n") + notice.message;
            library::Notice* last = merged.notices.empty() ? nullptr : &merged.notices.back();
            if (last && last->title == notice.title && last->other.isEmpty() &&
                notice.other.isEmpty())
                last->message += QStringLiteral("\n\n") + notice.message;
            else
                merged.notices.push_back(notice);
        }
    }
    if (all.empty()) {
        merged.nothingChanged = true;
        merged.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Reapplied")),
             localizedString(kNothingKey), localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    }
    return merged;
}
