// The Menu Extras' runner: each copy through the privileged tool (authmain),
// and the sentence that says why one failed.
#pragma once

#include "library/ToolRunner.h"

class PrivilegedTool final : public library::ToolRunner {
public:
    int copy(const std::string& source, const std::string& target) override;
    QString failureCause(int status) const override;
};
