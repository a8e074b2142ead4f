# Sourced by scripts/bench (its work folder, build and helpers).
#
# Add Sets from Installed Themes on this machine's themes (Adwaita in use)
# against mkdir, one cp per set and the info files written by the shell;
# Import Sets of a 5,000-picture theme archive against tar -x of the same
# archive. Each run starts after the last one's removal has reached the disk.
sets="$work/sets"
setsbench="$BUILD/bench/bench_sets"
rm -rf "$sets" && mkdir -p "$sets"
export XDG_DATA_DIRS=/usr/share
XDG_DATA_HOME="$sets/data" HOME="$sets/home" "$setsbench" baseline "$sets/cp" > "$sets/cp.sh"
csv="$work/sets-themes.csv"
hyperfine --style basic --warmup 1 --runs 10 --export-csv "$csv" \
    --prepare "rm -rf '$sets/lib' '$sets/cp' && sync" \
    -n themes "XDG_DATA_HOME='$sets/data' HOME='$sets/home' '$setsbench' themes '$sets/lib' > /dev/null" \
    -n cp "bash '$sets/cp.sh'"
a=$(mean_of "$csv" themes)
c=$(mean_of "$csv" cp)
files=$(find "$sets/cp" -type f -not -name '.*' | wc -l)
echo
echo "theme sets: $files files $(awk -v s="$a" 'BEGIN{printf "%.1f", s*1000}') ms," \
    "cp $(awk -v s="$c" 'BEGIN{printf "%.1f", s*1000}') ms, ratio $(ratio "$a" "$c") (goal <= 1.5)"

# import_bench ARCHIVE WHAT: Import Sets of the archive against tar -x of it,
# printed as "import: WHAT ...".
import_bench() {
    local csv="$work/sets-import-$(basename "$1" .tar.gz).csv"
    hyperfine --style basic --warmup 1 --runs 10 --export-csv "$csv" \
        --prepare "rm -rf '$sets/ilib' '$sets/x' && mkdir -p '$sets/x' && sync" \
        -n import "'$setsbench' import '$sets/ilib' '$1' > /dev/null" \
        -n tar "tar -C '$sets/x' -xzf '$1'"
    local a c
    a=$(mean_of "$csv" import)
    c=$(mean_of "$csv" tar)
    echo
    echo "import: $2 $(awk -v s="$a" 'BEGIN{printf "%.1f", s*1000}') ms," \
        "tar -x $(awk -v s="$c" 'BEGIN{printf "%.1f", s*1000}') ms, ratio $(ratio "$a" "$c") (goal <= 1.5)"
}

"$setsbench" tree "$sets/tree" 5000
tar -C "$sets/tree" -czf "$sets/theme.tar.gz" Bench
import_bench "$sets/theme.tar.gz" "$(find "$sets/tree" -type f | wc -l)-file theme archive"

# The same with a theme as it is downloaded, most of its files no item's:
# the machine's Adwaita, its links made files.
tar -C /usr/share/icons -h --hard-dereference -czf "$sets/adwaita.tar.gz" Adwaita
import_bench "$sets/adwaita.tar.gz" "Adwaita's $(tar -tzf "$sets/adwaita.tar.gz" | grep -vc '/$') files"
