# Start-up on the real Windows build: first run, the single-instance test, the program-file
# guard and a countdown continued after an unusual shutdown.
S='SOFTWARE\Morvandel4'
install_vardex

# First run in a fresh prefix: the splash, then the first-run messages in the message window.
start_vardex
first=$VX_PID
drive "timeout 20000" "window Vardex - Start" "text label:Built 2 = Built 2"
artifact startup-splash
drive "timeout 20000" "window Vardex - Info" "visible label~Password is set to 'zel' and Security Formula to 'KOS'! = 1" \
    "visible label:Error in registry! Vardex had to cancel all Direct Access Code Pages. = 1"
artifact startup-messages
# The settings key holds the first-run defaults (texts unscrambled).
drive "regtext $S String1 = KOS" "regtext $S String2 = zel" "regtext $S String3 = c:\\vadolog.txt" \
    "regtext $S String20 = System blocked!" "regtext $S String22 = Start with the &Direct Access Code entered" \
    "regtext $S String9 = "
check test "$(reg_value "HKLM\\$S" Value4)" = 30
check test "$(reg_value "HKLM\\$S" Value15)" = 1
check test "$(reg_value "HKLM\\$S" Value13)" = 9023
check test "$(reg_value "HKLM\\$S" Value11)" = 0
check test "$(reg_value "HKLM\\$S" cpanz)" = 0
check test "$(reg_value "HKLM\\$S" Value5)" = 0

# After the main start step the messages sit in the small window over the main dialog; OK.
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
drive "window Vardex - Info" "visible label~Message Nr. 2 = 1" "click button:&OK" "gone Vardex - Info"
drive "window Vardex" "visible button:&Options = 1" "foreground = Vardex"
artifact startup-blocked

# A second instance shows only that Vardex runs; its OK ends it; nothing stored changes.
wine reg export 'HKLM\SOFTWARE\Morvandel4' "$VX_ARTIFACTS/before.reg" /y </dev/null >/dev/null 2>&1
start_vardex
second=$VX_PID
drive "timeout 20000" "window Vardex - Info" "visible label:Vardex is already running! = 1" \
    "topmost Vardex - Info = 1"
artifact startup-second-instance
drive "window Vardex - Info" "click button:&OK"
wait_exit "$second" 10
wine reg export 'HKLM\SOFTWARE\Morvandel4' "$VX_ARTIFACTS/after.reg" /y </dev/null >/dev/null 2>&1
check cmp -s "$VX_ARTIFACTS/before.reg" "$VX_ARTIFACTS/after.reg"
rm -f "$VX_ARTIFACTS/before.reg" "$VX_ARTIFACTS/after.reg"
check kill -0 "$first"
drive "window Vardex" "visible button:E&xit Vardex = 1"

# The program file, deleted while Vardex runs, is back within 3 seconds.
backup=$(find "$WINEPREFIX/drive_c/users" -name '~btw.tmp' 2>/dev/null | head -1)
for i in $(seq 1 100); do
    [ -n "$backup" ] && break
    sleep 0.1
    backup=$(find "$WINEPREFIX/drive_c/users" -name '~btw.tmp' 2>/dev/null | head -1)
done
check test -n "$backup"
rm -rf "$VX_INSTALL_PATH"
started=$(date +%s.%N)
wait_file "$VX_INSTALL_PATH/vado41.exe" 4
echo "program file restored after $(echo "$(date +%s.%N) - $started" | bc) s"
check cmp -s "$VX_INSTALL_PATH/vado41.exe" "$VX_BIN/app/vado41.exe"

# An unusual shutdown with 10 minutes on the checkpoint continues a 540 s countdown.
wineserver -k
wait_exit "$first" 10
set_setting Value5 10
set_setting Value8 1
start_vardex
drive "timeout 20000" "window Vardex - Info" \
    "visible label:Vardex discovered unusual shutdown! Timer continued running from last recorded time. = 1"
drive "window Vardex - Time" "starts label#1 = Computer time: 00:0"
# The first regular tick lands on 540 s and stores 9 minutes.
for i in $(seq 1 50); do
    [ "$(reg_value "HKLM\\$S" Value5)" = 9 ] && break
    sleep 0.1
done
check test "$(reg_value "HKLM\\$S" Value5)" = 9
# The log names the time resumed; the program-file guard runs in this start too.
grep -q ": Timer started at Vardex start for 0:09" "$WINEPREFIX/drive_c/vadolog.txt"
rm -rf "$VX_INSTALL_PATH"
wait_file "$VX_INSTALL_PATH/vado41.exe" 5
artifact startup-recovery
wineserver -k
