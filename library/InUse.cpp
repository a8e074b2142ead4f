#include "library/InUse.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <map>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;

std::optional<std::string> setAllShown(const std::string& root, const std::string& item,
                                       const std::function<SetWeight(const std::string&)>& weigh) {
    std::optional<std::string> best;
    std::size_t most = 0;
    for (const std::string& set : fs::listFolder(formatPath(kExtraFolderPattern, {root, item}))) {
        if (isHiddenName(set) ||
            !fs::isDirectory(formatPath(kPictureSetPattern, {root, item, set})))
            continue;
        const SetWeight weight = weigh(set);
        if (weight.pictures > most && weight.allShown) {
            most = weight.pictures;
            best = set;
        }
    }
    return best;
}

InUse setInUse(const std::string& extra) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();
    const std::string resources = formatPath(kExtraResourcesPattern, {menuExtras, extra});
    if (!fs::isDirectory(resources))
        return InUse{};

    std::map<std::string, bool> held; // bundle picture -> some set has it
    for (const std::string& name : fs::listFolder(resources))
        if (isPicture(name))
            held[name] = false;

    const auto set = setAllShown(root, extra, [&](const std::string& set) {
        SetWeight weight;
        // The set's pictures as an install takes them (installCopies), by name.
        for (const std::string& name :
             fs::listFolder(formatPath(kPictureSetPattern, {root, extra, set}))) {
            if (!isPicture(name))
                continue;
            ++weight.pictures;
            // A picture the bundle does not have cannot be the same: no file
            // is opened for it, so that a set of thousands costs a listing.
            const auto bundlePicture = held.find(name);
            if (bundlePicture == held.end()) {
                weight.allShown = false;
                continue;
            }
            const bool same =
                fs::sameContents(formatPath(kSetFilePattern, {root, extra, set, name}),
                                 formatPath(kInstallTargetPattern, {menuExtras, extra, name}));
            if (same)
                bundlePicture->second = true;
            weight.allShown = weight.allShown && same;
        }
        return weight;
    });
    if (set)
        return {InUse::Kind::Set, *set};
    return mixOrUnknown(held);
}

} // namespace library
