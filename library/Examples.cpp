#include "library/Examples.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

namespace library {

using platform::formatPath;
namespace fs = platform::fs;

bool includeExamples(const std::string& bundlePath) {
    return includeExampleTree(formatPath(kExampleTreePattern, {bundlePath}), libraryRoot());
}

bool includeExampleTree(const std::string& tree, const std::string& root) {
    const std::string work = workFolder(root);

    const auto extras = fs::listFolder(tree);
    for (std::size_t x = 0; x < extras.size(); ++x) {
        const std::string& extra = extras[x];
        // The library root's own folders are never an extra's.
        if (isReservedExtraName(extra))
            continue;
        const auto sets = fs::listFolder(formatPath(kExtraFolderPattern, {tree, extra}));

        const std::string extraFolder = formatPath(kExtraFolderPattern, {root, extra});
        if (!fs::exists(extraFolder) && !fs::createDirectory(extraFolder))
            return false;

        for (std::size_t s = 0; s < sets.size(); ++s) {
            const std::string& set = sets[s];
            const std::string setFolder = formatPath(kPictureSetPattern, {root, extra, set});
            if (!fs::exists(setFolder) && !fs::createDirectory(setFolder))
                return false;

            const auto files = fs::listFolder(formatPath(kPictureSetPattern, {tree, extra, set}));
            for (std::size_t f = 0; f < files.size(); ++f) {
                const std::string& file = files[f];
                const std::string target = formatPath(kSetFilePattern, {root, extra, set, file});
                if (fs::exists(target))
                    continue;
                // Made by the library set-up; made here when the step runs alone.
                if (!fs::exists(work))
                    fs::createDirectory(work);
                if (!fs::copyPath(formatPath(kSetFilePattern, {tree, extra, set, file}), target,
                                  work))
                    return false;
            }
        }
    }
    return true;
}

} // namespace library
