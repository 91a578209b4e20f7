#!/usr/bin/env bash
# CPU use of vado41.exe under Wine, idle in Blocked mode with its 300 ms and 30 ms sweeps:
# utime + stime of the Wine process over 30 seconds, as a share of one core.
#   bench/wine_idle_cpu.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-idle "${1:-}"
start_vardex
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
sleep 2
pid=$(pgrep -f 'Vardex/vado41.exe' | head -1)
ticks=$(getconf CLK_TCK)
read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
sleep 30
read -r u2 s2 < <(awk '{print $14, $15}' "/proc/$pid/stat")
used=$(( (u2 - u1) + (s2 - s1) ))
echo "vado41.exe idle in Blocked mode: $used ticks of $((30 * ticks)) in 30 s = $(echo "scale=2; 100 * $used / (30 * $ticks)" | bc)% of one core"
