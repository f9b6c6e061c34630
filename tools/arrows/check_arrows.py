#!/usr/bin/env python3
"""Checks that the project's libraries keep to the arrows their link lines declare.

CMake writes a map of every target (folder, sources, declared links) at configure time
(cmake/QuorvexArrows.cmake); this script reads it with the sources and reports:

  undeclared   a file of library L includes a project header of library M, and L's link line
               (target_link_libraries) does not name M: a link line is the list of what its library may
               include, so reaching M only through another library's links is not enough;
  unused       a library declares a project library that none of its files includes (object files
               attached with $<TARGET_OBJECTS:...> are not declarations: they are the library's own,
               its resources, and include what the library may);
  outside      a library or program compiles a source of another folder (one that no library of that
               folder owns), instead of linking a library that carries it;
  cycle        project files include each other in a circle;
  bare         a file includes a project header by its own folder ("Ids.h") instead of from the
               repository root ("toolkit/common/Ids.h").

Libraries with rooms (subfolders by concern, property QVX_ROOMS, lowest first) are also checked inside:

  room order   a header of one room includes a header of a room listed above it (a header may include
               its own room, lower rooms and the library's root);
  room         a subfolder that is not among the library's rooms;
  room cycle   sources of different rooms use each other in a circle (a class, its header with its
               sources, counts as one), unless every room of the circle is in the library's knot
               (property QVX_ROOM_KNOT: rooms whose sources are known to use each other).

Libraries and programs in the product's folders are checked; test and benchmark programs, which may
use anything they link, are not. Exit code 0 when nothing is found, 1 otherwise, 2 on bad input.
"""
import argparse
import os
import re
import sys

INCLUDE_RE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
SOURCE_SUFFIXES = ('.h', '.hpp', '.inl', '.c', '.cpp', '.rc', '.in')
LIBRARY_TYPES = ('STATIC_LIBRARY', 'OBJECT_LIBRARY', 'INTERFACE_LIBRARY', 'SHARED_LIBRARY',
                 'MODULE_LIBRARY')
# Folders whose programs are top-level consumers: not checked.
CONSUMER_FOLDERS = ('tests', 'bench')
# A preference among the libraries of one folder for the files no target lists.
OWNER_PREFERENCE = {'STATIC_LIBRARY': 0, 'INTERFACE_LIBRARY': 1, 'OBJECT_LIBRARY': 2,
                    'SHARED_LIBRARY': 3, 'MODULE_LIBRARY': 3, 'EXECUTABLE': 4}


class Target:
    def __init__(self, name, kind, folder):
        self.name = name
        self.kind = kind
        self.folder = folder
        self.sources = []
        self.links = []          # declared project-or-not items, generator expressions resolved
        self.attached = []       # $<TARGET_OBJECTS:x> items
        self.incdirs = []        # folders the target gives its users for <...> includes
        self.rooms = []          # subfolders by concern, lowest first
        self.knot = []           # rooms whose sources may use each other

    @property
    def is_library(self):
        return self.kind in LIBRARY_TYPES


def norm(path):
    return os.path.normpath(path).replace('\\', '/')


def link_items(raw):
    """Yields (name, attached) for one declared link item, looking through generator expressions."""
    m = re.fullmatch(r'\$<TARGET_OBJECTS:([^>]+)>', raw)
    if m:
        yield m.group(1), True
        return
    m = re.fullmatch(r'\$<LINK_ONLY:([^>]+)>', raw)
    if m:
        yield m.group(1), False
        return
    if raw.startswith('$<'):
        # A conditional item ($<$<CONFIG:...>:name>): take what follows the last colon.
        inner = raw.rstrip('>').rsplit(':', 1)[-1]
        if inner and not inner.startswith('$<'):
            yield inner, False
        return
    yield raw, False


def read_map(path):
    targets = {}
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            parts = line.split()
            if not parts:
                continue
            if parts[0] == 'target' and len(parts) == 4:
                targets[parts[1]] = Target(parts[1], parts[2], norm(parts[3]))
            elif parts[0] in ('rooms', 'knot') and len(parts) >= 3 and parts[1] in targets:
                setattr(targets[parts[1]], 'rooms' if parts[0] == 'rooms' else 'knot', parts[2:])
            elif parts[0] == 'incdir' and len(parts) == 3 and parts[1] in targets:
                targets[parts[1]].incdirs.append(norm(parts[2]))
            elif parts[0] in ('source', 'link') and len(parts) >= 3 and parts[1] in targets:
                item = ' '.join(parts[2:])
                t = targets[parts[1]]
                if parts[0] == 'source':
                    t.sources.append(norm(item))
                else:
                    for name, attached in link_items(item):
                        (t.attached if attached else t.links).append(name)
            else:
                raise ValueError('%s:%d: not a map record: %s' % (path, number, line.rstrip()))
    return targets


def checked(target):
    top = target.folder.split('/')[0]
    return top not in CONSUMER_FOLDERS and target.folder != '.'


class Tree:
    """The project's files, who owns each, and what each includes."""

    def __init__(self, root, targets):
        self.root = root
        self.targets = targets
        self.listed = {}
        for t in targets.values():
            for s in t.sources:
                if not s.startswith('..'):
                    self.listed.setdefault(s, t.name)
        self.folder_owner = {}
        for t in sorted(targets.values(), key=lambda t: (OWNER_PREFERENCE.get(t.kind, 9), t.name)):
            self.folder_owner.setdefault(t.folder, t.name)
        self._includes = {}
        self.bare = {}  # file -> [(line, name)] of project headers included by their own folder
        self.incdirs = sorted(set(d for t in targets.values() for d in t.incdirs))

    def exists(self, rel):
        return os.path.isfile(os.path.join(self.root, rel))

    def owner(self, rel):
        """The target a project file belongs to, or None."""
        if rel in self.listed:
            return self.listed[rel]
        stem, _ = os.path.splitext(rel)
        for suffix in ('.cpp', '.c'):
            if stem + suffix in self.listed:
                return self.listed[stem + suffix]
        folder = os.path.dirname(rel)
        while folder:
            if folder in self.folder_owner:
                return self.folder_owner[folder]
            folder = os.path.dirname(folder)
        return None

    def includes(self, rel):
        """[(line, included project file)] of one file; includes outside the tree are left out."""
        if rel in self._includes:
            return self._includes[rel]
        found = []
        try:
            with open(os.path.join(self.root, rel), encoding='utf-8', errors='replace') as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE_RE.match(line)
                    if not m:
                        continue
                    name = m.group(2)
                    if m.group(1) == '<':
                        # The plain form of a header a library gives its users (<QuorvexSuite.h>).
                        candidates = [norm(os.path.join(d, name)) for d in self.incdirs]
                    else:
                        candidates = [norm(name), norm(os.path.join(os.path.dirname(rel), name))]
                    for candidate in candidates:
                        if not candidate.startswith('..') and self.exists(candidate):
                            found.append((number, candidate))
                            if m.group(1) == '"' and candidate != norm(name):
                                self.bare.setdefault(rel, []).append((number, name))
                            break
        except OSError:
            pass
        self._includes[rel] = found
        return found

    def files_of(self, folder):
        result = []
        for dirpath, dirnames, filenames in os.walk(os.path.join(self.root, folder)):
            dirnames[:] = sorted(d for d in dirnames if not d.startswith('.') and not d.startswith('build'))
            for n in sorted(filenames):
                if n.endswith(SOURCE_SUFFIXES):
                    result.append(norm(os.path.relpath(os.path.join(dirpath, n), self.root)))
        return result


def closure(targets, name):
    seen = set()
    stack = [d for d in targets[name].links if d in targets]
    while stack:
        d = stack.pop()
        if d in seen:
            continue
        seen.add(d)
        stack.extend(x for x in targets[d].links if x in targets)
    return seen


def find_cycles(tree, files):
    """Strongly connected groups of files that include each other (Tarjan, iterative)."""
    index = {}
    low = {}
    on_stack = set()
    stack = []
    groups = []
    counter = [0]
    fileset = set(files)
    for start in files:
        if start in index:
            continue
        work = [(start, iter([f for _, f in tree.includes(start) if f in fileset]))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter[0]
                    counter[0] += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter([f for _, f in tree.includes(child) if f in fileset])))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    top = stack.pop()
                    on_stack.discard(top)
                    group.append(top)
                    if top == node:
                        break
                if len(group) > 1 or any(f == node for _, f in tree.includes(node)):
                    groups.append(sorted(group))
    return groups


def room_of(target, rel):
    """The room of a file of a library with rooms: its first folder below the library's; '' at the root."""
    inner = rel[len(target.folder) + 1:] if target.folder != '.' else rel
    return inner.split('/', 1)[0] if '/' in inner else ''


def component_of(rel, headers):
    """A class: its header with every source of its folder whose name starts with the header's name."""
    folder = os.path.dirname(rel)
    stem = os.path.splitext(os.path.basename(rel))[0]
    best = None
    for h in headers.get(folder, ()):
        if stem.startswith(h) and (best is None or len(h) > len(best)):
            best = h
    return folder + '/' + (best or stem)


class ComponentTree:
    """Classes of one library as nodes, with an edge where a file of one includes a header of another."""

    def __init__(self, tree, files):
        self.tree = tree
        self.files = files
        headers = {}
        for f in files:
            if f.endswith(('.h', '.hpp')):
                headers.setdefault(os.path.dirname(f), []).append(os.path.splitext(os.path.basename(f))[0])
        self.component = dict((f, component_of(f, headers)) for f in files)

    def includes(self, node):
        return self._edges.get(node, [])

    def nodes(self):
        self._edges = {}
        for f in sorted(self.files):
            a = self.component[f]
            for _, inc in self.tree.includes(f):
                b = self.component.get(inc)
                if b and b != a:
                    self._edges.setdefault(a, set()).add(b)
        self._edges = dict((k, [(0, x) for x in sorted(v)]) for k, v in self._edges.items())
        return sorted(set(self.component.values()))


def check_rooms(tree, target, files):
    problems = []
    rooms = target.rooms
    for f in sorted(files):
        room = room_of(target, f)
        if room and room not in rooms:
            problems.append('room: %s lies in %s/%s, which is not a room of %s (QVX_ROOMS)'
                            % (f, target.folder, room, target.name))
            continue
        if not f.endswith(('.h', '.hpp')):
            continue
        level = rooms.index(room) if room else -1
        for line, inc in tree.includes(f):
            if inc not in files:
                continue
            other = room_of(target, inc)
            if other in rooms and rooms.index(other) > level:
                problems.append('room order: %s:%d (room %s) includes %s of room %s, listed above it'
                                % (f, line, room or '(root)', inc, other))
    components = ComponentTree(tree, files)
    nodes = components.nodes()
    for group in find_cycles(components, nodes):
        group_rooms = sorted(set(room_of(target, g + '.h') for g in group))
        if len(group_rooms) > 1 and not all(r in target.knot for r in group_rooms):
            problems.append('room cycle: classes of rooms %s of %s use each other: %s'
                            % (', '.join(r or '(root)' for r in group_rooms), target.name,
                               ', '.join(os.path.basename(g) for g in group)))
    return problems


def check(root, targets):
    problems = []
    tree = Tree(root, targets)
    checked_targets = [t for t in targets.values() if checked(t)]
    carriers = {}
    for t in targets.values():
        for obj in t.attached:
            carriers.setdefault(obj, []).append(t.name)
    all_files = set()
    for t in sorted(checked_targets, key=lambda t: t.name):
        allowed = {t.name} | set(d for d in t.links if d in targets)
        reachable = closure(targets, t.name)
        # Objects a library carries to its users (its resources) may include what the library may.
        for carrier in carriers.get(t.name, ()):
            allowed |= {carrier} | set(d for d in targets[carrier].links if d in targets)
        # The target's files: those it lists, and the unlisted files of its folder tree it owns.
        files = set(s for s in t.sources if not s.startswith('..') and tree.exists(s))
        files |= set(f for f in tree.files_of(t.folder) if tree.owner(f) == t.name)
        all_files |= files
        used = set()
        undeclared = {}  # library -> [first place, count]
        for f in sorted(files):
            for line, inc in tree.includes(f):
                m = tree.owner(inc)
                if m is None:
                    continue
                used.add(m)
                if m not in allowed:
                    seen = undeclared.setdefault(m, ['%s:%d includes %s' % (f, line, inc), 0])
                    seen[1] += 1
        for f in sorted(files):
            for line, name in tree.bare.get(f, []):
                problems.append('bare: %s:%d includes "%s" by its folder; name it from the repository root'
                                % (f, line, name))
        for m, (first, count) in sorted(undeclared.items()):
            problems.append('undeclared: %s includes %s without declaring it%s: %s%s'
                            % (t.name, m, ' (it reaches it only through its links)' if m in reachable else '',
                               first, ' and %d more' % (count - 1) if count > 1 else ''))
        for s in t.sources:
            if s.startswith('..') or not tree.exists(s):
                continue  # generated in the build tree
            if not (s + '/').startswith(t.folder + '/') and t.folder != '.':
                problems.append('outside: %s compiles %s, which lies outside %s/' % (t.name, s, t.folder))
        if t.rooms:
            problems.extend(check_rooms(tree, t, files))
        if t.is_library:
            for d in t.links:
                if d in targets and d not in used:
                    problems.append('unused: %s declares %s but none of its files includes it'
                                    % (t.name, d))
    for group in find_cycles(tree, sorted(all_files)):
        problems.append('cycle: these files include each other: %s' % ', '.join(group))
    return problems


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--root', required=True, help='the repository root')
    parser.add_argument('--map', required=True, help='the target map CMake wrote')
    args = parser.parse_args(argv)
    try:
        targets = read_map(args.map)
    except (OSError, ValueError) as e:
        print('check_arrows: %s' % e, file=sys.stderr)
        return 2
    if not targets:
        print('check_arrows: the map %s names no target' % args.map, file=sys.stderr)
        return 2
    problems = check(os.path.abspath(args.root), targets)
    for p in problems:
        print(p)
    libraries = sum(1 for t in targets.values() if checked(t))
    print('%d targets checked, %d problems' % (libraries, len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
