// The example sets shipped in the application bundle.
#pragma once

#include <string>

namespace library {

// Merges the example tree of the bundle at bundlePath into the Menu Extras'
// library: every example extra and set is made when missing, every file
// copied unless an entry of that name is already there. Returns false at the
// first failure.
bool includeExamples(const std::string& bundlePath);
// The same from an example tree (extra/set/file) anywhere into the library
// at root.
bool includeExampleTree(const std::string& tree, const std::string& root);

} // namespace library
