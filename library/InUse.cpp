#include "library/InUse.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <map>
#include <vector>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;

InUse setInUse(const std::string& extra) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();
    InUse result;
    const std::string resources = formatPath(kExtraResourcesPattern, {menuExtras, extra});
    if (!fs::isDirectory(resources))
        return result;

    std::map<std::string, bool> held; // bundle picture -> some set has it
    for (const std::string& name : fs::listFolder(resources))
        if (isPicture(name))
            held[name] = false;

    std::size_t best = 0;
    for (const std::string& set : fs::listFolder(formatPath(kExtraFolderPattern, {root, extra}))) {
        if (isHiddenName(set) ||
            !fs::isDirectory(formatPath(kPictureSetPattern, {root, extra, set})))
            continue;
        std::size_t pictures = 0;
        bool all = true;
        // The set's pictures as an install takes them (installCopies), by name.
        for (const std::string& name :
             fs::listFolder(formatPath(kPictureSetPattern, {root, extra, set}))) {
            if (!isPicture(name))
                continue;
            ++pictures;
            // A picture the bundle does not have cannot be the same: no file
            // is opened for it, so that a set of thousands costs a listing.
            const auto bundlePicture = held.find(name);
            if (bundlePicture == held.end()) {
                all = false;
                continue;
            }
            const bool same =
                fs::sameContents(formatPath(kSetFilePattern, {root, extra, set, name}),
                                 formatPath(kInstallTargetPattern, {menuExtras, extra, name}));
            if (same)
                bundlePicture->second = true;
            all = all && same;
        }
        if (pictures > best && all) {
            best = pictures;
            result.kind = InUse::Kind::Set;
            result.set = set;
        }
    }
    if (result.kind == InUse::Kind::Set)
        return result;
    bool allHeld = !held.empty();
    for (const auto& [name, isHeld] : held)
        allHeld = allHeld && isHeld;
    result.kind = allHeld ? InUse::Kind::Mix : InUse::Kind::Unknown;
    return result;
}

} // namespace library
