// The privileged tool as the window runs it, for the command line: each copy
// through PrivilegedTool, counted, so that the exit status can tell a copy
// that the authorization refused from one that could not be written, and a
// partial install from one that did nothing.
#pragma once

#include "app/PrivilegedTool.h"

#include <cstddef>

class CountingTool final : public library::ToolRunner {
public:
    int copy(const std::string& source, const std::string& target) override;
    QString failureCause(int status) const override { return tool_.failureCause(status); }

    // How many copies were made, and the status of the first that failed
    // (0 when none failed).
    std::size_t made() const { return made_; }
    int failure() const { return failure_; }
    // The authorization, rather than the copy, said no.
    bool refused() const;

private:
    PrivilegedTool tool_;
    std::size_t made_ = 0;
    int failure_ = 0;
};
