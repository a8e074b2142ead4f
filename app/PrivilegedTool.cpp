#include "app/PrivilegedTool.h"

#include "app/FailureCause.h"
#include "privileged/AuthRunner.h"

int PrivilegedTool::copy(const std::string& source, const std::string& target) {
    return static_cast<int>(privileged::authmain(source.c_str(), target.c_str()));
}

QString PrivilegedTool::failureCause(int status) const {
    return ::failureCause(static_cast<OSStatus>(status));
}
