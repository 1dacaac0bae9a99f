#!/usr/bin/env bash
# Runs the statistics benchmark (stats_bench.exe under Wine) and, when PSPP
# is installed, the same five computations in PSPP on the same data, and
# prints the times side by side with the ratio PSPP / Mervalo. Not a test.
#
#   bench/stats_pspp.sh [cases]      (after tools/build)
#
# PSPP reads the data from a system file made once from the benchmark's CSV;
# each PSPP time is one pspp run (GET FILE and the procedure) minus the time
# of a run that only opens the file (reading its dictionary, no case), so
# both sides count reading the cases and computing, not starting the
# program; Mervalo's times likewise start with the data set open.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
source "$here/pspp_common.sh"
mervalo_start_wine
cases="${1:-1000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$MERVALO_BUILD/bench/stats_bench.exe" "$work/"
(cd "$work" && wine stats_bench.exe "$cases" --csv bench.csv) | tr -d '\r' >"$work/mervalo.txt"
if ! command -v pspp >/dev/null; then
    echo "PSPP is not installed; Mervalo's times only:"
    cat "$work/mervalo.txt"
    exit 0
fi

pspp_load_csv "g F1.0 a F1.0 b F1.0 x1 F8.2 x2 F8.2 x3 F8.2 x4 F8.2 y F8.2"

declare -A syntax=(
    [open]=""
    [frequencies]="FREQUENCIES /VARIABLES=a /STATISTICS=MEAN MEDIAN."
    [crosstab]="CROSSTABS /TABLES=a BY b /STATISTICS=CHISQ PHI CC GAMMA D BTAU CTAU."
    [descriptives]="EXAMINE /VARIABLES=x1 /STATISTICS=DESCRIPTIVES /PERCENTILES(25,50,75) /PLOT=NONE."
    [correlation]="CORRELATIONS /VARIABLES=x1 x2 x3 x4 y /MISSING=LISTWISE."
    [regression]="REGRESSION /VARIABLES=x1 x2 x3 x4 y /DEPENDENT=y /METHOD=ENTER."
)
open=$(time_pspp "${syntax[open]}")
printf "%-13s %10s %10s %8s\n" computation mervalo_s pspp_s ratio
for name in frequencies crosstab descriptives correlation regression; do
    ours=$(awk -v n="$name" '$1 == n { print $2 }' "$work/mervalo.txt")
    theirs=$(time_pspp "${syntax[$name]}")
    net=$(echo "$theirs - $open" | bc -l)
    printf "%-13s %10.3f %10.3f %8.1f\n" "$name" "$ours" "$net" "$(echo "$net / $ours" | bc -l)"
done
printf "(PSPP starting and opening the file: %.3f s; Mervalo generating the data set: %s s)\n" \
    "$open" "$(awk '$1 == "generate" { print $2 }' "$work/mervalo.txt")"
