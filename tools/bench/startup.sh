#!/usr/bin/env bash
# Start-up benchmark: the program against a hello-world window built the same way (bench/startup), each
# started by the probe (build/bench/startup/startup_probe.exe) and timed from its CreateProcess call:
#   (a) Quorvex.exe -cmd <sample suite>, start to exit,  against startup_hello.exe -exit   (goal: 1.1x)
#   (b) Quorvex.exe <sample suite>, start to first paint, against startup_hello.exe       (goal: 1.5x)
#   (c) the dialog's private memory at its first paint, sample loaded                     (goal: 15 MB)
# and checks that build/bin/Quorvex.exe carries no debug information. The two programs alternate (their
# order flips every pair) after one untimed warm-up run of each, while the probe keeps Wine's desktop
# process running (as it is while any program shows a window); medians are reported.
#   bash tools/bench/startup.sh [pairs]     (default 7; the same as `bash tools/dev.sh startup [pairs]`)
# Exit code 1 when the debug information check or a run fails; figures over their goal are marked OVER.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
# The build, the display and Wine are set up by the developer driver, which then runs this script.
if [ "${QVX_STARTUP_READY:-0}" != 1 ]; then
    exec bash "$root/tools/dev.sh" startup "$@"
fi

build=${BUILD_DIR:-$root/build}
pairs=${1:-7}
probe="$build/bench/startup/startup_probe.exe"
hello="$build/bench/startup/startup_hello.exe"
program="$build/bin/Quorvex.exe"
sample=$(ls "$build"/bin/samples/*.dll | head -n 1)
output="$build/bench/startup/startup_output.txt"
status=0

echo "== debug information"
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
bash "$root/tools/bench/check-debug-split.sh" "$objdump" "$program" || status=1

# One measurement: the probe's line, or the script stops with what went wrong.
measure() {
    local line
    line=$("$build/wine-run" "$probe" "$@" </dev/null | tr -d '\r') || true
    case "$line" in
    seconds=*) echo "$line" ;;
    *) echo "startup: the probe failed on '$*': $line" >&2; return 1 ;;
    esac
}
field() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" <<<"$2"; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
verdict() { awk -v v="$1" -v goal="$2" 'BEGIN { print (v <= goal) ? "within goal" : "OVER goal" }'; }

# A command-line run counts only when it ran the suite.
check_cmd_run() {
    local exit_code
    exit_code=$(field exit "$1")
    if [ "$exit_code" -gt 1 ] || ! grep -q "Executing Test Suite" "$output"; then
        echo "startup: Quorvex.exe -cmd did not run the sample (exit code $exit_code):" >&2
        head -n 5 "$output" >&2
        return 1
    fi
}

cmd_line=(exit "$program" -cmd "$sample")
hello_exit=(exit "$hello" -exit)
dialog_line=(paint "$program" "$sample")
hello_paint=(paint "$hello")

# Wine's desktop process would otherwise end after each run and start again with the next, beside it.
"$build/wine-run" "$probe" hold >/dev/null 2>&1 </dev/null &
holder=$!
trap 'kill "$holder" 2>/dev/null || true; wait "$holder" 2>/dev/null || true' EXIT

echo "== warm-up (untimed)"
line=$(measure "${cmd_line[@]}")
check_cmd_run "$line"
measure "${hello_exit[@]}" >/dev/null
measure "${dialog_line[@]}" >/dev/null
measure "${hello_paint[@]}" >/dev/null

cmd_s=() hello_exit_s=() dialog_s=() hello_paint_s=() dialog_mb=() hello_mb=() unclosed=0
for i in $(seq 1 "$pairs"); do
    for side in $([ $((i % 2)) = 1 ] && echo "program hello" || echo "hello program"); do
        if [ "$side" = program ]; then
            line=$(measure "${cmd_line[@]}")
            check_cmd_run "$line"
            cmd_s+=("$(field seconds "$line")")
            line=$(measure "${dialog_line[@]}")
            dialog_s+=("$(field seconds "$line")")
            dialog_mb+=("$(awk -v b="$(field private_bytes "$line")" 'BEGIN { print b / 1048576 }')")
        else
            line=$(measure "${hello_exit[@]}")
            hello_exit_s+=("$(field seconds "$line")")
            line=$(measure "${hello_paint[@]}")
            hello_paint_s+=("$(field seconds "$line")")
            hello_mb+=("$(awk -v b="$(field private_bytes "$line")" 'BEGIN { print b / 1048576 }')")
        fi
        [ "$(field closed "$line")" = 1 ] || unclosed=$((unclosed + 1))
    done
    echo "pair $i: -cmd ${cmd_s[-1]} s / hello ${hello_exit_s[-1]} s; first paint ${dialog_s[-1]} s / hello ${hello_paint_s[-1]} s; private ${dialog_mb[-1]} MB / hello ${hello_mb[-1]} MB"
done

report() { # label, program median, hello median, goal
    local ratio
    ratio=$(awk -v a="$2" -v b="$3" 'BEGIN { printf "%.2f", a / b }')
    printf '%s: Quorvex %.3f s, hello %.3f s, ratio %sx (goal %sx: %s)\n' "$1" "$2" "$3" "$ratio" "$4" \
        "$(verdict "$ratio" "$4")"
}
echo "== medians of $pairs alternating pairs ($(basename "$sample"))"
report "(a) start to exit, -cmd against -exit" "$(median "${cmd_s[@]}")" "$(median "${hello_exit_s[@]}")" 1.1
report "(b) start to first paint, dialog" "$(median "${dialog_s[@]}")" "$(median "${hello_paint_s[@]}")" 1.5
mb=$(median "${dialog_mb[@]}")
printf '(c) private memory at first paint: Quorvex %.1f MB (goal 15 MB: %s), hello %.1f MB\n' "$mb" \
    "$(verdict "$mb" 15)" "$(median "${hello_mb[@]}")"
[ "$unclosed" = 0 ] || echo "note: $unclosed window(s) did not close within 10 s of WM_CLOSE and were ended"
exit "$status"
