// The table of names: what real status programs ask for lands in the item
// of its meaning, and every name a status program installs is an item's.
#include "icontheme/StatusItems.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QSet>

using namespace icontheme;

namespace {

TEST(StatusNames, ProgramsNamesLandInTheItemOfTheirMeaning) {
    // Names the programs ask for, as they ask; null: no item's.
    const std::pair<const char*, const char*> cases[] = {
        {"nm-signal-75", "Network"},
        {"nm-signal-100-secure-symbolic", "Network"},
        {"nm-stage02-connecting11", "Network"},
        {"nm-vpn-active-lock", "Network"},
        {"nm-tech-lte", "Network"},
        {"nm-device-wireless", "Network"},
        {"network-mobile-80", "Network"},
        {"gnome-netstatus-75-100", "Network"},
        {"network-wireless-signal-good-symbolic", "Network"},
        {"notification-battery-020-plugged", "Battery"},
        {"ac-adapter-symbolic", "Battery"},
        {"gpm-battery-060-charging", "Battery"},
        {"gpm-ups-100", "Battery"},
        {"battery-level-50-charging-symbolic", "Battery"},
        {"audio-input-microphone-muted", "Microphone"},
        {"audio-input-microphone-symbolic", "Microphone"},
        {"microphone-sensitivity-high", "Microphone"},
        {"audio-volume-high-panel", "Volume"},
        {"blueman-tray", "Bluetooth"},
        {"blueman-disabled-symbolic", "Bluetooth"},
        {"preferences-system-bluetooth-activated", "Bluetooth"},
        {"display-brightness", "Brightness"},
        {"gpm-brightness-lcd", "Brightness"},
        {"video-display-brightness", "Brightness"},
        {"keyboard-brightness", "Keyboard Brightness"},
        {"gpm-brightness-kbd-disabled", "Keyboard Brightness"},
        {"network-flightmode-on", "Airplane Mode"},
        {"thunderbolt-acquiring-symbolic", "Thunderbolt"},
        // Names apart from the status: a program's own, a picture of a device.
        {"nm-connection-editor", nullptr},
        {"blueman-send-symbolic", nullptr},
        {"audio-input-line", nullptr},
        {"gpm-suspend", nullptr},
    };
    for (const auto& [icon, title] : cases) {
        const StatusItem* item = itemForIcon(icon);
        ASSERT_EQ(item != nullptr, title != nullptr) << icon;
        if (item) {
            EXPECT_EQ(item->title, title) << icon;
        }
        EXPECT_EQ(isItemName(QLatin1StringView(icon)), title != nullptr) << icon;
    }
    // Each item's rows stand together and say where their names come from.
    QSet<QString> titles;
    for (const StatusItem& item : statusItems()) {
        EXPECT_FALSE(titles.contains(item.title)) << item.title.toStdString();
        titles.insert(item.title);
    }
    for (const StatusNameRow& row : statusNameRows())
        EXPECT_GT(qstrlen(row.foundIn), 5u) << row.prefix;
}

TEST(StatusNames, EveryStatusPictureAProgramInstallsIsAnItems) {
    // package, the picture files of its status to find, the item.
    const struct {
        const char* package;
        const char* files;
        const char* title;
    } cases[] = {
        {"network-manager-gnome", "/hicolor/.*/nm-[^/]*$", "Network"},
        {"xfce4-power-manager-data", "/status/(battery|ac-adapter)[^/]*$", "Battery"},
        {"mate-power-manager-common", "/status/gpm-(battery|ups|ac)[^/]*$", "Battery"},
        {"blueman", "/status/blueman-(tray|active|disabled)[^/]*$", "Bluetooth"},
    };
    for (const auto& c : cases) {
        QProcess dpkg;
        dpkg.start("dpkg", {"-L", c.package});
        ASSERT_TRUE(dpkg.waitForFinished());
        if (dpkg.exitCode() != 0) {
            std::printf("skipped: %s is not installed\n", c.package);
            continue;
        }
        const QRegularExpression pattern(c.files);
        int found = 0;
        for (const QString& line : QString::fromUtf8(dpkg.readAllStandardOutput()).split('\n')) {
            if (!pattern.match(line).hasMatch())
                continue;
            const auto name = pictureName(line.mid(line.lastIndexOf('/') + 1));
            ASSERT_TRUE(name) << line.toStdString();
            const StatusItem* item = itemForIcon(name->icon);
            ASSERT_NE(item, nullptr) << line.toStdString();
            EXPECT_EQ(item->title, c.title) << line.toStdString();
            ++found;
        }
        EXPECT_GT(found, 0) << c.package;
    }
}

} // namespace
