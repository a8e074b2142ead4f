#!/usr/bin/env bash
# Installs the build into private staging folders (DESTDIR) as a package
# would, once with the prefix it was configured with and once with another
# given only at install time, and checks what lands there: the command on the
# search path, the icon in the hicolor theme, the launcher named after the
# application id and the AppStream metainfo that names it (both validated),
# stripped programs, and nothing outside the prefix but the polkit action.
#     check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
configured="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
fail=0
stages=()
trap 'rm -rf "${stages[@]}"' EXIT
bad() { echo "FAIL ($prefix): $*"; fail=1; }

# check PREFIX [--prefix PREFIX]: installs into a fresh staging folder and
# checks it.
check() {
    prefix="$1"
    shift
    local stage
    stage="$(mktemp -d /tmp/trayskin-install-XXXXXX)"
    stages+=("$stage" "$stage.log")
    chmod 700 "$stage"
    if ! DESTDIR="$stage" cmake --install "$build" "$@" >"$stage.log" 2>&1; then
        cat "$stage.log"
        bad "cmake --install $*"
        return
    fi
    local root="$stage$prefix"
    local bundle="$root/lib/trayskin/Trayskin.app"
    [ -L "$root/bin/trayskin" ] || bad "no trayskin command in bin"
    [ "$(readlink -f "$root/bin/trayskin")" = "$(readlink -f "$bundle/Contents/MacOS/trayskin")" ] ||
        bad "the command does not lead to the bundle's program"
    for side in 16 24 32 48 64 128 256; do
        [ -s "$root/share/icons/hicolor/${side}x${side}/apps/trayskin.png" ] || bad "no ${side}px icon"
    done
    [ -s "$root/share/icons/hicolor/scalable/apps/trayskin.svg" ] || bad "no scalable icon"

    local metainfo="$root/share/metainfo/org.trayskin.Trayskin.metainfo.xml"
    local launchable desktop report
    launchable="$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")"
    [ "$launchable" = "org.trayskin.Trayskin.desktop" ] || bad "the metainfo launches '$launchable'"
    desktop="$root/share/applications/$launchable"
    [ "$(ls "$root/share/applications")" = "$launchable" ] ||
        bad "launchers: $(ls "$root/share/applications")"
    report="$(desktop-file-validate "$desktop" 2>&1)" || bad "desktop-file-validate: $desktop"
    [ -z "$report" ] || bad "desktop-file-validate says: $report"
    grep -q '^Icon=trayskin$' "$desktop" || bad "the launcher does not name the themed icon"
    grep -q "^TryExec=$prefix/bin/trayskin$" "$desktop" || bad "the launcher's TryExec: $(grep TryExec "$desktop")"
    # Pedantic notes count too, but one: the id keeps the application's
    # capital letter, as its launcher's name does.
    report="$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)" ||
        bad "appstreamcli: $report"
    if grep -E '^[EWIP]: ' <<<"$report" | grep -v '^P: org.trayskin.Trayskin:[0-9]*: cid-contains-uppercase-letter org.trayskin.Trayskin$'; then
        bad "appstreamcli has more to say"
    fi

    for program in "$bundle/Contents/MacOS/trayskin" "$bundle/Contents/MacOS/trayskin-command" \
        "$bundle/Contents/MacOS/trayskin-window" \
        "$bundle/Contents/Resources/Trayskin"; do
        if readelf -S "$program" | grep -q '\.symtab'; then bad "not stripped: $program"; fi
    done
    [ -s "$root/share/doc/trayskin/LICENSE" ] || bad "no licence"
    local man="$root/share/man/man1/trayskin.1"
    grep -q '^\.SH EXIT STATUS$' "$man" || bad "no manual page with exit statuses"
    report="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$man" 2>&1 >/dev/null)" || bad "man -l: $report"
    [ -z "$report" ] || bad "man says: $report"
    local completion="$root/share/bash-completion/completions/trayskin"
    bash -n "$completion" || bad "the bash completion does not parse"
    grep -q 'complete -o default -F _trayskin trayskin' "$completion" || bad "no completion for trayskin"
    local completed
    completed="$(bash -c 'source "$1"; COMP_WORDS=(trayskin rest); COMP_CWORD=1; _trayskin trayskin
        echo "${COMPREPLY[*]}"' _ "$completion")"
    [ "$completed" = restore ] || bad "the completion of 'rest' is '$completed'"
    [ -s "$bundle/Contents/Resources/translations/trayskin_de.qm" ] || bad "no German translation"
    [ -s "$bundle/Contents/Resources/de.lproj/ReadMe.html" ] || bad "no German help page"
    [ -s "$bundle/Contents/Resources/help.css" ] || bad "no stylesheet for the help pages"
    # Outside the prefix: the polkit action, and nothing else.
    local outside
    outside=$(cd "$stage" && find . -type f -o -type l | grep -v "^.$prefix/" | sort)
    [ "$outside" = "./usr/share/polkit-1/actions/org.trayskin.trayskin.policy" ] ||
        bad "written outside the prefix: $outside"
}

check "$configured"
elsewhere=/opt/trayskin-elsewhere
[ "$elsewhere" != "$configured" ]
check "$elsewhere" --prefix "$elsewhere"
[ "$fail" -eq 0 ] && echo "installed and validated in staging folders ($configured, $elsewhere)"
exit "$fail"
