#!/usr/bin/env bash
# Runs the statistics benchmark (stats_bench.exe under Wine) and, when PSPP
# is installed, the same computations in PSPP on the same data, and prints
# the times side by side with the ratio PSPP / Mervalo. Not a test.
#
#   bench/stats_pspp.sh [cases [runs [names [weighted]]]]
#
# (after tools/build; 1,000,000 cases and 3 runs; names, quoted, limits the
# PSPP comparison to those computations; "weighted" weighs the cases by w
# on both sides: stats_bench --weighted and WEIGHT BY w.)
#
# PSPP reads the data from a system file made once from the benchmark's CSV;
# each PSPP time is one pspp run (GET FILE and the procedure) minus the time
# of a run that only opens the file (reading its dictionary, no case), so
# both sides count reading the cases and computing, not starting the
# program; Mervalo's times likewise start with the data set open. Each run
# is a fresh stats_bench and a fresh set of pspp runs; the runs are printed
# side by side. The first lines compare the counts of 1-byte variables with
# a plain pass over the same columns (stats_bench's pass_ lines: opening
# the lists and summing their bytes), and the breakdown with the
# descriptives of the same variable; the multiple response, which PSPP
# lacks, has only those. The 3-way table k x g x a is PSPP's CROSSTABS of
# three variables; the breakdown alone is set beside PSPP's MEANS, the
# breakdown with its tests (Levene, analysis of variance, Scheffe) beside
# ONEWAY. The last line is the peak working set of the descriptives of a
# 1-byte variable, run alone.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
source "$here/pspp_common.sh"
mervalo_start_wine
cases="${1:-1000000}"
runs="${2:-3}"
weighted="${4:-}"
flag=""
weight=""
if [ "$weighted" = weighted ]; then
    flag="--weighted"
    weight="WEIGHT BY w."
fi
work="$(mktemp -d)"
# One exit trap for both: the scratch directory and the wineserver that
# mervalo_start_wine started (its own trap would be replaced otherwise).
trap 'rm -rf "$work"; mervalo_stop_display' EXIT
cp "$MERVALO_BUILD/bench/stats_bench.exe" "$work/"
for r in $(seq 1 "$runs"); do
    csv=""
    [ "$r" = 1 ] && csv="--csv bench.csv"
    # shellcheck disable=SC2086
    (cd "$work" && wine stats_bench.exe "$cases" $csv $flag) | tr -d '\r' >"$work/mervalo$r.txt"
done
ours() { awk -v n="$1" '$1 == n { print $2 }' "$work/mervalo$2.txt"; }
names="${3:-frequencies crosstab descriptives correlation regression ntab breakdown breakdown_tests}"

echo "$cases cases, $runs runs side by side (seconds; ratio = PSPP / Mervalo)"
printf "%-13s" "plain pass"
for r in $(seq 1 "$runs"); do printf " %18s" "run $r"; done
echo
for pair in "frequencies pass_a" "crosstab pass_ab" "ntab pass_kga" "multresp_cat pass_gab" \
    "multresp_dich pass_gab" "breakdown descriptives"; do
    set -- $pair
    printf "%-13s" "$1"
    for r in $(seq 1 "$runs"); do
        printf " %6.4f/%6.4f=%4.1f" "$(ours "$1" "$r")" "$(ours "$2" "$r")" \
            "$(echo "$(ours "$1" "$r") / $(ours "$2" "$r")" | bc -l)"
    done
    echo "   (computation / $2)"
done
for r in $(seq 1 "$runs"); do
    # shellcheck disable=SC2086
    (cd "$work" && wine stats_bench.exe "$cases" --only descriptives_a $flag) | tr -d '\r' >>"$work/peak.txt"
done
printf "%-13s" "desc. a peak"
awk '$1 == "peak_descriptives_a" { printf " %14.1f MiB", $2 }' "$work/peak.txt"
echo "   (descriptives of a 1-byte variable run alone: the process's peak working set)"
if ! command -v pspp >/dev/null; then
    echo "PSPP is not installed; Mervalo's times only:"
    for name in $names; do
        printf "%-13s" "$name"
        for r in $(seq 1 "$runs"); do printf " %8.4f" "$(ours "$name" "$r")"; done
        echo
    done
    exit 0
fi

pspp_load_csv "g F1.0 a F1.0 b F1.0 x1 F8.2 x2 F8.2 x3 F8.2 x4 F8.2 y F8.2 k F1.0 w F8.3"

declare -A syntax=(
    [open]=""
    [frequencies]="FREQUENCIES /VARIABLES=a /STATISTICS=MEAN MEDIAN."
    [crosstab]="CROSSTABS /TABLES=a BY b /STATISTICS=CHISQ PHI CC GAMMA D BTAU CTAU."
    [descriptives]="EXAMINE /VARIABLES=x1 /STATISTICS=DESCRIPTIVES /PERCENTILES(25,50,75) /PLOT=NONE."
    [correlation]="CORRELATIONS /VARIABLES=x1 x2 x3 x4 y /MISSING=LISTWISE."
    [regression]="REGRESSION /VARIABLES=x1 x2 x3 x4 y /DEPENDENT=y /METHOD=ENTER."
    [ntab]="CROSSTABS /TABLES=k BY g BY a /CELLS=COUNT COLUMN TOTAL."
    [breakdown]="MEANS TABLES=x1 BY g /CELLS=MEAN COUNT STDDEV MIN MAX SUM."
    [breakdown_tests]="ONEWAY x1 BY g /STATISTICS=DESCRIPTIVES HOMOGENEITY /POSTHOC=SCHEFFE."
)
declare -A open
for r in $(seq 1 "$runs"); do open[$r]=$(time_pspp "${syntax[open]}"); done
printf "%-13s" computation
for r in $(seq 1 "$runs"); do printf " %27s" "run $r: mervalo pspp ratio"; done
echo
for name in $names; do
    printf "%-13s" "$name"
    for r in $(seq 1 "$runs"); do
        theirs=$(time_pspp "$weight ${syntax[$name]}")
        net=$(echo "$theirs - ${open[$r]}" | bc -l)
        printf "        %8.4f %6.3f %5.1f" "$(ours "$name" "$r")" "$net" "$(echo "$net / $(ours "$name" "$r")" | bc -l)"
    done
    echo
done
printf "(PSPP starting and opening the file:"
for r in $(seq 1 "$runs"); do printf " %.3f" "${open[$r]}"; done
printf " s; Mervalo generating the data set:"
for r in $(seq 1 "$runs"); do printf " %s" "$(ours generate "$r")"; done
echo " s)"
