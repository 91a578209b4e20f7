#!/usr/bin/env bash
# How fast vado41.exe under Wine closes a forbidden window while blocked: ten helper windows
# titled "Untitled - Editor" (entry "editor", matched at the back), each timed from its
# showing to its close request. Target: a median under 100 ms.
#   bench/wine_sweep_latency.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/win64}" && pwd)
# shellcheck source=../tools/wine-env.sh
source "$root/tools/wine-env.sh"
vx_display
trap 'vx_stop_prefix; rm -rf "$bin/wine/run-latency"; vx_stop_display' EXIT
vx_template "$bin/wine/template"
vx_prefix "$bin/wine/template" "$bin/wine/run-latency"
export VX_BIN="$bin" VX_ARTIFACTS="$root/build/e2e-artifacts"
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
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
