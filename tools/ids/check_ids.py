#!/usr/bin/env python3
"""Checks the id registry (docs/ids.md) against the ids headers it lists.

    check_ids.py [--root DIR]

DIR is the repository (default: two folders above this script). The script reads the header table
and the block tables of docs/ids.md and every header the header table names, and reports, one line
each, and exits with 1 when:

  - a constant of a header lies outside every block of the header's library in the tables of its
    kind (the kind comes from the "// ids: <kind>" marker above the constant, or from the header's
    row when that names one kind only);
  - two blocks of different owners overlap in one table;
  - a file named *Ids.h or *_ids.h lies in a product folder and the header table does not list it,
    or a listed header does not exist;
  - a name is defined twice in the ids headers, or a second name (a constant whose value is another
    constant's name) points at no constant of an ids header;
  - a product .h or .cpp outside the ids headers defines an id by number (see ID_NAME below).

docs/ids.md describes the format ("How the check reads this file").
"""
import argparse
import ast
import os
import re
import sys

KINDS = ("message", "timer", "event", "code", "command", "control", "resource", "type", "string", "help")
# Top-level folders that hold no product code.
NON_PRODUCT = {"tests", "bench", "tools", "cmake"}
# Names of id constants (and of timer constants in classes) that only an ids header may give a number.
ID_NAME = re.compile(r"^(WM_|ID_|IDS_|IDR_|IDB_|IDC_|IDD_|IDI_|IDM_|IDH_|AFX_ID|HID_|XTP_WM_|XTP_TID_|XTP_ID|"
                     r"XTP_NC_|XTP_CN_|XTP_RT_|QVX_TIMER_|QVX_HELP_|QVX_RT_)|^k\w*Timer")
SYMBOLS = {"WM_USER": 0x400, "WM_APP": 0x8000}

MARKER = re.compile(r"^\s*//\s*ids:\s*(\S+)\s*$")
DEFINE = re.compile(r"^\s*#\s*define\s+([A-Za-z_]\w*)(?!\()\s+(.*?)\s*$")
CONSTANT = re.compile(r"^\s*(?:static\s+)?(?:inline\s+)?(?:constexpr|const)\s+[\w:]+(?:\s+[\w:]+)*\s+"
                      r"([A-Za-z_]\w*)\s*=\s*([^;]*);")
NUMBER = re.compile(r"0[xX][0-9a-fA-F]+|\d+")
IDENT = re.compile(r"[A-Za-z_]\w*$")


class IdsError(Exception):
    pass


def strip_comment(text):
    return re.sub(r"//.*$|/\*.*?\*/", "", text).strip()


def value_of(text):
    """The number an id's value stands for; a str (the name) for a second name; None when the value is
    no number (a string, an expression of other names)."""
    text = strip_comment(text)
    if IDENT.match(text) and text not in SYMBOLS:
        return text
    text = re.sub(r"static_cast<[^>]*>", "", text)
    text = re.sub(r"\(\s*(?:UINT|UINT_PTR|int|DWORD|WORD|LONG|unsigned)\s*\)", "", text)
    text = re.sub(r"\b(0[xX][0-9a-fA-F]+|\d+)(?:[uU][lL]{0,2}|[lL]{1,2}[uU]?)\b", r"\1", text)
    for name, number in SYMBOLS.items():
        text = re.sub(r"\b%s\b" % name, str(number), text)
    if not text or not re.fullmatch(r"[0-9a-fA-FxX\s()+\-|<>]*", text) or not re.search(r"\d", text):
        return None
    try:
        tree = ast.parse(text, mode="eval")
    except SyntaxError:
        return None
    for node in ast.walk(tree):
        if not isinstance(node, (ast.Expression, ast.BinOp, ast.UnaryOp, ast.Constant, ast.Add, ast.Sub,
                                 ast.BitOr, ast.LShift, ast.RShift, ast.USub)):
            return None
    return eval(compile(tree, "<id>", "eval"))  # only numbers and arithmetic survive the walk above


# --------------------------------------------------------------------------------------------
# The registry


def table_cells(line):
    return [c.strip().replace("`", "") for c in line.strip().strip("|").split("|")]


def parse_block(text):
    """[(low, high), ...] of a block cell."""
    ranges = []
    for part in text.split(","):
        part = part.strip()
        if " .. " in part:
            ends = part.split(" .. ")
        else:
            m = re.fullmatch(r"(%s)\s*-\s*(%s)" % (NUMBER.pattern, NUMBER.pattern), part)
            ends = [m.group(1), m.group(2)] if m else [part]
        numbers = [value_of(e) for e in ends]
        if len(ends) > 2 or any(not isinstance(n, int) for n in numbers):
            raise IdsError("cannot read the block '%s'" % text)
        low, high = numbers[0], numbers[-1]
        if low > high:
            raise IdsError("the block '%s' ends before it starts" % text)
        ranges.append((low, high))
    return ranges


def parse_registry(path):
    """(headers, tables): headers maps a header path to (library, kinds); tables is a list of dicts
    with the heading, kind and rows (owner, ranges, line)."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    headers, tables, errors = {}, [], []
    heading = ""
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith("#"):
            heading = line.lstrip("#").strip()
            i += 1
            continue
        if not line.startswith("|"):
            i += 1
            continue
        start = i
        while i < len(lines) and lines[i].startswith("|"):
            i += 1
        rows = [table_cells(l) for l in lines[start:i]]
        columns = [c.lower() for c in rows[0]]
        body = list(enumerate(rows[2:], start + 3))
        if columns[:3] == ["library", "header", "kinds"]:
            for number, cells in body:
                kinds = [k.strip() for k in cells[2].split(",")]
                for k in kinds:
                    if k not in KINDS:
                        errors.append("docs/ids.md:%d: unknown kind '%s'" % (number, k))
                headers[cells[1]] = (cells[0], kinds)
        elif columns[:3] == ["block", "owner", "ids"]:
            m = re.search(r"\(kind:\s*(\w+)\)", heading)
            if not m or m.group(1) not in KINDS:
                errors.append("docs/ids.md:%d: the table under '%s' names no known kind" % (start + 1, heading))
                continue
            table = {"heading": heading, "kind": m.group(1), "rows": []}
            for number, cells in body:
                owner = re.match(r"[\w/.-]*", cells[1]).group(0)
                try:
                    table["rows"].append({"owner": owner, "ranges": parse_block(cells[0]), "line": number})
                except IdsError as e:
                    errors.append("docs/ids.md:%d: %s" % (number, e))
            tables.append(table)
    return headers, tables, errors


# --------------------------------------------------------------------------------------------
# The headers


def read_constants(path):
    """[(line, name, value text, marker kind or None)] of a header."""
    found = []
    kind = None
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = MARKER.match(line)
            if m:
                kind = m.group(1)
                continue
            m = DEFINE.match(line) or CONSTANT.match(line)
            if m and strip_comment(m.group(2)):
                found.append((number, m.group(1), m.group(2), kind))
    return found


def product_files(root, predicate):
    for top in sorted(os.listdir(root)):
        base = os.path.join(root, top)
        if top in NON_PRODUCT or top.startswith(".") or not os.path.isdir(base):
            continue
        for folder, dirs, files in os.walk(base):
            dirs[:] = sorted(d for d in dirs if not d.startswith(".") and
                             not os.path.exists(os.path.join(folder, d, "CMakeCache.txt")))
            if os.path.exists(os.path.join(folder, "CMakeCache.txt")):
                dirs[:] = []
                continue
            for name in sorted(files):
                if predicate(name):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def check(root):
    registry = os.path.join(root, "docs", "ids.md")
    if not os.path.exists(registry):
        return ["docs/ids.md is missing"]
    headers, tables, errors = parse_registry(registry)
    libraries = {library for library, _ in headers.values()}

    # Blocks: known owners, no overlap between owners in one table.
    for table in tables:
        for row in table["rows"]:
            if row["owner"] not in libraries:
                errors.append("docs/ids.md:%d: owner '%s' is no library of the header table" %
                              (row["line"], row["owner"]))
        rows = table["rows"]
        for a in range(len(rows)):
            for b in range(a + 1, len(rows)):
                if rows[a]["owner"] == rows[b]["owner"]:
                    continue
                for lo1, hi1 in rows[a]["ranges"]:
                    for lo2, hi2 in rows[b]["ranges"]:
                        if lo1 <= hi2 and lo2 <= hi1:
                            errors.append("docs/ids.md:%d: the block of %s overlaps the block of %s at line %d "
                                          "(table '%s')" % (rows[b]["line"], rows[b]["owner"], rows[a]["owner"],
                                                            rows[a]["line"], table["heading"]))

    # Every ids header listed, every listed header there.
    on_disk = set(product_files(root, lambda n: re.search(r"(Ids|_ids)\.h$", n) is not None))
    for path in sorted(on_disk - set(headers)):
        errors.append("%s: an ids header that docs/ids.md does not list" % path)
    for path in sorted(set(headers) - on_disk):
        if not os.path.exists(os.path.join(root, path)):
            errors.append("docs/ids.md lists %s, which does not exist" % path)

    # Constants: kind, block, one definition.
    defined = {}
    constants = []
    for path, (library, kinds) in sorted(headers.items()):
        full = os.path.join(root, path)
        if not os.path.exists(full):
            continue
        for number, name, text, marker in read_constants(full):
            where = "%s:%d" % (path, number)
            if name in defined:
                errors.append("%s: %s is defined again (first at %s)" % (where, name, defined[name]))
                continue
            defined[name] = where
            kind = marker or (kinds[0] if len(kinds) == 1 else None)
            if kind is None:
                errors.append("%s: %s has no kind: put an '// ids: <kind>' line above it" % (where, name))
                continue
            if kind not in kinds:
                errors.append("%s: kind '%s' of %s is not among the kinds docs/ids.md gives %s (%s)" %
                              (where, kind, name, path, ", ".join(kinds)))
                continue
            constants.append((where, name, text, kind, library))
    for where, name, text, kind, library in constants:
        value = value_of(text)
        if isinstance(value, str):
            if value not in defined:
                errors.append("%s: %s is a second name of %s, which no ids header defines" % (where, name, value))
            continue
        if value is None:
            errors.append("%s: cannot read the value of %s ('%s')" % (where, name, strip_comment(text)))
            continue
        inside = any(lo <= value <= hi
                     for table in tables if table["kind"] == kind
                     for row in table["rows"] if row["owner"] == library
                     for lo, hi in row["ranges"])
        if not inside:
            errors.append("%s: %s = %s (%s) lies outside every %s block of %s in docs/ids.md" %
                          (where, name, hex(value) if value > 255 else value, strip_comment(text), kind, library))

    # Strays: ids given a number outside the ids headers.
    for path in product_files(root, lambda n: n.endswith((".h", ".cpp"))):
        if path in headers or path in on_disk:  # an unlisted ids header is reported above
            continue
        for number, name, text, _ in read_constants(os.path.join(root, path)):
            if ID_NAME.search(name) and isinstance(value_of(text), int):
                errors.append("%s:%d: %s gets its number here; ids are defined in the ids headers of docs/ids.md" %
                              (path, number, name))
    return errors


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    args = parser.parse_args(argv)
    errors = check(os.path.abspath(args.root))
    for e in errors:
        print(e)
    if errors:
        print("check_ids.py: %d fault(s) in the id registry" % len(errors))
        return 1
    print("check_ids.py: the ids headers agree with docs/ids.md")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
