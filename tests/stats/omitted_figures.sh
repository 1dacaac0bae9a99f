#!/usr/bin/env bash
# The figures tool when some figures do not fit the memory budget: a
# weighted breakdown and the descriptives of 60,000 cases under a budget of
# half a MiB print every figure but the quartiles and medians, a line
# "<object>.omitted" that names those left out and the memory they needed,
# and end with exit code 3; under the usual budget the same computations
# print the quartiles and end with 0.
# Arguments: qvconvert.exe, statprint.exe.
set -euo pipefail
qvconvert="$1"; statprint="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wine="${MERVALO_WINE:-wine}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'variable g\nvariable x\nvariable w\nweight w\n' >"$work/w.desc"
awk 'BEGIN { print "g,x,w"; for (i = 0; i < 60000; i++) printf "%d,%d.%02d,%s\n", i % 3 + 1, i % 997, i % 100, (i % 2 ? "1.5" : "0.5") }' \
    >"$work/w.csv"
(cd "$work" && "$wine" "$qvconvert" w.desc w.csv w.QVF >/dev/null) || { echo "FAIL: the data set does not convert"; exit 1; }

run() { # expected-code computation...
    local expected="$1"
    shift
    set +e
    (cd "$work" && "$wine" "$statprint" w.QVF "$@" >"$work/out" 2>"$work/err")
    local code=$?
    set -e
    tr -d '\r' <"$work/out" >"$work/figures"
    [ "$code" = "$expected" ] || fail "$*: exit code $code, not $expected ($(tr -d '\r' <"$work/err"))"
}

for object in "oneway x g" "desc x"; do
    name="${object%% *}"
    run 3 $object --budget 0.5
    grep -q "^$name\..*mean 4" "$work/figures" || fail "$object, small budget: no means"
    grep -q "^$name\..*q1 " "$work/figures" && fail "$object, small budget: quartiles printed"
    omitted=$(grep "^$name\.omitted " "$work/figures" || true)
    case "$omitted" in
    *"are left out: computing them needs "*" MiB; "*" of the budget of 0 MiB are free."*) ;;
    *"are left out: computing them needs "*" MiB; "*" of the budget of 1 MiB are free."*) ;;
    *) fail "$object, small budget: omitted line '$omitted'" ;;
    esac
    grep -q "left out" "$work/err" || fail "$object, small budget: nothing said on the error output"
    run 0 $object
    grep -q "^$name\..*q1 " "$work/figures" || fail "$object, usual budget: no quartiles"
    grep -q "omitted" "$work/figures" && fail "$object, usual budget: an omitted line"
done
[ "$failures" = 0 ] || exit 1
echo "omitted figures: all passed"
