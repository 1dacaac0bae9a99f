#!/usr/bin/env bash
# Converts the large benchmark's CSV (bench/large_bench.cpp --csv: 197
# variables, 194 one-byte codes, 2 doubles and a float weight; 10,000,000
# cases make 4.7 GB)
# with qvconvert.exe under Wine, and reports its time, the largest size its
# temporary files reached (sampled every second) and the data set's size.
# Not a test.
#
#   bench/convert_large.sh [cases]   (after tools/build; default 10,000,000)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tools/env"
source "$here/../tools/display"
mervalo_start_wine
cases="${1:-10000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"; mervalo_stop_display' EXIT
cp "$MERVALO_BUILD/bench/large_bench.exe" "$MERVALO_BUILD/bin/qvconvert.exe" "$MERVALO_BUILD/bin/statprint.exe" "$work/"
cd "$work"
t0=$(date +%s.%N)
# large_bench writes the CSV while it builds its own data set; its runs of
# the computations are not wanted here, so it is stopped once the CSV is
# complete (the data set file appears after it).
wine large_bench.exe "$cases" --csv big.csv --statprint none.exe >large.txt 2>&1 || true
printf "CSV written: %s bytes in %.0f s\n" "$(stat -c %s big.csv)" "$(echo "$(date +%s.%N) - $t0" | bc -l)"
rm -f large_bench.QVF large_bench.IND large_bench.dkm
for v in $(head -1 big.csv | tr -d '\r' | tr ',' ' '); do
    case "$v" in
    x*) printf 'variable %s\ntype double\ndecimals 2\n' "$v" ;;
    w) printf 'variable %s\ntype float\ndecimals 3\n' "$v" ;;
    *) printf 'variable %s\ntype u8\ndecimals 0\n' "$v" ;;
    esac
done >big.desc
temp="$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")"
peak=0
t0=$(date +%s.%N)
wine qvconvert.exe big.desc big.csv big.QVF >convert.txt 2>&1 &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
    now=$(du -sb "$temp" 2>/dev/null | cut -f1)
    [ "${now:-0}" -gt "$peak" ] && peak=$now
    sleep 1
done
wait "$pid" || true
seconds=$(echo "$(date +%s.%N) - $t0" | bc -l)
cat convert.txt
printf "convert %.0f s; temporary files at most %s bytes (%s); data set %s bytes\n" "$seconds" "$peak" "$temp" \
    "$(stat -c %s big.QVF 2>/dev/null || echo 0)"
