#include "app/CountingTool.h"

#include "platform/core/Authorization.h"
#include "privileged/Protocol.h"

int CountingTool::copy(const std::string& source, const std::string& target) {
    const int status = tool_.copy(source, target);
    if (status == 0)
        ++made_;
    else if (failure_ == 0)
        failure_ = status;
    return status;
}

bool CountingTool::refused() const {
    using privileged::protocol::ToolExit;
    switch (failure_) {
    case errAuthorizationDenied:
    case errAuthorizationCanceled:
    case errAuthorizationInteractionNotAllowed:
    case static_cast<int>(ToolExit::kNotAuthorized):
    case static_cast<int>(ToolExit::kChallenge):
    case static_cast<int>(ToolExit::kDismissed):
        return true;
    default:
        return false;
    }
}
