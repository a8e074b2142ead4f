# Sourced by scripts/bench (its work folder, build and helpers, and the
# desktop library its desktop benchmark made). Alone, "bash bench/cli.sh
# [BUILD] [RUNS]" runs it by itself on an existing build (scripts/bench's own
# build by default, 20 runs), making that library first where it is missing.
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
    mean_of() { awk -F, -v name="$2" 'NR > 1 && $1 == name { print $2 }' "$1"; }
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
# Once first, so that status sees the library as the command line leaves it.
XDG_DATA_HOME="$desk/data" HOME="$desk/home" "$program" --icon-theme Adwaita use Network Bench > /dev/null
csv="$work/cli.csv"
hyperfine --style basic --warmup 2 --runs "$runs" --export-csv "$csv" \
    -n status "XDG_DATA_HOME='$desk/data' HOME='$desk/home' '$program' --icon-theme Adwaita status > /dev/null" \
    -n find "find '$desk/data/trayskin' > /dev/null" \
    -n use "XDG_DATA_HOME='$desk/data' HOME='$desk/home' '$program' --icon-theme Adwaita use Network Bench > /dev/null" \
    -n window "XDG_DATA_HOME='$desk/data' HOME='$desk/home' '$BUILD/bench/bench_desktop' install Network Bench > /dev/null"
s=$(mean_of "$csv" status)
f=$(mean_of "$csv" find)
u=$(mean_of "$csv" use)
w=$(mean_of "$csv" window)
echo
echo "cli status:   $(find "$desk/data/trayskin" | wc -l) entries $(awk -v s="$s" 'BEGIN{printf "%.1f", s*1000}') ms," \
    "find $(awk -v s="$f" 'BEGIN{printf "%.1f", s*1000}') ms, ratio $(ratio "$s" "$f") (goal <= 1.5)"
echo "cli use:      40 pictures $(awk -v s="$u" 'BEGIN{printf "%.1f", s*1000}') ms," \
    "the window's install $(awk -v s="$w" 'BEGIN{printf "%.1f", s*1000}') ms, ratio $(ratio "$u" "$w") (goal <= 1.1)"
