#!/usr/bin/env bash
# How fast a client under Wine answers a remote start: from the administrator's start sent
# (the harness's peer, on loopback) to the client's countdown-started report received, 50
# starts.
#   bench/wine_network_latency.sh [WIN64_BUILD_DIR]   (default build/win64)
# With VX_GUARDED=1 the client runs in the installed guard's service and shows itself through
# its face, as with early start.
set -euo pipefail
# shellcheck source=wine_bench_setup.sh
source "$(dirname "$0")/wine_bench_setup.sh" run-latency "${1:-}"
S='SOFTWARE\Morvandel4'
# A client of an administrator at 127.0.0.1:9500, as its store keeps it.
set_setting Value11 1
set_setting Value12 9500
set_setting Value13 9023
drive "regsettext $S String9 = PC7" "regsettext $S String10 = 127.0.0.2" \
    "regsettext $S String11 = 127.0.0.1"
start_vardex
python3 "$root/tests/e2e/peer/vxpeer.py" --bind 9500 --to 127.0.0.2:9023 --name PC7 \
    "expect 30 20" "drain 1" "latency 50"
