# The whole stack through the real windows: every control kind of the gallery is clicked,
# typed into, selected and read back; the timer ticks; a refused close keeps the window.
start_app "$VX_BIN/tests/e2e/gallery.exe"
app=$VX_PID
W="window Vardex Control Gallery"

drive "timeout 15000" "$W" "text label#1 = ready"
artifact gallery-start

# Buttons, check boxes and option buttons.
drive "$W" "click button:&Press me" "text label#1 = clicked 1" \
    "click button:&Press me" "text label#1 = clicked 2"
drive "$W" "click check:&Allow close" "checked check:&Allow close = 1" "text label#1 = check=1" \
    "click check:&Allow close" "checked check:&Allow close = 0" "text label#1 = check=0"
drive "$W" "click option:Option &B" "checked option:Option &B = 1" "text label#1 = option=B" \
    "click option:Option &A" "checked option:Option &A = 1" "checked option:Option &B = 0"

# Typing respects the maximum length; Enter reaches the key handler; leaving the box is seen.
drive "$W" "type edit#1 = hello world!" "text edit#1 = hello worl" "text label#2 = text=hello worl"
drive "$W" "key edit#1 = 13" "text label#1 = enter:hello worl"
drive "$W" "retype edit#1 = 42" "text label#2 = text=42"

# Combo boxes: the editable one takes typed text and a selection; the list one a selection.
drive "$W" "items combo#1 = 00|15|30|45" "select combo#1 = 3" "text label#1 = combo=45"
drive "$W" "retype combo#1 = 1h30" "text label#2 = combo text=1h30"
drive "$W" "select combo#2 = 1" "text label#1 = colour=Green"

# A list box with several lines selected.
drive "$W" "select list#1 = 0" "addselect list#1 = 2" "text label#1 = list=0,2"

# The tab strip shows one page at a time.
drive "$W" "visible frame:Page one = 1" "visible frame:Page two = 0" \
    "tab tab#1 = 1" "text label#1 = tab=1" "visible frame:Page two = 1" "visible frame:Page one = 0" \
    "visible label:This is the second page = 1" "tab tab#1 = 0" "visible frame:Page one = 1"

# The grid: header row, cells, row selection.
drive "$W" "cell grid#1 = 0,0,Name" "cell grid#1 = 2,1,Timing mode" "cell grid#1 = 3,0,PC3" \
    "row grid#1 = 2" "text label#1 = row=2 PC2"

# The 100 ms timer ticks: ten ticks take about a second.
# The window between the two reads is measured, so a slow driver start does not count as ticks.
t0=$(date +%s%N)
first=$(drive "$W" "read label#3" | sed 's/ticks=//')
sleep 1
second=$(drive "$W" "read label#3" | sed 's/ticks=//')
ms=$((($(date +%s%N) - t0) / 1000000))
echo "timer: $first -> $second ticks within $ms ms"
check test $((second - first)) -ge 3
check test $((second - first)) -le $((ms / 100 + 2))

artifact gallery-used

# A refused close keeps the window; an allowed one ends the program.
drive "$W" "close" "text label#1 = close refused" "$W"
drive "$W" "click check:&Allow close" "close" "gone Vardex Control Gallery"
wait_exit "$app" 10
