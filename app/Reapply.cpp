#include "app/Reapply.h"

#include "app/CommandLine.h"
#include "app/VerbOutput.h"
#include "platform/core/Bundle.h"

#include <algorithm>
#include <cstdio>

int reapplySets(library::PictureSystem& system, const CountingTool& tool) {
    using platform::bundle::localizedString;
    int status = exitstatus::kDone;
    bool any = false;
    for (const std::string& item : system.items()) {
        // The default set is the system's own pictures: nothing of ours.
        const library::InUse inUse = system.inUse(item);
        if (inUse.kind != library::InUse::Kind::Set || inUse.set == "default")
            continue;
        any = true;
        std::printf("%s: %s\n", item.c_str(), inUse.set.c_str());
        std::fflush(stdout);
        status = std::max(status, tellReport(system.install(item, inUse.set), tool));
    }
    if (!any)
        std::printf("%s\n", qPrintable(localizedString(
                                QT_TRANSLATE_NOOP("Trayskin", "No item shows a set to reapply."))));
    std::fflush(stdout);
    return status;
}
