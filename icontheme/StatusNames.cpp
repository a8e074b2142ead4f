// The icon names the status items draw, as the status programs and panels
// packaged in Debian 12 ask for them: one row a name prefix, grouped by
// item in the order the items are shown (an icon belongs to the first item
// whose prefix takes it), each with where the names were found. A package's
// "hicolor" is the pictures it installs under /usr/share/icons/hicolor, a
// file in quotes holds the names as strings.
#include "icontheme/StatusItems.h"

namespace icontheme {

namespace {

// clang-format off
constexpr StatusNameRow kRows[] = {
    // item                  prefix                            found in
    {"Volume",               "audio-volume-",                  "adwaita-icon-theme; volumeicon-alsa \"/usr/bin/volumeicon\"; pasystray \"/usr/bin/pasystray\"; xfce4-pulseaudio-plugin \"libpulseaudio-plugin.so\"; lxpanel \"plugins/volume.so\" (-panel); gnome-shell \"ui/status/volume.js\"; plasma-pa \"contents/code/icon.js\""},
    {"Microphone",           "microphone-sensitivity-",        "gnome-shell \"ui/status/volume.js\"; xfce4-pulseaudio-plugin \"libpulseaudio-plugin.so\"; pasystray \"/usr/bin/pasystray\"; plasma-pa \"libplasma-volume-declarative.so\""},
    {"Microphone",           "microphone-disabled",            "adwaita-icon-theme"},
    {"Microphone",           "microphone-hardware-disabled",   "adwaita-icon-theme"},
    {"Microphone",           "audio-input-microphone",         "xfce4-pulseaudio-plugin \"libpulseaudio-plugin.so\"; pasystray \"/usr/bin/pasystray\"; gnome-shell \"ui/status/volume.js\""},
    {"Battery",              "battery-",                       "adwaita-icon-theme; xfce4-power-manager-data hicolor; cbatticon \"/usr/bin/cbatticon\"; mate-power-manager \"/usr/bin/mate-power-manager\"; gnome-shell \"ui/status/system.js\" (battery-level-)"},
    {"Battery",              "ac-adapter",                     "cbatticon \"/usr/bin/cbatticon\"; xfce4-power-manager-data hicolor; xfce4-power-manager-plugins \"libxfce4powermanager.so\""},
    {"Battery",              "notification-battery-",          "cbatticon \"/usr/bin/cbatticon\" (-000 ... -100, -plugged)"},
    {"Battery",              "gpm-battery-",                   "mate-power-manager-common hicolor; mate-power-manager \"gpm-%s-%s\""},
    {"Battery",              "gpm-ac-adapter",                 "mate-power-manager-common hicolor"},
    {"Battery",              "gpm-ups-",                       "mate-power-manager-common hicolor"},
    {"Battery",              "gpm-mouse-",                     "mate-power-manager-common hicolor (a mouse's battery)"},
    {"Battery",              "gpm-keyboard-",                  "mate-power-manager-common hicolor (a keyboard's battery)"},
    {"Battery",              "gpm-phone-",                     "mate-power-manager-common hicolor (a phone's battery)"},
    {"Battery",              "gpm-gaming-input-",              "mate-power-manager-common hicolor (a game pad's battery)"},
    {"Network",              "network-wired",                  "adwaita-icon-theme; gnome-shell \"ui/status/network.js\"; plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-wireless",               "adwaita-icon-theme; gnome-shell \"ui/status/network.js\"; plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-cellular",               "adwaita-icon-theme; gnome-shell \"ui/status/network.js\""},
    {"Network",              "network-mobile-",                "plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-modem",                  "plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-bluetooth",              "plasma-nm \"libplasmanm_internal.so\" (a Bluetooth network connection)"},
    {"Network",              "network-unavailable",            "plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-vpn",                    "adwaita-icon-theme; gnome-shell \"ui/status/network.js\"; plasma-nm \"libplasmanm_internal.so\""},
    {"Network",              "network-offline",                "adwaita-icon-theme"},
    {"Network",              "network-idle",                   "adwaita-icon-theme; lxpanel \"plugins/netstat.so\""},
    {"Network",              "network-transmit",               "adwaita-icon-theme; lxpanel \"plugins/netstat.so\""},
    {"Network",              "network-receive",                "adwaita-icon-theme; lxpanel \"plugins/netstat.so\""},
    {"Network",              "network-error",                  "adwaita-icon-theme; gnome-shell \"ui/status/network.js\"; lxpanel \"plugins/netstat.so\""},
    {"Network",              "network-no-route",               "adwaita-icon-theme"},
    {"Network",              "nm-signal-",                     "network-manager-gnome hicolor (00 ... 100, -secure)"},
    {"Network",              "nm-device-",                     "network-manager-gnome hicolor (wired, wireless, wwan)"},
    {"Network",              "nm-no-connection",               "network-manager-gnome hicolor"},
    {"Network",              "nm-stage",                       "network-manager-gnome hicolor; nm-applet \"nm-stage%02d-connecting%02d\""},
    {"Network",              "nm-vpn-",                        "network-manager-gnome hicolor; nm-applet \"nm-vpn-connecting%02d\""},
    {"Network",              "nm-tech-",                       "network-manager-gnome hicolor (3g, edge, lte, ...)"},
    {"Network",              "nm-adhoc",                       "network-manager-gnome hicolor"},
    {"Network",              "nm-mb-roam",                     "network-manager-gnome hicolor"},
    {"Network",              "nm-wwan-tower",                  "network-manager-gnome hicolor"},
    {"Network",              "nm-secure-lock",                 "network-manager-gnome hicolor"},
    {"Network",              "nm-insecure-warn",               "network-manager-gnome hicolor"},
    {"Network",              "gnome-netstatus-",               "lxpanel \"plugins/netstatus.so\""},
    {"Bluetooth",            "bluetooth-",                     "adwaita-icon-theme; blueman \"blueman/plugins/applet\"; gnome-shell \"ui/status/bluetooth.js\""},
    {"Bluetooth",            "blueman-tray",                   "blueman hicolor; blueman \"blueman/plugins/applet\""},
    {"Bluetooth",            "blueman-active",                 "blueman hicolor; blueman \"blueman/plugins/applet\""},
    {"Bluetooth",            "blueman-disabled",               "blueman hicolor; blueman \"blueman/plugins/applet\""},
    {"Bluetooth",            "preferences-system-bluetooth",   "bluedevil \"org.kde.plasma.bluetooth/contents/ui/main.qml\""},
    {"Brightness",           "display-brightness",             "adwaita-icon-theme; xfce4-power-manager-data hicolor; gnome-shell \"ui/status/brightness.js\""},
    {"Brightness",           "gpm-brightness-lcd",             "mate-power-manager-common hicolor; mate-power-manager \"/usr/bin/mate-power-manager\""},
    {"Brightness",           "video-display-brightness",       "plasma-workspace-data \"org.kde.plasma.battery/contents/ui/main.qml\""},
    {"Keyboard Brightness",  "keyboard-brightness",            "adwaita-icon-theme; xfce4-power-manager-data hicolor"},
    {"Keyboard Brightness",  "gpm-brightness-kbd",             "mate-power-manager-common hicolor; mate-power-manager \"/usr/bin/mate-power-manager\""},
    {"Power Mode",           "power-profile-",                 "gnome-shell \"ui/status/powerProfiles.js\""},
    {"Night Light",          "night-light-",                   "gnome-shell \"ui/status/nightLight.js\""},
    {"Airplane Mode",        "airplane-mode-",                 "gnome-shell \"ui/status/rfkill.js\""},
    {"Airplane Mode",        "network-flightmode-",            "plasma-nm \"libplasmanm_internal.so\""},
    {"Location",             "location-services-",             "gnome-shell \"ui/status/location.js\""},
    {"Camera",               "camera-disabled",                "adwaita-icon-theme"},
    {"Camera",               "camera-hardware-disabled",       "adwaita-icon-theme"},
    {"Screen Sharing",       "screen-shared",                  "gnome-shell \"ui/status/remoteAccess.js\""},
    {"Notifications",        "notifications-disabled",         "adwaita-icon-theme; plasma-workspace-data \"org.kde.plasma.notifications/contents/ui/main.qml\""},
    {"Rotation",             "rotation-allowed",               "adwaita-icon-theme"},
    {"Rotation",             "rotation-locked",                "adwaita-icon-theme"},
    {"Thunderbolt",          "thunderbolt-",                   "gnome-shell \"ui/status/thunderbolt.js\""},
    {"Software Update",      "software-update-",               "adwaita-icon-theme"},
    {"Printer",              "printer-error",                  "adwaita-icon-theme"},
    {"Printer",              "printer-printing",               "adwaita-icon-theme"},
    {"Printer",              "printer-warning",                "adwaita-icon-theme"},
    {"Presence",             "user-available",                 "adwaita-icon-theme"},
    {"Presence",             "user-away",                      "adwaita-icon-theme"},
    {"Presence",             "user-busy",                      "adwaita-icon-theme"},
    {"Presence",             "user-idle",                      "adwaita-icon-theme"},
    {"Presence",             "user-invisible",                 "adwaita-icon-theme"},
    {"Presence",             "user-offline",                   "adwaita-icon-theme"},
};
// clang-format on

} // namespace

std::span<const StatusNameRow> statusNameRows() {
    return kRows;
}

} // namespace icontheme
