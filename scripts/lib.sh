# Shared by the scripts: package installation and the incremental build.
# Sourced, not run.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"         # the development build (tests, benchmarks, -Werror)
RUN_BUILD="$ROOT/build-run" # just the program

# Installs the Debian packages that are missing; the package lists are read
# once, and only when something is missing.
need_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs (Qt's CMake files ask for the GL headers;
# Qt's translation functions come with its tools' CMake files; libarchive
# reads and writes the archives that sets are imported from and exported to).
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-l10n-tools qt6-tools-dev
    qt6-image-formats-plugins qt6-svg-dev libgl-dev libarchive-dev)
# What showing it without a display needs: a virtual display, a screenshot,
# the icon theme and fonts the window is drawn with, and the opener of files.
RUN_PACKAGES=(xvfb xauth x11-utils imagemagick xdg-utils adwaita-icon-theme fonts-dejavu-core
    qt6-translations-l10n)
# What the tests need beyond the build: GoogleTest; a virtual display, a
# session bus and the accessibility bus with its Python client for the
# end-to-end tests, and xdotool for their keyboard.
# The install test validates the launcher and the metainfo. The icon theme
# tests read the machine's own Adwaita and ask real clients: GTK 3's lookup
# through Python, Qt's (with its SVG icon engine), and a real tray (trayer,
# its window tree through xwininfo, its pixels through ImageMagick's import),
# KDE's icon loader (kiconfinder5), whose answers are recorded, and GTK's
# icon cache of a made-up theme. Papirus and Breeze give sets of their own
# (their tests skip with a message where they are missing). Status programs
# install pictures of their own names in hicolor: nm-applet's, the power
# managers', blueman's are looked up through GTK and held against the table
# of names (skipped with a message where missing). Real panels show the
# sets: xfce4-panel with its pulseaudio plugin on a null sink, tint2 under
# openbox, lxpanel, mate-panel on dconf, lxqt-panel with LXQt's Qt platform
# theme, nm-applet and cbatticon in trayer (each row of their test skips
# where its programs are missing).
TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool fonts-dejavu-core dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream adwaita-icon-theme python3-gi gir1.2-gtk-3.0 libqt6svg6 trayer
    x11-utils imagemagick libx11-6 libkf5iconthemes-bin gtk-update-icon-cache
    papirus-icon-theme breeze-icon-theme
    network-manager-gnome xfce4-power-manager-data mate-power-manager-common blueman xsettingsd
    xfce4-panel xfce4-pulseaudio-plugin pulseaudio tint2 openbox lxpanel mate-panel
    dconf-gsettings-backend dconf-service libglib2.0-bin lxqt-panel lxqt-qtplugin cbatticon)

# configure_and_build PRESET BUILD_DIR [TARGET...]: configures with the preset
# when the build folder is not a complete, working configuration of it, then
# builds. A folder left by an interrupted or failed configure, or made with
# other options or another generator, is configured again, and from scratch
# when that fails.
configure_and_build() {
    local preset="$1" dir="$2"
    shift 2
    local stamp="$dir/.trayskin-preset"
    local want
    want="$preset $(sha256sum "$ROOT/CMakePresets.json" | cut -d' ' -f1)"
    if [ ! -f "$dir/build.ninja" ] || [ ! -f "$dir/CMakeCache.txt" ] ||
        [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
        rm -f "$stamp"
        if ! cmake --preset "$preset" -S "$ROOT"; then
            echo "Configuring again in an empty $dir"
            rm -rf "$dir"
            cmake --preset "$preset" -S "$ROOT"
        fi
        echo "$want" >"$stamp"
    fi
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}

# The development build, with everything.
build_project() {
    configure_and_build default "$BUILD"
}

# Only what running the program needs.
build_program() {
    configure_and_build run "$RUN_BUILD"
}
