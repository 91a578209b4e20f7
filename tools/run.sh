#!/usr/bin/env bash
# Starts vado41.exe in a Wine prefix prepared as an installation would leave it.
# With no display it starts Xvfb, says so, waits for the blocked machine's main dialog and
# writes a screenshot of it; then it ends the program and its display again.
#
#   VARDEX_WIN64  the Windows build to run (default build/win64)
#   VARDEX_RUN    where the prefix and the screenshot go (default build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${VARDEX_WIN64:-$root/build/win64}" && pwd)
out=${VARDEX_RUN:-$root/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)
# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh"

headless=0
if [ -z "${DISPLAY:-}" ]; then
    headless=1
fi

prefix="$out/wine-run"
cleanup() {
    if [ -d "$prefix" ]; then
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    fi
    vx_stop_display
}
trap cleanup EXIT
vx_display

(
    flock 9
    vx_template "$bin/wine/template"
) 9>"$bin/wine.lock"
if [ ! -d "$prefix" ]; then
    cp -a "$bin/wine/template" "$prefix"
fi
export WINEPREFIX="$prefix"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

# What an installer does: the program in its folder and the installation key with Help_Dir.
install_dir="$prefix/drive_c/Program Files/Vardex"
mkdir -p "$install_dir"
cp "$bin/app/vado41.exe" "$bin/app/vado_update.exe" "$install_dir/"
cp -r "$bin/app/help" "$bin/app/pictures" "$install_dir/"
wine reg add 'HKLM\SOFTWARE\Quorvane\Vardex\4.0' /v Help_Dir /d 'C:\Program Files\Vardex\' /f \
    </dev/null >/dev/null 2>&1

echo "Starting vado41.exe (prefix $prefix)"
if [ "$headless" -eq 0 ]; then
    wine "$install_dir/vado41.exe" </dev/null
    exit 0
fi

wine "$install_dir/vado41.exe" </dev/null >/dev/null 2>&1 &
# The blocked machine: the main dialog over the blocking screen. A first run shows its
# messages in the small window over it; they are answered as a person would.
if ! wine "$bin/tests/e2e/vxdrive.exe" "timeout 30000" "window Vardex" \
    "visible button:&Start computer timer = 1" </dev/null >/dev/null 2>&1; then
    echo "make run: the main dialog did not come up" >&2
    exit 1
fi
wine "$bin/tests/e2e/vxdrive.exe" "timeout 3000" "window Vardex - Info" "click button:&OK" \
    </dev/null >/dev/null 2>&1 || true
# The driver's wait ends on the Win32 state; painting follows a moment later.
sleep 2
vx_screenshot "$out/screenshot.png"
echo "Screenshot of the screen: $out/screenshot.png"
