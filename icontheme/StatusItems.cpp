#include "icontheme/StatusItems.h"

#include "icontheme/IconThemes.h"

#include <algorithm>
#include <array>

namespace icontheme {

namespace {

template <typename View> bool startsWithAny(View name, const QStringList& prefixes) {
    return std::any_of(prefixes.cbegin(), prefixes.cend(),
                       [&](const QString& prefix) { return name.startsWith(prefix); });
}

} // namespace

bool StatusItem::hasName(QStringView icon) const {
    return startsWithAny(icon, prefixes);
}
bool StatusItem::hasName(QLatin1StringView icon) const {
    return startsWithAny(icon, prefixes);
}

const QList<StatusItem>& statusItems() {
    static const QList<StatusItem> items = [] {
        QList<StatusItem> built;
        for (const StatusNameRow& row : statusNameRows()) {
            const QString title = QString::fromLatin1(row.item);
            if (built.isEmpty() || built.last().title != title)
                built.append({title, {}});
            built.last().prefixes.append(QString::fromLatin1(row.prefix));
        }
        return built;
    }();
    return items;
}

namespace {

struct PrefixOf {
    QString prefix;
    const StatusItem* item;
};

// The prefixes by their first letter, in the table's order: most names of a
// theme are no item's, and that shows at the first letter; the others are
// held against the few prefixes of their letter alone.
const std::array<QList<PrefixOf>, 128>& prefixesByLetter() {
    static const auto byLetter = [] {
        std::array<QList<PrefixOf>, 128> table;
        for (const StatusItem& item : statusItems())
            for (const QString& prefix : item.prefixes)
                table[prefix.front().unicode() & 0x7f].append({prefix, &item});
        return table;
    }();
    return byLetter;
}

template <typename View> const StatusItem* findItem(View icon) {
    const auto& byLetter = prefixesByLetter();
    if (icon.isEmpty() || icon.front().unicode() >= byLetter.size())
        return nullptr;
    for (const PrefixOf& entry : byLetter[icon.front().unicode()])
        if (icon.startsWith(entry.prefix))
            return entry.item;
    return nullptr;
}

} // namespace

const StatusItem* itemForIcon(const QString& icon) {
    return findItem(QStringView(icon));
}

bool isItemName(QLatin1StringView name) {
    return findItem(name) != nullptr;
}

std::optional<PictureName> pictureName(const QString& fileName) {
    for (const auto& [suffix, extension] :
         {std::pair{QStringLiteral(".symbolic.png"), QStringLiteral("png")},
          std::pair{QStringLiteral(".png"), QStringLiteral("png")},
          std::pair{QStringLiteral(".svg"), QStringLiteral("svg")}}) {
        if (!fileName.endsWith(suffix))
            continue;
        const QString icon = fileName.chopped(suffix.size());
        if (!isSafeIconName(icon))
            return std::nullopt;
        return PictureName{icon, extension};
    }
    return std::nullopt;
}

} // namespace icontheme
