# The options dialog on the real Windows build, through the real windows only: the two "Misc"
# pages, the digit check (also before a file is written), a Time Distributer ID made and used,
# the explanation window, the options carried to a second machine through the real save and
# open dialogs, and a file with an ID without a name.
S='SOFTWARE\Morvandel4'
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
start_vardex
M="window Vardex"
C="window Vardex - Security Check"
O="window Vardex - Options"
open_options() {
    drive "timeout 20000" "$M" "click button:&Options"
    drive "$C" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
    drive "$O" "visible button:E&xit Options = 1"
}
open_options
for i in 0 1 2 3 4 5 6 7; do
    drive "$O" "tab tab#1 = $i"
    sleep 0.5
    artifact "options-page-$((i + 1))"
done

# Misc1: the main dialog's preset time, a log file and its four boxes.
drive "$O" "tab tab#1 = 0" "retype edit@Hours: = 1" "retype edit@Minutes: = 15" \
    "retype edit@Path && Filename of Log-File: = C:\\users\\vardex.log" \
    "click check:Start&ing / Exiting Vardex" "click check:Start / St&op of the Timer Mode" \
    "click check:pre&vent an opening of protected Window" \
    "checked check:pre&vent an opening of protected Window = 1" \
    "checked check:Pausi&ng of the Timer Mode = 0"
# Misc2: no warning at ten minutes.
drive "$O" "tab tab#1 = 1" "click check:at 1&0 min." "checked check:at 1&0 min. = 0"
# The explanation window describes the control under the mouse.
drive "$O" "click button:Expl&anation Window" "text button:Close Expl. Window = Close Expl. Window"
drive "$O" "mouse button:Sa&ve options to file... = move,5,5"
drive "window Vardex - Explanation Window" \
    "starts label#1 = This button makes it possible to save most of the options"
artifact options-explanation
# Hours that are no whole number keep the dialog open.
drive "$O" "tab tab#1 = 0" "retype edit@Hours: = 1 5" "click button:E&xit Options"
drive "window Vardex - Info" \
    "visible label:Please enter an integer in the 'hours' Textbox at the 'Misc' Tab! = 1" \
    "click button:&OK" "gone Vardex - Info"
drive "$O" "visible button:E&xit Options = 1" "retype edit@Hours: = 1"
# Hours that do not fit are refused before a file is even asked for: no crash, nothing written.
drive "$O" "retype edit@Hours: = 99999999999" "tab tab#1 = 1" "click button:Sa&ve options to file..."
drive "window Vardex - Info" \
    "visible label:Please enter an integer in the 'hours' Textbox at the 'Misc' Tab! = 1" \
    "click button:&OK" "gone Vardex - Info"
drive "$O" "visible button:E&xit Options = 1" "tab tab#1 = 0" "retype edit@Hours: = 1"
check test -z "$(drive windows | grep -E 'Save As|Speichern')"
check test ! -e "$WINEPREFIX/drive_c/users/options.txt"

# Time Distr.: a daily ID of two minutes.
drive "$O" "tab tab#1 = 7" "type edit@New ID: = Anna" "type edit@Hours: = 0" \
    "type edit@Minutes: = 2" "click option:day" "click button:&Create new Time Distributor ID" \
    "text edit@New ID: = "
artifact options-time-distributer
drive "$O" "click button:E&xit Options" "gone Vardex - Options"
check test "$(reg_value "HKLM\\$S" Value3)" = 1
check test "$(reg_value "HKLM\\$S" Value4)" = 15
for v in Value7 Value8 Value10; do check test "$(reg_value "HKLM\\$S" $v)" = 1; done
check test "$(reg_value "HKLM\\$S" Value9)" = 0
check test "$(reg_value "HKLM\\$S" Value15)" = 0
check test "$(reg_value "HKLM\\$S" l2_1)" = 1
drive "regtext $S String3 = C:\\users\\vardex.log" "regtext $S l2_2_0 = Anna"
drive "$M" "text combo#1 = 1" "text combo#2 = 15" "enabled button:Start timer for Distributor ID = 1"

# The ID starts the countdown; its exit needs no check and keeps the rest.
drive "$M" "type edit#2 = anna" "click button:Start timer for Distributor ID"
drive "timeout 15000" "window Vardex - Time" "starts label#1 = Computer time: 00:01:5" "click label#1"
drive "$M" "click button:E&xit Timing Mode"
drive "$M" "visible button:&Start computer timer = 1"
rest=$(reg_value "HKLM\\$S" l2_6_0)
echo "Anna kept $rest seconds"
check test "$rest" -gt 60
check test "$rest" -le 120

# The options go to a file through the real save dialog.
open_options
drive "$O" "tab tab#1 = 1" "click button:Sa&ve options to file..."
drive "window Save As" "retype combo#3 = C:\\users\\options.txt" "click button:&Save" "gone Save As"
drive "window Vardex - Info" "visible label:File was successfully written! = 1" "click button:&OK"
drive "$O" "click button:E&xit Options" "gone Vardex - Options"
# The file pairs each key with its own setting: values that differ, line by line.
written=$(tr -d '\r' <"$WINEPREFIX/drive_c/users/options.txt")
for line in "Number_of_Time_Dist_IDs=1" "Time_Dist_ID(0)=Anna" "Time_Dist_Time(0)=120" \
    "Time_Dist_Period(0)=1" 'Log_Path=C:\users\vardex.log' "Log_Start_Exit_Vado=1" \
    "Log_Start_Stop_Timer=1" "Log_Pausing_Timer=0" "Log_Preventing_Program=1" \
    "Start_Houres=1" "Start_minutes=15" "Warning_at_10_minutes=0" "Warning_at_5_minutes=1" \
    "Password=zel" "Security_Formula=KOS"; do
    if ! printf '%s\n' "$written" | grep -qxF "$line"; then
        echo "the options file has no line '$line'" >&2
        false
    fi
done
wine reg export "HKLM\\$S" "$VX_ARTIFACTS/options-first.reg" /y </dev/null >/dev/null 2>&1
first=$WINEPREFIX

# A second, fresh machine takes them over through the real open dialog.
vx_prefix "$VX_BIN/wine/template" "$VX_BIN/wine/run-options-second"
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
mkdir -p "$WINEPREFIX/drive_c/users"
cp "$first/drive_c/users/options.txt" "$WINEPREFIX/drive_c/users/options.txt"
start_vardex
open_options
drive "$O" "tab tab#1 = 1" "click button:Load &options from file..."
drive "window Open" "retype combo#3 = C:\\users\\options.txt" "click button:&Open" "gone Open"
drive "window Vardex - Info" "visible label:File was successfully read! = 1" "click button:&OK"
drive "$O" "tab tab#1 = 0" "text edit@Minutes: = 15" "click button:E&xit Options" \
    "gone Vardex - Options"
wine reg export "HKLM\\$S" "$VX_ARTIFACTS/options-second.reg" /y </dev/null >/dev/null 2>&1

# Every value the file carries is the same on both machines.
values() {
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r' | grep -E '^"' | sort
}
carried='^"(List_Anz|List_Anz_[0-9]+|List_Check_[0-9]+|l2_1|l2_[2-6]_[0-9]+|String(1|2|3|6|10|11|2[0-8]|30)|Value(1|3|4|6|7|8|9|10|12|13|14|15|16|17|18|19|30))"='
values "$VX_ARTIFACTS/options-first.reg" | grep -E "$carried" >"$VX_ARTIFACTS/options-first.txt"
values "$VX_ARTIFACTS/options-second.reg" | grep -E "$carried" >"$VX_ARTIFACTS/options-second.txt"
check test "$(wc -l <"$VX_ARTIFACTS/options-first.txt")" -ge 40
diff "$VX_ARTIFACTS/options-first.txt" "$VX_ARTIFACTS/options-second.txt"
rm -f "$VX_ARTIFACTS"/options-*.reg "$VX_ARTIFACTS"/options-*.txt
check test "$(reg_value "HKLM\\$S" Value9)" = 0
check test "$(reg_value "HKLM\\$S" Value15)" = 0
check test "$(reg_value "HKLM\\$S" Value4)" = 15

# A file whose first ID has no name: that one is not taken, the other is.
printf 'Number_of_Time_Dist_IDs=2\r\nTime_Dist_Time(0)=3600\r\nTime_Dist_Period(0)=1\r\nTime_Dist_Date(0)=46363\r\nTime_Dist_Remain(0)=3600\r\nTime_Dist_ID(1)=Ben\r\nTime_Dist_Time(1)=600\r\nTime_Dist_Period(1)=7\r\nTime_Dist_Date(1)=46363\r\nTime_Dist_Remain(1)=600\r\n' \
    >"$WINEPREFIX/drive_c/users/noname.txt"
open_options
drive "$O" "tab tab#1 = 1" "click button:Load &options from file..."
drive "window Open" "retype combo#3 = C:\\users\\noname.txt" "click button:&Open" "gone Open"
drive "window Vardex - Info" "visible label:File was successfully read! = 1" "click button:&OK"
drive "$O" "tab tab#1 = 7"
sleep 0.5
artifact options-id-without-name
drive "$O" "click button:E&xit Options" "gone Vardex - Options"
check test "$(reg_value "HKLM\\$S" l2_1)" = 1
drive "regtext $S l2_2_0 = Ben"
WINEPREFIX=$first wineserver -k
vx_stop_prefix
rm -rf "$VX_BIN/wine/run-options-second"
