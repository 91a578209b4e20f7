# The installer as an operator runs it on a room of machines: silently into a fresh prefix;
# the files, the installation and uninstall keys, the settings key a customer's account may
# use; the installed program's first start (blocked, autostart kept); a refusal while the
# program runs; the silent uninstall that keeps the settings; a reinstall into another folder
# that finds them; an uninstall that removes them.
S='SOFTWARE\Morvandel4'
INSTALLATION='HKLM\SOFTWARE\Quorvane\Vardex\4.0'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardex'
RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
setup="$VX_BIN/vardex-setup.exe"
folder="$WINEPREFIX/drive_c/Program Files/Vardex"

# Runs a Windows program to its end; prints its exit code.
exit_code() {
    set +e
    wine "$@" </dev/null >/dev/null 2>&1
    echo $?
    set -e
}

# The uninstaller runs from a copy of itself: waits up to 20 s for the folder to go.
wait_gone() {
    local i
    for i in $(seq 1 100); do
        [ -e "$1" ] || return 0
        sleep 0.2
    done
    echo "$1 is still there" >&2
    return 1
}

check test "$(exit_code "$setup" /S)" = 0
for f in vado41.exe vado_update.exe; do
    check cmp "$VX_BIN/app/$f" "$folder/$f"
done
check cmp "$VX_BIN/app/help/topic1.html" "$folder/help/topic1.html"
check cmp "$VX_BIN/app/pictures/vardex.bmp" "$folder/pictures/vardex.bmp"
check test -s "$folder/uninstall.exe"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Program Files\Vardex\'
check test "$(reg_value "$UNINSTALL" DisplayName)" = Vardex
check test "$(reg_value "$UNINSTALL" UninstallString)" = '"C:\Program Files\Vardex\uninstall.exe"'
check test "$(reg_value "$UNINSTALL" QuietUninstallString)" = '"C:\Program Files\Vardex\uninstall.exe" /S'
# Users may read and write values and make subkeys (the program asks for no more), but not
# delete the key or change its rights; SYSTEM and administrators may do everything.
sddl=$(drive "keysddl $S")
echo "settings key: $sddl"
check test "$sddl" = 'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)(A;OICI;CCDCLCSWRPRC;;;BU)'

# The first start: the first-run messages, then the blocked machine; the autostart the
# installer registered is kept in the settings.
start_app "$folder/vado41.exe"
program=$VX_PID
drive "timeout 20000" "window Vardex - Info" \
    "visible label~Password is set to 'zel' and Security Formula to 'KOS'! = 1"
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
drive "window Vardex - Blocked" "text label#1 = System blocked!" "window Vardex" "foreground = Vardex"
artifact installer-first-start
check test "$(reg_value "$RUN" Vardex)" = '"C:\Program Files\Vardex\Vado41.exe"'
check test "$(reg_value "HKLM\\$S" Value6)" = 1
drive "regtext $S String2 = zel"

# Neither setup nor uninstall touches a running program.
check test "$(exit_code "$setup" /S)" = 2
# (Run in place with _?=, or it hands over to a copy of itself and ends at once. Wine quotes
# an argument with blanks, which _?= does not take; the refusal comes before the folder
# matters, and a missing refusal would show as exit code 0.)
check test "$(exit_code "$folder/uninstall.exe" /S '_?=C:\Vardex')" = 2
check test -s "$folder/vado41.exe"
wineserver -k
wait_exit "$program" 10
wineserver -p

# The silent uninstall: files, installation key, uninstall entry and autostart go; the
# settings stay.
check test "$(exit_code "$folder/uninstall.exe" /S)" = 0
wait_gone "$folder"
check test -z "$(reg_value "$INSTALLATION" Help_Dir || true)"
check test -z "$(reg_value "$UNINSTALL" DisplayName || true)"
check test -z "$(reg_value "$RUN" Vardex || true)"
drive "regtext $S String2 = zel"

# A reinstall into another folder finds the settings; its first start registers their
# autostart from the new folder.
kiosk="$WINEPREFIX/drive_c/Kiosk/Vardex"
check test "$(exit_code "$setup" /S '/D=C:\Kiosk\Vardex')" = 0
check cmp "$VX_BIN/app/vado41.exe" "$kiosk/vado41.exe"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Kiosk\Vardex\'
check test -z "$(reg_value "$RUN" Vardex || true)"
drive "regtext $S String2 = zel"
start_app "$kiosk/vado41.exe"
program=$VX_PID
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!"
check test "$(reg_value "$RUN" Vardex)" = '"C:\Kiosk\Vardex\Vado41.exe"'
wineserver -k
wait_exit "$program" 10
wineserver -p

# Removing the settings is asked for by name.
check test "$(exit_code "$kiosk/uninstall.exe" /S /REMOVESETTINGS)" = 0
wait_gone "$kiosk"
check test -z "$(reg_value "HKLM\\$S" Value6 || true)"
