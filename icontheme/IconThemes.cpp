#include "icontheme/IconThemes.h"

#include "icontheme/Picture.h"

#include <QDir>

#include <algorithm>
#include <climits>

namespace icontheme {
namespace {

const QString kSuffixes[] = {QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".xpm"),
                             QStringLiteral(".symbolic.png")};
constexpr qint64 kMaxIndexBytes = 4 << 20;

void collect(IconThemes& themes, const QString& name, QStringList& out) {
    if (out.contains(name))
        return;
    const Theme* theme = themes.theme(name);
    if (theme == nullptr)
        return;
    out.append(name);
    for (const QString& parent : theme->index.inherits)
        collect(themes, parent, out);
}

} // namespace

bool isSafeIconName(const QString& name) {
    if (name.isEmpty() || name.size() > 255 || name.startsWith(u'.'))
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
               u == u'.' || u == u'_' || u == u'+' || u == u'-';
    });
}

IconThemes::IconThemes(QStringList bases) : bases_(std::move(bases)) {}

const Theme* IconThemes::theme(const QString& name) {
    if (!isSafeThemeName(name))
        return nullptr;
    const auto known = themes_.constFind(name);
    if (known != themes_.cend())
        return known->get();
    std::shared_ptr<Theme> found;
    for (const QString& base : bases_) {
        const QString path = base + u'/' + name + QStringLiteral("/index.theme");
        bool tooLarge = false;
        const auto text = readSmallFile(path, kMaxIndexBytes, &tooLarge);
        if (!text && !tooLarge)
            continue;
        // The first index.theme decides, even when it cannot be used.
        if (text) {
            if (auto index = parseThemeIndex(*text))
                found = std::make_shared<Theme>(Theme{name, path, std::move(*index)});
        }
        break;
    }
    themes_.insert(name, found);
    return found.get();
}

QStringList IconThemes::chain(const QString& name) {
    QStringList out;
    collect(*this, name, out);
    if (!out.contains(QStringLiteral("hicolor")) && theme(QStringLiteral("hicolor")) != nullptr)
        out.append(QStringLiteral("hicolor"));
    return out;
}

const QSet<QString>& IconThemes::listing(const QString& folder) {
    auto it = listings_.find(folder);
    if (it == listings_.end()) {
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        it = listings_.insert(folder, QSet<QString>(names.cbegin(), names.cend()));
    }
    return *it;
}

QList<IconFile> IconThemes::filesIn(const QString& base, const Theme& theme, const ThemeDir& dir,
                                    const QString& icon) {
    QList<IconFile> out;
    const QString folder = base + u'/' + theme.name + u'/' + dir.path;
    const QSet<QString>& names = listing(folder);
    for (const QString& suffix : kSuffixes) {
        if (names.contains(icon + suffix))
            out.append(IconFile{base, dir.path, folder + u'/' + icon + suffix, suffix});
    }
    return out;
}

QList<IconFile> IconThemes::filesOf(const QString& themeName, const QString& icon,
                                    const QString& skipBase) {
    const Theme* found = theme(themeName);
    if (found == nullptr || !isSafeIconName(icon))
        return {};
    QList<IconFile> out;
    for (const ThemeDir& dir : found->index.dirs) {
        for (const QString& base : bases_) {
            if (base != skipBase)
                out.append(filesIn(base, *found, dir, icon));
        }
    }
    return out;
}

bool IconThemes::holds(const QString& themeName, const QString& icon) {
    const QStringList themes = chain(themeName);
    return std::any_of(themes.cbegin(), themes.cend(),
                       [&](const QString& name) { return !filesOf(name, icon).isEmpty(); });
}

QString IconThemes::lookupInTheme(const Theme& theme, const QString& icon, int size, int scale) {
    for (const ThemeDir& dir : theme.index.dirs) {
        if (!matchesSize(dir, size, scale))
            continue;
        for (const QString& base : bases_) {
            const QList<IconFile> files = filesIn(base, theme, dir, icon);
            if (!files.isEmpty())
                return files.first().path;
        }
    }
    QString closest;
    int best = INT_MAX;
    for (const ThemeDir& dir : theme.index.dirs) {
        const int distance = sizeDistance(dir, size, scale);
        if (distance >= best)
            continue;
        for (const QString& base : bases_) {
            const QList<IconFile> files = filesIn(base, theme, dir, icon);
            if (!files.isEmpty()) {
                closest = files.first().path;
                best = distance;
                break;
            }
        }
    }
    return closest;
}

QString IconThemes::lookup(const QString& themeName, const QString& icon, int size, int scale) {
    if (!isSafeIconName(icon))
        return {};
    size = std::clamp(size, 1, 1 << 16);
    scale = std::clamp(scale, 1, 64);
    for (const QString& name : chain(themeName)) {
        const QString found = lookupInTheme(*theme(name), icon, size, scale);
        if (!found.isEmpty())
            return found;
    }
    for (const QString& base : bases_) {
        const QSet<QString>& names = listing(base);
        for (const QString& suffix : kSuffixes) {
            if (names.contains(icon + suffix))
                return base + u'/' + icon + suffix;
        }
    }
    return {};
}

void IconThemes::forget() {
    themes_.clear();
    listings_.clear();
}

} // namespace icontheme
