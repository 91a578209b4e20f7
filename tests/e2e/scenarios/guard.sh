# The guard on the real Windows build: installed silently into a fresh prefix, it runs the
# program as a service and shows it through a face that nobody starts by hand; a killed face
# is back within two seconds with its countdown unbroken; five kills in a minute end in a
# disconnected session and a logged event; the operator's exit ends the face for good; the
# uninstall leaves neither service nor face.
S='SOFTWARE\Morvandel4'
setup="$VX_BIN/vardex-setup.exe"
folder="$WINEPREFIX/drive_c/Program Files/Vardex"
guard_log="$WINEPREFIX/drive_c/ProgramData/Vardex/guard.log"

# Runs a Windows program to its end; prints its exit code.
exit_code() {
    set +e
    wine "$@" </dev/null >/dev/null 2>&1
    echo $?
    set -e
}
face_pid() { pgrep -f 'vado41.exe /face' | head -1 || true; }
faces() { pgrep -fc 'vado41.exe /face' || true; }
guards() { pgrep -fc 'Vardex.vado_guard.exe' || true; }
# Waits up to 5 s for that many guards (a process shows its name a moment after it starts).
guards_are() {
    local i
    for i in $(seq 1 50); do
        [ "$(guards)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "guards: $(guards), not $1" >&2
    return 1
}
# Waits up to $1 seconds for a face other than $2 (a pid, or "none").
wait_new_face() {
    local i pid
    for i in $(seq 1 $(($1 * 20))); do
        pid=$(face_pid)
        if [ -n "$pid" ] && [ "$pid" != "$2" ]; then
            echo "$pid"
            return 0
        fi
        sleep 0.05
    done
    echo "no new face within $1 s" >&2
    return 1
}

set +e
wine "$setup" /S </dev/null >/dev/null 2>&1
check test $? = 0
set -e
check test -s "$folder/vado_guard.exe"

# "Boot": the prefix starts again, the service with it, and the blocked machine appears
# although nobody starts vado41.
wineserver -k
wineserver -w
wine reg query "HKLM\\SOFTWARE" </dev/null >/dev/null 2>&1 &
first=$(wait_new_face 30 none)
# Wine ends its services once no program of the user runs (there is no logon session to keep
# them): a windowless program stands in for the rest of the user's session while no face runs.
start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 900000"
keeper=$VX_PID
guards_are 1
drive "timeout 30000" "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
drive "window Vardex - Blocked" "text label#1 = System blocked!" "window Vardex" \
    "visible button:&Start computer timer = 1"
sleep 1
artifact guard-blocked
# The guard keeps the program file's backup in its own folder, not in a temp folder.
for i in $(seq 1 50); do
    [ -e "$WINEPREFIX/drive_c/ProgramData/Vardex/~btw.tmp" ] && break
    sleep 0.2
done
check cmp "$WINEPREFIX/drive_c/ProgramData/Vardex/~btw.tmp" "$folder/vado41.exe"
check test -z "$(find "$WINEPREFIX/drive_c/windows/temp" -name '~btw.tmp' 2>/dev/null)"

# A program started by hand while the guard serves the session says so and ends.
start_app "$folder/vado41.exe"
by_hand=$VX_PID
drive "timeout 20000" "window Vardex - Info" "visible label~Vardex is already running! = 1" \
    "click button:&OK"
wait_exit "$by_hand" 10

# The operator starts 30 minutes; the face is killed; the small time window is back within
# two seconds, with no word of an unusual shutdown and the time it would have had.
M="window Vardex"
drive "$M" "retype combo#1 = 0" "retype combo#2 = 30" "click button:&Start computer timer"
drive "window Vardex - Security Check" "retype edit#2 = zel" "click button:&OK" \
    "gone Vardex - Security Check"
drive "timeout 15000" "window Vardex - Time" "starts label#1 = Computer time: 00:2"
sleep 3
face=$(face_pid)
kill -9 "$face"
killed=$(date +%s%N)
second=$(wait_new_face 5 "$face")
drive "timeout 5000" "window Vardex - Time" "starts label#1 = Computer time: 00:29:"
back=$((($(date +%s%N) - killed) / 1000000))
echo "timing window back ${back} ms after the kill"
check test "$back" -lt 2000
check test "$(faces)" = 1
drive "gone Vardex - Info"
sleep 1
artifact guard-face-back

# With that kill, five within a minute: the session is disconnected and the event logged.
face=$second
for i in 1 2 3 4; do
    kill -9 "$face"
    if [ "$i" -lt 4 ]; then
        face=$(wait_new_face 5 "$face")
        drive "timeout 10000" "window Vardex - Time" "starts label#1 = Computer time: 00:2"
    fi
done
sleep 2
if [ "$(faces)" != 0 ]; then
    cat "$guard_log" >&2 || true
    pgrep -fa 'vado' >&2 || true
fi
check test "$(faces)" = 0
if ! grep -a "were ended five times within a minute; session 1 was disconnected." "$guard_log"; then
    cat "$guard_log" >&2 || true
    pgrep -fa 'vado|vxdrive' >&2 || true
    false
fi
guards_are 1

# Wine sends no session changes: the administrator's start command brings the face back, the
# countdown continued from where the stopped guard left it.
check test "$(exit_code "$folder/vado_guard.exe" /start)" = 0
wait_new_face 30 none >/dev/null
drive "timeout 20000" "window Vardex - Time" "starts label#1 = Computer time: 00:2"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"

# The operator leaves timing mode, switches the start mode back and forth, and leaves Vardex
# itself, behind the password. The face ends and no other comes; the guard runs on.
C="window Vardex - Security Check"
drive "window Vardex - Time" "click label#1"
drive "window Vardex" "click button:E&xit Timing Mode"
drive "$C" "retype edit#2 = zel" "click button#1" "gone Vardex - Security Check"
# Standard start in the options: the Run value and the users' entry on the settings key
# appear, the service no longer starts with Windows; early start again takes them away.
RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
SERVICE='HKLM\SYSTEM\CurrentControlSet\Services\VardexGuard'
# (Wine keeps no key's rights across a restart of the prefix: what the installer set was lost
# at the "boot" above; the installer's scenario reads it back before any restart.)
drive "timeout 10000" "window Vardex" "click button:&Options"
drive "$C" "retype edit#2 = zel" "click button#1" "gone Vardex - Security Check"
# The options go to a file the operator names in the face's save dialog: the guard writes it as
# the session's user (Wine checks no file's rights: only that the write goes through is seen).
drive "window Vardex - Options" "tab tab#1 = 1" "click button:Sa&ve options to file..."
# The operator takes a while to choose: the guard waits as long, and the face lives on.
drive "window Save As"
sleep 7
drive "window Save As" "retype combo#3 = C:\\users\\options.txt" "click button:&Save" "gone Save As"
drive "window Vardex - Info" "visible label:File was successfully written! = 1" "click button:&OK"
check grep -q "Start_Houres=" "$WINEPREFIX/drive_c/users/options.txt"
drive "window Vardex - Options" "checked check:A&utostart Vardex = 1" \
    "click option:standa&rd start" "click button:E&xit Options"
drive "timeout 10000" "window Vardex" "visible button:E&xit Vardex = 1"
check test "$(reg_value "$RUN" Vardex)" = '"C:\Program Files\Vardex\Vado41.exe"'
check test "$(reg_value "$SERVICE" Start)" = 3
check test "$(drive "keysddl $S")" = \
    'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)(A;OICI;CCDCLCSWRPRC;;;BU)'
drive "window Vardex" "click button:&Options"
drive "$C" "retype edit#2 = zel" "click button#1" "gone Vardex - Security Check"
drive "window Vardex - Options" "tab tab#1 = 1" "click option:earl&y start" \
    "click button:E&xit Options"
drive "timeout 10000" "window Vardex" "visible button:E&xit Vardex = 1"
check test -z "$(reg_value "$RUN" Vardex || true)"
check test "$(reg_value "$SERVICE" Start)" = 2
check test "$(drive "keysddl $S")" = 'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)'

# The updater, an administrator's program, stops the guard for the replace and starts it again:
# the new program comes back on the face, and the old one is kept beside it.
update="$WINEPREFIX/drive_c/update"
mkdir -p "$update"
cp "$VX_BIN/app/vado_update.exe" "$update/"
cp "$VX_BIN/app/vado41.exe" "$update/vado41.ex_"
printf 'newer build' >>"$update/vado41.ex_"
face=$(face_pid)
start_app "$update/vado_update.exe"
updater=$VX_PID
drive "window Vardex - Update" "click button:Replace exitsing version with new 4.12 version!"
drive "timeout 30000" "window Vardex - Update info" \
    "visible label:Old Version was successfully updated to 4.12! = 1" "click button:OK"
wait_exit "$updater" 10
check cmp "$update/vado41.ex_" "$folder/vado41.exe"
check cmp "$VX_BIN/app/vado41.exe" "$folder/vado41.bak"
wait_new_face 30 "$face" >/dev/null
guards_are 1
drive "timeout 20000" "window Vardex - Blocked" "window Vardex" "visible button:E&xit Vardex = 1"

drive "timeout 10000" "window Vardex" "click button:E&xit Vardex"
drive "$C" "retype edit#2 = zel" "click button#1"
sleep 5
check test "$(faces)" = 0
guards_are 1

# The uninstall ends the guard and removes its service.
check test "$(exit_code "$folder/uninstall.exe" /S)" = 0
for i in $(seq 1 100); do
    [ -e "$folder/vado_guard.exe" ] || break
    sleep 0.2
done
check test ! -e "$folder/vado_guard.exe"
guards_are 0
check test "$(faces)" = 0
check test "$(exit_code sc query VardexGuard)" != 0
kill "$keeper" 2>/dev/null || true
