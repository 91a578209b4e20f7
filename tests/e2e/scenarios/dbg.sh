S='SOFTWARE\Morvandel4'
install_vardex
add_printer
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
start_vardex
drive "timeout 20000" "window Vardex" "click button:&Options"
drive "window Vardex - Security Check" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
O="window Vardex - Options"
t0=$(date +%s.%N)
drive "$O" "tab tab#1 = 4" "type edit@Hours: = 1" "type edit@Minutes: = 30" "type edit@Comment: = Room A" "click button:Make new &Code Page"
drive "window Vardex - Info" "visible label~Printing successful! = 1"
echo "printed after $(echo "$(date +%s.%N) - $t0" | bc) s"
take_print dbg-sheet
head -30 "$VX_ARTIFACTS/dbg-sheet.txt"
