#!/usr/bin/env python3
"""Independent derivation of the frequency tables' figures in this folder.

Counts, weighted frequencies, percentages, valid percentages, cumulative
percentages and the case count are computed here from freq.csv with exact
fractions, not from the program, and compared with every figure of the
tables that list the raw codes of q1, score and tie.

Rounding rule at the printed decimals: the program prints through "%.*f" of
the C library, which rounds the binary value correctly and a true tie (a
value exactly halfway, such as 31.25 or 22.5) to the even last digit. The
ties of these tables are exact in binary (fractions of 16ths and halves), so
the rule alone decides them; both directions occur:
  5/16  = 31.25 % -> "31.2" (down)   7/16  = 43.75 % -> "43.8" (up)
  1/16  =  6.25 % -> "6.2"  (down)   15/16 = 93.75 % -> "93.8" (up)
  weighted cases 22.5 -> "22" (down) weighted cases 23.5 -> "24" (up)
Rounding half away from zero would print 31.3, 6.3 and 23 instead.

Run: python3 derive_freq.py   (prints each table checked; exits 1 on a
difference, listing file, row, column, derived and recorded figure).
"""
import csv
import os
import re
import sys
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))
MISSING = {"q1": {9}, "score": {99}, "tie": set(), "none": {9}}


def half_even(x, places):
    scaled = x * 10**places
    whole = scaled.numerator // scaled.denominator
    rest = scaled - whole
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and whole % 2):
        whole += 1
    text = str(abs(whole)).rjust(places + 1, "0")
    sign = "-" if whole < 0 else ""
    return sign + (text[:-places] + "." + text[-places:] if places else text)


def is_tie(x, places):
    scaled = x * 10**places
    return scaled - scaled.numerator // scaled.denominator == Fraction(1, 2)


def table(variable, weighted):
    rows = {}
    with open(os.path.join(HERE, "freq.csv")) as f:
        for case in csv.DictReader(f):
            w = Fraction(case["w"]) if weighted else Fraction(1)
            if weighted and w <= 0:
                continue
            text = case[variable]
            key = Fraction(text) if text else None
            rows[key] = rows.get(key, Fraction(0)) + w
    total = sum(rows.values())
    valid = sum(v for k, v in rows.items() if k is not None and k not in MISSING[variable])
    return rows, total, valid


# file -> variable, weighted, cumulative over all cases (else valid only)
TABLES = {
    "q1_default": ("q1", False, None),
    "q1_cumulative_all": ("q1", False, True),
    "q1_by_value_descending": ("q1", False, None),
    "q1_by_frequency_ascending": ("q1", False, None),
    "q1_by_frequency_descending": ("q1", False, None),
    "q1_width_14": ("q1", False, True),
    "q1_weighted": ("q1", True, True),
    "q1_weighted_by_frequency": ("q1", True, None),
    "score_everything": ("score", False, True),
    "score_cumulative_valid_by_frequency": ("score", False, False),
    "score_weighted": ("score", True, True),
    "tie_mode_lists_four": ("tie", False, None),
}


def check(name, variable, weighted, cumulate_all):
    rows, total, valid = table(variable, weighted)
    lines = open(os.path.join(HERE, name + ".txt")).read().splitlines()
    errors, ties, cumulative, seen = [], [], Fraction(0), set()
    for line in lines:
        fields = line.split()
        if len(fields) < 5 or fields[0] in ("Category", "Total"):
            continue
        # label, value, frequency, percent, valid [, cumulative]; labels may hold blanks
        numbers = fields[-5:] if len(fields) >= 6 and cumulate_all is not None else fields[-4:]
        value_text = numbers[0]
        if not re.fullmatch(r"-?[0-9.]+|-", value_text):
            continue
        key = None if value_text == "-" else Fraction(value_text)
        if key not in rows:
            continue
        f = rows[key]
        seen.add(key)
        missing = key is None or key in MISSING[variable]
        derived = [half_even(f, 2) if weighted else str(f), half_even(100 * f / total, 1),
                   "-" if missing else half_even(100 * f / valid, 1)]
        exact = [f, 100 * f / total, None if missing else 100 * f / valid]
        if cumulate_all is not None:
            if cumulate_all or not missing:
                cumulative += 100 * f / (total if cumulate_all else valid)
            derived.append(half_even(cumulative, 1) if cumulate_all or not missing else "-")
            exact.append(cumulative if cumulate_all or not missing else None)
        for column, (d, r, e) in enumerate(zip(derived, numbers[1:], exact)):
            if d != r:
                errors.append(f"{name}: value {value_text}, column {column + 3}: derived {d}, recorded {r}")
            if e is not None and is_tie(e, 1) and column > 0:
                ties.append(f"{name}: value {value_text}: {float(e)} printed {r}")
    if seen != set(rows):
        errors.append(f"{name}: rows not found for {sorted(set(rows) - seen, key=str)}")
    count = re.search(r"Number of cases: (\d+)", "\n".join(lines))
    if count and half_even(valid, 0) != count.group(1):
        errors.append(f"{name}: case count derived {half_even(valid, 0)}, recorded {count.group(1)}")
    if count and is_tie(valid, 0):
        ties.append(f"{name}: case count {float(valid)} printed {count.group(1)}")
    return errors, ties


def main():
    failed = False
    for name, (variable, weighted, cumulate_all) in TABLES.items():
        errors, ties = check(name, variable, weighted, cumulate_all)
        print(f"{name}: {'ok' if not errors else 'DIFFERS'}")
        for line in errors:
            print("  " + line)
        for line in ties:
            print("  tie " + line)
        failed |= bool(errors)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
