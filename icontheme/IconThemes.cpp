#include "icontheme/IconThemes.h"

#include "icontheme/Picture.h"
#include "icontheme/ThemeFolder.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <tuple>

#include <sys/stat.h>

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

bool isFolder(const Stamp& stamp) {
    return stamp.mtime >= 0 && S_ISDIR(stamp.mode);
}

} // namespace

// One theme as it was read: its index, the bases holding its folder, and
// which of its directories hold each icon name.
struct IconThemes::State {
    struct Entry {
        qint32 dir;   // in the theme's index
        qint32 base;  // in bases_
        qint8 suffix; // in kSuffixes
        auto key() const { return std::tie(dir, base, suffix); }
    };
    // A directory of the theme in one base.
    using Place = std::pair<qint32, qint32>; // dir, base
    // A folder whose change reads the directories below it again, alone.
    struct Watch {
        Stamp stamp;
        QList<Place> places;
    };
    std::shared_ptr<Theme> theme; // null: none found
    // What decides the whole theme: its folder in each base (in the watched
    // ones only whether it is there) and the index.theme files read or
    // looked for.
    struct Mark {
        QString path;
        Stamp stamp;
        bool whole; // its contents count, not only whether it is there
        bool holds() const;
    };
    QList<Mark> marks;
    QList<qint32> held;
    bool indexed = false;
    QHash<QString, QList<Entry>> icons;
    // In the watched bases: the folder marked for each directory, and the
    // names listed in each directory.
    QHash<QString, Watch> watches;
    QHash<Place, QStringList> listed;
};

namespace {

// In directory, then base, then suffix order.
template <typename Entries> void sortEntries(Entries& entries) {
    if (entries.size() > 1)
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.key() < b.key(); });
}

} // namespace

bool IconThemes::State::Mark::holds() const {
    if (whole)
        return stamp.stillHolds(path);
    const Stamp again = Stamp::of(path);
    return std::tie(again.inode, again.mode) == std::tie(stamp.inode, stamp.mode) &&
           (again.mtime < 0) == (stamp.mtime < 0);
}

bool isSafeIconName(const QString& name) {
    if (name.isEmpty() || name.size() > 255 || name.startsWith(u'.'))
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
               u == u'.' || u == u'_' || u == u'+' || u == u'-';
    });
}

IconThemes::IconThemes(QStringList bases, QStringList watched)
    : bases_(std::move(bases)), watched_(std::move(watched)) {}

IconThemes::~IconThemes() = default;

IconThemes::State& IconThemes::state(const QString& name) {
    std::shared_ptr<State>& slot = themes_[name];
    if (slot)
        return *slot;
    slot = std::make_shared<State>();
    State& state = *slot;
    bool decided = false;
    for (qsizetype b = 0; b < bases_.size(); ++b) {
        const QString folder = bases_[b] + u'/' + name;
        // In a watched base the folders below are watched one by one.
        state.marks.append({folder, Stamp::of(folder), !watched_.contains(bases_[b])});
        if (!isFolder(state.marks.last().stamp))
            continue;
        state.held.append(qint32(b));
        if (decided)
            continue;
        const QString path = folder + QStringLiteral("/index.theme");
        state.marks.append({path, Stamp::of(path), true});
        bool tooLarge = false;
        const auto text = readSmallFile(path, kMaxIndexBytes, &tooLarge);
        ++reads_;
        // The first index.theme decides, even when it cannot be used.
        decided = text || tooLarge;
        if (text) {
            if (auto index = parseThemeIndex(*text))
                state.theme = std::make_shared<Theme>(Theme{name, path, std::move(*index)});
        }
    }
    if (!state.theme)
        return state;
    QList<ThemeDir>& dirs = state.theme->index.dirs;
    if (state.theme->index.dirsLeftOut > 0)
        std::fprintf(stderr,
                     "Icon theme %s: only its first %lld directories are read, %lld left out\n",
                     qPrintable(name), static_cast<long long>(kMaxThemeDirs),
                     static_cast<long long>(state.theme->index.dirsLeftOut));
    const qsizetype most = kMaxThemeFolders / std::max<qsizetype>(1, state.held.size());
    if (dirs.size() > most) {
        std::fprintf(stderr,
                     "Icon theme %s: only its first %lld directories are read in its %lld base "
                     "directories, %lld left out\n",
                     qPrintable(name), static_cast<long long>(most),
                     static_cast<long long>(state.held.size()),
                     static_cast<long long>(dirs.size() - most));
        dirs.resize(most);
    }
    return state;
}

IconThemes::State& IconThemes::indexed(const QString& name) {
    State& found = state(name);
    if (!found.indexed)
        index(found);
    return found;
}

void IconThemes::index(State& state) {
    state.icons.clear();
    state.watches.clear();
    state.listed.clear();
    state.indexed = true;
    if (!state.theme)
        return;
    // Outside the watched bases the directories are read as GTK reads them:
    // from the theme's icon-theme.cache where it is newer than they are.
    std::map<qint32, ThemeFolder> cached;
    for (const qint32 b : state.held)
        if (!watched_.contains(bases_[b]))
            cached.try_emplace(b, bases_[b] + u'/' + state.theme->name);
    for (qsizetype d = 0; d < state.theme->index.dirs.size(); ++d) {
        for (const qint32 b : state.held) {
            const auto folder = cached.find(b);
            list(state, {qint32(d), b}, nullptr,
                 folder == cached.end() ? nullptr : &folder->second);
        }
    }
    // In directory, then base, then suffix order; a listing has no order.
    for (QList<State::Entry>& entries : state.icons)
        sortEntries(entries);
}

void IconThemes::list(State& state, const State::Place& place, QSet<QString>* names,
                      const ThemeFolder* cached) {
    const auto [d, b] = place;
    const QString top = bases_[b] + u'/' + state.theme->name;
    const QString folder = top + u'/' + state.theme->index.dirs[d].path;
    const bool watched = watched_.contains(bases_[b]);
    if (watched)
        watch(state, folder, top, place);
    // Unsorted: the entries are put in order below, once all are listed.
    const QStringList files =
        cached != nullptr && cached->hasCache()
            ? cached->names(state.theme->index.dirs[d].path)
            : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    ++reads_;
    for (const QString& file : files) {
        for (qint8 s = 0; s < qint8(std::size(kSuffixes)); ++s) {
            if (file.size() <= kSuffixes[s].size() || !file.endsWith(kSuffixes[s]))
                continue;
            const QString icon = file.chopped(kSuffixes[s].size());
            state.icons[icon].append({d, b, s});
            if (watched)
                state.listed[place].append(icon);
            if (names != nullptr)
                names->insert(icon);
        }
    }
}

void IconThemes::unlist(State& state, const State::Place& place, QSet<QString>& names) {
    for (const QString& icon : state.listed.take(place)) {
        names.insert(icon);
        auto it = state.icons.find(icon);
        if (it == state.icons.end())
            continue;
        it->removeIf(
            [&](const State::Entry& e) { return e.dir == place.first && e.base == place.second; });
        if (it->isEmpty())
            state.icons.erase(it);
    }
}

void IconThemes::watch(State& state, QString folder, const QString& top,
                       const State::Place& place) {
    // The directory's folder, or where it is missing the nearest folder
    // above it: the theme's own folder at the most, which is there.
    for (;;) {
        auto found = state.watches.find(folder);
        if (found != state.watches.end()) {
            found->places.append(place);
            return;
        }
        const Stamp stamp = Stamp::of(folder);
        if (folder == top || isFolder(stamp)) {
            state.watches.insert(folder, {stamp, {place}});
            return;
        }
        folder.truncate(folder.lastIndexOf(u'/'));
    }
}

bool IconThemes::relist(State& state) {
    QList<State::Place> places;
    for (auto it = state.watches.begin(); it != state.watches.end();) {
        if (it->stamp.stillHolds(it.key())) {
            ++it;
            continue;
        }
        places += it->places;
        it = state.watches.erase(it);
    }
    QSet<QString> names;
    for (const State::Place& place : std::as_const(places))
        unlist(state, place, names);
    for (const State::Place& place : std::as_const(places))
        list(state, place, &names);
    for (const QString& icon : std::as_const(names)) {
        auto it = state.icons.find(icon);
        if (it != state.icons.end())
            sortEntries(*it);
    }
    return !places.isEmpty();
}

const Theme* IconThemes::theme(const QString& name) {
    return isSafeThemeName(name) ? state(name).theme.get() : nullptr;
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
        Listing listing{Stamp::of(folder), {}};
        if (isFolder(listing.stamp)) {
            const QStringList names =
                QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
            listing.names = QSet<QString>(names.cbegin(), names.cend());
            ++reads_;
        }
        it = listings_.insert(folder, std::move(listing));
    }
    return it->names;
}

QList<IconFile> IconThemes::filesOf(const QString& themeName, const QString& icon,
                                    const QString& skipBase) {
    if (!isSafeThemeName(themeName) || !isSafeIconName(icon))
        return {};
    const State& found = indexed(themeName);
    QList<IconFile> out;
    for (const State::Entry& entry : found.icons.value(icon)) {
        const QString& base = bases_[entry.base];
        if (base == skipBase)
            continue;
        const QString& dir = found.theme->index.dirs[entry.dir].path;
        out.append(IconFile{
            base, dir, base + u'/' + themeName + u'/' + dir + u'/' + icon + kSuffixes[entry.suffix],
            kSuffixes[entry.suffix], entry.dir});
    }
    return out;
}

bool IconThemes::holds(const QString& themeName, const QString& icon) {
    const QStringList themes = chain(themeName);
    return std::any_of(themes.cbegin(), themes.cend(),
                       [&](const QString& name) { return !filesOf(name, icon).isEmpty(); });
}

QString IconThemes::lookupInTheme(State& state, const QString& icon, int size, int scale) {
    const auto found = state.icons.constFind(icon);
    if (found == state.icons.cend())
        return {};
    const QList<ThemeDir>& dirs = state.theme->index.dirs;
    const State::Entry* best = nullptr;
    int distance = INT_MAX;
    for (const State::Entry& entry : *found) {
        if (matchesSize(dirs[entry.dir], size, scale)) {
            best = &entry;
            break;
        }
        // The first of the closest, in directory then base order.
        const int away = sizeDistance(dirs[entry.dir], size, scale);
        if (away < distance) {
            distance = away;
            best = &entry;
        }
    }
    return bases_[best->base] + u'/' + state.theme->name + u'/' + dirs[best->dir].path + u'/' +
           icon + kSuffixes[best->suffix];
}

QString IconThemes::lookup(const QString& themeName, const QString& icon, int size, int scale) {
    if (!isSafeIconName(icon))
        return {};
    size = std::clamp(size, 1, 1 << 16);
    scale = std::clamp(scale, 1, 64);
    for (const QString& name : chain(themeName)) {
        const QString found = lookupInTheme(indexed(name), icon, size, scale);
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

void IconThemes::refresh() {
    for (auto it = listings_.begin(); it != listings_.end();) {
        if (it->stamp.stillHolds(it.key()))
            ++it;
        else
            it = listings_.erase(it);
    }
    // A theme whose folder or index changed is read again whole; in the
    // watched bases only the directories whose folder changed are listed again.
    for (auto it = themes_.begin(); it != themes_.end();) {
        State& state = **it;
        if (!std::all_of(state.marks.cbegin(), state.marks.cend(),
                         [](const State::Mark& mark) { return mark.holds(); })) {
            it = themes_.erase(it);
            continue;
        }
        if (state.indexed && state.theme)
            relist(state);
        ++it;
    }
}

void IconThemes::forget() {
    themes_.clear();
    listings_.clear();
}

} // namespace icontheme
