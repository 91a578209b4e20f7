#!/usr/bin/env bash
# How fast vado41.exe under Wine closes a forbidden window while blocked: ten helper windows
# titled "Untitled - Editor" (entry "editor", matched at the back), each timed from its
# showing to its close request. Target: a median under 100 ms.
#   bench/wine_sweep_latency.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-latency "${1:-}"
set_setting List_Anz 1
set_setting List_Check_0 2
drive "regsettext SOFTWARE\\Morvandel4 List_Anz_0 = editor"
start_vardex
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
sleep 1
times=()
for _ in 1 2 3 4 5 6 7 8 9 10; do
    times+=("$(drive "host Untitled - Editor = 3000" | sed -n 's/^closed after \([0-9]*\) ms/\1/p')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 5p)
echo "forbidden window closed after (ms, sorted): $sorted"
echo "median $median ms (target under 100 ms)"
