# Shared by the scripts: package installation and the incremental build.
# Sourced, not run.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

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

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-l10n-tools qt6-image-formats-plugins
    libgl-dev)
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils
    fonts-dejavu-core)
RUN_PACKAGES=(xvfb xauth x11-utils imagemagick xdg-utils adwaita-icon-theme fonts-dejavu-core)

# Configures once, then builds incrementally into build/.
build_project() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake --preset default -S "$ROOT"
    fi
    cmake --build "$BUILD" --parallel "$(nproc)"
}
