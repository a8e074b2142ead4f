#include "app/Reapply.h"

#include "app/CommandLine.h"
#include "app/VerbOutput.h"
#include "icontheme/OverlayRecord.h"
#include "library/IconThemeSystem.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QFile>
#include <QFileInfo>
#include <QMultiMap>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

using platform::bundle::localizedString;

// What the records of both routes hold: each written file by its path, with
// the digests of its bytes.
QMultiMap<QString, QString> recorded(const library::IconThemeSystem& system) {
    QMultiMap<QString, QString> files;
    const QString icons = QFileInfo(system.overlayFolder()).path();
    const std::pair<QString, QString> records[] = {
        {system.recordPath(), system.overlayFolder()},
        {system.ownThemeRecordPath(), icons + u'/' + system.ownThemeName()}};
    for (const auto& [path, folder] : records) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const auto record = icontheme::OverlayRecord::fromJson(file.readAll());
        if (!record)
            continue;
        for (auto it = record->files.cbegin(); it != record->files.cend(); ++it)
            for (const QString& digest : it.value())
                files.insert(folder + u'/' + it.key(), digest);
    }
    return files;
}

// The item's set that was installed: each of its pictures that the records
// name was written with the set's bytes; of such sets the one with the most
// pictures written, the first listed of equals.
std::optional<std::string> installedSet(library::PictureSystem& system, const std::string& item,
                                        const QMultiMap<QString, QString>& files) {
    QMultiMap<QString, QString> byName; // file name -> digests written under it
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        byName.insert(QFileInfo(it.key()).fileName(), it.value());
    std::optional<std::string> best;
    std::size_t most = 0;
    for (const std::string& set : setsOf(item)) {
        const std::string folder =
            platform::formatPath(library::kPictureSetPattern, {library::libraryRoot(), item, set});
        std::size_t written = 0;
        bool other = false;
        for (const std::string& name : platform::fs::listFolder(folder)) {
            const QList<QString> digests = byName.values(QString::fromStdString(name));
            if (library::isHiddenName(name) || !system.isPicture(name) || digests.isEmpty())
                continue;
            const auto bytes = platform::fs::readFile(folder + '/' + name);
            const bool same = bytes && digests.contains(icontheme::OverlayRecord::digest(
                                           QByteArray::fromStdString(*bytes)));
            written += same ? 1 : 0;
            other = other || !same;
        }
        if (!other && written > most) {
            most = written;
            best = set;
        }
    }
    return best;
}

void sayChanges(const QMultiMap<QString, QString>& before,
                const QMultiMap<QString, QString>& after) {
    const QList<QString> was = before.uniqueKeys();
    const QList<QString> is = after.uniqueKeys();
    for (const QString& path : is)
        if (!was.contains(path))
            std::printf("added %s\n", qPrintable(path));
    for (const QString& path : was)
        if (!is.contains(path))
            std::printf("removed %s\n", qPrintable(path));
    if (QSet<QString>(was.cbegin(), was.cend()) == QSet<QString>(is.cbegin(), is.cend()))
        std::printf("%s\n", qPrintable(localizedString(QT_TRANSLATE_NOOP(
                                "Trayskin", "The theme had not changed: no picture was added."))));
}

} // namespace

int reapplySets(library::PictureSystem& system) {
    auto* desktop = dynamic_cast<library::IconThemeSystem*>(&system);
    if (!desktop) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(localizedString(QT_TRANSLATE_NOOP(
                         "Trayskin", "reapply works on an icon theme (desktop mode) only."))));
        return exitstatus::kNothing;
    }
    const QMultiMap<QString, QString> before = recorded(*desktop);
    int status = exitstatus::kDone;
    for (const std::string& item : system.items()) {
        const auto set = installedSet(system, item, before);
        if (!set)
            continue;
        std::printf("%s: %s\n", item.c_str(), set->c_str());
        ToolCopies copies;
        status = std::max(status,
                          tellReport(system.install(item, *set, toolCopier(copies)), copies, item));
    }
    sayChanges(before, recorded(*desktop));
    std::fflush(stdout);
    return status;
}
