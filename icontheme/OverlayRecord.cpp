#include "icontheme/OverlayRecord.h"

#include "icontheme/IconThemes.h"
#include "icontheme/Picture.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeIndex.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace icontheme {
namespace {

// A path the overlay may hold: a theme directory and a picture name.
bool isRecordablePath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash <= 0 || !isSafeSubdir(path))
        return false;
    const QString file = path.mid(slash + 1);
    const auto name = pictureName(file);
    return name && file == name->icon + u'.' + name->extension;
}

QJsonObject keptToJson(const KeptEntry& entry) {
    QJsonObject object;
    object.insert(QStringLiteral("path"), entry.path);
    object.insert(QStringLiteral("keptAs"), entry.keptAs);
    object.insert(QStringLiteral("install"), entry.install);
    object.insert(QStringLiteral("type"), entry.type);
    object.insert(QStringLiteral("device"), QString::number(entry.device));
    object.insert(QStringLiteral("inode"), QString::number(entry.inode));
    object.insert(QStringLiteral("size"), QString::number(entry.size));
    object.insert(QStringLiteral("mtimeNs"), QString::number(entry.mtimeNs));
    if (!entry.target.isEmpty())
        object.insert(QStringLiteral("target"), entry.target);
    if (!entry.digest.isEmpty())
        object.insert(QStringLiteral("digest"), entry.digest);
    return object;
}

std::optional<KeptEntry> keptFromJson(const QJsonObject& object) {
    const auto text = [&](const char* key) { return object.value(QLatin1String(key)).toString(); };
    KeptEntry entry{text("path"),   text("keptAs"), text("install"), text("type"), 0, 0, 0, 0,
                    text("target"), text("digest")};
    entry.device = text("device").toULongLong();
    entry.inode = text("inode").toULongLong();
    entry.size = text("size").toLongLong();
    entry.mtimeNs = text("mtimeNs").toLongLong();
    // Any name the user may have given it, in a theme directory.
    if (!isSafeSubdir(entry.path) || !entry.path.contains(u'/') || !isSafeSubdir(entry.keptAs))
        return std::nullopt;
    return entry;
}

} // namespace

QString OverlayRecord::digest(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QByteArray OverlayRecord::toJson() const {
    QJsonObject entries;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        entries.insert(it.key(), QJsonArray::fromStringList(it.value()));
    QJsonObject root;
    root.insert(QStringLiteral("theme"), theme);
    root.insert(QStringLiteral("files"), entries);
    if (!folders.isEmpty())
        root.insert(QStringLiteral("folders"), QJsonArray::fromStringList(folders));
    if (!kept.isEmpty()) {
        QJsonArray entries;
        for (const KeptEntry& entry : kept)
            entries.append(keptToJson(entry));
        root.insert(QStringLiteral("kept"), entries);
    }
    QJsonObject covered;
    for (auto it = covers.cbegin(); it != covers.cend(); ++it)
        covered.insert(it.key(), it.value());
    if (!covered.isEmpty())
        root.insert(QStringLiteral("covers"), covered);
    return QJsonDocument(root).toJson();
}

std::optional<OverlayRecord> OverlayRecord::fromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    OverlayRecord record;
    record.theme = root.value(QStringLiteral("theme")).toString();
    const QJsonObject entries = root.value(QStringLiteral("files")).toObject();
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (!isRecordablePath(it.key()))
            continue;
        QStringList digests;
        for (const QJsonValue& value : it.value().toArray())
            digests.append(value.toString());
        record.files.insert(it.key(), digests);
    }
    for (const QJsonValue& value : root.value(QStringLiteral("folders")).toArray()) {
        const QString folder = value.toString();
        if ((folder.isEmpty() || isSafeSubdir(folder)) && !record.folders.contains(folder))
            record.folders.append(folder);
    }
    for (const QJsonValue& value : root.value(QStringLiteral("kept")).toArray()) {
        if (auto entry = keptFromJson(value.toObject()))
            record.kept.append(*entry);
    }
    const QJsonObject covered = root.value(QStringLiteral("covers")).toObject();
    for (auto it = covered.constBegin(); it != covered.constEnd(); ++it)
        if (isSafeSubdir(it.key()) && isSafeIconName(it.value().toString()))
            record.covers.insert(it.key(), it.value().toString());
    return record;
}

void OverlayRecord::reconcile(SafeFolder& overlay) {
    for (auto it = files.begin(); it != files.end();) {
        overlay.removeLeftover(it.key());
        const auto bytes = overlay.read(it.key(), kMaxPictureBytes);
        const QString actual = bytes ? digest(*bytes) : QString();
        // An empty file where the record names ours is what a crash leaves
        // of a picture whose bytes were not synced yet (no picture is
        // empty): still ours, to be written again or taken out.
        if (bytes && (it.value().contains(actual) || bytes->isEmpty())) {
            *it = QStringList{actual};
            ++it;
        } else {
            it = files.erase(it);
        }
    }
    folders.removeIf([&](const QString& folder) {
        return !folder.isEmpty() && !overlay.folderId(folder).has_value();
    });
}

} // namespace icontheme
