#!/usr/bin/env python3
# The table of bench/large_pspp.sh from its runs' times (not a test):
#
#   large_pspp_table.py times.txt cases runs pspp_runs [previous table]
#
# times.txt holds a line per process: "who run name wall rss cpu budget
# code" (who: new, old or pspp). With a previous table (a table this script
# wrote) and no PSPP runs, PSPP's figures are taken from that table: PSPP's
# procedures take minutes at 10 M cases and give the same figures run
# after run on the same data set, so a round that changes only our side
# need not run them again; the header says so.
import statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.strip()]
cases, runs, pspp_runs = sys.argv[2], sys.argv[3], sys.argv[4]
data = {}
for row in rows:
    who, r, name = row[:3]
    if who == "pspp" and pspp_runs == "0":
        continue
    data.setdefault((who, name), []).append([float(x) for x in row[3:8]])
# PSPP's net figures (cpu, wall) by name from a previous table: the columns
# between the second and third "|" of each row; a MEANS row follows its
# oneway row.
previous = {}
if len(sys.argv) > 5 and pspp_runs == "0":
    last = None
    for line in open(sys.argv[5]):
        parts = line.split("|")
        if line.startswith("#") or len(parts) < 4 or "new: cpu" in line:
            continue
        name = parts[0].split()[0] if parts[0].split() else ""
        if name == "MEANS" and last:
            name = last.replace("oneway", "means")
        else:
            last = name
        figures = parts[2].split()
        if len(figures) >= 2 and figures[0] != "-":
            previous[name] = (float(figures[0]), float(figures[1]))
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
    if who == "pspp" and name in previous:
        return previous[name][0 if k == 2 else 1]
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
if previous:
    print(f"# PSPP not run again: its figures are those of {sys.argv[5].split('/')[-1]} before this round")
    print("# (same data set, same commands).")
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
