#!/usr/bin/env bash
# Long hostile-input run of the property-exchange readers under Wine.
#   tools/fuzz/run-propexchange-fuzz.sh [random copies per reader] [seed] [seconds per reader]
# Builds build/tools/propexchange_fuzz.exe (BUILD_DIR overrides the build folder) and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake --build "$build" -j "${JOBS:-3}" --target propexchange_fuzz >/dev/null
exec "$build/wine-run" "$build/tools/propexchange_fuzz.exe" "$@"
