#include "icontheme/OwnTheme.h"

#include "icontheme/DesktopTheme.h"
#include "icontheme/IconThemes.h"
#include "icontheme/SafeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <fcntl.h>

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

// The directories that hold the record's files.
QStringList dirsOf(const OverlayRecord& record) {
    QStringList dirs;
    for (auto it = record.files.cbegin(); it != record.files.cend(); ++it) {
        if (!dirs.contains(folderOf(it.key())))
            dirs.append(folderOf(it.key()));
    }
    return dirs;
}

// The name a folder is made under before it is ours by its own name.
QString passingName(const QString& name) {
    return u'.' + name + QStringLiteral(".making");
}

// The identities of the own-theme folders that Trayskin made, by name.
const QString kMarks = QStringLiteral("own-themes.json");

QString marksFolder() {
    return stateHomeFromEnvironment() + QStringLiteral("/trayskin");
}

QJsonObject readMarks() {
    auto folder = SafeFolder::open(marksFolder(), false);
    const auto bytes = folder ? folder->read(kMarks, 1 << 16) : std::nullopt;
    return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
}

bool mark(const QString& name, const std::optional<QString>& id) {
    QJsonObject marks = readMarks();
    if (id)
        marks.insert(name, *id);
    else if (!marks.contains(name))
        return true;
    else
        marks.remove(name);
    auto folder = SafeFolder::open(marksFolder(), true);
    if (folder && marks.isEmpty())
        return folder->remove(kMarks);
    return folder && folder->write(kMarks, QJsonDocument(marks).toJson());
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

OwnTheme::Claim OwnTheme::claim() const {
    const QFileInfo info(folder());
    if (!info.exists() && !info.isSymLink())
        return Claim::None;
    auto folder = SafeFolder::open(this->folder(), false); // never through a link
    const auto id = folder ? folder->folderId() : std::nullopt;
    const QJsonValue noted = readMarks().value(name());
    return id && noted.isString() && noted.toString() == *id ? Claim::Ours : Claim::Theirs;
}

void OwnTheme::adoptOlder() {
    if (claim() != Claim::Theirs || readMarks().contains(name()))
        return;
    auto folder = SafeFolder::open(this->folder(), false);
    const auto record = overlay_.record();
    const Theme* theme = themes_.theme(theme_);
    if (!folder || !record || record->files.isEmpty() || theme == nullptr)
        return;
    const QByteArray index = ownThemeIndex(theme_, theme->index, dirsOf(*record));
    if (folder->read(kIndexName, index.size()) == index)
        mark(name(), folder->folderId());
}

bool OwnTheme::make() {
    const QString parent = folderOf(folder());
    const QString passing = passingName(name());
    auto icons = SafeFolder::open(parent, true);
    // What a kill left under the passing name is empty, and goes.
    if (!icons || !icons->removeEmptyFolder(passing) || !QDir(parent).mkdir(passing))
        return false;
    const auto id = icons->folderId(passing);
    // Renamed only when nothing has the name, so that no folder of the
    // user's is replaced, even an empty one made a moment ago.
    if (id && mark(name(), id) &&
        ::renameat2(AT_FDCWD, QFile::encodeName(parent + u'/' + passing).constData(), AT_FDCWD,
                    QFile::encodeName(folder()).constData(), RENAME_NOREPLACE) == 0)
        return true;
    icons->removeEmptyFolder(passing);
    return false;
}

OverlayReport OwnTheme::install(const QStringList& pictures, const QString& install) {
    OverlayReport report;
    adoptOlder();
    const Claim claim = this->claim();
    if (claim == Claim::Theirs) {
        std::printf("not ours, left as it is: %s\n", qPrintable(folder()));
        report.failure = OverlayFailure::Taken;
        return report;
    }
    if (claim == Claim::None && isSafeThemeName(name()) && themes_.theme(theme_) != nullptr &&
        !make()) {
        report.failure = OverlayFailure::Folder;
        return report;
    }
    report = overlay_.install(pictures, install);
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

OverlayReport OwnTheme::salvage(const QSet<QString>& ours) {
    // In a folder of that name that Trayskin did not make, nothing is ours.
    adoptOlder();
    if (claim() == Claim::Theirs)
        return {};
    OverlayReport report = overlay_.salvage(ours);
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
    // What a kill in make() or mark() may have left.
    if (auto icons = SafeFolder::open(folderOf(folder()), false))
        icons->removeEmptyFolder(passingName(name()));
    if (auto marks = SafeFolder::open(marksFolder(), false))
        marks->removeLeftover(kMarks);
    adoptOlder();
    if (claim() != Claim::Ours)
        return;
    const auto record = overlay_.record();
    auto folder = SafeFolder::open(overlay_.folder(), false);
    if (!record || !folder) {
        if (report.ok() && folder)
            report.failure = OverlayFailure::Record;
        return;
    }
    const QStringList dirs = dirsOf(*record);
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
        auto parent = SafeFolder::open(path.left(slash), false);
        if (parent && parent->removeEmptyFolder(path.mid(slash + 1)))
            mark(name(), std::nullopt);
        overlay_.noteGone();
    }
    // The own theme's folders and index are asked again; the rest is kept.
    if (changed)
        themes_.refresh();
    if (!ok && report.ok()) {
        report.failure = OverlayFailure::Write;
        report.failedPath = overlay_.folder() + u'/' + kIndexName;
    }
}

} // namespace icontheme
