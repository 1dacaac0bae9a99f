# What the PSPP comparison scripts share; sourced, not run. Needs $work (the
# scratch directory holding bench.csv).

# Makes $work/bench.sav from the benchmark's CSV, given PSPP's variable list
# ("name format name format ...").
pspp_load_csv() {
    cat >"$work/load.sps" <<SPS
GET DATA /TYPE=TXT /FILE='$work/bench.csv' /ARRANGEMENT=DELIMITED /DELIMITERS=','
  /FIRSTCASE=2 /VARIABLES=$1.
SAVE OUTFILE='$work/bench.sav'.
SPS
    pspp -o "$work/load.txt" "$work/load.sps" >"$work/load.log" 2>&1
}

# The seconds of one pspp run that opens bench.sav and runs the syntax given.
time_pspp() {
    printf "GET FILE='%s'.\n%s\n" "$work/bench.sav" "$1" >"$work/run.sps"
    local t0 t1
    t0=$(date +%s.%N)
    pspp -o "$work/run.txt" "$work/run.sps" >"$work/run.log" 2>&1 || { cat "$work/run.log" >&2; return 1; }
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc -l
}

# "wall cpu": the seconds of one pspp run that opens bench.sav and runs the
# syntax given, and the processor seconds (user and system) it took.
time_pspp_cpu() {
    printf "GET FILE='%s'.\n%s\n" "$work/bench.sav" "$1" >"$work/run.sps"
    python3 - pspp -o "$work/run.txt" "$work/run.sps" <<'PY' 2>"$work/run.log"
import resource, subprocess, sys, time
start = time.time()
done = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=sys.stderr)
wall = time.time() - start
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.3f} {used.ru_utime + used.ru_stime:.3f}")
sys.exit(done.returncode)
PY
}
