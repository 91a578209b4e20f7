#!/usr/bin/env bash
# Starts vado41.exe in a Wine prefix under build/ prepared as an installation would leave it.
# With no display it starts Xvfb, says so, and writes build/screenshot.png after a few seconds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/win64"
# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh"

headless=0
if [ -z "${DISPLAY:-}" ]; then
    headless=1
fi
vx_display

prefix="$root/build/wine/run"
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
if [ "$headless" -eq 1 ]; then
    wine "$install_dir/vado41.exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    # Wait until the blocked machine shows its main dialog, then a moment for painting.
    wine "$bin/tests/e2e/vxdrive.exe" "timeout 30000" "window Vardex" \
        "visible button:&Start computer timer = 1" </dev/null >/dev/null 2>&1 || true
    sleep 2
    vx_screenshot "$root/build/screenshot.png"
    echo "Screenshot of the screen: build/screenshot.png"
    wineserver -k || true
    wait "$pid" 2>/dev/null || true
    vx_stop_display
else
    wine "$install_dir/vado41.exe" </dev/null
fi
