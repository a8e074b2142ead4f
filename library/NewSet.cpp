#include "library/NewSet.h"

#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/Layout.h"
#include "library/PictureSystem.h"
#include "library/SetNames.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace library {

namespace fs = platform::fs;
using platform::formatPath;
using platform::bundle::localizedString;

namespace {

PictureOffer refused(const QString& reason) {
    return {PictureOffer::Outcome::Refused, {}, reason, {}};
}

// "png", "svg" or "tif" by the first bytes; "" for anything else.
QString kindOf(const QByteArray& bytes) {
    if (bytes.startsWith(QByteArray("II*\0", 4)) || bytes.startsWith(QByteArray("MM\0*", 4)))
        return QStringLiteral("tif");
    return icontheme::pictureKind(bytes);
}

} // namespace

NewSetDraft::NewSetDraft(PictureSystem& system, std::string item)
    : system_(system), item_(std::move(item)), root_(system.libraryRoot()) {
    const std::string work = workFolder(root_);
    if (fs::isDirectory(work) || fs::createDirectory(work))
        staging_ = fs::makeFolderIn(work);
}

NewSetDraft::~NewSetDraft() {
    if (!staging_.empty())
        QDir(QString::fromStdString(staging_)).removeRecursively();
}

QStringList NewSetDraft::namesFor(const QString& kind) const {
    QStringList names;
    for (const std::string& file : fs::listFolder(formatPath(kDefaultSetPattern, {root_, item_}))) {
        const QString name = QString::fromStdString(file);
        if (isHiddenName(file) || !system_.isPicture(file))
            continue;
        // A theme's picture of the icon in the other kind takes this kind's
        // extension.
        const auto picture = icontheme::pictureName(name);
        const QString offered = kind == u"tif" || !picture ? name : picture->icon + u'.' + kind;
        if (!names.contains(offered) && system_.isPicture(offered.toStdString()))
            names.append(offered);
    }
    names.sort();
    return names;
}

PictureOffer NewSetDraft::add(const QString& path, const QString& asName) {
    if (staging_.empty())
        return refused(
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written.")));
    bool tooLarge = false;
    const auto bytes = icontheme::readSmallFile(path, icontheme::kMaxPictureBytes, &tooLarge);
    if (!bytes)
        return refused(localizedString(
            tooLarge ? QT_TRANSLATE_NOOP("Trayskin", "the file is larger than 16 MiB")
                     : QT_TRANSLATE_NOOP("Trayskin", "the file cannot be read")));
    const std::string source = path.toStdString();
    const QString kind = kindOf(*bytes);
    const QString why = system_.fileRefusal(item_, source);
    // Bytes of a kind the system does not take: the system's own words.
    if (kind.isEmpty() || !system_.isPicture("picture." + kind.toStdString()))
        return refused(!why.isEmpty() ? why
                                      : localizedString(QT_TRANSLATE_NOOP(
                                            "Trayskin", "the file is not a picture of a kind "
                                                        "Use This Set takes")));
    const QString name = asName.isEmpty() ? QFileInfo(path).fileName() : asName;
    if (asName.isEmpty() && !why.isEmpty()) {
        const QStringList names = namesFor(kind);
        if (names.isEmpty())
            return refused(why);
        return {PictureOffer::Outcome::NeedsName, {}, why, names};
    }
    if (pictures_.contains(name))
        return refused(localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "the set has a picture of this name already")));
    // The copy in the set is what is checked, by the same rule as the file.
    const std::string staged = staging_ + '/' + name.toStdString();
    if (name.contains(u'/') || isHiddenName(name.toStdString()) ||
        !fs::createFile(staged, bytes->toStdString()))
        return refused(
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "The library could not be written.")));
    if (const QString refusal = system_.fileRefusal(item_, staged); !refusal.isEmpty()) {
        QFile::remove(QString::fromStdString(staged));
        return refused(refusal);
    }
    pictures_.append(name);
    return {PictureOffer::Outcome::Added, name, {}, {}};
}

SetOutcome NewSetDraft::make(const QString& name, const QString& description) {
    if (const SetNameProblem problem = checkSetName(name); problem != SetNameProblem::None)
        return {false, setNameProblemText(problem), {}};
    if (pictures_.isEmpty())
        return {false,
                localizedString(QT_TRANSLATE_NOOP(
                    "Trayskin", "A new set needs a picture that the item shows.")),
                {}};
    const std::string extra = formatPath(kExtraFolderPattern, {root_, item_});
    const std::string target = formatPath(kPictureSetPattern, {root_, item_, name.toStdString()});
    if (fs::exists(target))
        return {false,
                localizedString(
                    QT_TRANSLATE_NOOP("Trayskin", "The item has a set of that name already.")),
                {}};
    QString text = description;
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    // A make refused before may have written the info file already.
    const std::string info = formatPath(kExtraFolderPattern, {staging_, kInfoFileName});
    QFile::remove(QString::fromStdString(info));
    const bool placed = !staging_.empty() && fs::createFile(info, text.toStdString()) &&
                        (fs::isDirectory(extra) || fs::createDirectory(extra)) &&
                        fs::moveNoReplace(staging_, target);
    if (!placed)
        return {false,
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "The set could not be written.")),
                {}};
    staging_.clear();
    return {true, {}, target};
}

} // namespace library
