#include "library/SetReasons.h"

#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

namespace library {

using platform::formatPath;
using platform::bundle::localizedString;

QString PictureSystem::pictureRefusal(const std::string&, const std::string&,
                                      const std::string& name) {
    if (isPicture(name))
        return {};
    return localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "Use This Set takes only pictures of the system's kinds."));
}

QString PictureSystem::fileRefusal(const std::string& item, const std::string& path) {
    const auto slash = path.rfind('/');
    return pictureRefusal(item, std::string(),
                          slash == std::string::npos ? path : path.substr(slash + 1));
}

QString setUnusableReason(PictureSystem& system, const std::string& item, const std::string& set) {
    const std::string root = system.libraryRoot();
    if (!platform::fs::exists(formatPath(kSetFilePattern, {root, item, set, kInfoFileName})))
        return localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "This set has no info file (trayskininfo.txt), which a set needs to be "
                        "used: write its description into one."));
    for (const std::string& name :
         platform::fs::listFolder(formatPath(kPictureSetPattern, {root, item, set}))) {
        if (!isHiddenName(name) && system.pictureRefusal(item, set, name).isEmpty())
            return {};
    }
    return localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "This set holds no picture that this item shows."));
}

} // namespace library
