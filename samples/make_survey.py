#!/usr/bin/env python3
"""Generates the sample survey's sources: survey.desc (description),
survey.csv (values) and survey.map (region map source).

Run once by hand when the sample should change; its output is committed and
the build turns it into survey.QVF/.IND/.dkm/.KRT with qvconvert. Fully
deterministic: the same script always writes the same files.

The survey: a citizen survey of a fictional country's municipal services,
about 2,000 respondents in 20 regions.
"""
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
R = random.Random(20240607)

# ---------------------------------------------------------------- regions
# (code, name, population share, urban 0..1)
REGIONS = [
    (1, "Capital City", 0.150, 1.0), (2, "Harbour Coast", 0.070, 0.7),
    (3, "North Fjords", 0.030, 0.2), (4, "Lakeland", 0.050, 0.4),
    (5, "Eastern Plains", 0.060, 0.3), (6, "Mountain Valley", 0.030, 0.1),
    (7, "River Delta", 0.065, 0.6), (8, "Southern Cape", 0.045, 0.5),
    (9, "Forest Heights", 0.035, 0.2), (10, "Westmark", 0.055, 0.5),
    (11, "Old Mining District", 0.040, 0.4), (12, "Islands", 0.020, 0.2),
    (13, "University Town", 0.060, 0.9), (14, "Farmland", 0.040, 0.1),
    (15, "Border Hills", 0.030, 0.2), (16, "Midlands", 0.065, 0.5),
    (17, "Bay Area", 0.060, 0.8), (18, "High Moors", 0.020, 0.1),
    (19, "Northern Cape", 0.025, 0.3), (20, "Green Valley", 0.050, 0.4),
]

SATISFACTION = [(1, "Very dissatisfied"), (2, "Dissatisfied"), (3, "Neither"),
                (4, "Satisfied"), (5, "Very satisfied"),
                (8, "Don't know"), (9, "No answer")]
ISSUES = [(1, "Health care"), (2, "Schools"), (3, "Care for the elderly"),
          (4, "Roads"), (5, "Public transport"), (6, "Housing"),
          (7, "Jobs"), (8, "Environment"), (9, "Safety"), (10, "Taxes")]
SERVICES = [("sat_school", "Satisfaction: schools"),
            ("sat_health", "Satisfaction: health centres"),
            ("sat_elder", "Satisfaction: care for the elderly"),
            ("sat_roads", "Satisfaction: roads and streets"),
            ("sat_transit", "Satisfaction: public transport"),
            ("sat_culture", "Satisfaction: libraries and culture"),
            ("sat_sports", "Satisfaction: sports facilities"),
            ("sat_waste", "Satisfaction: waste collection")]
SOURCES = [("src_paper", "News source: local newspaper"),
           ("src_web", "News source: municipal web site"),
           ("src_radio", "News source: local radio"),
           ("src_social", "News source: social media"),
           ("src_meeting", "News source: public meetings")]


def clamp(x, lo, hi):
    return max(lo, min(hi, x))


def pick(weights):
    total = sum(weights)
    u = R.random() * total
    for i, w in enumerate(weights):
        u -= w
        if u <= 0:
            return i
    return len(weights) - 1


def respondent(rid):
    region_i = pick([r[2] for r in REGIONS])
    code, _, _, urban = REGIONS[region_i]
    # Women and older people answer more often: the weight corrects it.
    sex = 1 if R.random() < 0.45 else 2
    age = int(clamp(R.gauss(51, 17), 18, 92))
    agegroup = 1 if age < 30 else 2 if age < 45 else 3 if age < 60 else 4 if age < 75 else 5
    educ_p = [0.15, 0.20, 0.30, 0.20, 0.15] if age < 60 else [0.30, 0.25, 0.25, 0.12, 0.08]
    educ_p = [p * (1 + 0.6 * urban * (i >= 3)) for i, p in enumerate(educ_p)]
    educ = pick(educ_p) + 1
    # Employment: 1 employed full time, 2 part time, 3 unemployed,
    # 4 student, 5 retired, 6 at home.
    if age >= 67:
        employ = 5 if R.random() < 0.92 else 2
    elif age < 25 and R.random() < 0.5:
        employ = 4
    else:
        employ = pick([0.62 + 0.05 * educ, 0.14, 0.07 - 0.01 * educ, 0.03, 0.04, 0.06]) + 1
    if employ == 1:
        hours = clamp(R.gauss(38.5 + 1.2 * (educ - 3), 4.0), 30, 70)
    elif employ == 2:
        hours = clamp(R.gauss(21, 6), 5, 34)
    else:
        hours = None
    hours = None if hours is None else round(hours * 2) / 2
    # Income (euros a year): education, experience and hours.
    exper = clamp(age - 18 - 2 * educ, 0, 45)
    base = 9.4 + 0.16 * educ + 0.035 * exper - 0.0006 * exper * exper + 0.15 * urban
    if hours is not None:
        base += 0.55 * math.log(hours / 37.5)
    elif employ == 5:
        base -= 0.35
    else:
        base -= 0.9
    income = int(round(math.exp(base + R.gauss(0, 0.32)) / 100.0) * 100)
    r = R.random()
    income_missing = 9999999 if r < 0.05 else 9999998 if r < 0.08 else None
    hhsize = int(clamp(round(R.gauss(2.4 - 0.5 * (age > 70), 1.1)), 1, 9))
    children = int(clamp(hhsize - 2 + (R.random() < 0.3), 0, 6)) if 25 <= age <= 60 else 0
    yrs_resid = int(clamp(R.expovariate(1 / 18.0), 0, age))
    commute = None
    if employ in (1, 2):
        commute = int(clamp(R.gauss(14 + 28 * (1 - urban), 10), 0, 240))
    health = int(clamp(round(R.gauss(4.1 - 0.022 * (age - 50) + 0.1 * (educ - 3), 0.9)), 1, 5))
    # Satisfaction items share an underlying attitude; each has its own
    # level, urban regions like transport better and roads worse.
    attitude = R.gauss(0, 0.7)
    levels = [3.6, 3.4, 3.0, 2.8 + 0.4 * (1 - urban), 2.5 + 1.2 * urban, 3.7, 3.5, 3.9]
    sat = []
    for j, level in enumerate(levels):
        u = R.random()
        if u < 0.04:
            sat.append(8)          # don't know
        elif u < 0.055:
            sat.append(9)          # no answer
        else:
            sat.append(int(clamp(round(level + attitude + R.gauss(0, 0.8)), 1, 5)))
    # Multiple response, dichotomies (0 not mentioned, 1 mentioned).
    p_src = [0.55 + 0.005 * (age - 50), 0.45 + 0.05 * (educ - 3) - 0.004 * (age - 50),
             0.35 + 0.004 * (age - 50), 0.50 - 0.012 * (age - 45), 0.10 + 0.002 * yrs_resid]
    src = [1 if R.random() < clamp(p, 0.02, 0.95) else 0 for p in p_src]
    # Multiple response, category coding: up to three issues in order.
    weights_issue = [3 + (age > 60) * 2, 2 + (children > 0) * 3, 1 + (age > 65) * 4,
                     2 + (1 - urban) * 2, 1.5 + urban * 2, 1 + urban * 3, 2 + (employ == 3) * 5,
                     2 + (educ >= 4) * 1.5, 1.5, 1.5 + (income > 45000) * 2]
    issues = []
    n_issues = pick([0.06, 0.20, 0.30, 0.44])
    for _ in range(n_issues):
        w = [0 if (k + 1) in issues else x for k, x in enumerate(weights_issue)]
        issues.append(pick(w) + 1)
    issues += [None] * (3 - len(issues))
    # Before/after: trust in the council (0-10) before and after a year of
    # open council meetings; public transport use (hours a week) before and
    # after a new bus line; library use (1 yes, 2 no) before and after.
    trust_before = int(clamp(round(R.gauss(5.2 + 0.6 * attitude, 1.8)), 0, 10))
    trust_after = int(clamp(round(trust_before + R.gauss(0.35 + 0.3 * src[4], 1.1)), 0, 10))
    transit_before = max(0.0, round(R.gauss(1.5 + 3.5 * urban, 1.8), 1))
    transit_after = max(0.0, round(transit_before + R.gauss(0.6 * urban, 0.9), 1))
    lib_before = 1 if R.random() < 0.28 + 0.04 * educ else 2
    lib_after = lib_before if R.random() < 0.85 else (1 if lib_before == 2 and R.random() < 0.7 else 2)
    volunteer = 1 if R.random() < 0.15 + 0.03 * educ + 0.02 * (yrs_resid > 10) else 0
    # Well-being index (0-10): income, health, satisfaction and company.
    valid_sat = [s for s in sat if s <= 5]
    mean_sat = sum(valid_sat) / len(valid_sat) if valid_sat else 3
    inc = income if income_missing is None else 30000
    wellbeing = (0.9 + 0.55 * math.log(inc / 10000.0) + 0.62 * health + 0.38 * mean_sat
                 + 0.25 * (hhsize > 1) + 0.3 * volunteer + R.gauss(0, 0.75))
    wellbeing = round(clamp(wellbeing, 0, 10), 3)
    # Item non-response.
    sex_v = 9 if R.random() < 0.006 else sex
    age_v = 99 if R.random() < 0.01 else age
    educ_v = 9 if R.random() < 0.015 else educ
    hours_v = hours
    if hours is not None and R.random() < 0.04:
        hours_v = 99.0             # "varies too much to say"
    return dict(region=code, resp_id=100000 + rid, sex=sex_v, age=age_v, agegroup=agegroup,
                educ=educ_v, employ=employ, income=income_missing or income, hours=hours_v,
                hhsize=hhsize, children=children, yrs_resid=yrs_resid, commute=commute,
                health=health, sat=sat, src=src, issues=issues, trust_before=trust_before,
                trust_after=trust_after, transit_before=transit_before,
                transit_after=transit_after, lib_before=lib_before, lib_after=lib_after,
                volunteer=volunteer, wellbeing=wellbeing, true_sex=sex)


def make_weights(people):
    # Post-stratification by sex and age group to the population shares.
    population = {1: [0.105, 0.13, 0.125, 0.095, 0.045], 2: [0.10, 0.125, 0.125, 0.10, 0.05]}
    cells = {}
    for p in people:
        cells[(p["true_sex"], p["agegroup"])] = cells.get((p["true_sex"], p["agegroup"]), 0) + 1
    n = len(people)
    for p in people:
        share = cells[(p["true_sex"], p["agegroup"])] / n
        p["weight"] = round(population[p["true_sex"]][p["agegroup"] - 1] / share, 4)
    mean = sum(p["weight"] for p in people) / n
    for p in people:
        p["weight"] = round(p["weight"] / mean, 4)


def fmt(v):
    if v is None:
        return ""
    if isinstance(v, float):
        s = ("%.4f" % v).rstrip("0").rstrip(".")
        return s if s not in ("", "-0") else "0"
    return str(v)


COLUMNS = (["region", "resp_id", "sex", "age", "agegroup", "educ", "employ", "income", "hours",
            "hhsize", "children", "yrs_resid", "commute", "health"]
           + [s[0] for s in SERVICES] + [s[0] for s in SOURCES]
           + ["issue1", "issue2", "issue3", "trust_before", "trust_after", "transit_before",
              "transit_after", "lib_before", "lib_after", "volunteer", "wellbeing", "weight"])


def write_csv(people):
    with open(os.path.join(HERE, "survey.csv"), "w", newline="") as f:
        f.write(",".join(COLUMNS) + "\r\n")
        for p in people:
            row = [p["region"], p["resp_id"], p["sex"], p["age"], p["agegroup"], p["educ"],
                   p["employ"], p["income"], p["hours"], p["hhsize"], p["children"],
                   p["yrs_resid"], p["commute"], p["health"]]
            row += p["sat"] + p["src"] + p["issues"]
            row += [p["trust_before"], p["trust_after"], p["transit_before"], p["transit_after"],
                    p["lib_before"], p["lib_after"], p["volunteer"], p["wellbeing"], p["weight"]]
            f.write(",".join(fmt(v) for v in row) + "\r\n")


def write_description():
    L = []
    add = L.append
    add("# Sample survey: citizens' views of municipal services (fictional data).")
    add("# Generated by make_survey.py; the build turns it into survey.QVF with qvconvert.")
    add("doc Citizen survey 2024 of a fictional country: 2,000 respondents in 20 regions.")
    add("doc Weighted by sex and age group to the population (variable weight).")
    add("")
    add("categories satisfaction")
    for v, t in SATISFACTION:
        add("value %d = %s" % (v, t))
    add("categories issues")
    for v, t in ISSUES:
        add("value %d = %s" % (v, t))
    add("categories mention")
    add("value 0 = Not mentioned")
    add("value 1 = Mentioned")
    add("categories yesno")
    add("value 1 = Yes")
    add("value 2 = No")
    add("categories trust")
    add("value 0 = No trust at all")
    add("value 10 = Complete trust")
    add("")

    def var(name, label, typ, width, decimals=None, missing=None, labels=None, values=None,
            doc=None):
        add("variable " + name)
        add("label " + label)
        add("type " + typ)
        add("width %d" % width)
        if decimals is not None:
            add("decimals %d" % decimals)
        if missing:
            add("missing " + " ".join(str(m) for m in missing))
        if labels:
            add("labels " + labels)
        for v, t in values or []:
            add("value %s = %s" % (v, t))
        if doc:
            add("doc " + doc)
        add("")

    var("region", "Region of residence", "u8", 2, 0,
        values=[(c, n) for c, n, _, _ in REGIONS],
        doc="The region codes are those of the map file survey.KRT.")
    var("resp_id", "Respondent number", "i32", 6, 0)
    var("sex", "Sex", "u8", 1, 0, [9], values=[(1, "Male"), (2, "Female"), (9, "No answer")])
    var("age", "Age in years", "u8", 2, 0, [99], values=[(99, "No answer")])
    var("agegroup", "Age group", "u8", 1, 0,
        values=[(1, "18-29"), (2, "30-44"), (3, "45-59"), (4, "60-74"), (5, "75 and over")])
    var("educ", "Highest education", "u8", 1, 0, [9],
        values=[(1, "Primary school"), (2, "Lower secondary"), (3, "Upper secondary"),
                (4, "College"), (5, "University"), (9, "No answer")])
    var("employ", "Main activity", "u8", 1, 0,
        values=[(1, "Employed full time"), (2, "Employed part time"), (3, "Unemployed"),
                (4, "Student"), (5, "Retired"), (6, "Home or other")])
    var("income", "Personal income per year (euros)", "i32", 8, 0, [9999998, 9999999],
        values=[(9999998, "Don't know"), (9999999, "Refused")],
        doc="Gross income of the last calendar year, rounded to hundreds.")
    var("hours", "Working hours per week", "float", 5, 1, [99],
        values=[(99, "Varies too much")],
        doc="Asked of employed respondents only; empty for the others.")
    var("hhsize", "Persons in the household", "u8", 1, 0)
    var("children", "Children under 18 in the household", "u8", 1, 0)
    var("yrs_resid", "Years living in the municipality", "i16", 2, 0)
    var("commute", "Travel time to work (minutes)", "i16", 3, 0)
    var("health", "Self-rated health", "u8", 1, 0,
        values=[(1, "Very poor"), (2, "Poor"), (3, "Fair"), (4, "Good"), (5, "Very good")])
    for name, label in SERVICES:
        var(name, label, "u8", 1, 0, [8, 9], labels="satisfaction")
    for name, label in SOURCES:
        var(name, label, "u8", 1, 0, labels="mention")
    for k in range(1, 4):
        var("issue%d" % k, "Most important issue, mention %d" % k, "u8", 2, 0, labels="issues")
    var("trust_before", "Trust in the council before (0-10)", "u8", 2, 0, labels="trust")
    var("trust_after", "Trust in the council after (0-10)", "u8", 2, 0, labels="trust")
    var("transit_before", "Public transport hours a week, before", "float", 5, 1)
    var("transit_after", "Public transport hours a week, after", "float", 5, 1)
    var("lib_before", "Used the library last year, before", "u8", 1, 0, labels="yesno")
    var("lib_after", "Used the library last year, after", "u8", 1, 0, labels="yesno")
    var("volunteer", "Does voluntary work", "u8", 1, 0, values=[(0, "No"), (1, "Yes")])
    var("wellbeing", "Well-being index (0-10)", "double", 6, 3)
    var("weight", "Weight by sex and age group", "double", 6, 4)
    add("weight weight")
    add("region region")
    with open(os.path.join(HERE, "survey.desc"), "w", newline="") as f:
        f.write("\r\n".join(L) + "\r\n")


# ------------------------------------------------------------------- map
def outline():
    """A plausible country outline: a long, irregular shape with a bay."""
    pts = []
    n = 72
    for i in range(n):
        t = 2 * math.pi * i / n
        rx, ry = 3000, 4300
        wobble = 1 + 0.10 * math.sin(3 * t + 0.7) + 0.06 * math.sin(7 * t + 1.9) + 0.03 * math.sin(13 * t)
        x = 5000 + rx * wobble * math.cos(t) + 700 * math.sin(t * 2)
        y = 5000 + ry * wobble * math.sin(t)
        # a bay on the west coast
        if 2.6 < t < 3.3:
            x += 900 * math.sin((t - 2.6) / 0.7 * math.pi)
        pts.append((round(x), round(y)))
    return pts


def clip(poly, a, b, c):
    """Keeps the part of a polygon where a*x + b*y <= c."""
    out = []
    for i in range(len(poly)):
        p, q = poly[i], poly[(i + 1) % len(poly)]
        fp, fq = a * p[0] + b * p[1] - c, a * q[0] + b * q[1] - c
        if fp <= 0:
            out.append(p)
        if (fp < 0 < fq) or (fq < 0 < fp):
            t = fp / (fp - fq)
            out.append((p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1])))
    return out


def area_centroid(poly):
    a = cx = cy = 0.0
    for i in range(len(poly)):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % len(poly)]
        cr = x0 * y1 - x1 * y0
        a += cr
        cx += (x0 + x1) * cr
        cy += (y0 + y1) * cr
    a /= 2
    return abs(a), (cx / (6 * a), cy / (6 * a)) if a else poly[0]


def inside(poly, x, y):
    c = False
    for i in range(len(poly)):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % len(poly)]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            c = not c
    return c


def write_map():
    shape = outline()
    rm = random.Random(7)
    seeds = []
    # Seeds on a jittered grid inside the outline, one per region.
    while len(seeds) < len(REGIONS):
        x, y = rm.uniform(2000, 8000), rm.uniform(800, 9200)
        if inside(shape, x, y) and all((x - sx) ** 2 + (y - sy) ** 2 > 1100 ** 2 for sx, sy in seeds):
            seeds.append((x, y))
    # Northernmost regions get the northern names: sort seeds by y, then
    # give codes in a fixed order.
    seeds.sort(key=lambda s: (-round(s[1] / 1500), s[0]))
    lines = ["# Map source of the sample survey's regions (generated by make_survey.py).",
             "# Each region: its symbol point, then its polygon; the lake is an overlay.",
             "map Regions"]
    for k, (sx, sy) in enumerate(seeds):
        code = REGIONS[k][0]
        cell = shape
        for j, (tx, ty) in enumerate(seeds):
            if j == k:
                continue
            # Points nearer to seed k than to seed j.
            a, b = tx - sx, ty - sy
            c = (tx * tx + ty * ty - sx * sx - sy * sy) / 2
            cell = clip(cell, a, b, c)
        cell = [(round(x), round(y)) for x, y in cell]
        dedup = []
        for p in cell:
            if not dedup or dedup[-1] != p:
                dedup.append(p)
        if len(dedup) > 1 and dedup[0] == dedup[-1]:
            dedup.pop()
        _, (cx, cy) = area_centroid(dedup)
        lines.append("point %d %d %d" % (code, round(cx), round(cy)))
        lines.append("region %d %s" % (code, " ".join("%d %d" % p for p in dedup)))
    lake = [(round(5600 + 380 * math.cos(2 * math.pi * i / 14) * (1 + 0.2 * math.sin(3 * i))),
             round(4300 + 260 * math.sin(2 * math.pi * i / 14))) for i in range(14)]
    lines.append("overlay 900 " + " ".join("%d %d" % p for p in lake))
    with open(os.path.join(HERE, "survey.map"), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def main():
    people = [respondent(i + 1) for i in range(2000)]
    make_weights(people)
    write_csv(people)
    write_description()
    write_map()


if __name__ == "__main__":
    main()
