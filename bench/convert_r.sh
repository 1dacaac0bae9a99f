#!/usr/bin/env bash
# Times the converter (qvconvert.exe under Wine) against R's read.csv and
# saveRDS on the same CSV file of the statistics benchmark (3 one-byte
# codes and 5 doubles a case), several runs side by side. Not a test.
#
#   bench/convert_r.sh [cases [runs]]   (after tools/build; 1,000,000 and 3)
#
# Each time is one whole program run, its start included: qvconvert reading
# the description and the CSV and writing the data set; Rscript reading the
# CSV into a data frame and saving it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
mervalo_start_wine
cases="${1:-1000000}"
runs="${2:-3}"
work="$(mktemp -d)"
# One exit trap for both: the scratch directory and the wineserver that
# mervalo_start_wine started.
trap 'rm -rf "$work"; mervalo_stop_display' EXIT
cp "$MERVALO_BUILD/bench/stats_bench.exe" "$MERVALO_BUILD/bin/qvconvert.exe" "$work/"
(cd "$work" && wine stats_bench.exe "$cases" --csv bench.csv >/dev/null 2>&1)
{
    for v in g a b; do printf 'variable %s\ntype u8\ndecimals 0\n' "$v"; done
    for v in x1 x2 x3 x4 y; do printf 'variable %s\ntype double\ndecimals 2\n' "$v"; done
} >"$work/bench.desc"

seconds() {
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc -l
}

printf "%s cases of 8 variables (%s bytes of CSV), seconds\n" "$cases" "$(stat -c %s "$work/bench.csv")"
printf "%-28s" ""
for r in $(seq 1 "$runs"); do printf " %8s" "run $r"; done
echo
cd "$work"
printf "%-28s" "qvconvert"
for r in $(seq 1 "$runs"); do
    printf " %8.2f" "$(seconds wine qvconvert.exe bench.desc bench.csv bench.QVF)"
done
echo
if ! command -v Rscript >/dev/null; then
    echo "R is not installed; the converter's times only."
    exit 0
fi
printf "%-28s" "R read.csv + saveRDS"
for r in $(seq 1 "$runs"); do
    printf " %8.2f" "$(seconds Rscript -e 'saveRDS(read.csv("bench.csv"), "bench.rds")')"
done
echo
