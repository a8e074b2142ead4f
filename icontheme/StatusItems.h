// The status items a panel shows, each named by the icon names it draws
// (by their prefixes), and which picture files belong to them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace icontheme {

struct StatusItem {
    QString title; // the item's folder in the library
    QStringList prefixes;

    bool hasName(QStringView icon) const;
    bool hasName(QLatin1StringView icon) const;
};

// One row of the table of names: an item, a prefix of the icon names it
// draws, and where those names were found.
struct StatusNameRow {
    const char* item;
    const char* prefix;
    const char* foundIn;
};
std::span<const StatusNameRow> statusNameRows();

// The items in the table's order, each with its prefixes.
const QList<StatusItem>& statusItems();
// The item whose prefixes take the icon name; none when no item does.
const StatusItem* itemForIcon(const QString& icon);
// Whether some item's prefix takes the name, looked at as it is stored (a
// theme's cache holds names as bytes, and every prefix is ASCII).
bool isItemName(QLatin1StringView name);

// A picture file: "<icon>.png" or "<icon>.svg", and a theme's
// "<icon>.symbolic.png", which is the same icon recoloured.
struct PictureName {
    QString icon;
    QString extension; // "png" or "svg"
};
std::optional<PictureName> pictureName(const QString& fileName);

} // namespace icontheme
