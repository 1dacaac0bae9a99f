#!/usr/bin/python3
"""Writes reference.txt, the reference figures of the statistics golden tests.

Run by hand (CI does not need the tools) on a machine with the Debian
packages r-base-core, pspp and python3-scipy:

    /usr/bin/python3 tests/stats/golden/make_references.py

Each line of reference.txt is "name value tolerance tool": the figure's name
as the golden tests compute it, the reference value ("NA" when the figure
cannot be computed), the tolerance (absolute, or relative for values above 1
in magnitude) and the tool that computed it. A figure computed by two tools
has two lines; the tests check both.

R (make_references.R) gives the figures it has functions for; PSPP gives the
weighted skewness and kurtosis and the crosstab measures of association;
scipy gives the unweighted skewness and kurtosis, Somers' d with the row
variable dependent and Kendall's tau-c.
"""

import csv
import io
import os
import subprocess
import sys
import tempfile

import numpy as np
import scipy
import scipy.stats as st

HERE = os.path.dirname(os.path.abspath(__file__))


def read_set(name):
    """Rows of a golden CSV (None for an empty field) and its user-missing codes."""
    with open(os.path.join(HERE, name)) as f:
        first = f.readline()
        codes = first.split(":", 1)[1].split()
        missing = {k: float(v) for k, v in (p.split("=") for p in codes)}
        rows = []
        for r in csv.DictReader(f):
            rows.append({k: (float(v) if v != "" else None) for k, v in r.items()})
    return rows, missing


def valid(rows, missing, *names):
    """Rows whose named values are present and not user-missing."""
    return [r for r in rows
            if all(r[n] is not None and r[n] != missing.get(n) for n in names)]


def line(name, value, tol, tool):
    if value is None or not np.isfinite(value):
        return "%s NA %g %s" % (name, tol, tool)
    return "%s %.15g %g %s" % (name, value, tol, tool)


def r_figures():
    out = subprocess.run(["Rscript", os.path.join(HERE, "make_references.R"), HERE],
                         check=True, capture_output=True, text=True).stdout
    return [l.strip() for l in out.splitlines() if l.strip()]


def scipy_figures(rows, missing):
    lines = []
    for var in ("x1", "y", "k"):
        cases = valid(rows, missing, var)
        for suffix, weighted in (("", False), (".w", True)):
            use = [r for r in cases if not weighted or r["w"] > 0]
            x = np.array([r[var] for r in use])
            if weighted:
                x = np.repeat(x, [int(r["w"]) for r in use])
            with np.errstate(all="ignore"):
                skew = st.skew(x, bias=False) if np.ptp(x) > 0 else None
                kurt = st.kurtosis(x, bias=False) if np.ptp(x) > 0 else None
            lines.append(line("desc.%s%s.skewness" % (var, suffix), skew, 1e-8, "scipy"))
            lines.append(line("desc.%s%s.kurtosis" % (var, suffix), kurt, 1e-8, "scipy"))
    cases = valid(rows, missing, "a", "b")
    for suffix, weighted in (("", False), (".w", True)):
        use = [r for r in cases if not weighted or r["w"] > 0]
        reps = [int(r["w"]) if weighted else 1 for r in use]
        a = np.repeat([r["a"] for r in use], reps)
        b = np.repeat([r["b"] for r in use], reps)
        # somersd(x, y) is D(Y|X): the row variable a dependent on b.
        lines.append(line("xtab.a_b%s.somersrow" % suffix, st.somersd(b, a).statistic,
                          1e-8, "scipy"))
        lines.append(line("xtab.a_b%s.tauc" % suffix,
                          st.kendalltau(a, b, variant="c").statistic, 1e-8, "scipy"))
    return lines


PSPP_VARS = ["id", "w", "g", "a", "b", "x1", "x2", "x3", "x4", "y", "k",
             "pre", "post", "d1", "d2"]


def pspp_syntax(rows, missing):
    s = io.StringIO()
    s.write("SET DECIMAL=DOT FORMAT=F16.8.\n")
    s.write("DATA LIST LIST /%s.\n" % " ".join("%s (F16.8)" % v for v in PSPP_VARS))
    s.write("BEGIN DATA.\n")
    for r in rows:
        s.write(" ".join("." if r[v] is None else repr(r[v]) for v in PSPP_VARS) + "\n")
    s.write("END DATA.\n")
    for var, code in missing.items():
        s.write("MISSING VALUES %s (%s).\n" % (var, repr(code)))
    analyses = ("DESCRIPTIVES /VARIABLES=x1 y /STATISTICS=ALL.\n"
                "CROSSTABS /TABLES=a BY b /STATISTICS=ALL.\n")
    s.write(analyses)
    s.write("WEIGHT BY w.\n")
    s.write(analyses)
    return s.getvalue()


def pspp_tables(csv_text):
    """The output's tables in order: (title, rows)."""
    tables = []
    for block in csv_text.split("\n\n"):
        lines = block.strip().splitlines()
        if not lines or not lines[0].startswith("Table: "):
            continue
        tables.append((lines[0][len("Table: "):], list(csv.reader(lines[1:]))))
    return tables


def pspp_figures(rows, missing):
    with tempfile.TemporaryDirectory() as tmp:
        sps = os.path.join(tmp, "golden.sps")
        result = os.path.join(tmp, "golden.csv")
        with open(sps, "w") as f:
            f.write(pspp_syntax(rows, missing))
        subprocess.run(["pspp", "-o", result, sps], check=True, capture_output=True)
        with open(result) as f:
            tables = pspp_tables(f.read())
    lines = []
    tol = 1e-7          # PSPP prints these with 8 decimals
    runs = {"Descriptive Statistics": 0, "Symmetric Measures": 0,
            "Directional Measures": 0, "Chi-Square Tests": 0}
    for title, body in tables:
        if title not in runs:
            continue
        suffix = "" if runs[title] == 0 else ".w"
        runs[title] += 1
        if title == "Descriptive Statistics":
            header = body[0]
            for r in body[1:]:
                if r[0] in ("x1", "y"):
                    for column, figure in (("Skewness", "skewness"), ("Kurtosis", "kurtosis")):
                        lines.append(line("desc.%s%s.%s" % (r[0], suffix, figure),
                                          float(r[header.index(column)]), tol, "PSPP"))
        elif title == "Chi-Square Tests":
            for r in body:
                if r[0] == "Pearson Chi-Square":
                    lines.append(line("xtab.a_b%s.chisq" % suffix, float(r[1]), tol, "PSPP"))
        elif title == "Symmetric Measures":
            names = {"Phi": "phi", "Cramer's V": "cramersv",
                     "Contingency Coefficient": "contingency", "Kendall's tau-b": "taub",
                     "Kendall's tau-c": "tauc", "Gamma": "gamma"}
            for r in body:
                if len(r) > 2 and r[1] in names:
                    lines.append(line("xtab.a_b%s.%s" % (suffix, names[r[1]]), float(r[2]),
                                      tol, "PSPP"))
        else:
            measure = None
            for r in body:
                if len(r) > 3 and r[1]:
                    measure = r[1]
                if measure == "Somers' d" and len(r) > 3:
                    if r[2] == "Symmetric":
                        lines.append(line("xtab.a_b%s.somerssym" % suffix, float(r[3]), tol,
                                          "PSPP"))
                    elif r[2] == "a Dependent":
                        lines.append(line("xtab.a_b%s.somersrow" % suffix, float(r[3]), tol,
                                          "PSPP"))
    return lines


def main():
    rows, missing = read_set("survey.csv")
    lines = r_figures() + pspp_figures(rows, missing) + scipy_figures(rows, missing)
    target = os.path.join(HERE, "reference.txt")
    with open(target, "w") as f:
        f.write("# Reference figures of the statistics golden tests; made by "
                "make_references.py\n")
        r_version = subprocess.run(["Rscript", "-e", "cat(R.version.string)"],
                                   capture_output=True, text=True).stdout.split()[2]
        pspp_version = subprocess.run(["pspp", "--version"], capture_output=True,
                                      text=True).stdout.split("\n")[0].split()[-1]
        f.write("# with R %s, PSPP %s and scipy %s. Columns: name value tolerance tool.\n"
                % (r_version, pspp_version, scipy.__version__))
        for l in lines:
            f.write(l + "\n")
    print("%d figures written to %s" % (len(lines), target), file=sys.stderr)


if __name__ == "__main__":
    main()
