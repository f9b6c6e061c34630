#!/usr/bin/env bash
# Longer mutation run of the image readers (PNG decoder, BMP loader, .ico reader, toolbar reader,
# icon records): the same tests as the test run, with more random copies per fixture.
#   tools/image-mutation-run.sh [COPIES]     (default 50000; the test run uses 1500)
# Needs a built tree (BUILD_DIR, default build) and a display for Wine ($DISPLAY or a private Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
copies=${1:-50000}
exe="$build/tests/toolkit_common_tests.exe"
[ -f "$exe" ] || { echo "build first: $exe is missing" >&2; exit 1; }
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
    n=50
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    sleep 1
fi
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true' EXIT
start=$(date +%s)
QVX_MUTATION_COPIES=$copies "$build/wine-run" "$exe" --gtest_filter='ImageMutation.*' --gtest_color=no
echo "image-mutation-run: $copies random copies per fixture in $(( $(date +%s) - start )) s"
