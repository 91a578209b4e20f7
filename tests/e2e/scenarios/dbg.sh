S='SOFTWARE\Morvandel4'
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
start_vardex
drive "timeout 20000" "window Vardex" "click button:&Options"
drive "window Vardex - Security Check" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
O="window Vardex - Options"
drive "$O" "tab tab#1 = 1" "click button:Sa&ve options to file..."
drive "window Save As" "type combo#3 = C:\\users\\opts.txt" "click button:&Save" "gone Save As"
drive "window Vardex - Info" "visible label:File was successfully written! = 1"
ls -la "$WINEPREFIX/drive_c/users/" ; cat "$WINEPREFIX/drive_c/users/opts.txt" | head -5
