#!/usr/bin/env python3
"""Checks language files ("qivst???.btx").

    tools/langcheck.py LANGFILE                 syntax of one language file
    tools/langcheck.py LANGFILE --like OTHER    OTHER has every text of LANGFILE
    tools/langcheck.py LANGFILE --refs DOC      LANGFILE has every text that
                                                the design text DOC refers to
    tools/langcheck.py --list DOC               the (group, number) pairs of DOC

The parser follows docs/language-file.md. References are found in phrasings
such as "text 4 of group 9", "texts 10 to 16 of group 5", "group 3 texts 1
and 10 to 24", "sets texts of group 5: "name" 45, ...", table columns headed
"text", "3/10" cells, graph tools "(18, 5, "graph_...")", and a bare "text n"
in a section that names its group earlier. Exit status 1 when something is
missing or wrong.
"""
import re
import sys

MAX_GROUP, MAX_NUMBER, MAX_LINE = 999, 9999, 4096
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"'}


# The texts the program hands to printf, as dataset/TextCatalog.cpp checks
# them: "n" a conversion that takes a double (%f, %e, %g), in order.
FORMAT_TEXTS = {(0, 21): "n", (0, 22): "n"}
CONVERSION = re.compile(r"%(%|[-+ #0]*\d*(?:\.\d*)?(.?))", re.S)


def format_fault(group, number, text):
    """Why a formatted text does not take what the program passes, or None."""
    wanted = FORMAT_TEXTS.get((group, number))
    if wanted is None:
        return None
    found = "".join("n" if m.group(2) and m.group(2) in "fFeEgG" else "?"
                    for m in CONVERSION.finditer(text) if m.group(1) != "%")
    if found == wanted:
        return None
    return (f"{group}.{number} must hold {len(wanted)} number conversion(s) such as %.0f "
            f"and no other (a percent sign is written %%)")


def parse_btx(path):
    """(entries {(group, number): text}, errors [str])."""
    data = open(path, "rb").read()
    errors, entries = [], {}
    if data.startswith(b"\xef\xbb\xbf"):
        return entries, ["line 1: saved as UTF-8"]
    for lineno, raw in enumerate(data.split(b"\n"), 1):
        if len(raw) > MAX_LINE:
            errors.append(f"line {lineno}: longer than {MAX_LINE} bytes")
            continue
        line = raw[:-1] if raw.endswith(b"\r") else raw
        text = line.decode("cp1252", errors="replace")
        if any((ord(c) < 32 and c != "\t") or ord(c) == 127 for c in text):
            errors.append(f"line {lineno}: control character")
            continue
        body = text.lstrip(" \t")
        if not body or body[0] in "#;":
            continue
        m = re.match(r"(\d{1,3})\.(\d{1,4})[ \t]+(.*?)[ \t]*$", body)
        if not m:
            errors.append(f"line {lineno}: not 'group.number<TAB>text'")
            continue
        group, number, value = int(m.group(1)), int(m.group(2)), m.group(3)
        if value == "":
            errors.append(f"line {lineno}: text missing")
            continue
        quoted = value.startswith('"')
        if quoted:
            if len(value) < 2 or not value.endswith('"'):
                errors.append(f"line {lineno}: closing quote missing")
                continue
            value = value[1:]
        out, i, bad = [], 0, None
        while i < len(value):
            c = value[i]
            if quoted and c == '"':
                if i != len(value) - 1:
                    bad = "quote inside a quoted text"
                break
            if c == "\\":
                i += 1
                if i >= len(value) or value[i] not in ESCAPES:
                    bad = "bad escape"
                    break
                out.append(ESCAPES[value[i]])
            else:
                out.append(c)
            i += 1
        else:
            if quoted:
                bad = "closing quote missing"
        if bad:
            errors.append(f"line {lineno}: {bad}")
            continue
        if (group, number) in entries:
            errors.append(f"line {lineno}: {group}.{number} given twice")
            continue
        fault = format_fault(group, number, "".join(out))
        if fault:
            errors.append(f"line {lineno}: {fault}")
            continue
        entries[(group, number)] = "".join(out)
    return entries, errors


NUM_LIST = r"\d+(?:\s*(?:,|and|or|to|-|–)\s*\d+(?! text))*"


def expand(numbers):
    result = []
    for part in re.split(r"\s*(?:,|and|or)\s*", numbers.strip()):
        m = re.match(r"(\d+)\s*(?:to|-|–)\s*(\d+)$", part)
        if m:
            result.extend(range(int(m.group(1)), int(m.group(2)) + 1))
        elif part.isdigit():
            result.append(int(part))
    return result


def references(path):
    """Every (group, number) the document refers to, with a sample line."""
    refs = {}
    text = open(path, encoding="utf-8").read()
    sections = re.split(r"\n(?=# )", text)

    def add(group, number, where):
        refs.setdefault((group, number), where.strip()[:100])

    for section in sections:
        first = re.search(r"(?<!menu )group (\d+)", section)
        current = int(first.group(1)) if first else None
        for line in section.split("\n"):
            # Registry entries and title ids name texts of group 1.
            for m in re.finditer(r'"USE_[A-Z_]+"\s+(\d+),\s*\d+', line):
                add(1, int(m.group(1)), line)
            for m in re.finditer(r"(?:text and menu id|title text id|text id|menu text number|"
                                 r"title id) (\d+)(?!\d)(?!,? (?:and title )?group)", line):
                add(1, int(m.group(1)), line)
            for m in re.finditer(r"title id (\d+)(?:,| and title) group (\d+)", line):
                add(int(m.group(2)), int(m.group(1)), line)
            for m in re.finditer(r"\((\d+), (\d+), \"graph_", line):
                add(int(m.group(2)), int(m.group(1)), line)
            for m in re.finditer(r"(?:event )?code (\d+),? (?:and )?value (\d+)", line):
                add(int(m.group(2)), int(m.group(1)), line)
            for m in re.finditer(r"\|\s*(\d+)/(\d+)\s*(?:\(|\|)", line):
                add(int(m.group(1)), int(m.group(2)), line)

            # Explicit references; their spans are blanked before the bare scan.
            spans = []
            for m in re.finditer(r"texts? (" + NUM_LIST + r")(?: \([^)]*\))? (?:of|in|from) "
                                 r"(?:language )?group (\d+)", line):
                for n in expand(m.group(1)):
                    add(int(m.group(2)), n, line)
                spans.append(m.span())
            for m in re.finditer(r"(?<!menu )group (\d+),? texts? (" + NUM_LIST + ")", line):
                for n in expand(m.group(2)):
                    add(int(m.group(1)), n, line)
                spans.append(m.span())
            # "name" N pairs belong to the group named in their clause.
            line_group = None
            for clause in line.split(";"):
                pairs = list(re.finditer(r'"[^"]+"(?: \([^)]*\))?,? (?:text )?(\d+)\b', clause))
                groups = [(g.start(), int(g.group(1)))
                          for g in re.finditer(r"(?<!menu )group (\d+)", clause)]
                if groups:
                    line_group = groups[-1][1]
                elif line_group is not None:
                    groups = [(-1, line_group)]
                if not pairs or not groups:
                    continue
                for p in pairs:
                    after = [g for pos, g in groups if pos > p.start()]
                    before = [g for pos, g in groups if pos < p.start()]
                    group = before[-1] if before else after[0]
                    if re.search(r"all of group", clause) and after:
                        group = after[0]
                    add(group, int(p.group(1)), line)

            # Bare "text n": the group named last before it (in the line or
            # earlier in the section). "code 2 text 0, 3 text 1" maps codes.
            bare = list(line)
            for a, b in spans:
                bare[a:b] = " " * (b - a)
            bare = "".join(bare)
            mentions = [(g.start(), int(g.group(1)))
                        for g in re.finditer(r"(?<!menu )group (\d+)", line)]
            for m in re.finditer(r"(?<![\w-])[Tt]exts? (" + NUM_LIST + r")(?!\d)", bare):
                before = [g for pos, g in mentions if pos < m.start()]
                group = before[-1] if before else current
                if group is None:
                    continue
                lead = bare[max(0, m.start() - 12):m.start()]
                if re.search(r"(?:heading|tip) $", lead) and "distribution" in bare[m.end():m.end() + 40]:
                    continue
                for n in expand(m.group(1)):
                    add(group, n, line)
            if mentions:
                current = mentions[-1][1]

            # Table rows: the column headed "text" holds numbers.
            if line.startswith("|"):
                cells = [c.strip() for c in line.strip("|").split("|")]
                for index, cell in enumerate(cells):
                    if re.fullmatch(r"\d+(?:, \d+)*", cell) and table_text_column(section, line, index):
                        group = table_group(section, line, current)
                        if group is not None:
                            for n in expand(cell):
                                add(group, n, line)
    return refs


def table_header(section, row):
    lines = section.split("\n")
    at = lines.index(row)
    while at > 0 and lines[at - 1].startswith("|"):
        at -= 1
    return [c.strip() for c in lines[at].strip("|").split("|")]


def table_text_column(section, row, index):
    header = table_header(section, row)
    return index < len(header) and re.search(r"\btext\b", header[index]) is not None \
        and "texts of" not in header[index]


def table_group(section, row, current):
    for cell in table_header(section, row):
        m = re.search(r"group (\d+)", cell)
        if m:
            return int(m.group(1))
    return current


def main(argv):
    args = argv[1:]
    if len(args) == 2 and args[0] == "--list":
        for (g, n), where in sorted(references(args[1]).items()):
            print(f"{g}.{n}\t{where}")
        return 0
    if not args:
        print(__doc__)
        return 2
    entries, errors = parse_btx(args[0])
    for e in errors:
        print(f"{args[0]}: {e}")
    status = 1 if errors else 0
    if len(args) == 3 and args[1] == "--like":
        other, other_errors = parse_btx(args[2])
        for e in other_errors:
            print(f"{args[2]}: {e}")
        missing = sorted(set(entries) - set(other))
        for g, n in missing:
            print(f"{args[2]}: {g}.{n} missing")
        status |= 1 if other_errors or missing else 0
    elif len(args) == 3 and args[1] == "--refs":
        refs = references(args[2])
        missing = sorted(set(refs) - set(entries))
        for g, n in missing:
            print(f"{g}.{n} missing\t{refs[(g, n)]}")
        print(f"{len(refs)} references, {len(missing)} missing, {len(entries)} texts")
        status |= 1 if missing else 0
    elif len(args) != 1:
        print(__doc__)
        return 2
    else:
        print(f"{len(entries)} texts, {len(errors)} errors")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
