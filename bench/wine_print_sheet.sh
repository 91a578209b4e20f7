#!/usr/bin/env bash
# How long an operator waits for a Code Page under Wine: from the click on "Make new Code
# Page" until the sheet is in the printer's file (Wine's PostScript driver), five pages.
#   bench/wine_print_sheet.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-print "${1:-}"
add_printer
start_vardex
drive "timeout 20000" "window Vardex" "click button:&Options"
drive "window Vardex - Security Check" "type edit#2 = zel" "click button:&OK" \
    "gone Vardex - Security Check"
drive "window Vardex - Options" "tab tab#1 = 4"
times=()
for i in 1 2 3 4 5; do
    rm -f "$VX_PRINT"
    drive "window Vardex - Options" "type edit@Hours: = 1" "type edit@Minutes: = 30" \
        "type edit@Comment: = Room $i"
    started=$(date +%s%N)
    drive "window Vardex - Options" "click button:Make new &Code Page"
    until [ -s "$VX_PRINT" ] && grep -q '%%EOF' "$VX_PRINT"; do sleep 0.01; done
    times+=($((($(date +%s%N) - started) / 1000000)))
    drive "window Vardex - Info" "visible label~Printing successful! = 1" "click button:&OK" \
        "gone Vardex - Info"
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
echo "a sheet was in the printer's file after (ms, sorted): $sorted"
echo "median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p) ms"
