# Sourced by scripts/bench (its work folder, build and helpers). Alone,
# "bash bench/keep.sh [BUILD] [ROUNDS]" runs it by itself on an existing
# build (scripts/bench's own build by default, 15 rounds).
rounds=15
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    rounds="${2:-15}"
    BUILD="$(realpath "${1:-$(dirname "$0")/../build}")"
    work="$BUILD/bench-data"
    mkdir -p "$work"
    ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fi

# Desktop mode: Use This Set and Restore on a made-up theme of 10 directories
# where the user has an entry at each of the 1,000 places the set writes, so
# that the install moves 1,000 entries aside and the restore puts them back;
# against mv of the same entries out and back. The same run without the
# user's entries shows what moving them aside adds. The three run in turn,
# round after round, so that the disk's ups and downs fall on each alike:
# medians of each, and of what moving aside adds in a round (keep - plain).
# Once on the disk, where the install's synced writes make most of the
# time, and once in memory (tmpfs), where what the code itself costs shows.
elapsed() { local t0=$EPOCHREALTIME; "$@" > /dev/null; awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
keep_bench() {
    local keep="$1/keep" where="$2"
    rm -rf "$keep" "$keep-plain"
    "$BUILD/bench/bench_keep" "$keep" make overrides
    "$BUILD/bench/bench_keep" "$keep-plain" make
    {
        for d in $("$BUILD/bench/bench_keep" "$keep" dirs); do
            echo "mkdir -p '$keep/mv/$d' && mv -t '$keep/mv/$d' '$keep/data/icons/Bench/$d/'*"
        done
        for d in $("$BUILD/bench/bench_keep" "$keep" dirs); do
            echo "mv -t '$keep/data/icons/Bench/$d' '$keep/mv/$d/'*"
        done
    } > "$keep-mv.sh"
    "$BUILD/bench/bench_keep" "$keep" run && "$BUILD/bench/bench_keep" "$keep-plain" run &&
        bash "$keep-mv.sh"
    : > "$keep.txt"
    for round in $(seq 1 "$rounds"); do
        echo "$(elapsed "$BUILD/bench/bench_keep" "$keep" run)" \
            "$(elapsed "$BUILD/bench/bench_keep" "$keep-plain" run) $(elapsed bash "$keep-mv.sh")" \
            >> "$keep.txt"
    done
    local k p m d
    k=$(awk '{ print $1 }' "$keep.txt" | median)
    p=$(awk '{ print $2 }' "$keep.txt" | median)
    m=$(awk '{ print $3 }' "$keep.txt" | median)
    d=$(awk '{ print $1 - $2 }' "$keep.txt" | median)
    echo "keep aside 1,000 ($where): install and restore $(ms "$k") ms," \
        "without the user's entries $(ms "$p") ms, mv out and back $(ms "$m") ms (medians of $rounds rounds);" \
        "moving aside adds $(ms "$d") ms, ratio $(ratio "$d" "$m") of mv (goal <= 1.0)"
    rm -rf "$keep" "$keep-plain"
}
echo
keep_bench "$work" "on the disk"
memory="$(mktemp -d /dev/shm/trayskin-bench.XXXXXX)"
keep_bench "$memory" "in memory"
rm -rf "$memory"
