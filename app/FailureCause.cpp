#include "app/FailureCause.h"

#include "platform/core/Bundle.h"
#include "privileged/Protocol.h"

#include <QtGlobal>

namespace {

// What the runner itself returns besides the tool's exit status.
struct RunnerCause {
    OSStatus status;
    const char* key;
};
constexpr RunnerCause kRunnerCauses[] = {
    // A missing tool, a path too long for the request, a pipe or a process
    // that could not be made, a tool that stopped reading or was killed.
    {-1, QT_TRANSLATE_NOOP("Trayskin", "The privileged tool could not be run.")},
    // The child could not execute the tool.
    {1, QT_TRANSLATE_NOOP("Trayskin", "The privileged tool could not be started.")},
    {errAuthorizationDenied,
     QT_TRANSLATE_NOOP("Trayskin", "You are not allowed to change the system's pictures.")},
    {errAuthorizationCanceled, QT_TRANSLATE_NOOP("Trayskin", "The authorization was cancelled.")},
    {errAuthorizationInteractionNotAllowed,
     QT_TRANSLATE_NOOP("Trayskin",
                       "An administrator's password is needed and none could be asked for.")},
    {errAuthorizationInternal, QT_TRANSLATE_NOOP("Trayskin", "The system's authorization failed.")},
    {errAuthorizationInvalidRef,
     QT_TRANSLATE_NOOP("Trayskin", "The program's authorization is no longer valid.")},
};

constexpr const char* kUnknownCause =
    QT_TRANSLATE_NOOP("Trayskin", "The privileged tool failed with status %1.");

} // namespace

const char* failureCauseKey(OSStatus status) {
    for (const RunnerCause& cause : kRunnerCauses)
        if (cause.status == status)
            return cause.key;
    if (const char* key = privileged::protocol::toolExitSentence(static_cast<int>(status)))
        return key;
    return kUnknownCause;
}

QString failureCause(OSStatus status) {
    const char* key = failureCauseKey(status);
    const QString text = platform::bundle::localizedString(key);
    return key == kUnknownCause ? text.arg(status) : text;
}
