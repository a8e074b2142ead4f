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
        for (const InstallCopy& copy : installCopies(extra, set)) {
            ++pictures;
            const std::string name = platform::lastPathComponent(copy.target);
            const bool same = fs::sameContents(copy.source, copy.target);
            if (same)
                held[name] = true;
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
