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
    static const QList<StatusItem> items = {
        {QStringLiteral("Volume"), {QStringLiteral("audio-volume-")}},
        {QStringLiteral("Microphone"),
         {QStringLiteral("microphone-sensitivity-"), QStringLiteral("microphone-disabled"),
          QStringLiteral("microphone-hardware-disabled")}},
        {QStringLiteral("Battery"), {QStringLiteral("battery-")}},
        {QStringLiteral("Network"),
         {QStringLiteral("network-wired"), QStringLiteral("network-wireless"),
          QStringLiteral("network-cellular"), QStringLiteral("network-vpn"),
          QStringLiteral("network-offline"), QStringLiteral("network-idle"),
          QStringLiteral("network-transmit"), QStringLiteral("network-receive"),
          QStringLiteral("network-error"), QStringLiteral("network-no-route")}},
        {QStringLiteral("Bluetooth"), {QStringLiteral("bluetooth-")}},
        {QStringLiteral("Brightness"), {QStringLiteral("display-brightness-")}},
        {QStringLiteral("Keyboard Brightness"), {QStringLiteral("keyboard-brightness-")}},
        {QStringLiteral("Power Mode"), {QStringLiteral("power-profile-")}},
        {QStringLiteral("Night Light"), {QStringLiteral("night-light-")}},
        {QStringLiteral("Airplane Mode"), {QStringLiteral("airplane-mode-")}},
        {QStringLiteral("Location"), {QStringLiteral("location-services-")}},
        {QStringLiteral("Camera"),
         {QStringLiteral("camera-disabled"), QStringLiteral("camera-hardware-disabled")}},
        {QStringLiteral("Screen Sharing"), {QStringLiteral("screen-shared")}},
        {QStringLiteral("Notifications"), {QStringLiteral("notifications-disabled")}},
        {QStringLiteral("Rotation"),
         {QStringLiteral("rotation-allowed"), QStringLiteral("rotation-locked")}},
        {QStringLiteral("Software Update"), {QStringLiteral("software-update-")}},
        {QStringLiteral("Printer"),
         {QStringLiteral("printer-error"), QStringLiteral("printer-printing"),
          QStringLiteral("printer-warning")}},
        {QStringLiteral("Presence"),
         {QStringLiteral("user-available"), QStringLiteral("user-away"),
          QStringLiteral("user-busy"), QStringLiteral("user-idle"),
          QStringLiteral("user-invisible"), QStringLiteral("user-offline")}},
    };
    return items;
}

namespace {

// The items by the first letter of their prefixes, in the table's order:
// most names of a theme are no item's, and that shows at the first letter.
const std::array<QList<const StatusItem*>, 128>& itemsByLetter() {
    static const auto byLetter = [] {
        std::array<QList<const StatusItem*>, 128> table;
        for (const StatusItem& item : statusItems()) {
            for (const QString& prefix : item.prefixes) {
                QList<const StatusItem*>& items = table[prefix.front().unicode() & 0x7f];
                if (!items.contains(&item))
                    items.append(&item);
            }
        }
        return table;
    }();
    return byLetter;
}

template <typename View> const StatusItem* findItem(View icon) {
    const auto& byLetter = itemsByLetter();
    if (icon.isEmpty() || icon.front().unicode() >= byLetter.size())
        return nullptr;
    for (const StatusItem* item : byLetter[icon.front().unicode()])
        if (item->hasName(icon))
            return item;
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
