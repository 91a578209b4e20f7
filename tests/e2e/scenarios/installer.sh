# The installer as an operator runs it on a room of machines: silently into a fresh prefix;
# the files, the installation and uninstall keys, the guard's service and the settings key
# only it may use; the first start, by the guard (blocked, early start kept); a refusal while
# a program started by hand runs; the silent uninstall that keeps the settings; a reinstall
# into another folder that finds them; an uninstall that removes them.
S='SOFTWARE\Morvandel4'
INSTALLATION='HKLM\SOFTWARE\Quorvane\Vardex\4.0'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardex'
RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
SERVICE='HKLM\SYSTEM\CurrentControlSet\Services\VardexGuard'
setup="$VX_BIN/vardex-setup.exe"
folder="$WINEPREFIX/drive_c/Program Files/Vardex"

# Runs a Windows program to its end; prints its exit code.
exit_code() {
    set +e
    wine "$@" </dev/null >/dev/null 2>&1
    echo $?
    set -e
}

check test "$(exit_code "$setup" /S)" = 0
for f in vado41.exe vado_update.exe vado_guard.exe; do
    check cmp "$VX_BIN/app/$f" "$folder/$f"
done
check cmp "$VX_BIN/app/help/topic1.html" "$folder/help/topic1.html"
check cmp "$VX_BIN/app/pictures/vardex.bmp" "$folder/pictures/vardex.bmp"
check test -s "$folder/uninstall.exe"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Program Files\Vardex\'
check test "$(reg_value "$UNINSTALL" DisplayName)" = Vardex
check test "$(reg_value "$UNINSTALL" UninstallString)" = '"C:\Program Files\Vardex\uninstall.exe"'
check test "$(reg_value "$UNINSTALL" QuietUninstallString)" = '"C:\Program Files\Vardex\uninstall.exe" /S'
# The guard's service starts with Windows, from a quoted path.
check test "$(reg_value "$SERVICE" Start)" = 2
check test "$(reg_value "$SERVICE" ImagePath)" = '"C:\Program Files\Vardex\vado_guard.exe"'
# Early start: only SYSTEM and administrators may use the settings key, owned by the latter.
sddl=$(drive "keysddl $S")
echo "settings key: $sddl"
check test "$sddl" = 'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)'
# (The installation folder's rights, only administrators writing, cannot be read back here:
# Wine keeps no DACL of a file or folder and shows a made-up one.)

# The first start, by the guard: the first-run messages, then the blocked machine; the early
# start the installer set up is kept in the settings, and no Run value is written.
wait_face
start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 900000"
keeper=$VX_PID
drive "timeout 30000" "window Vardex - Info" \
    "visible label~Password is set to 'zel' and Security Formula to 'KOS'! = 1"
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
drive "window Vardex - Blocked" "text label#1 = System blocked!" "window Vardex" "foreground = Vardex"
artifact installer-first-start
check test -z "$(reg_value "$RUN" Vardex || true)"
check test "$(reg_value "HKLM\\$S" Value6)" = 1
check test "$(reg_value "HKLM\\$S" Value19)" = 1
drive "regtext $S String2 = zel"

# A program started by hand (the guard stopped) keeps setup and uninstall away.
check test "$(exit_code "$folder/vado_guard.exe" /stop)" = 0
start_app "$folder/vado41.exe"
program=$VX_PID
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!"
check test "$(exit_code "$setup" /S)" = 2
# (Run in place with _?=, or it hands over to a copy of itself and ends at once. Wine quotes
# an argument with blanks, which _?= does not take; the refusal comes before the folder
# matters, and a missing refusal would show as exit code 0.)
check test "$(exit_code "$folder/uninstall.exe" /S '_?=C:\Vardex')" = 2
check test -s "$folder/vado41.exe"
kill "$keeper" 2>/dev/null || true
wineserver -k
wait_exit "$program" 10
wineserver -p

# The silent uninstall: files, service, installation key, uninstall entry and autostart go;
# the settings stay.
check test "$(exit_code "$folder/uninstall.exe" /S)" = 0
wait_gone "$folder"
check test -z "$(reg_value "$INSTALLATION" Help_Dir || true)"
check test -z "$(reg_value "$UNINSTALL" DisplayName || true)"
check test -z "$(reg_value "$RUN" Vardex || true)"
check test -z "$(reg_value "$SERVICE" ImagePath || true)"
drive "regtext $S String2 = zel"

# A reinstall into another folder finds the settings and sets up their early start again,
# with the guard from the new folder; a Code Page key an older version left open to users is
# closed as well.
wine reg add 'HKLM\SOFTWARE\Morvandel4\cp9' /v cpstd /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1
kiosk="$WINEPREFIX/drive_c/Kiosk/Vardex"
check test "$(exit_code "$setup" /S '/D=C:\Kiosk\Vardex')" = 0
check cmp "$VX_BIN/app/vado41.exe" "$kiosk/vado41.exe"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Kiosk\Vardex\'
check test "$(reg_value "$SERVICE" ImagePath)" = '"C:\Kiosk\Vardex\vado_guard.exe"'
check test "$(reg_value "$SERVICE" Start)" = 2
check test -z "$(reg_value "$RUN" Vardex || true)"
check test "$(drive "subkeysddl $S\\cp9")" = 'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)'
drive "regtext $S String2 = zel"
wait_face
start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 900000"
keeper=$VX_PID
drive "timeout 30000" "window Vardex - Blocked" "text label#1 = System blocked!"
kill "$keeper" 2>/dev/null || true

# Removing the settings is asked for by name.
check test "$(exit_code "$kiosk/uninstall.exe" /S /REMOVESETTINGS)" = 0
wait_gone "$kiosk"
check test -z "$(reg_value "HKLM\\$S" Value6 || true)"
# Neither a guard nor a face runs (ended processes not yet collected do not count).
check test "$(ps -eo stat=,args= | awk '$1 !~ /Z/' | grep -c '[v]ado_guard\|[v]ado41' || true)" = 0
