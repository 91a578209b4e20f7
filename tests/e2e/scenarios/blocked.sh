# The blocked machine on the real Windows build: the blocking screen with its corner texts,
# the main dialog above it, and the pointer held inside the main dialog.
install_vardex
start_vardex
drive "timeout 20000" "window Vardex" "visible button:E&xit Vardex = 1"
drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"  # the first-run messages
drive "window Vardex - Blocked" "text label#1 = System blocked!" "text label#2 = System blocked!" \
    "text label#3 = System blocked!" "text label#4 = System blocked!"
drive "topmost Vardex - Blocked = 1" "topmost Vardex = 1"
sleep 1
artifact blocked-screen

# Try to move the pointer out in every direction: it stays inside the main dialog.
drive "clip"
rect=$(drive "window Vardex" "rect" | sed -n 's/^rect //p')
IFS=, read -r left top right bottom <<<"$rect"
echo "main dialog: $rect"
for target in "0,0" "1279,0" "0,1023" "1279,1023" "$((left - 5)),$(((top + bottom) / 2))"; do
    at=$(drive "cursor = $target" | sed -n 's/^cursor //p')
    IFS=, read -r x y <<<"$at"
    echo "pointer sent to $target, now at $at"
    check test "$x" -ge "$left"
    check test "$x" -le "$right"
    check test "$y" -ge "$top"
    check test "$y" -le "$bottom"
done
clip=$(drive "clip" | sed -n 's/^clip //p')
check test "$clip" = "$rect"
