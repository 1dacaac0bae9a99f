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
# procedures take minutes at 10 M); MERVALO_BENCH_CODES makes a narrower
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

python3 - "$work/times.txt" "$cases" "$runs" "$pspp_runs" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.strip()]
cases, runs, pspp_runs = sys.argv[2], sys.argv[3], sys.argv[4]
data = {}
for row in rows:
    who, r, name = row[:3]
    data.setdefault((who, name), []).append([float(x) for x in row[3:8]])
# fields: 0 wall s, 1 peak resident MiB, 2 cpu s, 3 budget peak MiB, 4 exit code
def med(who, name, k):
    v = data.get((who, name))
    return statistics.median(x[k] for x in v) if v else None
# Ours and the old statprint run the same code to open the data set: one
# open-only baseline for both (the median of all their open-only runs), so
# that the noise of the open-only runs does not tilt one against the other.
def baseline(who, k):
    if who in ("new", "old") and k != 3:  # the old statprint reports no budget
        runs = [x[k] for w in ("new", "old") for x in data.get((w, "open"), [])]
        return statistics.median(runs) if runs else None
    return med(who, "open", k)
def net(who, name, k):
    a, o = med(who, name, k), baseline(who, k)
    return None if a is None or o is None else a - o
def fmt(x, f):
    return format(x, f) if x is not None else "-"
def ratio(a, b):
    return a / b if a is not None and b is not None and b > 0 else None
print(f"# bench/large_pspp.sh {cases} cases: medians of {runs} interleaved runs (PSPP {pspp_runs}), whole process,")
print("# each net of the open-only runs' median (ours and the old statprint: of both). cpu = processor seconds")
print("# (user + kernel) of the process; wall =")
print("# seconds; budget = peak of the memory budget (windows and charges), MiB; rss = peak resident memory, MiB.")
print("# x = PSPP / new (cpu; wall in brackets).")
for who in ("new", "old", "pspp"):
    if med(who, "open", 0) is not None:
        print(f"# open-only {who}: wall {med(who,'open',0):.3f} s, cpu {med(who,'open',2):.3f} s" +
              ("" if who == "pspp" else f", budget {med(who,'open',3):.2f} MiB, rss {med(who,'open',1):.1f} MiB"))
print(f"{'':12} {'new: cpu':>9} {'wall':>7} {'budget':>7} {'rss':>6} | {'old: cpu':>9} {'wall':>7} {'rss':>6} |"
      f" {'PSPP: cpu':>10} {'wall':>8} | {'x':>6} {'(wall)':>8}")
names = []
for row in rows:
    if row[0] in ("new", "old") and row[2] != "open" and row[2] not in names:
        names.append(row[2])
codes = sorted({(row[0], row[2], row[7]) for row in rows if len(row) > 7 and row[7] != "0"})
for who, name, code in codes:
    print(f"# {who} {name}: exit code {code}")
for name in names:
    nc, nw, nb, nm = net("new", name, 2), net("new", name, 0), net("new", name, 3), net("new", name, 1)
    oc, ow, om = net("old", name, 2), net("old", name, 0), net("old", name, 1)
    pc, pw = net("pspp", name, 2), net("pspp", name, 0)
    print(f"{name:<12} {fmt(nc,'9.3f')} {fmt(nw,'7.3f')} {fmt(nb,'7.2f')} {fmt(nm,'6.1f')} | {fmt(oc,'9.3f')}"
          f" {fmt(ow,'7.3f')} {fmt(om,'6.1f')} | {fmt(pc,'10.2f')} {fmt(pw,'8.2f')} | {fmt(ratio(pc,nc),'6.1f')}"
          f" ({fmt(ratio(pw,nw),'6.1f')})")
    if name.startswith("oneway"):
        mc, mw = net("pspp", name.replace("oneway", "means"), 2), net("pspp", name.replace("oneway", "means"), 0)
        if mc is not None:
            print(f"{'  MEANS':<12} {'':9} {'':7} {'':7} {'':6} | {'':9} {'':7} {'':6} | {fmt(mc,'10.2f')}"
                  f" {fmt(mw,'8.2f')} | {fmt(ratio(mc,nc),'6.1f')} ({fmt(ratio(mw,nw),'6.1f')})")
for suffix in ("", "_w"):
    for who in ("new", "old"):
        d, b = net(who, "desc" + suffix, 2), net(who, "oneway" + suffix, 2)
        dw, bw = net(who, "desc" + suffix, 0), net(who, "oneway" + suffix, 0)
        if d and b:
            print(f"breakdown / descriptives, {'weighted' if suffix else 'unweighted'}, {who}: cpu {b / d:.2f}"
                  f" (wall {fmt(ratio(bw, dw), '.2f')})")
PY
