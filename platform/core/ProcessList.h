// The user's running processes as /proc shows them: each one's program (the
// file its exe link names, and the kernel's short name), its arguments, its
// environment and its working folder. Only processes of the given user are
// read, so nothing here needs or asks for more rights than the user has.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <sys/types.h>
#include <vector>

namespace platform {

struct ProcessInfo {
    int pid = 0;
    QString exe;             // the program file's path ("" when the link cannot be read)
    QString comm;            // the kernel's name of the process (at most 15 characters)
    QStringList arguments;   // argv, the program's own name first
    QStringList environment; // "NAME=value" each
    QString workingFolder;   // "" when unknown

    // The program's name: the exe's last component without a " (deleted)"
    // of an upgraded file; else the kernel's name.
    QString programName() const;
    // The value of the environment variable; "" when it is not set.
    QString variable(QStringView name) const;
    // Whether the name is this process's program: its exe's last component,
    // its kernel name (which a script's interpreter leaves as the script's,
    // cut at 15 characters) or its first argument's last component.
    bool runs(const QString& name) const;
};

// Every process of the user under the root (normally /proc) that can be
// read and that wanted takes (asked before its environment and folder are
// read; every one when not given), in the order of their ids.
using ProcessFilter = std::function<bool(const ProcessInfo&)>;
std::vector<ProcessInfo> userProcesses(const QString& procRoot, uid_t user,
                                       const ProcessFilter& wanted = {});
// The same for the running user in /proc.
std::vector<ProcessInfo> userProcesses(const ProcessFilter& wanted = {});

// Whether the process of that id still runs (a zombie counts as ended).
bool processRuns(const QString& procRoot, int pid);

} // namespace platform
