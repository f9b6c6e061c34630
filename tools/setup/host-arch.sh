#!/usr/bin/env bash
# Prints the Windows architecture whose programs this host can run under Wine:
# i686 when the kernel executes 32-bit x86 code, else x86_64.
# QVX_ARCH in the environment overrides the probe.
set -u
if [ -n "${QVX_ARCH:-}" ]; then echo "$QVX_ARCH"; exit 0; fi
# A minimal 32-bit x86 Linux program that only exits with status 0.
f=$(mktemp)
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$f"
chmod +x "$f"
# An emulator registered for 32-bit programs does not count: Wine is unusably slow there.
emulated=0
for e in /proc/sys/fs/binfmt_misc/*i386*; do [ -e "$e" ] && grep -q '^enabled' "$e" && emulated=1; done
if [ $emulated = 0 ] && "$f" 2>/dev/null; then echo i686; else echo x86_64; fi
rm -f "$f"
