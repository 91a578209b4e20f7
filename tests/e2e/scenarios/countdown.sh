# A countdown continued after an unusual shutdown, on the real Windows build: the small time
# window counts down from one minute, warns, and at 0 the machine is blocked again.
S='SOFTWARE\Morvandel4'
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
set_setting Value8 1
set_setting Value5 1
start_vardex
drive "timeout 20000" "window Vardex - Time" "starts label#1 = Computer time: 00:0"
# The continued countdown and, at the first regular tick on 60 s left, the warning.
drive "window Vardex - Info" \
    "visible label:Vardex discovered unusual shutdown! Timer continued running from last recorded time. = 1" \
    "visible label~One minute computer time left! = 1"
artifact countdown-running
drive "timeout 20000" "window Vardex - Time" "starts label#1 = Computer time: 00:00:5"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
drive "timeout 70000" "window Vardex" "visible button:E&xit Vardex = 1"
drive "window Vardex - Blocked" "text label#1 = System blocked!"
artifact countdown-ended
check test "$(reg_value "HKLM\\$S" Value5)" = 0
grep -q ": Timer-Period was over." "$WINEPREFIX/drive_c/vadolog.txt"
