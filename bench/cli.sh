# Sourced by scripts/bench (its work folder, build and helpers, and the
# desktop library its desktop benchmark made). Alone, "bash bench/cli.sh
# [BUILD] [ROUNDS]" runs it by itself on an existing build (scripts/bench's
# own build by default, 20 rounds), making that library first where it is
# missing.
#
# The command line on the desktop library of one first start on the
# machine's Adwaita, with a set of 40 of the theme's pictures: trayskin
# status against find of the library, and trayskin use of the 40-picture set
# against the window's install of it (the same command in a process of its
# own, without a window).
runs=20
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    runs="${2:-20}"
    BUILD="$(realpath "${1:-$(dirname "$0")/../build}")"
    work="$BUILD/bench-data"
    bundle="$BUILD/Trayskin.app"
    desk="$work/desktop"
    export XDG_DATA_DIRS=/usr/share
    mkdir -p "$work"
    ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
    if [ ! -d "$desk/data/trayskin/Network/Bench" ]; then
        rm -rf "$desk" && mkdir -p "$desk/home"
        XDG_DATA_HOME="$desk/data" HOME="$desk/home" "$BUILD/bench/bench_desktop" start
        mkdir -p "$desk/data/trayskin/Network/Bench"
        echo "A set for measuring installs." > "$desk/data/trayskin/Network/Bench/trayskininfo.txt"
        find "$desk/data/trayskin/Network/default" -name '*.svg' | sort | head -40 |
            xargs -d '\n' cp -t "$desk/data/trayskin/Network/Bench"
    fi
fi

program="$bundle/Contents/MacOS/trayskin"
# One run's seconds, in the library's environment.
cli_elapsed() {
    local t0=$EPOCHREALTIME
    XDG_DATA_HOME="$desk/data" HOME="$desk/home" "$@" > /dev/null
    awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }'
}
cli_median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
cli_ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
# Once first, so that status sees the library as the command line leaves it.
cli_elapsed "$program" --icon-theme Adwaita use Network Bench > /dev/null
cli_elapsed "$program" --icon-theme Adwaita status > /dev/null
# Each pair runs in turn, round after round, so that the load's and the
# disk's ups and downs (use and the install sync what they write) fall on
# each alike: medians of each. Status first, on the library as it stands.
times="$work/cli.txt"
: > "$times"
: > "$times.use"
for round in $(seq 1 "$runs"); do
    echo "$(cli_elapsed "$program" --icon-theme Adwaita status)" \
        "$(cli_elapsed find "$desk/data/trayskin")" >> "$times"
done
for round in $(seq 1 "$runs"); do
    echo "$(cli_elapsed "$program" --icon-theme Adwaita use Network Bench)" \
        "$(cli_elapsed "$BUILD/bench/bench_desktop" install Network Bench)" >> "$times.use"
done
s=$(awk '{ print $1 }' "$times" | cli_median)
f=$(awk '{ print $2 }' "$times" | cli_median)
u=$(awk '{ print $1 }' "$times.use" | cli_median)
w=$(awk '{ print $2 }' "$times.use" | cli_median)
echo
echo "cli status:   $(find "$desk/data/trayskin" | wc -l) entries $(cli_ms "$s") ms, find $(cli_ms "$f") ms," \
    "ratio $(ratio "$s" "$f") (goal <= 1.5; medians of $runs rounds)"
echo "cli use:      40 pictures $(cli_ms "$u") ms, the window's install $(cli_ms "$w") ms," \
    "ratio $(ratio "$u" "$w") (goal <= 1.1; medians of $runs rounds)"
