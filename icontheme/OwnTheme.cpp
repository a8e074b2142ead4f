#include "icontheme/OwnTheme.h"

#include "icontheme/IconThemes.h"
#include "icontheme/SafeFolder.h"

namespace icontheme {
namespace {

const char* typeName(DirType type) {
    switch (type) {
    case DirType::Fixed:
        return "Fixed";
    case DirType::Scalable:
        return "Scalable";
    case DirType::Threshold:
        break;
    }
    return "Threshold";
}

const QString kIndexName = QStringLiteral("index.theme");

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf(u'/'));
}

} // namespace

QString ownThemeName(const QString& theme) {
    return theme + QStringLiteral("-Trayskin");
}

QByteArray ownThemeIndex(const QString& theme, const ThemeIndex& index, const QStringList& dirs) {
    QStringList plain, scaled, groups;
    for (const ThemeDir& dir : index.dirs) {
        if (!dirs.contains(dir.path) || plain.contains(dir.path) || scaled.contains(dir.path))
            continue;
        (dir.scale > 1 ? scaled : plain).append(dir.path);
        QString group = QStringLiteral("\n[%1]\nSize=%2\nScale=%3\nType=%4\n")
                            .arg(dir.path)
                            .arg(dir.size)
                            .arg(dir.scale)
                            .arg(QLatin1String(typeName(dir.type)));
        if (dir.type == DirType::Scalable)
            group += QStringLiteral("MinSize=%1\nMaxSize=%2\n").arg(dir.minSize).arg(dir.maxSize);
        if (dir.type == DirType::Threshold)
            group += QStringLiteral("Threshold=%1\n").arg(dir.threshold);
        if (!dir.context.isEmpty())
            group += QStringLiteral("Context=%1\n").arg(dir.context);
        groups.append(group);
    }
    QString text =
        QStringLiteral("[Icon Theme]\nName=%1\nInherits=%2\n").arg(ownThemeName(theme), theme);
    text += QStringLiteral("Directories=%1\n").arg(plain.join(u','));
    if (!scaled.isEmpty())
        text += QStringLiteral("ScaledDirectories=%1\n").arg(scaled.join(u','));
    return (text + groups.join(QString())).toUtf8();
}

OwnTheme::OwnTheme(IconThemes& themes, const BaseDirs& dirs, const QString& theme,
                   QString recordPath)
    : themes_(themes), theme_(theme),
      overlay_(themes, dirs, theme, std::move(recordPath), ownThemeName(theme)) {}

OverlayReport OwnTheme::install(const QStringList& pictures) {
    OverlayReport report = overlay_.install(pictures);
    if (report.failure != OverlayFailure::NoTheme && report.failure != OverlayFailure::Folder)
        finish(report, report.removed);
    return report;
}

OverlayReport OwnTheme::restore(const QStringList& icons) {
    OverlayReport report = overlay_.restore(icons);
    if (report.failure != OverlayFailure::NoTheme)
        finish(report, report.removed);
    return report;
}

bool OwnTheme::recover() {
    if (!overlay_.recover({kIndexName}))
        return false;
    OverlayReport report;
    finish(report, QStringList());
    return report.ok();
}

// The index names exactly the directories the record holds, and is written
// only when it does not already; without any, the index and the folders
// emptied go.
void OwnTheme::finish(OverlayReport& report, const QStringList& touched) {
    const auto record = overlay_.record();
    auto folder = SafeFolder::open(overlay_.folder(), false);
    if (!record || !folder) {
        if (report.ok() && folder)
            report.failure = OverlayFailure::Record;
        return;
    }
    QStringList dirs;
    for (auto it = record->files.cbegin(); it != record->files.cend(); ++it) {
        if (!dirs.contains(folderOf(it.key())))
            dirs.append(folderOf(it.key()));
    }
    bool ok = true;
    bool changed = !touched.isEmpty();
    if (!dirs.isEmpty()) {
        const Theme* theme = themes_.theme(theme_);
        const QByteArray index = theme ? ownThemeIndex(theme_, theme->index, dirs) : QByteArray();
        const bool same = theme && folder->read(kIndexName, index.size()) == index;
        ok = theme != nullptr && (same || folder->write(kIndexName, index));
        changed = changed || !same;
    } else if (folder->exists(kIndexName)) {
        changed = true;
        ok = folder->remove(kIndexName);
    }
    // Folders left empty, deepest first; a folder still holding anything stays.
    QStringList emptied;
    for (const QString& path : touched) {
        for (QString dir = folderOf(path); !dir.isEmpty() && dir != path;
             dir = dir.contains(u'/') ? folderOf(dir) : QString()) {
            if (!emptied.contains(dir))
                emptied.append(dir);
        }
    }
    std::sort(emptied.begin(), emptied.end(),
              [](const QString& a, const QString& b) { return a.count(u'/') > b.count(u'/'); });
    for (const QString& dir : std::as_const(emptied))
        folder->removeEmptyFolder(dir);
    if (dirs.isEmpty()) {
        const QString path = folder->path();
        folder.reset();
        const qsizetype slash = path.lastIndexOf(u'/');
        if (auto parent = SafeFolder::open(path.left(slash), false))
            parent->removeEmptyFolder(path.mid(slash + 1));
    }
    if (changed)
        themes_.forget();
    if (!ok && report.ok())
        report.failure = OverlayFailure::Write;
}

} // namespace icontheme
