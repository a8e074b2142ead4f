#include "icontheme/ThemeIndex.h"

#include "icontheme/KeyFile.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>

namespace icontheme {
namespace {

constexpr int kMaxSize = 1 << 16;
constexpr int kMaxScale = 64;

bool isPlainAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

std::optional<int> number(const KeyFile::Group& group, QByteArrayView key, int low, int high) {
    const auto text = group.raw(key);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok)
        return std::nullopt;
    return std::clamp(value, low, high);
}

QStringList list(const KeyFile& ini, const QString& key) {
    QStringList out;
    QSet<QString> seen; // a theme may list hundreds of directories
    for (const QString& item : ini.value(QStringLiteral("Icon Theme"), key)
                                   .value_or(QString())
                                   .split(u',', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty() && !seen.contains(trimmed)) {
            seen.insert(trimmed);
            out.append(trimmed);
        }
    }
    return out;
}

std::optional<ThemeDir> readDir(const KeyFile& ini, const QString& path) {
    const KeyFile::Group* group = ini.group(path);
    const auto size = group ? number(*group, "Size", 1, kMaxSize) : std::nullopt;
    if (!size)
        return std::nullopt;
    ThemeDir dir;
    dir.path = path;
    dir.size = *size;
    dir.scale = number(*group, "Scale", 1, kMaxScale).value_or(1);
    const QByteArrayView type = group->raw("Type").value_or(QByteArrayView());
    dir.type = type == "Fixed"      ? DirType::Fixed
               : type == "Scalable" ? DirType::Scalable
                                    : DirType::Threshold;
    dir.minSize = number(*group, "MinSize", 1, kMaxSize).value_or(dir.size);
    dir.maxSize = number(*group, "MaxSize", 1, kMaxSize).value_or(dir.size);
    dir.threshold = number(*group, "Threshold", 0, kMaxSize).value_or(2);
    dir.context = group->value("Context").value_or(QString());
    return dir;
}

} // namespace

bool isSafeThemeName(const QString& name) {
    return !name.isEmpty() && name.size() <= 255 && name != u"." && name != u".." &&
           !name.contains(u'/') && !name.contains(u',') && isPlainAscii(name);
}

bool isSafeSubdir(const QString& path) {
    if (path.isEmpty() || path.size() > 1024 || path.startsWith(u'/') || !isPlainAscii(path))
        return false;
    const QStringList parts = path.split(u'/');
    return std::none_of(parts.cbegin(), parts.cend(), [](const QString& part) {
        return part.isEmpty() || part == u"." || part == u"..";
    });
}

std::optional<ThemeIndex> parseThemeIndex(const QByteArray& text) {
    // Read as Qt's and KDE's loaders read it, which skip a damaged line.
    const KeyFile ini = KeyFile::parse(text, KeyFileRules::Kde);
    const QString main = QStringLiteral("Icon Theme");
    if (!ini.hasGroup(main))
        return std::nullopt;
    ThemeIndex index;
    index.displayName = ini.value(main, QStringLiteral("Name")).value_or(QString());
    index.hidden =
        ini.value(main, QStringLiteral("Hidden")).value_or(QString()).trimmed() == u"true";
    for (const QString& name : list(ini, QStringLiteral("Inherits"))) {
        if (isSafeThemeName(name))
            index.inherits.append(name);
        else
            index.refused.append(name);
    }
    QSet<QString> seen;
    for (const QString& key :
         {QStringLiteral("Directories"), QStringLiteral("ScaledDirectories")}) {
        for (const QString& path : list(ini, key)) {
            if (!isSafeSubdir(path)) {
                index.refused.append(path);
                continue;
            }
            if (seen.contains(path))
                continue;
            if (seen.size() == kMaxThemeDirs) {
                ++index.dirsLeftOut;
                continue;
            }
            seen.insert(path);
            if (const auto dir = readDir(ini, path))
                index.dirs.append(*dir);
        }
    }
    return index;
}

bool matchesSize(const ThemeDir& dir, int size, int scale) {
    if (dir.scale != scale)
        return false;
    switch (dir.type) {
    case DirType::Fixed:
        return dir.size == size;
    case DirType::Scalable:
        return dir.minSize <= size && size <= dir.maxSize;
    case DirType::Threshold:
        return dir.size - dir.threshold <= size && size <= dir.size + dir.threshold;
    }
    return false;
}

int sizeDistance(const ThemeDir& dir, int size, int scale) {
    const int wanted = size * scale;
    int low = dir.size * dir.scale;
    int high = low;
    if (dir.type == DirType::Fixed)
        return std::abs(low - wanted);
    if (dir.type == DirType::Scalable) {
        low = dir.minSize * dir.scale;
        high = dir.maxSize * dir.scale;
    } else {
        low = (dir.size - dir.threshold) * dir.scale;
        high = (dir.size + dir.threshold) * dir.scale;
    }
    if (wanted < low)
        return low - wanted;
    if (wanted > high)
        return wanted - high;
    return 0;
}

} // namespace icontheme
