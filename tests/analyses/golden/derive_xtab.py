#!/usr/bin/env python3
"""Independent derivation of xtab_edu_by_sex.txt from ../data/xtab.csv.

Every table cell and measure of the crosstab of edu (rows) by sex (columns)
is computed here with exact fractions (the measures in floating point) from
the textbook definitions, printed with the decimals the file uses (ties to
the even digit, as in derive_freq.py) and compared with the file's figures:
  percentages 1 decimal; expected counts, deviations and standardized
  deviations (o-e)/sqrt(e) 1 (they follow the percentage tables and take
  their decimals); chi-square 3, probability 4 (df 2: exp(-x/2)), phi sqrt(x/n), Cramer's V sqrt(x/(n(min(r,c)-1))),
  contingency sqrt(x/(x+n)), Kendall's tau-a (C-D)/(n(n-1)/2), tau-b
  (C-D)/sqrt((P-Tr)(P-Tc)), Stuart's tau-c 2m(C-D)/(n^2(m-1)), gamma
  (C-D)/(C+D), Somers' d symmetric (C-D)/((2P-Tr-Tc)/2), asymmetric with
  the row variable dependent (C-D)/(P-Tc), all 3 decimals.
Run: python3 derive_xtab.py   (exits 1 on a difference).
"""
import csv
import math
import os
import sys
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))


def fmt(x, places):
    x = Fraction(x)
    scaled = x * 10**places
    whole = math.floor(scaled)
    rest = scaled - whole
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and whole % 2):
        whole += 1
    sign = "-" if whole < 0 else ""
    digits = str(abs(whole)).rjust(places + 1, "0")
    return sign + (digits[:-places] + "." + digits[-places:] if places else digits)


def main():
    cells = {}
    with open(os.path.join(HERE, "..", "data", "xtab.csv")) as f:
        for case in csv.DictReader(f):
            if case["edu"] in ("", "9") or case["sex"] == "":
                continue
            key = (int(case["edu"]), int(case["sex"]))
            cells[key] = cells.get(key, 0) + 1
    rows, cols = [1, 2, 3], [1, 2]
    n = sum(cells.values())
    o = [[cells.get((r, c), 0) for c in cols] for r in rows]
    rt = [sum(line) for line in o]
    ct = [sum(o[i][j] for i in range(3)) for j in range(2)]
    e = [[Fraction(rt[i] * ct[j], n) for j in range(2)] for i in range(3)]
    want = []
    want += [fmt(Fraction(100 * o[i][j], ct[j]), 1) for i in range(3) for j in range(2)]
    want += [fmt(Fraction(100 * o[i][j], rt[i]), 1) for i in range(3) for j in range(2)]
    want += [fmt(Fraction(100 * o[i][j], n), 1) for i in range(3) for j in range(2)]
    want += [fmt(e[i][j], 1) for i in range(3) for j in range(2)]
    want += [fmt(o[i][j] - e[i][j], 1) for i in range(3) for j in range(2)]
    want += [fmt((o[i][j] - e[i][j]) / math.sqrt(e[i][j]), 1) for i in range(3) for j in range(2)]
    x = sum(float((o[i][j] - e[i][j]) ** 2 / e[i][j]) for i in range(3) for j in range(2))
    concordant = discordant = 0
    for i in range(3):
        for j in range(2):
            for k in range(i + 1, 3):
                for m in range(2):
                    if m > j:
                        concordant += o[i][j] * o[k][m]
                    elif m < j:
                        discordant += o[i][j] * o[k][m]
    pairs = n * (n - 1) / 2
    ties_rows = sum(t * (t - 1) / 2 for t in rt)
    ties_cols = sum(t * (t - 1) / 2 for t in ct)
    s = concordant - discordant
    q = min(3, 2)
    measures = {
        "Chi-square": (x, 3),
        "Probability": (math.exp(-x / 2), 4),
        "Phi": (math.sqrt(x / n), 3),
        "r's V": (math.sqrt(x / (n * (q - 1))), 3),
        "Contingency coefficient": (math.sqrt(x / (x + n)), 3),
        "Kendall's tau-a": (s / pairs, 3),
        "Kendall's tau-b": (s / math.sqrt((pairs - ties_rows) * (pairs - ties_cols)), 3),
        "Tau-c": (2 * q * s / (n * n * (q - 1)), 3),
        "Gamma": (s / (concordant + discordant), 3),
        "Somers' d (symmetric)": (s / ((2 * pairs - ties_rows - ties_cols) / 2), 3),
        "Somers' d (asymmetric)": (s / (pairs - ties_cols), 3),
    }
    text = open(os.path.join(HERE, "xtab_edu_by_sex.txt"), encoding="latin-1").read().splitlines()
    recorded = []
    for line in text:
        fields = line.split()
        if fields and fields[0] in ("basic", "secondary", "university") and "." in line:
            recorded += fields[1:3]
    errors = [f"cell {k}: derived {d}, recorded {r}" for k, (d, r) in enumerate(zip(want, recorded)) if d != r]
    if len(recorded) != len(want):
        errors.append(f"{len(recorded)} cells recorded, {len(want)} derived")
    for name, (value, places) in measures.items():
        line = next((l for l in text if name in l and "=" in l), None)
        printed = line.split("=")[1].strip() if line else None
        if printed != fmt(value, places):
            errors.append(f"{name}: derived {fmt(value, places)} ({value!r}), recorded {printed}")
    print("xtab_edu_by_sex: " + ("ok" if not errors else "DIFFERS"))
    for line in errors:
        print("  " + line)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
