#!/usr/bin/env bash
# Converts the golden survey with qvconvert (unweighted and weighted by w),
# runs statprint on it and compares every line that has a reference figure
# (reference.txt) within the figure's tolerance. Arguments: qvconvert.exe,
# statprint.exe, the golden directory. Runs the programs under Wine.
set -euo pipefail
qvconvert="$1"; statprint="$2"; golden="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wine="${MERVALO_WINE:-wine}"

tail -n +2 "$golden/survey.csv" >"$work/values.csv"
cp "$golden/survey.desc" "$work/plain.desc"
{ cat "$golden/survey.desc"; echo "weight w"; } >"$work/weighted.desc"
for kind in plain weighted; do
    (cd "$work" && "$wine" "$qvconvert" "$kind.desc" values.csv "$kind.QVF" >/dev/null)
done

# statprint <set> <prefix to put in front of the names> <arguments...>
run() {
    local set="$1" prefix="$2"; shift 2
    (cd "$work" && "$wine" "$statprint" "$set.QVF" "$@") | tr -d '\r' |
        awk -v p="$prefix" '{ n = $1; sub(/^[a-z]+\./, "", n); print p n, $2 }'
}
{
    for v in x1 y k; do
        run plain "desc.$v." desc "$v"
        run weighted "desc.$v.w." desc "$v"
    done
    run plain "xtab.a_b." xtab b a
    run weighted "xtab.a_b.w." xtab b a
    run plain "oneway.y_g." oneway y g
    run weighted "oneway.y_g.w." oneway y g
    run plain "ntab.a_g." ntab a g
    run weighted "ntab.a_g.w." ntab a g
    run plain "ntab.a_d1_d2_g." ntab a d1 d2 g
    run plain "corr.list." corr x1 x2 x3 x4 y | sed 's/\.6_/.x1_/; s/\.7_/.x2_/; s/\.8_/.x3_/; s/\.9_/.x4_/; s/\.10_/.y_/; s/_6\./_x1./; s/_7\./_x2./; s/_8\./_x3./; s/_9\./_x4./'
} >"$work/computed.txt"

awk '
    FNR == NR { if ($1 !~ /^#/) { ref[$1] = $2; tol[$1] = $3; tool[$1] = $4 } next }
    ($1 in ref) {
        checked++
        v = $2 + 0; r = ref[$1]
        if (r == "NA") { if (v < 3.4e38) { print "FAIL", $1, v, "should not be computed"; bad++ } next }
        s = (r < 0 ? -r : r); if (s < 1) s = 1
        d = v - r; if (d < 0) d = -d
        if (d > tol[$1] * s) { print "FAIL", $1, v, "reference", r, tool[$1]; bad++ }
    }
    END {
        printf "statprint: %d figures compared with the references, %d differ\n", checked, bad
        if (checked < 500 || bad > 0) exit 1
    }' "$golden/reference.txt" "$work/computed.txt"
