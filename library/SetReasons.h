// Why Use This Set cannot use a set, said before the user tries: the set has
// no info file (the rule that enables the button), or none of its files is a
// picture that Use would put in place for the item.
#pragma once

#include "library/PictureSystem.h"

#include <QString>
#include <string>

namespace library {

// In the user's words; "" when the set can be used.
QString setUnusableReason(PictureSystem& system, const std::string& item, const std::string& set);

} // namespace library
