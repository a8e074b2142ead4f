#!/usr/bin/env bash
# Installs the build into a private staging folder (DESTDIR) as a package
# would, and checks what lands there: the command on the search path, the
# icon in the hicolor theme, the launcher and the AppStream metainfo (both
# validated), stripped programs, and nothing outside the prefix but the
# polkit action.      check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
stage="$(mktemp -d /tmp/trayskin-install-XXXXXX)"
chmod 700 "$stage"
trap 'rm -rf "$stage"' EXIT
prefix=/usr/local
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" > "$stage.log" 2>&1 ||
    { cat "$stage.log"; rm -f "$stage.log"; exit 1; }
rm -f "$stage.log"
fail=0
bad() { echo "FAIL: $*"; fail=1; }

root="$stage$prefix"
bundle="$root/lib/trayskin/Trayskin.app"
[ -L "$root/bin/trayskin" ] || bad "no trayskin command in bin"
[ "$(readlink -f "$root/bin/trayskin")" = "$(readlink -f "$bundle/Contents/MacOS/trayskin")" ] ||
    bad "the command does not lead to the bundle's program"
for side in 16 24 32 48 64 128 256; do
    [ -s "$root/share/icons/hicolor/${side}x${side}/apps/trayskin.png" ] || bad "no ${side}px icon"
done
[ -s "$root/share/icons/hicolor/scalable/apps/trayskin.svg" ] || bad "no scalable icon"
desktop="$root/share/applications/trayskin.desktop"
desktop-file-validate "$desktop" || bad "desktop-file-validate: $desktop"
grep -q '^Icon=trayskin$' "$desktop" || bad "the launcher does not name the themed icon"
grep -q "^TryExec=$prefix/bin/trayskin$" "$desktop" || bad "the launcher has no TryExec"
metainfo="$root/share/metainfo/org.trayskin.Trayskin.metainfo.xml"
appstreamcli validate --no-net --pedantic "$metainfo" || bad "appstreamcli: $metainfo"
for program in "$bundle/Contents/MacOS/trayskin" "$bundle/Contents/Resources/Trayskin"; do
    if readelf -S "$program" | grep -q '\.symtab'; then bad "not stripped: $program"; fi
done
[ -s "$root/share/doc/trayskin/LICENSE" ] || bad "no licence"
[ -s "$bundle/Contents/Resources/translations/trayskin_de.qm" ] || bad "no German translation"
[ -s "$bundle/Contents/Resources/de.lproj/ReadMe.html" ] || bad "no German help page"
[ -s "$bundle/Contents/Resources/help.css" ] || bad "no stylesheet for the help pages"
# Outside the prefix: the polkit action, and nothing else.
outside=$(cd "$stage" && find . -type f -o -type l | grep -v "^.$prefix/" | sort)
[ "$outside" = "./usr/share/polkit-1/actions/org.trayskin.trayskin.policy" ] ||
    bad "written outside the prefix: $outside"
[ "$fail" -eq 0 ] && echo "installed and validated in a staging folder"
exit "$fail"
