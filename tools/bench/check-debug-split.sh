#!/usr/bin/env bash
# Checks that a program's debug information lies beside it (cmake/QuorvexDebugInfo.cmake): the program has
# no .debug_* section and names <program>.debug in its .gnu_debuglink section, and that file holds the
# debug information. Prints what it found; exit code 0 when all holds, 1 when not.
#   check-debug-split.sh <objdump> <program.exe>
set -uo pipefail
objdump=$1
program=$2
fail() { echo "debug information check: $program: $*"; exit 1; }

[ -f "$program" ] || fail "no such file"
sections=$("$objdump" -h "$program") || fail "$objdump cannot read it"
debug=$(awk '$2 ~ /^\.debug_/ {print $2}' <<<"$sections" | tr '\n' ' ')
[ -z "$debug" ] || fail "carries debug sections: $debug"
grep -q ' \.gnu_debuglink ' <<<"$sections" || fail "has no .gnu_debuglink section"
[ -f "$program.debug" ] || fail "names no debug file beside it ($program.debug is missing)"
"$objdump" -h "$program.debug" | grep -q ' \.debug_info ' || fail "$program.debug holds no .debug_info"
echo "debug information check: $(basename "$program") has no debug sections; they lie in $(basename "$program").debug"
