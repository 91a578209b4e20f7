# The Windows Installer package as IT staff deploy it: a silent install into a fresh prefix
# that installs what setup.exe installs (compared on a second machine that runs setup.exe);
# the boot, with the guard showing the blocked machine; a newer version over it that keeps the
# settings and one Add or Remove Programs entry; a removal that keeps the settings; an install
# into a folder named on the command line; a removal asked to take the settings as well.
S='SOFTWARE\Morvandel4'
INSTALLATION='HKLM\SOFTWARE\Quorvane\Vardex\4.0'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
SERVICE='HKLM\SYSTEM\CurrentControlSet\Services\VardexGuard'
folder="$WINEPREFIX/drive_c/Program Files/Vardex"
cp "$VX_BIN/vardex.msi" "$WINEPREFIX/drive_c/vardex.msi"

# Runs msiexec to its end; prints its exit code.
msiexec() {
    set +e
    wine msiexec "$@" </dev/null >/dev/null 2>&1
    echo $?
    set -e
}

# The Add or Remove Programs entries named Vardex, one key per line.
arp_entries() {
    wine reg query "$UNINSTALL" /s </dev/null >"$WINEPREFIX/.arp.out" 2>/dev/null || true
    tr -d '\r' <"$WINEPREFIX/.arp.out" | awk '
        /^HKEY/ { key = $0 }
        $1 == "DisplayName" && $3 == "Vardex" { print key }'
}

# A registry value, read again a few times when the read gives nothing: right after an
# installation, a query of the prefix has been seen to come back empty once.
value_of() {
    local i value
    for i in 1 2 3 4 5; do
        if value=$(reg_value "$1" "$2") && [ -n "$value" ]; then
            echo "$value"
            return 0
        fi
        sleep 0.3
    done
}

# What an installation left on a machine, as text to compare: the installed files with their
# checksums, the installation key, the service, the settings key's rights, and the fields of
# the Add or Remove Programs entry that both packages write.
installation_of() {
    local entry
    (cd "$WINEPREFIX/drive_c/$1" && find . -type f ! -name uninstall.exe -exec md5sum {} + |
        sort -k2)
    wine reg export 'HKLM\SOFTWARE\Quorvane' "$WINEPREFIX/.inst.reg" /y </dev/null >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/.inst.reg" | tr -d '\r' | sed '1s/^\xef\xbb\xbf//' |
        grep -v '^$'
    for value in Type Start ErrorControl ImagePath DisplayName ObjectName Description \
        FailureActions; do
        echo "service $value: $(value_of "$SERVICE" $value)"
    done
    echo "settings key: $(drive "keysddl $S")"
    entry=$(arp_entries)
    for value in DisplayName DisplayVersion Publisher InstallLocation NoModify; do
        echo "entry $value: $(value_of "$entry" $value)"
    done
}

# 1. The silent install.
check test "$(msiexec /i 'C:\vardex.msi' /qn)" = 0
for f in vado41.exe vado_update.exe vado_guard.exe; do
    check cmp "$VX_BIN/app/$f" "$folder/$f"
done
check cmp "$VX_BIN/app/help/topic1.html" "$folder/help/topic1.html"
check cmp "$VX_BIN/app/pictures/vardex.bmp" "$folder/pictures/vardex.bmp"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Program Files\Vardex\'
check test "$(reg_value "$SERVICE" Start)" = 2
check test "$(reg_value "$SERVICE" ImagePath)" = '"C:\Program Files\Vardex\vado_guard.exe"'
check test "$(drive "keysddl $S")" = 'D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)'
entry=$(arp_entries)
check test "$(echo "$entry" | wc -l)" = 1
check test "$(reg_value "$entry" DisplayVersion)" = "$(sed -n 's/^project(vardex VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"

# 2. The same installation as setup.exe's, made on a machine of its own.
read -r other other_display other_xvfb <<<"$(new_machine msi-setup)"
set +e
on_machine "$other" "$other_display" wine "$VX_BIN/vardex-setup.exe" /S </dev/null >/dev/null 2>&1
setup_status=$?
set -e
check test "$setup_status" = 0
installation_of "Program Files/Vardex" >"$VX_ARTIFACTS/msi-installation.txt"
on_machine "$other" "$other_display" installation_of "Program Files/Vardex" \
    >"$VX_ARTIFACTS/setup-installation.txt"
on_machine "$other" "$other_display" wine "$other/drive_c/Program Files/Vardex/vado_guard.exe" \
    /stop </dev/null >/dev/null 2>&1 || true
end_machine "$other" "$other_xvfb"
check diff "$VX_ARTIFACTS/setup-installation.txt" "$VX_ARTIFACTS/msi-installation.txt"
check grep -q 'service ImagePath: "C:\\Program Files\\Vardex\\vado_guard.exe"' \
    "$VX_ARTIFACTS/msi-installation.txt"

# 3. The first start, by the guard the install started: the first-run message, then the
# blocked machine. Then the boot: the guard starts with the prefix and shows it again.
# Wine ends its services once no program of the user runs: a windowless program stands in for
# the user's session.
start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 900000"
keeper=$VX_PID
wait_face
drive "timeout 30000" "window Vardex - Info" \
    "visible label~Password is set to 'zel' and Security Formula to 'KOS'! = 1"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!"
drive "regtext $S String2 = zel"
kill "$keeper" 2>/dev/null || true
wineserver -k
wineserver -w
wine reg query 'HKLM\SOFTWARE' </dev/null >/dev/null 2>&1 &
start_app "$VX_BIN/tests/e2e/vxdrive.exe" "sleep 900000"
keeper=$VX_PID
wait_face
drive "timeout 30000" "window Vardex - Blocked" "text label#1 = System blocked!" \
    "window Vardex" "visible button:&Start computer timer = 1"
sleep 1
artifact msi-boot

# 4. A rebuild of the same version, then a newer version over it: the settings stay, one
# entry, the guard back.
package() {
    bash "$root/app/installer/make_msi.sh" "$1" "$VX_BIN/app" "$root/app/installer/vardex.wxs" \
        "$WINEPREFIX/drive_c/$2"
}
package "$(reg_value "$entry" DisplayVersion)" vardex-rebuilt.msi
check test "$(msiexec /i 'C:\vardex-rebuilt.msi' /qn)" = 0
check test "$(arp_entries | wc -l)" = 1
package 9.9.9 vardex-9.9.9.msi
check test "$(msiexec /i 'C:\vardex-9.9.9.msi' /qn)" = 0
entry=$(arp_entries)
check test "$(echo "$entry" | wc -l)" = 1
check test "$(reg_value "$entry" DisplayVersion)" = 9.9.9
check test "$(reg_value "$SERVICE" Start)" = 2
drive "regtext $S String2 = zel"
wait_face
drive "timeout 30000" "window Vardex - Blocked" "text label#1 = System blocked!"

# 5. The removal: programs, service, installation key and entry go; the settings stay.
check test "$(msiexec /x 'C:\vardex-9.9.9.msi' /qn)" = 0
wait_gone "$folder/vado41.exe"
check test -z "$(reg_value "$INSTALLATION" Help_Dir || true)"
check test -z "$(reg_value "$SERVICE" ImagePath || true)"
check test -z "$(arp_entries)"
drive "regtext $S String2 = zel"

# 6. Into a folder named on the command line, over the kept settings; removed with them.
kiosk="$WINEPREFIX/drive_c/Kiosk/Vardex"
check test "$(msiexec /i 'C:\vardex.msi' /qn 'INSTALLDIR=C:\Kiosk\Vardex\')" = 0
check cmp "$VX_BIN/app/vado41.exe" "$kiosk/vado41.exe"
check test "$(reg_value "$INSTALLATION" Help_Dir)" = 'C:\Kiosk\Vardex\'
check test "$(reg_value "$SERVICE" ImagePath)" = '"C:\Kiosk\Vardex\vado_guard.exe"'
wait_face
drive "timeout 30000" "window Vardex - Blocked" "text label#1 = System blocked!"
# (The removal finds the folder through the installation's Help_Dir.)
check test "$(msiexec /x 'C:\vardex.msi' /qn REMOVESETTINGS=1)" = 0
wait_gone "$kiosk/vado41.exe"
check test -z "$(reg_value "HKLM\\$S" Value6 || true)"
kill "$keeper" 2>/dev/null || true
# Neither a guard nor a face runs (ended processes not yet collected do not count).
check test "$(ps -eo stat=,args= | awk '$1 !~ /Z/' | grep -c '[v]ado_guard\|[v]ado41' || true)" = 0
