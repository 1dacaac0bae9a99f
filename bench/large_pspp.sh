#!/usr/bin/env bash
# Runs the large-data benchmark (large_bench.exe under Wine) and, when PSPP
# is installed, the same computations in PSPP on the same values, and
# prints the times side by side. Not a test.
#
#   bench/large_pspp.sh [cases]      (after tools/build; default 1,000,000)
#
# PSPP reads a system file made once from the benchmark's CSV; each PSPP
# time is one pspp run (GET FILE and the procedure) minus a run that only
# opens the file, as in bench/stats_pspp.sh. PSPP has no multiple-response
# tables, so those two lines show Mervalo only.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
source "$here/pspp_common.sh"
mervalo_start_wine
cases="${1:-1000000}"
work="$(mktemp -d)"
# One exit trap for both: the scratch directory and the wineserver that
# mervalo_start_wine started (its own trap would be replaced otherwise).
trap 'rm -rf "$work"; mervalo_stop_display' EXIT
cp "$MERVALO_BUILD/bench/large_bench.exe" "$MERVALO_BUILD/bin/statprint.exe" "$work/"
(cd "$work" && wine large_bench.exe "$cases" --csv bench.csv --statprint statprint.exe) | tr -d '\r' \
    | tee "$work/mervalo.txt"
if ! command -v pspp >/dev/null; then
    echo "PSPP is not installed; Mervalo's figures only."
    exit 0
fi

variables=$(head -1 "$work/bench.csv" | tr ',' ' ')
formats=""
for v in $variables; do
    case "$v" in x*) formats+=" $v F8.2" ;; w) formats+=" $v F10.8" ;; *) formats+=" $v F2.0" ;; esac
done
pspp_load_csv "$formats"

many="x1 x2 c19 c20 c21 c22 c23 c24 c25 c26 c27 c28 c29 c30 c31 c32 c33 c34 c35 c36 c37 c38 c39 c40"
declare -A syntax=(
    [open]=""
    [freq]="FREQUENCIES /VARIABLES=a."
    [desc]="EXAMINE /VARIABLES=x1 /STATISTICS=DESCRIPTIVES /PERCENTILES(25,50,75) /PLOT=NONE."
    [xtab]="CROSSTABS /TABLES=a BY b /STATISTICS=CHISQ PHI CC GAMMA D BTAU CTAU."
    [oneway]="ONEWAY x1 BY g /STATISTICS=DESCRIPTIVES HOMOGENEITY /POSTHOC=SCHEFFE."
    [corr]="CORRELATIONS /VARIABLES=$many /MISSING=LISTWISE."
    [reg]="REGRESSION /VARIABLES=$many /DEPENDENT=x2 /METHOD=ENTER."
    [ttest]="T-TEST PAIRS=x1 WITH x2 (PAIRED)."
    [sign]="NPAR TESTS /SIGN=x1 WITH x2 (PAIRED)."
    [wilcoxon]="NPAR TESTS /WILCOXON=x1 WITH x2 (PAIRED)."
    [mcnemar]="NPAR TESTS /MCNEMAR=d1 WITH d2 (PAIRED)."
    [ntab]="CROSSTABS /TABLES=a BY g BY b /CELLS=COUNT COLUMN TOTAL."
)
open=$(time_pspp "${syntax[open]}")
printf "%-12s %10s %10s\n" computation mervalo_s pspp_s
# Each computation unweighted, then weighted by w ("_w": WEIGHT BY w in PSPP).
for name in freq desc xtab oneway corr reg ttest sign wilcoxon mcnemar multfreq multdiko ntab; do
    for suffix in "" _w; do
        ours=$(awk -v n="$name$suffix" '$1 == n { print $2 }' "$work/mervalo.txt")
        if [ -n "${syntax[$name]:-}" ]; then
            weight=""
            [ -n "$suffix" ] && weight="WEIGHT BY w."
            theirs=$(time_pspp "$weight ${syntax[$name]}")
            printf "%-12s %10.2f %10.2f\n" "$name$suffix" "$ours" "$(echo "$theirs - $open" | bc -l)"
        else
            printf "%-12s %10.2f %10s\n" "$name$suffix" "$ours" "-"
        fi
    done
done
printf "(PSPP starting and opening the file: %.2f s)\n" "$open"
