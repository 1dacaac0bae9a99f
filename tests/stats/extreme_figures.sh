#!/usr/bin/env bash
# Every computation of the figures tool over data sets at the extremes of a
# double, under Wine: weights of 1e300, 1.7e308 and 4e-320 and values of
# +-1.7e308 give figures or the not-computed mark with its reason, never
# inf or nan, and exit code 0 (the mark, where weights past the largest
# double or near the smallest leave it, with a footer line giving the
# reason from the language file); three cases weighing 1e308, 1e308 and 1 give
# a crosstab and its measures; a NaN weight makes every computation fail
# with exit code 1, naming the file, the variable and the case.
# Arguments: qvconvert.exe, statprint.exe.
set -euo pipefail
qvconvert="$1"; statprint="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wine="${MERVALO_WINE:-wine}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'variable a\nvariable b\nvariable c\nvariable w\nweight w\n' >"$work/w.desc"
# 40 cases: a 1..4, b 1..3, c spread; every case the same weight, or (vals)
# values alternating around 0 at the largest double.
make_csv() { # name weight
    {
        echo a,b,c,w
        for i in $(seq 0 39); do
            echo "$((i % 4 + 1)),$((i * 7 % 3 + 1)),$((i % 5)).$((i % 3 * 5)),$2"
        done
    } >"$work/$1.csv"
}
make_csv w1 1
make_csv w300 1e300
make_csv w17 1.7e308
make_csv wsub 4e-320
{
    echo a,b,c,w
    for i in $(seq 0 39); do
        if [ $((i % 2)) = 1 ]; then v=1.7e308; else v=-1.7e308; fi
        if [ $((i % 3)) = 0 ]; then c=1; else c=$v; fi
        echo "$v,$((i % 3 + 1)),$c,1"
    done
} >"$work/vals.csv"
printf 'a,b,c,w\n1,1,1,1e308\n1,1,2,1e308\n2,2,3,1\n' >"$work/three.csv"

# The reasons' texts, from the language file beside statprint.
reasons="$(tr -d '\r' <"$(dirname "$statprint")/qivsteng.btx" | awk -F'\t' '$1 ~ /^0\.3[012]$/ { print $2 }' | paste -sd'|')"
[ "$(echo "$reasons" | tr '|' '\n' | wc -l)" = 3 ] || fail "reason texts: '$reasons'"
computations=("freq a" "freq c" "desc c" "xtab a b" "oneway c a" "corr a b c" "reg c a b" "ttest a c"
              "sign a c" "wilcoxon a c" "mcnemar a b" "multfreq a b" "multdiko a b" "ntab c a")
for set in w1 w300 w17 wsub vals three; do
    (cd "$work" && "$wine" "$qvconvert" w.desc $set.csv $set.QVF >/dev/null) || { fail "$set does not convert"; continue; }
    for computation in "${computations[@]}"; do
        set +e
        (cd "$work" && "$wine" "$statprint" $set.QVF $computation >"$work/out" 2>"$work/err")
        code=$?
        set -e
        [ "$code" = 0 ] || fail "$set, $computation: exit code $code ($(tr -d '\r' <"$work/err"))"
        if grep -Eiq '(^|[ -])(inf|nan)' "$work/out"; then
            fail "$set, $computation: $(grep -Ei '(^|[ -])(inf|nan)' "$work/out" | head -3 | tr -d '\r' | tr '\n' ';')"
        fi
        tr -d '\r' <"$work/out" >"$work/lines"
        if grep -v '^footer ' "$work/lines" | grep -- '---' | grep -vq '^[^ ]* ---$'; then
            fail "$set, $computation: a mark beside a figure: $(grep -- '---' "$work/lines" | head -1)"
        fi
        if grep '^footer ' "$work/lines" | grep -Evq "^footer --- ($reasons)$"; then
            fail "$set, $computation: footer $(grep '^footer ' "$work/lines" | head -1)"
        fi
        # A mark that the unit weights do not give (where no test applies)
        # comes with its reason.
        unit="$work/w1.${computation// /_}"
        case $set in
            w1) cp "$work/lines" "$unit" ;;
            w17 | wsub | three)
                new="$(grep ' ---$' "$work/lines" | grep -vxFf <(grep ' ---$' "$unit" || true) | head -1 || true)"
                if [ -n "$new" ] && ! grep -q '^footer ' "$work/lines"; then
                    fail "$set, $computation: a mark without its reason ($new)"
                fi ;;
        esac
    done
done

# Weights whose sum passes the largest double stand for the same cases as
# weights of 1 given more weight: the means, correlations and percentages
# equal, and the spread is the population one (N - 1 against N).
figure() { # set, computation, key
    (cd "$work" && "$wine" "$statprint" $1.QVF $2 2>/dev/null) | tr -d '\r' | awk -v k="$3" '$1 == k { print $2 }'
}
same() { # what, got, expected, relative tolerance
    python3 - "$@" <<'PY' || fail "$1: $2 against $3"
import sys
_, what, got, want, tol = sys.argv
try:
    g, w = float(got), float(want)
except ValueError:
    sys.exit(1)
sys.exit(0 if abs(g - w) <= float(tol) * max(abs(w), 1e-300) else 1)
PY
}
for set in w300 w17; do
    for pair in "desc c:desc.mean" "oneway c a:oneway.group.1.mean" "oneway c a:oneway.total.mean" \
                "ttest a c:ttest.1.mean" "ttest a c:ttest.2.mean" "ttest a c:ttest.diff" "ttest a c:ttest.r" \
                "multfreq a b:multfreq.category.1.pct" "multfreq a b:multfreq.category.2.vpct" \
                "multdiko a b:multdiko.category.1.pct" "multdiko a b:multdiko.category.2.vpct"; do
        computation="${pair%%:*}"; key="${pair#*:}"
        same "$set, $key" "$(figure $set "$computation" "$key")" "$(figure w1 "$computation" "$key")" 1e-12
    done
    sd1="$(figure w1 'desc c' desc.sd)"
    same "$set, desc.sd" "$(figure $set 'desc c' desc.sd)" "$(python3 -c "print($sd1 * (39 / 40) ** 0.5)")" 1e-12
    same "$set, desc.lower95" "$(figure $set 'desc c' desc.lower95)" "$(figure w1 'desc c' desc.mean)" 1e-12
    weight="$(awk -F, 'NR == 2 { print $4 }' "$work/$set.csv")"
    same "$set, ttest.2.se" "$(figure $set 'ttest a c' ttest.2.se)" "$(python3 -c "print($sd1 * (39 / 40) ** 0.5 / 40 ** 0.5 / $weight ** 0.5)")" 1e-12
done

# Figures that do not depend on the weights' scale equal those of the unit
# weights at every scale, weights near the smallest double (wsub) included:
# correlations, regression coefficients, the pair correlation and the
# crosstab's measures.
for set in w300 w17 wsub; do
    for pair in "corr a b c:corr.2_1.r" "corr a b c:corr.3_1.r" "corr a b c:corr.3_2.r" \
                "reg c a b:reg.step.1.r" "reg c a b:reg.step.1.v1.b" "reg c a b:reg.step.1.v2.beta" \
                "reg c a b:reg.step.1.constant.b" "ttest a c:ttest.r" "ttest a c:ttest.diff" \
                "xtab a b:xtab.phi" "xtab a b:xtab.cramersv" "xtab a b:xtab.contingency" "xtab a b:xtab.gamma" \
                "xtab a b:xtab.taub" "xtab a b:xtab.tauc" "xtab a b:xtab.somerssym" "xtab a b:xtab.somersrow"; do
        computation="${pair%%:*}"; key="${pair#*:}"
        same "$set, $key" "$(figure $set "$computation" "$key")" "$(figure w1 "$computation" "$key")" 1e-10
    done
done
# Percentages and means are shares of the weights, the same near the
# smallest double.
for pair in "desc c:desc.mean" "freq a:freq.category.1.pct" "freq c:freq.category.2.vpct" \
            "multfreq a b:multfreq.category.1.pct" "multdiko a b:multdiko.category.2.vpct" \
            "ntab c a:ntab.cell.1.0.pct1" "ntab c a:ntab.cell.1.0.pct2" "oneway c a:oneway.group.1.mean"; do
    computation="${pair%%:*}"; key="${pair#*:}"
    same "wsub, $key" "$(figure wsub "$computation" "$key")" "$(figure w1 "$computation" "$key")" 1e-10
done
# Weights near the smallest double weigh less than the cases a spread needs:
# the one-way table's degrees of freedom are not computed, never negative.
dfw="$(figure wsub 'oneway c a' oneway.dfw)"
[ "$dfw" = "---" ] || fail "wsub, oneway.dfw $dfw"
(cd "$work" && "$wine" "$statprint" wsub.QVF oneway c a 2>/dev/null) | tr -d '\r' |
    grep -q '^footer --- weights too small' || fail "wsub, oneway: no footer for the weights too small"

# The crosstab of three cases: the cells, and measures computed from the
# table scaled down (gamma of a perfectly ordered table is 1).
(cd "$work" && "$wine" "$statprint" three.QVF xtab a b >"$work/raw" 2>&1) || fail "three cases: crosstab failed"
tr -d '\r' <"$work/raw" >"$work/out"
grep -q '^xtab.cell.1_1.count ---$' "$work/out" || fail "three cases: the summed cell"
grep -q '^footer --- weights too large to sum$' "$work/out" || fail "three cases: the footer"
grep -q '^xtab.cell.2_2.count 1$' "$work/out" || fail "three cases: the cell of weight 1"
grep -q '^xtab.gamma 1$' "$work/out" || fail "three cases: gamma $(grep gamma "$work/out" | tr -d '\r')"
# Chi-square passes every double, so its p is 0; phi = V = tau-b = d = 1.
for key in xtab.phi xtab.cramersv xtab.taub xtab.somerssym xtab.somersrow; do
    same "three cases, $key" "$(awk -v k=$key '$1 == k { print $2 }' "$work/out")" 1 1e-12
done
same "three cases, xtab.contingency" "$(awk '$1 == "xtab.contingency" { print $2 }' "$work/out")" 0.7071067811865476 1e-12
grep -q '^xtab.p 0$' "$work/out" || fail "three cases: $(grep '^xtab.p ' "$work/out")"

# Wilcoxon's z over weights of 1.7e308 each, past the largest double:
# that of the textbook formulas over the same weights, in exact fractions.
python3 - "$(figure w17 'wilcoxon a c' wilcoxon.z)" <<'PY' || fail "w17, wilcoxon.z $(figure w17 'wilcoxon a c' wilcoxon.z)"
import sys
from decimal import Decimal, getcontext
from fractions import Fraction
getcontext().prec = 50
k = Fraction(1.7e308)
d = []
for i in range(40):
    a = float(i % 4 + 1)
    c = float(f"{i % 5}.{i % 3 * 5}")
    if a - c != 0.0:
        d.append(a - c)
d.sort(key=abs)
n = k * len(d)
placed, ties, positive, negative, i = Fraction(0), Fraction(0), Fraction(0), Fraction(0), 0
while i < len(d):
    j = i
    while j < len(d) and abs(d[j]) == abs(d[i]):
        j += 1
    g = k * (j - i)
    rank = placed + (g + 1) / 2
    for e in d[i:j]:
        if e > 0:
            positive += rank * k
        else:
            negative += rank * k
    ties += (g ** 3 - g) / 48
    placed += g
    i = j
num = min(positive, negative) - n * (n + 1) / 4
var = n * (n + 1) * (2 * n + 1) / 24 - ties
z = Decimal(num.numerator) / Decimal(num.denominator) / (Decimal(var.numerator) / Decimal(var.denominator)).sqrt()
got = Decimal(sys.argv[1])
sys.exit(0 if abs(got / z - 1) < Decimal("1e-10") else 1)
PY

# A NaN weight in case 7: the converter refuses NaN, so the weight's eight
# bytes are set in the written file.
printf 'a,b,c,w\n' >"$work/nan.csv"
for i in $(seq 0 9); do
    if [ "$i" = 6 ]; then w=12345.5; else w=1; fi
    echo "$((i % 3)),$((i % 2)),$i,$w" >>"$work/nan.csv"
done
(cd "$work" && "$wine" "$qvconvert" w.desc nan.csv nan.QVF >/dev/null) || fail "nan does not convert"
python3 - "$work/nan.QVF" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
at = data.find(struct.pack('<d', 12345.5))
data[at:at + 8] = struct.pack('<d', float('nan'))
open(sys.argv[1], 'wb').write(data)
PY
for computation in "${computations[@]}"; do
    set +e
    (cd "$work" && "$wine" "$statprint" nan.QVF $computation >"$work/out" 2>"$work/err")
    code=$?
    set -e
    message="$(tr -d '\r' <"$work/err")"
    [ "$code" = 1 ] || fail "NaN weight, $computation: exit code $code"
    case "$message" in
        *nan.QVF*"variable w"*"case 7"*) ;;
        *) fail "NaN weight, $computation: message '$message'" ;;
    esac
done

[ "$failures" = 0 ] && echo "figures at the extremes: all checks passed"
exit "$failures"
