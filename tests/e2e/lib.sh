# Helpers for the end-to-end scenarios; sourced by run.sh inside a fresh prefix.

# Runs the driver with one command per argument; prints what it printed; fails with it.
# With VX_TRACE set, each run's duration goes to stderr.
drive() {
    local out status started
    started=$(date +%s%N)
    set +e
    # Through a file, not a pipe: a wine command that starts the guard's service would hand it
    # the pipe, which then never closes.
    wine "$VX_BIN/tests/e2e/vxdrive.exe" "$@" </dev/null >"$WINEPREFIX/.drive.out" 2>/dev/null
    status=$?
    out=$(tr -d '\r' <"$WINEPREFIX/.drive.out")
    set -e
    if [ -n "${VX_TRACE:-}" ]; then
        echo "drive $((($(date +%s%N) - started) / 1000000)) ms: $*" >&2
    fi
    printf '%s\n' "$out" | grep -v '^ok$' || true
    if [ $status -ne 0 ] || ! printf '%s\n' "$out" | grep -q '^ok$'; then
        echo "driver failed: $*" >&2
        return 1
    fi
}

# Starts a Windows program in the background; its process id goes into VX_PID.
start_app() {
    wine "$@" </dev/null >/dev/null 2>&1 &
    VX_PID=$!
}

# Waits up to $2 seconds (default 10) for the background program $1 (a pid) to end.
wait_exit() {
    local pid=$1 limit=${2:-10} i
    for i in $(seq 1 $((limit * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    echo "process $pid did not end within ${limit}s" >&2
    return 1
}

# Prints a registry value as text (REG_DWORD in decimal), or fails when it is missing.
reg_value() {
    local key=$1 value=$2 line
    wine reg query "$key" /v "$value" </dev/null >"$WINEPREFIX/.reg.out" 2>/dev/null || true
    line=$(tr -d '\r' <"$WINEPREFIX/.reg.out" | grep -E "^\s+$value\s") || return 1
    local type data
    type=$(echo "$line" | awk '{print $2}')
    data=$(echo "$line" | sed -E "s/^\s+$value\s+$type\s*//")
    if [ "$type" = "REG_DWORD" ]; then
        printf '%d\n' "$data"
    else
        printf '%s\n' "$data"
    fi
}

# Saves a screenshot as a test artefact.
artifact() {
    vx_screenshot "$VX_ARTIFACTS/$1.png"
}

check() {
    if ! "$@"; then
        echo "check failed: $*" >&2
        return 1
    fi
}

# What an installer does: the program in its folder, the installation key with Help_Dir.
VX_INSTALL_DIR='C:\Program Files\Vardex'
install_vardex() {
    VX_INSTALL_PATH="$WINEPREFIX/drive_c/Program Files/Vardex"
    mkdir -p "$VX_INSTALL_PATH"
    cp "$VX_BIN/app/vado41.exe" "$VX_INSTALL_PATH/vado41.exe"
    cp -r "$VX_BIN/app/help" "$VX_BIN/app/pictures" "$VX_INSTALL_PATH/"
    if [ -n "${VX_GUARDED:-}" ]; then
        cp "$VX_BIN/app/vado_guard.exe" "$VX_INSTALL_PATH/"
    fi
    # Tried again: right after a prefix starts, a first registry write has been seen to fail.
    local attempt
    for attempt in 1 2 3; do
        if wine reg add 'HKLM\SOFTWARE\Quorvane\Vardex\4.0' /v Help_Dir /d "$VX_INSTALL_DIR\\" \
            /f </dev/null >/dev/null 2>&1; then
            return 0
        fi
        echo "install_vardex: writing Help_Dir failed (attempt $attempt)" >&2
        sleep 1
    done
    return 1
}

# Vardex installed on a store a previous run left: empty lists, the password "zel".
fresh_vardex() {
    install_vardex
    local n
    for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
    drive "regsettext SOFTWARE\\Morvandel4 String1 = KOS" \
        "regsettext SOFTWARE\\Morvandel4 String2 = zel" \
        "regsettext SOFTWARE\\Morvandel4 String3 = c:\\vadolog.txt"
}

# The security check that is open now, passed with the password.
pass_security_check() {
    drive "window Vardex - Security Check" "type edit#2 = zel" "click button:&OK" \
        "gone Vardex - Security Check"
}

# From the main dialog through the security check to the options dialog's page N.
open_options_page() {
    drive "timeout 20000" "window Vardex" "click button:&Options"
    pass_security_check
    drive "window Vardex - Options" "tab tab#1 = $1"
}

# Starts Vardex; VX_PID is the process that shows its windows and ends with it. Guarded, the
# guard's service is installed (early start) or started again, and VX_PID is its face.
start_vardex() {
    if [ -z "${VX_GUARDED:-}" ]; then
        start_app "$VX_INSTALL_PATH/vado41.exe"
        return
    fi
    local verb=/start
    if [ ! -e "$WINEPREFIX/.guard-installed" ]; then
        verb="/install early"
        touch "$WINEPREFIX/.guard-installed"
        # Wine ends its services once no program of the user runs: a windowless program
        # stands in for the user's session while no face runs.
        start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 3600000"
    fi
    # shellcheck disable=SC2086
    wine "$VX_INSTALL_PATH/vado_guard.exe" $verb </dev/null >/dev/null 2>&1
    local i
    for i in $(seq 1 300); do
        VX_PID=$(face_pid)
        [ -n "$VX_PID" ] && return 0
        sleep 0.1
    done
    echo "start_vardex: no face of the guard within 30 s" >&2
    return 1
}

# The running processes of this prefix whose command line matches $1.
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1" || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}
face_pid() { prefix_pids 'vado41.exe /face' | head -1; }
# Waits up to 30 s for a face of the guard in this prefix.
wait_face() {
    local i
    for i in $(seq 1 300); do
        [ -n "$(face_pid)" ] && return 0
        sleep 0.1
    done
    echo "no face within 30 s" >&2
    return 1
}
# Waits up to 20 s for a path to go (an uninstaller runs from a copy of itself).
wait_gone() {
    local i
    for i in $(seq 1 100); do
        [ -e "$1" ] || return 0
        sleep 0.2
    done
    echo "$1 is still there" >&2
    return 1
}
# The process that runs the program: the guard's service, or the program itself.
program_pid() {
    if [ -n "${VX_GUARDED:-}" ]; then
        prefix_pids 'vado_guard.exe' | head -1
    else
        prefix_pids 'vado41.exe' | head -1
    fi
}
# Waits up to 5 s for a line holding $1 in the file $2. A guarded program's windows show while
# it may still be writing the lines that go with them.
logged() {
    local i
    for i in $(seq 1 50); do
        grep -qF -- "$1" "$2" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "not logged in $2: $1" >&2
    return 1
}

# Where the event log is at its default path: a guard keeps it in its own folder.
default_log() {
    if [ -n "${VX_GUARDED:-}" ]; then
        echo "$WINEPREFIX/drive_c/ProgramData/Vardex/vadolog.txt"
    else
        echo "$WINEPREFIX/drive_c/vadolog.txt"
    fi
}

# Sets a number in the settings key.
set_setting() {
    wine reg add 'HKLM\SOFTWARE\Morvandel4' /v "$1" /t REG_DWORD /d "$2" /f </dev/null >/dev/null 2>&1
}

# Waits up to $2 seconds for a file to exist.
wait_file() {
    local path=$1 limit=${2:-5} i
    for i in $(seq 1 $((limit * 20))); do
        [ -e "$path" ] && return 0
        sleep 0.05
    done
    echo "no file $path after ${limit}s" >&2
    return 1
}

# A default printer for the prefix: Wine's PostScript driver writing to C:\prints\out.ps.
VX_PRINT="$WINEPREFIX/drive_c/prints/out.ps"
add_printer() {
    mkdir -p "$WINEPREFIX/drive_c/prints"
    # A generic PostScript printer's description, from ghostscript.
    cp "$(find /usr/share/ghostscript -name ghostpdf.ppd | head -1)" \
        "$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3/vardex.ppd"
    # The port writes to a file named with its Linux path.
    wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v LPT1: /d "$VX_PRINT" /f \
        </dev/null >/dev/null 2>&1
    check test "$(wine "$VX_BIN/tests/e2e/printer_setup.exe" </dev/null 2>/dev/null | tr -d '\r')" = ok
}

# Waits for the next printed sheet and keeps it as $1.ps, $1.txt (its text) and an artefact PNG.
take_print() {
    local name=$1 i
    for i in $(seq 1 100); do
        [ -s "$VX_PRINT" ] && break
        sleep 0.1
    done
    check test -s "$VX_PRINT"
    sleep 0.5
    mv "$VX_PRINT" "$VX_ARTIFACTS/$name.ps"
    ps2pdf "$VX_ARTIFACTS/$name.ps" "$VX_ARTIFACTS/$name.pdf"
    pdftotext -layout "$VX_ARTIFACTS/$name.pdf" "$VX_ARTIFACTS/$name.txt"
    pdftoppm -png -r 60 -singlefile "$VX_ARTIFACTS/$name.pdf" "$VX_ARTIFACTS/$name"
}

remove_printer() {
    check test "$(wine "$VX_BIN/tests/e2e/printer_setup.exe" remove </dev/null 2>/dev/null | tr -d '\r')" = ok
}

# Another machine: a prefix of its own, copied from the template, on a display of its own (so
# that one machine's pointer clip and windows never touch another's). Prints
# "PREFIX DISPLAY XVFB_PID"; run helpers on it with `on_machine PREFIX DISPLAY helper ...`,
# end it with `end_machine PREFIX XVFB_PID`.
new_machine() {
    local dir="$VX_BIN/wine/run-$1" started
    started=$(vx_start_xvfb)
    (
        export DISPLAY=${started#* }
        vx_prefix "$VX_BIN/wine/template" "$dir"
    ) </dev/null >/dev/null 2>&1
    echo "$dir ${started#* } ${started% *}"
}

on_machine() {
    WINEPREFIX=$1 DISPLAY=$2 "${@:3}"
}

end_machine() {
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    kill "$2" 2>/dev/null || true
    rm -rf "$1"
}
