// Why a copy through the privileged tool did not happen, in a sentence for
// the user: from the tool's exit status, or from the runner's own status.
#pragma once

#include "platform/core/Authorization.h"

#include <QString>

// The sentence's key ("Trayskin" context); for a status nobody names, the
// key of a sentence with %1 for the status. Never nullptr.
const char* failureCauseKey(OSStatus status);

// The localized sentence, the status filled in where the sentence has one.
QString failureCause(OSStatus status);
