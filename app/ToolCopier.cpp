#include "app/ToolCopier.h"

#include "app/FailureCause.h"
#include "platform/core/Bundle.h"
#include "platform/core/Log.h"
#include "privileged/AuthRunner.h"
#include "privileged/Protocol.h"

#include <cstdio>

bool ToolCopies::refused() const {
    using privileged::protocol::ToolExit;
    switch (failure) {
    case errAuthorizationDenied:
    case errAuthorizationCanceled:
    case errAuthorizationInteractionNotAllowed:
    case static_cast<OSStatus>(ToolExit::kNotAuthorized):
    case static_cast<OSStatus>(ToolExit::kChallenge):
    case static_cast<OSStatus>(ToolExit::kDismissed):
        return true;
    default:
        return false;
    }
}

library::PrivilegedCopier toolCopier(ToolCopies& copies) {
    return [&copies](const std::vector<library::InstallCopy>& list) {
        using platform::bundle::localizedString;
        for (const library::InstallCopy& copy : list) {
            std::puts("copy");
            std::fflush(stdout);
            platform::logLine(copy.source);
            std::puts("to");
            std::fflush(stdout);
            platform::logLine(copy.target);
            const OSStatus status = privileged::authmain(copy.source.c_str(), copy.target.c_str());
            if (status != 0) {
                std::printf("copy problem!  err is %d\n", static_cast<int>(status));
                std::fflush(stdout);
                copies.failure = status;
                const QString message =
                    localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 (%2 to %3)"))
                        .arg(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Wrong Password")),
                             QString::fromUtf8(copy.source), QString::fromUtf8(copy.target));
                std::fprintf(stderr, "%s\n%s\n", qPrintable(message),
                             qPrintable(failureCause(status)));
                return false;
            }
            ++copies.made;
        }
        return true;
    };
}
