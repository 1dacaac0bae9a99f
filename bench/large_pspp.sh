#!/usr/bin/env bash
# Whole-process speed and memory of Mervalo's figures tool (statprint, one
# process per computation, run by large_bench.exe under Wine) against PSPP
# on the same seeded cases, unweighted and weighted. Not a test.
#
#   bench/large_pspp.sh [cases [runs [names]]]
#
# (after tools/build; default 1,000,000 cases, 3 runs, names "desc oneway
# wilcoxon freq xtab ntab multfreq multdiko".) With MERVALO_OLD_STATPRINT
# naming an older statprint.exe, its runs are interleaved with the others
# ("old"). MERVALO_PSPP_RUNS limits PSPP to fewer runs than ours (its
# procedures take minutes at 10 M); with MERVALO_PSPP_TABLE naming a table
# this script wrote before, PSPP is not run and its figures come from that
# table (bench/large_pspp_table.py). MERVALO_BENCH_CODES makes a narrower
# data set (large_bench --codes, for 16 M cases). Processor time is the
# measure of speed here: on a machine shared with other builds the wall
# time of a process of a fraction of a second varies by more than its
# whole length.
#
# large_bench.exe builds the data set once (and the CSV for PSPP). Each run
# is one pass of everything in turn: every computation by our statprint
# (one process each, under Wine, its figures to a file), the same by the
# old statprint right after it, then each PSPP procedure (one pspp process
# each, output to a file). Each process is measured from Linux: wall
# seconds, processor seconds (user and system, getrusage of the child) and
# peak resident memory; our statprint also reports the peak of its memory
# budget (--peak). A computation's figure is the median of its runs net of
# the median of the open-only run (statprint open; for PSPP a run of GET
# FILE alone). PSPP reads
# a system file made once from the benchmark's CSV (only the variables the
# procedures use). PSPP lacks the multiple-response tables: those lines
# show Mervalo only.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
source "$here/pspp_common.sh"
mervalo_start_wine
cases="${1:-1000000}"
runs="${2:-3}"
names="${3:-desc oneway wilcoxon freq xtab ntab multfreq multdiko}"
pspp_runs="${MERVALO_PSPP_RUNS:-$runs}"
[ -n "${MERVALO_PSPP_TABLE:-}" ] && pspp_runs=0
work="${MERVALO_BENCH_WORK:-$(mktemp -d)}"
mkdir -p "$work"
# One exit trap for both: the scratch directory (unless given) and the
# wineserver that mervalo_start_wine started.
if [ -z "${MERVALO_BENCH_WORK:-}" ]; then
    trap 'rm -rf "$work"; mervalo_stop_display' EXIT
else
    trap 'mervalo_stop_display' EXIT
fi
cp "$MERVALO_BUILD/bench/large_bench.exe" "$MERVALO_BUILD/bin/statprint.exe" "$work/"
old="${MERVALO_OLD_STATPRINT:-}"
[ -n "$old" ] && cp "$old" "$work/old_statprint.exe"
only=$(echo "$names" | tr ' ' ',')
codes=""
[ -n "${MERVALO_BENCH_CODES:-}" ] && codes="--codes $MERVALO_BENCH_CODES"
csv=""
command -v pspp >/dev/null && csv="--csv bench.csv --csvvars g,a,b,x1,x2,w,d1,d2"
if [ ! -f "$work/large_bench.QVF" ]; then
    (cd "$work" && wine large_bench.exe "$cases" $codes $csv --keep --only none) | tr -d '\r' >"$work/build.txt"
    cat "$work/build.txt"
fi

declare -A syntax=(
    [open]=""
    [freq]="FREQUENCIES /VARIABLES=a."
    [desc]="EXAMINE /VARIABLES=x1 /STATISTICS=DESCRIPTIVES /PERCENTILES(25,50,75) /PLOT=NONE."
    [xtab]="CROSSTABS /TABLES=a BY b /STATISTICS=CHISQ PHI CC GAMMA D BTAU CTAU."
    [oneway]="ONEWAY x1 BY g /STATISTICS=DESCRIPTIVES HOMOGENEITY /POSTHOC=SCHEFFE."
    [means]="MEANS x1 BY g /CELLS=MEAN COUNT STDDEV SUM MIN MAX."
    [wilcoxon]="NPAR TESTS /WILCOXON=x1 WITH x2 (PAIRED)."
    [ntab]="CROSSTABS /TABLES=a BY g BY b /CELLS=COUNT COLUMN TOTAL."
)
if [ -n "$csv" ] && [ ! -f "$work/bench.sav" ]; then
    formats=""
    for v in $(head -1 "$work/bench.csv" | tr -d '\r' | tr ',' ' '); do
        case "$v" in x*) formats+=" $v F8.2" ;; w) formats+=" $v F10.8" ;; *) formats+=" $v F2.0" ;; esac
    done
    pspp_load_csv "$formats"
fi
pspp_names="open"
for name in $names; do
    [ -n "${syntax[$name]:-}" ] && pspp_names+=" $name"
    [ "$name" = oneway ] && pspp_names+=" means"
done

declare -A arguments=(
    [open]="open"
    [freq]="freq a"
    [desc]="desc x1"
    [xtab]="xtab b a"
    [oneway]="oneway x1 g"
    [corr]="corr x1 x2 c19 c20 c21 c22 c23 c24 c25 c26 c27 c28 c29 c30 c31 c32 c33 c34 c35 c36 c37 c38 c39 c40"
    [ttest]="ttest x1 x2"
    [wilcoxon]="wilcoxon x1 x2"
    [multfreq]="multfreq q1 q2 q3 q4 q5"
    [multdiko]="multdiko d1 d2 d3 d4 d5 d6 d7 d8 d9 d10"
    [ntab]="ntab a g b"
)

# "wall cpu rss budget" of one statprint process (under Wine, started from
# here): seconds, processor seconds (user and system) and the peak resident
# memory (MiB) of the process as Linux counts them, and the budget's peak
# (MiB) that statprint --peak reports (-1 without it). Its figures go to a
# file.
time_statprint() { # exe peak(0/1) arguments...
    local exe="$1" peak="$2"
    shift 2
    local extra=""
    [ "$peak" = 1 ] && extra="--peak"
    (cd "$work" && python3 - wine "$exe" large_bench.QVF "$@" $extra <<'PY')
import resource, subprocess, sys, time
start = time.time()
with open("figures.txt", "w") as out:
    done = subprocess.run(sys.argv[1:], stdout=out, stderr=subprocess.DEVNULL)
wall = time.time() - start
used = resource.getrusage(resource.RUSAGE_CHILDREN)
budget = -1.0
for line in open("figures.txt", errors="replace"):
    if line.startswith("peak.budget "):
        budget = float(line.split()[1]) / 1048576
print(f"{wall:.3f} {used.ru_utime + used.ru_stime:.3f} {used.ru_maxrss / 1024:.1f} {budget:.2f} {done.returncode}")
PY
}

: >"$work/times.txt"
for r in $(seq 1 "$runs"); do
    for name in open $names; do
        for suffix in "" _w; do
            [ "$name" = open ] && [ -n "$suffix" ] && continue
            weight=""
            [ -n "$suffix" ] && weight="--weight w"
            read -r wall cpu rss budget code < <(time_statprint statprint.exe 1 ${arguments[$name]} $weight)
            echo "new $r $name$suffix $wall $rss $cpu $budget $code" >>"$work/times.txt"
            if [ -n "$old" ]; then
                read -r wall cpu rss budget code < <(time_statprint old_statprint.exe 0 ${arguments[$name]} $weight)
                echo "old $r $name$suffix $wall $rss $cpu $budget $code" >>"$work/times.txt"
            fi
        done
    done
    if [ -n "$csv" ] && [ "$r" -le "$pspp_runs" ]; then
        for name in $pspp_names; do
            for suffix in "" _w; do
                [ "$name" = open ] && [ -n "$suffix" ] && continue
                weight=""
                [ -n "$suffix" ] && weight="WEIGHT BY w.
"
                read -r wall cpu < <(time_pspp_cpu "$weight${syntax[$name]}") || { cat "$work/run.log" >&2; continue; }
                echo "pspp $r $name$suffix $wall 0 $cpu 0 0" >>"$work/times.txt"
            done
        done
    fi
done

previous="${MERVALO_PSPP_TABLE:-}"
python3 "$here/large_pspp_table.py" "$work/times.txt" "$cases" "$runs" "$pspp_runs" ${previous:+"$previous"}
