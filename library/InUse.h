// Which picture set a Menu Extra shows now, read from the disk when asked.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
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

// What a set's pictures say: how many count, and whether each of them is
// the one shown now.
struct SetWeight {
    std::size_t pictures = 0;
    bool allShown = true;
};

// Of the item's sets in the library (its visible folders, in listing
// order), each weighed by weigh: the one whose pictures are all shown, with
// the most pictures, the first listed of equals; none when no set is.
std::optional<std::string> setAllShown(const std::string& root, const std::string& item,
                                       const std::function<SetWeight(const std::string&)>& weigh);

// When no one set is in use: a mix where each picture shown is some set's
// (held maps each picture shown to whether a set holds it), else pictures
// that no set holds.
template <typename Held> InUse mixOrUnknown(const Held& held) {
    const bool allHeld =
        !held.empty() &&
        std::all_of(held.cbegin(), held.cend(), [](const auto& entry) { return entry.second; });
    return {allHeld ? InUse::Kind::Mix : InUse::Kind::Unknown, {}};
}

} // namespace library
