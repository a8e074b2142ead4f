// Desktop mode's reason that Use This Set would leave a file of a set out.
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/icontheme/DesktopTexts.h"
#include "library/icontheme/IconThemeSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/PathString.h"

namespace library {

using platform::bundle::localizedString;

QString IconThemeSystem::pictureRefusal(const std::string& item, const std::string& set,
                                        const std::string& name) {
    return fileRefusal(item, platform::formatPath(kSetFilePattern, {root_, item, set, name}));
}

QString IconThemeSystem::fileRefusal(const std::string& item, const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!isPicture(file.section(u'/', -1).toStdString()))
        return localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Use This Set takes only PNG and SVG pictures."));
    const icontheme::Picture picture = icontheme::readPicture(file);
    if (picture.problem != icontheme::PictureProblem::None)
        return localizedString(refusalKey(picture.problem));
    const icontheme::StatusItem* status = statusItem(item);
    if (status == nullptr || !status->hasName(picture.icon))
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "not an icon name of this item"));
    return {};
}

} // namespace library
