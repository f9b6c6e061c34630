#!/usr/bin/env bash
# Long hostile-input run of the markup tokenizer and builder under Wine.
#   tools/fuzz/run-markup-fuzz.sh [flips per seed] [inserts per seed] [seed]
# Builds build/tools/markup_fuzz.exe (BUILD_DIR overrides the build folder) and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake --build "$build" -j "${JOBS:-3}" --target markup_fuzz >/dev/null
exec "$build/wine-run" "$build/tools/markup_fuzz.exe" "$@"
