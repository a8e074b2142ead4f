// Menu Extras mode's reason that a file cannot be a picture of a set: the
// privileged tool copies only TIFF pictures of at most 16 MiB, and only over
// a picture the Menu Extra already has.
#include "library/Layout.h"
#include "library/menuextras/MenuExtrasSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

namespace library {

namespace {

constexpr std::size_t kMaxPictureBytes = std::size_t(16) << 20;

bool isTiff(const std::string& bytes) {
    return bytes.compare(0, 4, std::string("II*\0", 4)) == 0 ||
           bytes.compare(0, 4, std::string("MM\0*", 4)) == 0;
}

} // namespace

QString MenuExtrasSystem::fileRefusal(const std::string& item, const std::string& path) {
    using platform::bundle::localizedString;
    const std::string name = platform::lastPathComponent(path);
    if (!isPicture(name))
        return pictureRefusal(item, std::string(), name);
    const auto prefix = platform::fs::readFilePrefix(path, kMaxPictureBytes);
    if (!prefix)
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "the file cannot be read"));
    if (!prefix->whole)
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "the file is larger than 16 MiB"));
    if (!isTiff(prefix->bytes))
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "the file is not a TIFF picture"));
    if (!platform::fs::exists(
            platform::formatPath(kInstallTargetPattern, {menuExtrasFolder(), item, name})))
        return localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "the Menu Extra has no picture of this name"));
    return {};
}

} // namespace library
