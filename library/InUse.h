// Which picture set a Menu Extra shows now, read from the disk when asked.
#pragma once

#include <string>

namespace library {

struct InUse {
    enum class Kind {
        NoBundle, // no bundle of that name in the Menu Extras folder
        Set,      // every picture of one set equals the bundle's
        Mix,      // each bundle picture is some set's, but no one set's all
        Unknown,  // pictures that no set holds
    };
    Kind kind = Kind::NoBundle;
    std::string set; // for Kind::Set
};

// A set is in use when each of its pictures equals, byte for byte, the
// bundle's picture of the same name (the default set holds the system's own
// pictures, so the system's pictures are "default"). Where several sets
// qualify, the one with the most pictures, then the first listed. Sizes are
// compared before contents; nothing is kept between calls.
InUse setInUse(const std::string& extra);

} // namespace library
