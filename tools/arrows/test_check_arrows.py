#!/usr/bin/env python3
"""Tests of check_arrows.py on small trees: each case writes a few files and a target map and names the
problems the check must report (none for a clean tree)."""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_arrows  # noqa: E402

# Three libraries, lowest first: low <- mid <- top; top also has a room below its folder.
BASE_FILES = {
    'low/Low.h': '#pragma once\n',
    'low/Low.cpp': '#include "low/Low.h"\n',
    'mid/Mid.h': '#pragma once\n#include "low/Low.h"\n',
    'mid/Mid.cpp': '#include "mid/Mid.h"\n',
    'top/room/Top.h': '#pragma once\n#include "mid/Mid.h"\n',
    'top/room/Top.cpp': '#include "top/room/Top.h"\n',
    'top/Ids.h': '#pragma once\n',
    'top/Top.rc': '#include "top/Ids.h"\n',
    'other/Helper.cpp': '// shared by nobody\n',
    # A library with two rooms, lower first, and an ids header at its root.
    'roomy/RoomyIds.h': '#pragma once\n',
    'roomy/base/Base.h': '#pragma once\n#include "roomy/RoomyIds.h"\n',
    'roomy/base/Base.cpp': '#include "roomy/base/Base.h"\n',
    'roomy/upper/Upper.h': '#pragma once\n#include "roomy/base/Base.h"\n',
    'roomy/upper/Upper.cpp': '#include "roomy/upper/Upper.h"\n',
    'roomy/upper/UpperPaint.cpp': '#include "roomy/upper/Upper.h"\n',
}
BASE_MAP = """target low STATIC_LIBRARY low
source low low/Low.cpp
target mid STATIC_LIBRARY mid
source mid mid/Mid.cpp
link mid low
link mid kernel32
target top STATIC_LIBRARY top
source top top/room/Top.cpp
source top top/Top.rc
link top mid
link top $<LINK_ONLY:ZLIB::ZLIB>
target roomy STATIC_LIBRARY roomy
source roomy roomy/base/Base.cpp
source roomy roomy/upper/Upper.cpp
source roomy roomy/upper/UpperPaint.cpp
rooms roomy base upper
target prog EXECUTABLE app
link prog top
target tests_all EXECUTABLE tests/all
source tests_all other/Helper.cpp
link tests_all top
"""

CASES = [
    # name, files to add or replace, map lines to add, map lines to drop, expected problem kinds
    ('clean tree', {}, '', [], []),
    ('include of a library not declared',
     {'low/Low.cpp': '#include "low/Low.h"\n#include "top/room/Top.h"\n'}, '', [], ['undeclared']),
    ('a header included by its own folder', {'top/Top.rc': '#include "Ids.h"\n'}, '', [], ['bare']),
    ('an include by its folder still counts as an arrow', {'top/Top.rc': '#include "../low/Low.h"\n'}, '', [],
     ['bare', 'undeclared']),
    ('declared but never included', {}, 'link low mid\n', [], ['unused']),
    ('a library reached only through another\'s links is not declared',
     {'top/room/Top.cpp': '#include "top/room/Top.h"\n#include "low/Low.h"\n'}, '', [], ['undeclared']),
    ('declared directly, it may be included',
     {'top/room/Top.cpp': '#include "top/room/Top.h"\n#include "low/Low.h"\n'}, 'link top low\n', [], []),
    ('a header that reaches upward', {'mid/Mid.h': '#pragma once\n#include "low/Low.h"\n#include "top/Ids.h"\n'}, '', [],
     ['undeclared']),
    ('two headers of one library include each other',
     {'mid/A.h': '#pragma once\n#include "mid/B.h"\n', 'mid/B.h': '#pragma once\n#include "mid/A.h"\n',
      'mid/Mid.cpp': '#include "mid/A.h"\n#include "mid/Mid.h"\n'}, '', [], ['cycle']),
    ('a library compiling another folder\'s source', {}, 'source top other/Helper.cpp\n', [], ['outside']),
    ('attached object files are no declaration', {}, 'link top $<TARGET_OBJECTS:low>\n', [], []),
    ('a library\'s resources include what the library may',
     {'top/res/Top.rc': '#include "top/Ids.h"\n#include "mid/Mid.h"\n'},
     'target top_res OBJECT_LIBRARY top/res\nsource top_res top/res/Top.rc\nlink top $<TARGET_OBJECTS:top_res>\n',
     [], []),
    ('resources of nobody declare what they include',
     {'top/res/Top.rc': '#include "top/Ids.h"\n'},
     'target top_res OBJECT_LIBRARY top/res\nsource top_res top/res/Top.rc\n', [], ['undeclared']),
    ('a lower room\'s header includes a higher room',
     {'roomy/upper/Other.h': '#pragma once\n',
      'roomy/base/Base.h': '#pragma once\n#include "roomy/RoomyIds.h"\n#include "roomy/upper/Other.h"\n'},
     '', [], ['room order']),
    ('a lower room\'s source uses a higher room: the classes of two rooms use each other',
     {'roomy/base/Base.cpp': '#include "roomy/base/Base.h"\n#include "roomy/upper/Upper.h"\n'}, '', [],
     ['room cycle']),
    ('the same through a second source of the class',
     {'roomy/base/BaseDraw.cpp': '#include "roomy/upper/Upper.h"\n'}, 'source roomy roomy/base/BaseDraw.cpp\n',
     [], ['room cycle']),
    ('rooms in a declared knot may use each other',
     {'roomy/base/Base.cpp': '#include "roomy/base/Base.h"\n#include "roomy/upper/Upper.h"\n'},
     'knot roomy base upper\n', [], []),
    ('a subfolder that is no room', {'roomy/stray/Stray.h': '#pragma once\n'}, '', [], ['room']),
    ('tests may use what they link', {'other/Helper.cpp': '#include "low/Low.h"\n'}, '', [], []),
]


def run_case(files, map_add, map_drop):
    root = tempfile.mkdtemp(prefix='arrows-')
    try:
        tree = dict(BASE_FILES)
        tree.update(files)
        for rel, text in tree.items():
            path = os.path.join(root, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w') as f:
                f.write(text)
        lines = [l for l in BASE_MAP.splitlines() if l not in map_drop] + map_add.splitlines()
        map_path = os.path.join(root, 'arrows.map')
        with open(map_path, 'w') as f:
            f.write('\n'.join(lines) + '\n')
        targets = check_arrows.read_map(map_path)
        return check_arrows.check(root, targets)
    finally:
        shutil.rmtree(root)


def main():
    failures = 0
    for name, files, map_add, map_drop, expected in CASES:
        problems = run_case(files, map_add, map_drop)
        kinds = sorted(set(p.split(':', 1)[0] for p in problems))
        if kinds != sorted(expected):
            failures += 1
            print('FAIL %s: expected %s, got %s' % (name, sorted(expected), problems))
        else:
            print('ok   %s' % name)
    # A malformed map is refused, not read as an empty one.
    root = tempfile.mkdtemp(prefix='arrows-')
    try:
        bad = os.path.join(root, 'bad.map')
        with open(bad, 'w') as f:
            f.write('target onlytwo\n')
        code = check_arrows.main(['--root', root, '--map', bad])
        if code != 2:
            failures += 1
            print('FAIL malformed map: exit code %d, expected 2' % code)
        else:
            print('ok   malformed map')
    finally:
        shutil.rmtree(root)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
