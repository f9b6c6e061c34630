#!/usr/bin/env python3
"""Rewrites every #include of one of the project's headers to its form from the repository root.

    python3 tools/root-includes.py [file ...]     (no file: every tracked .h, .cpp and .rc)

`#include "Wnd.h"` becomes `#include "framework/Wnd.h"`: the header is found by its name among the
tracked headers (a name that two folders share is resolved to the including file's own folder, else
left alone and reported). Suites keep the SDK's plain `<QuorvexSuite.h>`; harness code gets
"sdk/QuorvexSuite.h". Useful after merging a branch written before the folders were include roots.
"""
import os
import re
import subprocess
import sys

root = subprocess.check_output(['git', 'rev-parse', '--show-toplevel'], text=True).strip()
os.chdir(root)
tracked = sorted(set(subprocess.check_output(['git', 'ls-files'], text=True).split()))
by_name = {}
for header in (f for f in tracked if f.endswith('.h')):
    by_name.setdefault(os.path.basename(header), []).append(header)
suites = ('samples/', 'tests/engine/fixtures/', 'tests/ui/fixtures/', 'bench/engine/EngineBenchSuite.cpp')
include = re.compile(r'^(\s*#\s*include\s*)(["<])([^">]+)([">])', re.M)

files = sys.argv[1:] or [f for f in tracked if f.endswith(('.h', '.cpp', '.rc')) and not f.startswith('docs/')]
changed = 0
for path in files:
    text = open(path, encoding='utf-8', errors='surrogateescape').read()

    def fix(m):
        lead, opening, name, _ = m.groups()
        base = os.path.basename(name)
        if base == 'QuorvexSuite.h':
            return m.group(0) if path.startswith(suites) else lead + '"sdk/QuorvexSuite.h"'
        if opening == '<':
            return m.group(0)
        candidates = by_name.get(base, [])
        if len(candidates) > 1:
            candidates = [c for c in candidates if os.path.dirname(c) == os.path.dirname(path)]
            if len(candidates) != 1:
                print(f'{path}: "{name}" is ambiguous, left alone', file=sys.stderr)
                return m.group(0)
        return lead + '"' + candidates[0] + '"' if candidates else m.group(0)

    fixed = include.sub(fix, text)
    if fixed != text:
        open(path, 'w', encoding='utf-8', errors='surrogateescape').write(fixed)
        changed += 1
print(f'{changed} files rewritten')
