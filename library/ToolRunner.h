// How the Menu Extras reach the privileged tool: one run copies one picture
// over a system picture. The program hands the system its runner, so the
// library never reaches for the tool itself.
#pragma once

#include <QString>
#include <string>

namespace library {

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    // 0 when the picture was copied; the runner's status otherwise.
    virtual int copy(const std::string& source, const std::string& target) = 0;
    // Why a copy with that status did not happen, in a sentence for the user.
    virtual QString failureCause(int status) const = 0;
};

} // namespace library
