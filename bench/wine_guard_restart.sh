#!/usr/bin/env bash
# How long a blocked machine served by the guard shows no blocking screen when its face is
# killed: ten times `kill -9` of the face, each timed from the kill to the blocking screen
# shown again (a driver that was already waiting sees it go and come back). Target: under 2 s.
#   bench/wine_guard_restart.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
# The client installed with the guard's service (early start), its face followed.
export VX_GUARDED=1
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-guard-restart "${1:-}"
start_vardex
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!"

times=()
stamp="$bench_run/back"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    (drive "timeout 10000" "window Vardex - Blocked" "gone Vardex - Blocked" \
        "window Vardex - Blocked" && date +%s%N >"$stamp") &
    waiter=$!
    sleep 1
    face=$(face_pid)
    killed=$(date +%s%N)
    kill -9 "$face"
    wait "$waiter"
    times+=($((($(cat "$stamp") - killed) / 1000000)))
    # Five ends within a minute disconnect the session: keep to four.
    sleep 16
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 5,6p | awk '{s+=$1} END {print int(s/2)}')
worst=$(printf '%s\n' "${times[@]}" | sort -n | tail -1)
echo "blocking screen back after kill -9 of the face (ms, sorted): $sorted"
echo "median $median ms, worst $worst ms (target under 2000 ms)"
