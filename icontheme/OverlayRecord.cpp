#include "icontheme/OverlayRecord.h"

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
    return record;
}

void OverlayRecord::reconcile(SafeFolder& overlay) {
    for (auto it = files.begin(); it != files.end();) {
        overlay.removeLeftover(it.key());
        const auto bytes = overlay.read(it.key(), kMaxPictureBytes);
        const QString actual = bytes ? digest(*bytes) : QString();
        if (bytes && it.value().contains(actual)) {
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
