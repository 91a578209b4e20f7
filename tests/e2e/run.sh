#!/usr/bin/env bash
# Runs one end-to-end scenario against the real Windows build under Wine:
#   run.sh NAME WIN64_BUILD_DIR [guarded]
# With "guarded", the program runs in the installed guard's service and shows itself through
# its face (VX_GUARDED=1 for the helpers); the run is named guarded-NAME, its artefacts go to
# build/e2e-artifacts/guarded/.
# A fresh prefix per run (copied from a cached template), Xvfb when there is no display, a
# screenshot under build/e2e-artifacts/ when the scenario fails.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scenario=$1
bin=$(cd "$2" && pwd)
name=$scenario
if [ "${3:-}" = guarded ]; then
    export VX_GUARDED=1
    name=guarded-$scenario
fi

# shellcheck source=../../tools/wine-env.sh
source "$root/tools/wine-env.sh"
# A guarded run keeps its screenshots and prints apart: the same scenario may run beside it.
export VX_ARTIFACTS="$root/build/e2e-artifacts${VX_GUARDED:+/guarded}"
export VX_BIN="$bin"
mkdir -p "$VX_ARTIFACTS"

cleanup() {
    vx_stop_prefix
    rm -rf "$bin/wine/run-$name"
    vx_stop_display
}
trap cleanup EXIT

# Under ctest, scenarios run two at a time: each gets its own display.
if [ -n "${VX_OWN_DISPLAY:-}" ]; then
    unset DISPLAY
fi
vx_display
(
    flock 9
    vx_template "$bin/wine/template"
) 9>"$bin/wine.lock"
vx_prefix "$bin/wine/template" "$bin/wine/run-$name"

# shellcheck source=lib.sh
source "$here/lib.sh"
started=$(date +%s.%N)
set +e
(
    set -e
    # shellcheck disable=SC1090
    source "$here/scenarios/$scenario.sh"
)
status=$?
set -e
elapsed=$(echo "$(date +%s.%N) - $started" | bc)
if [ "$status" -ne 0 ]; then
    vx_screenshot "$VX_ARTIFACTS/$name-failure.png"
    # What the guard did, when one ran.
    cp "$WINEPREFIX/drive_c/ProgramData/Vardex/guard.log" "$VX_ARTIFACTS/$name-guard.log" \
        2>/dev/null || true
    echo "e2e $name FAILED after ${elapsed}s; screenshot: $VX_ARTIFACTS/$name-failure.png"
    exit 1
fi
echo "e2e $name passed in ${elapsed}s"
