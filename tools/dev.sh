#!/usr/bin/env bash
# Quorvex developer driver.
#   tools/dev.sh sample   install what is missing, build, run the harness on the sample suite
#   tools/dev.sh test     install what is missing, build, run every test under Wine
#   tools/dev.sh build    install what is missing and build both architectures' trees
#   tools/dev.sh dialog   build, then start the harness in dialog mode with the sample suite loaded
#                         (on $DISPLAY; without one, on a private Xvfb, saving a screenshot of the
#                         started dialog to build/dialog.png when ImageMagick's import is installed)
#   tools/dev.sh bench    build and run the benchmarks
#   tools/dev.sh startup  build, then time the program's start-up against a hello-world window
#                         (tools/bench/startup.sh; optional argument: how many pairs, default 7)
# Environment: BUILD_DIR (default build), JOBS (default nproc), QVX_SKIP_DEPS=1 skips the install step,
# QVX_SKIP_OTHER_ARCH=1 skips the other architecture's tree (never in CI).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}
cmd=${1:-test}
shift || true

deps() {
    [ "${QVX_SKIP_DEPS:-0}" = 1 ] || bash "$root/tools/setup/install-deps.sh"
}

arch=$(bash "$root/tools/setup/host-arch.sh")

configure_and_build() {
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DQVX_ARCH="$arch" >/dev/null
    fi
    cmake --build "$build" -j "$jobs"
}

# The other architecture's tree is built too: where the tests run as x86_64, the shipped i686 program
# with its tests and benchmarks; where they run as i686, the x86_64 one. It is compiled and linked, not
# run, so that an error of one architecture only (calling conventions, thiscall, pointer sizes, record
# sizes) fails the build on every host.
other_arch=x86_64
[ "$arch" = i686 ] || other_arch=i686
build_other_tree() {
    [ "${QVX_SKIP_OTHER_ARCH:-${QVX_SKIP_I686:-0}}" = 1 ] && return 0
    local b="$build-$other_arch"
    # A folder configured by an older driver without tests is configured again with them.
    if [ ! -f "$b/build.ninja" ] || ! grep -q '^BUILD_TESTING:BOOL=ON' "$b/CMakeCache.txt" 2>/dev/null; then
        cmake -S "$root" -B "$b" -G Ninja -DQVX_ARCH="$other_arch" -DBUILD_TESTING=ON >/dev/null
    fi
    echo "[$other_arch] building the $other_arch tree (program, tests, benchmarks) in $b"
    if ! cmake --build "$b" -j "$jobs" >"$b/last-build.log" 2>&1; then
        grep -E 'error|FAILED' "$b/last-build.log" | head -n 40 >&2
        echo "[$other_arch] the $other_arch build failed; the whole log is $b/last-build.log" >&2
        return 1
    fi
    tail -n 1 "$b/last-build.log"
}

# A display for Wine: $DISPLAY when set, else a private Xvfb for this run.
xvfb_pid=
start_display() {
    if [ -n "${DISPLAY:-}" ]; then return; fi
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
}

cleanup() {
    WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# Keeps one wineserver alive for the whole run instead of one per process, and starts Wine's desktop
# process now, from a program whose output goes nowhere: the desktop process is started by the first
# program that opens a window and inherits its standard handles, and a test's output pipe held open by it
# would make CTest wait for that test until its time-out.
start_wine() {
    "$build/wine-run" cmd /c exit >/dev/null 2>&1 </dev/null || true
    WINEPREFIX="$build/wineprefix" wineserver -p >/dev/null 2>&1 || true
    if [ -f "$build/tests/platform_tests.exe" ]; then
        "$build/wine-run" "$build/tests/platform_tests.exe" --gtest_filter='Platform.ScreenHas*' \
            >/dev/null 2>&1 </dev/null || true
    fi
}

case "$cmd" in
build)
    deps
    configure_and_build
    build_other_tree
    ;;
test)
    deps
    configure_and_build
    build_other_tree
    start_display
    start_wine
    ctest --test-dir "$build" -j "$jobs" --output-on-failure "$@"
    ;;
sample)
    deps
    configure_and_build
    start_display
    start_wine
    if [ -x "$build/bin/Quorvex.exe" ] || [ -f "$build/bin/Quorvex.exe" ]; then
        sample=$(ls "$build"/bin/samples/*.dll 2>/dev/null | head -n 1 || true)
        if [ -n "$sample" ]; then
            set +e
            "$build/wine-run" "$build/bin/Quorvex.exe" -cmd "$sample" "$@"
            rc=$?
            set -e
            echo "[sample] Quorvex.exe exited with code $rc"
        else
            "$build/wine-run" "$build/bin/Quorvex.exe" "$@"
        fi
    else
        echo "[sample] the harness program is not built yet; running the platform tests instead"
        "$build/wine-run" "$build/tests/platform_tests.exe"
    fi
    ;;
dialog)
    deps
    configure_and_build
    had_display=${DISPLAY:-}
    start_display
    start_wine
    sample=$(ls "$build"/bin/samples/*.dll | head -n 1)
    if [ -n "$had_display" ]; then
        "$build/wine-run" "$build/bin/Quorvex.exe" "$sample"
    else
        "$build/wine-run" "$build/bin/Quorvex.exe" "$sample" &
        pid=$!
        sleep 8
        if command -v import >/dev/null; then
            import -window root "$build/dialog.png" && echo "[dialog] screenshot: $build/dialog.png"
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    ;;
bench)
    deps
    configure_and_build
    start_display
    start_wine
    for b in "$build"/bench/*.exe; do
        echo "== $(basename "$b")"
        "$build/wine-run" "$b" "$@"
    done
    ;;
startup)
    deps
    configure_and_build
    start_display
    start_wine
    QVX_STARTUP_READY=1 BUILD_DIR="$build" bash "$root/tools/bench/startup.sh" "$@"
    ;;
*)
    echo "usage: $0 sample|test|build|dialog|bench|startup" >&2
    exit 2
    ;;
esac
