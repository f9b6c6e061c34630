#!/usr/bin/env bash
# Follows the README's recipe for suite writers: builds its example suite with the README's compile line for
# this build's architecture, runs it with Quorvex.exe -cmd, and compares the console output (time stamps
# masked) and the exit code with what the README shows; then does the same for the bundled sample's output.
# The README's blocks between "<!-- recipe:NAME -->" and "<!-- /recipe:NAME -->" are read, so the README
# and this check cannot drift apart.
# Usage: check-readme-recipe.sh <repository> <build folder> <i686|x86_64>
set -eu
repo=$1
build=$2
arch=$3
readme=$repo/README.md

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# The lines of the fenced block between the markers, without the fences.
block() {
    awk -v b="<!-- recipe:$1 -->" -v e="<!-- /recipe:$1 -->" \
        '$0 == b { on = 1; next } $0 == e { on = 0 } on && !/^```/' "$readme"
}
# The program's output as the README writes it: Unix line ends, time stamps as [hh:mm:ss:ms] (the
# program writes the milliseconds without leading zeros, so 1 to 3 digits).
normalise() {
    tr -d '\r' | sed -E 's/\[[0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}:[0-9]{1,3}\]/[hh:mm:ss:ms]/g'
}
# Runs Quorvex.exe -cmd on a suite in the work folder; compares output and exit code with the README.
check_run() {
    local suite=$1 expected_block=$2 expected_code=$3 code=0
    (cd "$work" && "$build/wine-run" "$build/bin/Quorvex.exe" -cmd "$suite" >"$work/out.raw" 2>"$work/err.txt") ||
        code=$?
    normalise <"$work/out.raw" >"$work/actual.txt"
    block "$expected_block" >"$work/expected.txt"
    [ -s "$work/expected.txt" ] || fail "README has no block '$expected_block'"
    if ! diff -u "$work/expected.txt" "$work/actual.txt"; then
        cat "$work/err.txt" >&2
        fail "the output of $suite differs from the README's block '$expected_block'"
    fi
    [ "$code" = "$expected_code" ] || fail "$suite: exit code $code, the README says $expected_code"
    echo "ok: $suite prints the README's '$expected_block' and exits with $code"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

block suite >"$work/MySuite.cpp"
grep -q 'QVX_EXPORT_SUITE' "$work/MySuite.cpp" || fail "README has no example suite between its recipe:suite markers"

# Exactly one compile line for this architecture, run as written with <repo> replaced.
compile=$(block compile | grep -E "^$arch-w64-mingw32-g\+\+ " || true)
[ "$(printf '%s\n' "$compile" | grep -c .)" = 1 ] || fail "README has no single $arch compile line"
compile=${compile//<repo>/$repo}
echo "+ $compile"
(cd "$work" && eval "$compile") || fail "the README's $arch compile line failed"
[ -f "$work/MySuite.dll" ] || fail "the README's compile line made no MySuite.dll"

# The exit codes the README gives for the two runs (the sample fails one test on purpose).
suite_code=$(sed -n 's/^<!-- recipe:suite-exit-code \([0-9]*\) -->$/\1/p' "$readme")
sample_code=$(sed -n 's/^<!-- recipe:sample-exit-code \([0-9]*\) -->$/\1/p' "$readme")
[ -n "$suite_code" ] && [ -n "$sample_code" ] || fail "README gives no exit codes for the recipe's runs"

check_run MySuite.dll suite-output "$suite_code"
sample=$(ls "$build"/bin/samples/*.dll | head -n 1)
cp "$sample" "$work/"
check_run "$(basename "$sample")" sample-output "$sample_code"
