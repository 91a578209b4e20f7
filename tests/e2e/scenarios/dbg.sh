S='SOFTWARE\Morvandel4'
install_vardex
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
start_vardex
drive "timeout 20000" "window Vardex" "click button:&Options"
drive "window Vardex - Security Check" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
O="window Vardex - Options"
for i in 0 1 2 3 4 5 6 7; do
  drive "$O" "tab tab#1 = $i"
  sleep 0.5
  artifact options-page-$i
done
