#!/usr/bin/env python3
"""Self-test of check_ids.py: a small repository (a registry, two libraries with one ids header each,
a source file) is written to a temporary folder, changed as each case says, and checked. The clean
case must pass; every other case must give exactly the faults it names, each found by the name or
file it is about."""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_ids  # noqa: E402

REGISTRY = """# Id registry

## Headers

| library | header | kinds | what |
|---|---|---|---|
| alpha | `alpha/AlphaIds.h` | message, command | alpha's ids |
| beta | `beta/BetaIds.h` | string | beta's strings |

## Window messages (kind: message)

| block | owner | ids |
|---|---|---|
| WM_USER + 10 .. WM_USER + 19 | alpha | posted to the alpha window |
| 0x2000-0x200F | beta | free |

## Commands (kind: command)

| block | owner | ids |
|---|---|---|
| 100-199 | alpha (program's own) | alpha's commands |

## Strings (kind: string)

| block | owner | ids |
|---|---|---|
| 6000-6015 | beta | beta's strings |
"""

ALPHA = """#pragma once
// ids: message
constexpr UINT WM_ALPHA_PING = WM_USER + 12;
// ids: command
#define ID_ALPHA_RUN 150
#define ID_ALPHA_GO ID_ALPHA_RUN
"""

BETA = """#ifndef BETA_IDS_H
#define BETA_IDS_H
#define IDS_BETA_TITLE 6001
#endif
"""

SOURCE = """#include "alpha/AlphaIds.h"
static constexpr UINT kRunCommand = ID_ALPHA_RUN;
"""

BASE = {"docs/ids.md": REGISTRY, "alpha/AlphaIds.h": ALPHA, "beta/BetaIds.h": BETA, "alpha/Alpha.cpp": SOURCE}


def replace(path, old, new):
    def change(files):
        assert old in files[path], "%s: the case's text is not in the fixture" % path
        files[path] = files[path].replace(old, new)
    return change


def add(path, text):
    def change(files):
        files[path] = text
    return change


# (name, change of the fixture, the faults as (words every one of them contains))
CASES = [
    ("clean", None, []),
    ("constant outside its library's block",
     replace("alpha/AlphaIds.h", "#define ID_ALPHA_RUN 150", "#define ID_ALPHA_RUN 250"),
     [("alpha/AlphaIds.h:5", "ID_ALPHA_RUN", "outside every command block of alpha")]),
    ("constant in a block of another library",
     replace("alpha/AlphaIds.h", "WM_USER + 12;", "0x2003;"),
     [("alpha/AlphaIds.h:3", "WM_ALPHA_PING", "outside every message block of alpha")]),
    ("blocks of two owners overlap",
     replace("docs/ids.md", "| 0x2000-0x200F | beta |", "| WM_USER + 19 .. 0x200F | beta |"),
     [("overlaps", "beta", "alpha", "Window messages")]),
    ("ids header the registry does not list",
     add("beta/sub/GammaIds.h", "#define IDS_GAMMA 6002\n"),
     [("beta/sub/GammaIds.h", "does not list")]),
    ("constant without a kind in a header of several kinds",
     replace("alpha/AlphaIds.h", "#pragma once\n// ids: message\n", "#pragma once\n"),
     [("WM_ALPHA_PING", "has no kind")]),
    ("second name of nothing",
     replace("alpha/AlphaIds.h", "ID_ALPHA_GO ID_ALPHA_RUN", "ID_ALPHA_GO ID_ALPHA_STOP"),
     [("ID_ALPHA_GO", "ID_ALPHA_STOP", "no ids header defines")]),
    ("id given its number outside the ids headers",
     add("alpha/AlphaWindow.cpp", "#define WM_ALPHA_PONG WM_USER + 13\nconst UINT_PTR kPollTimer = 7;\n"),
     [("alpha/AlphaWindow.cpp:1", "WM_ALPHA_PONG", "gets its number here"),
      ("alpha/AlphaWindow.cpp:2", "kPollTimer", "gets its number here")]),
    ("name defined in two ids headers",
     replace("beta/BetaIds.h", "#endif", "#define ID_ALPHA_RUN 6002\n#endif"),
     [("beta/BetaIds.h", "ID_ALPHA_RUN", "defined again")]),
]


def run_case(name, change, expected):
    files = dict(BASE)
    if change:
        change(files)
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        faults = check_ids.check(root)
    problems = []
    if len(faults) != len(expected):
        problems.append("expected %d fault(s), got %d" % (len(expected), len(faults)))
    for words in expected:
        if not any(all(w in fault for w in words) for fault in faults):
            problems.append("no fault mentions %s" % " / ".join(words))
    for p in problems:
        print("FAIL %s: %s" % (name, p))
    if problems:
        for fault in faults:
            print("     got: %s" % fault)
    else:
        print("ok   %s" % name)
    return not problems


def main():
    results = [run_case(*case) for case in CASES]
    failed = results.count(False)
    print("%d of %d cases passed" % (len(results) - failed, len(results)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
