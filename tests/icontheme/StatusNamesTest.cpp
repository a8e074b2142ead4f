// The table of names: what real status programs ask for lands in the item
// of its meaning, and every name a status program installs is an item's.
#include "icontheme/StatusItems.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

using namespace icontheme;

namespace {

TEST(StatusNames, ProgramsNamesLandInTheItemOfTheirMeaning) {
    // Names the programs ask for, as they ask, by the item they must land
    // in; "": no item's (a program's own picture, a device's).
    const std::pair<const char*, const char*> cases[] = {
        {"Network", "nm-signal-100-secure-symbolic nm-stage02-connecting11 nm-vpn-active-lock "
                    "nm-tech-lte network-mobile-80 gnome-netstatus-75-100"},
        {"Battery", "notification-battery-020-plugged ac-adapter-symbolic gpm-battery-060-charging "
                    "gpm-ups-100 battery-level-50-charging-symbolic"},
        {"Microphone", "audio-input-microphone-muted microphone-sensitivity-high"},
        {"Volume", "audio-volume-high-panel"},
        {"Bluetooth",
         "blueman-tray blueman-disabled-symbolic preferences-system-bluetooth-activated"},
        {"Brightness", "display-brightness gpm-brightness-lcd video-display-brightness"},
        {"Keyboard Brightness", "keyboard-brightness gpm-brightness-kbd-disabled"},
        {"Airplane Mode", "network-flightmode-on"},
        {"Thunderbolt", "thunderbolt-acquiring-symbolic"},
        {"", "nm-connection-editor blueman-send-symbolic audio-input-line gpm-suspend"},
    };
    for (const auto& [title, icons] : cases) {
        for (const QString& icon : QString(icons).split(' ')) {
            const StatusItem* item = itemForIcon(icon);
            EXPECT_EQ(item ? item->title : QString(), title) << icon.toStdString();
            EXPECT_EQ(isItemName(QLatin1StringView(icon.toLatin1())), item != nullptr);
        }
    }
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
