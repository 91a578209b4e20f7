#!/usr/bin/env bash
# CPU use of vado41.exe under Wine, idle in Blocked mode with its 300 ms and 30 ms sweeps:
# utime + stime over 30 seconds of the program and of its wineserver (which serves every
# window call the program makes), each and together as a share of one core. The wineserver
# also serves the prefix's own processes: its share with no program running is measured first
# and reported beside it. Target: under 0.5% for both together.
#   bench/wine_idle_cpu.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-idle "${1:-}"
server=""
for pid in $(pgrep wineserver); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
        server=$pid
    fi
done
if [ -z "$server" ]; then
    echo "no wineserver of $WINEPREFIX" >&2
    exit 1
fi
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
ticks=$(getconf CLK_TCK)
b1=$(cpu_ticks "$server")
sleep 30
b2=$(cpu_ticks "$server")

start_vardex
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
sleep 2
program=$(pgrep -f 'Vardex/vado41.exe' | head -1)
p1=$(cpu_ticks "$program")
s1=$(cpu_ticks "$server")
sleep 30
p2=$(cpu_ticks "$program")
s2=$(cpu_ticks "$server")
share() { echo "scale=2; 100 * $1 / (30 * $ticks)" | bc; }
echo "idle in Blocked mode for 30 s (share of one core):"
echo "  vado41.exe  $(share $((p2 - p1)))%"
echo "  wineserver  $(share $((s2 - s1)))% (with no program running: $(share $((b2 - b1)))%)"
echo "  together    $(share $((p2 - p1 + s2 - s1)))% (target under 0.5%)"
