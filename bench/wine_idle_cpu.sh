#!/usr/bin/env bash
# CPU use of vado41.exe under Wine, idle in Blocked mode: utime + stime over 30 seconds of the
# program and of its wineserver (which serves every window call the program makes), each and
# together as a share of one core. The wineserver also serves the prefix's own processes: its
# share with no program running is measured first, and the cost of the program is what the
# two use beyond it. Target: under 0.5%. Then what waiting must not slow down: ten forbidden
# windows ("Untitled - Editor", entry "editor" matched at the back), each timed from its showing
# to its close request. Target: a median under 50 ms.
#   bench/wine_idle_cpu.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-idle "${1:-}"
set_setting List_Anz 1
set_setting List_Check_0 2
drive "regsettext SOFTWARE\\Morvandel4 List_Anz_0 = editor"
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
echo "  together    $(share $((p2 - p1 + s2 - s1)))%"
echo "  beyond the idle wineserver $(share $((p2 - p1 + s2 - s1 - (b2 - b1))))% (target under 0.5%)"

times=()
for _ in 1 2 3 4 5 6 7 8 9 10; do
    times+=("$(drive "host Untitled - Editor = 3000" | sed -n 's/^closed after \([0-9]*\) ms/\1/p')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
echo "forbidden window closed after (ms, sorted): $sorted"
echo "median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 5p) ms (target under 50 ms)"
