#!/usr/bin/env python3
"""Runs make_theme.py twice into fresh folders and fails unless both runs wrote the same files
with the same bytes, and every PNG holds only the IHDR, IDAT and IEND chunks.

    check_deterministic.py WORKDIR
"""
import os
import shutil
import struct
import subprocess
import sys


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def chunks(data):
    pos, kinds = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        kinds.append(kind.decode("ascii"))
        pos += 12 + length
    return kinds


def main():
    work = sys.argv[1]
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "make_theme.py")
    runs = []
    for n in (1, 2):
        out = os.path.join(work, "run%d" % n)
        shutil.rmtree(out, ignore_errors=True)
        subprocess.check_call([sys.executable, script, out])
        # The resource script names the files by absolute path: compare it with the folder
        # written out.
        files = snapshot(out)
        for name in files:
            if name.endswith(".rc"):
                files[name] = files[name].replace(os.path.abspath(out).encode(), b"OUTDIR")
        runs.append(files)
    if runs[0].keys() != runs[1].keys():
        print("the two runs wrote different files")
        return 1
    differ = [name for name in runs[0] if runs[0][name] != runs[1][name]]
    if differ:
        print("different bytes in: " + ", ".join(sorted(differ)[:10]))
        return 1
    pngs = [name for name in runs[0] if name.endswith(".png")]
    for name in pngs:
        if chunks(runs[0][name]) != ["IHDR", "IDAT", "IEND"]:
            print("%s has chunks %s" % (name, chunks(runs[0][name])))
            return 1
    print("%d files, %d images, identical in both runs" % (len(runs[0]), len(pngs)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
