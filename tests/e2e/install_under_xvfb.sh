#!/usr/bin/env bash
# One whole install with the built bundle, as a user does it: under Xvfb, in
# a sandbox, with real clicks on Volume, its "Ocean" set and the use button,
# then Return on the completion alert. Passes when the sandbox's Volume
# bundle holds the set's pictures byte for byte and the program quits with 0.
#   install_under_xvfb.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/resources/artgen" sandbox "$work/system" >/dev/null 2>&1
mkdir -p "$work/home"
export TRAYSKIN_SYSROOT="$work/system" HOME="$work/home" LANG=C.UTF-8 LC_ALL=C.UTF-8
export APP="$build/Trayskin.app/Contents/MacOS/trayskin" WORK="$work"

xvfb-run -a -s "-screen 0 1024x600x24" bash -c '
    set -euo pipefail
    "$APP" > "$WORK/stdout" 2> "$WORK/stderr" & pid=$!
    win=""
    for _ in $(seq 200); do
        win=$(xdotool search --onlyvisible --name "^Trayskin$" 2>/dev/null | head -1) || true
        [ -n "$win" ] && break
        sleep 0.05
    done
    [ -n "$win" ] || { echo "no main window"; kill $pid; exit 1; }
    click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
    click 60 122     # Volume
    click 215 62     # Ocean
    click 747 436    # Use This Set
    # The completion alert is the active window once the copies are done.
    for _ in $(seq 200); do
        grep -q "^copy$" "$WORK/stdout" 2>/dev/null && \
            xdotool search --onlyvisible --name "Installation Complete" >/dev/null 2>&1 && break
        sleep 0.05
    done
    xdotool key --clearmodifiers Return
    sleep 0.5
    kill -TERM $pid
    wait $pid
'
status=$?
set +e
fail=0
[ "$status" -eq 0 ] || { echo "the program ended with $status"; fail=1; }
lib="$work/home/Library/Trayskin/Volume/Ocean"
res="$work/system/System/Library/CoreServices/Menu Extras/Volume.menu/Contents/Resources"
count=0
for picture in "$lib"/*.tif; do
    name="$(basename "$picture")"
    cmp -s "$picture" "$res/$name" || { echo "not installed: $name"; fail=1; }
    count=$((count + 1))
done
copies=$(grep -c "^copy$" "$work/stdout" || true)
[ "$copies" -eq "$count" ] || { echo "expected $count copies, saw $copies"; fail=1; }
[ "$fail" -eq 0 ] && echo "installed $count pictures of Volume/Ocean"
[ "$fail" -eq 0 ] || { echo "--- stdout"; cat "$work/stdout"; echo "--- stderr"; tail -20 "$work/stderr"; }
exit $fail
