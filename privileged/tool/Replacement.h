// The privileged tool's last steps: the destination reached, and the
// picture replaced atomically.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace trayskin_tool {

// The folder of the destination, opened for the replacement, and the file's
// name in it. Elevated, only <Menu Extras>/<name>.menu/Contents/Resources/<file>
// reached without links through root-owned folders that nobody else may
// write; otherwise any folder its user may open.
int openDestinationFolder(const std::string& destination, bool elevated, std::string& file);

// Replaces the file in the folder with the bytes, with the file's owner and
// permission bits, as long as the parent is still there.
void replace(const std::vector<unsigned char>& bytes, int folder, const std::string& file,
             pid_t parent);

} // namespace trayskin_tool
