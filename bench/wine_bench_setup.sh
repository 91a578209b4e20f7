# Sourced by the Wine benchmarks: a fresh prefix with Vardex installed and its lists emptied,
# the display, and the scenario helpers. Sets root and bin.
# Call: source bench/wine_bench_setup.sh RUN_NAME [WIN64_BUILD_DIR]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$(cd "${2:-$root/build/win64}" && pwd)
bench_run="$bin/wine/$1"
# shellcheck source=../tools/wine-env.sh
source "$root/tools/wine-env.sh"
vx_display
trap 'vx_stop_prefix; rm -rf "$bench_run"; vx_stop_display' EXIT
vx_template "$bin/wine/template"
vx_prefix "$bin/wine/template" "$bench_run"
export VX_BIN="$bin" VX_ARTIFACTS="$root/build/e2e-artifacts"
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext SOFTWARE\\Morvandel4 String1 = KOS" "regsettext SOFTWARE\\Morvandel4 String2 = zel" \
    "regsettext SOFTWARE\\Morvandel4 String3 = c:\\vadolog.txt"
