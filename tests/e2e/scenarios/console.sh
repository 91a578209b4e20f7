# The administrator's console on the real Windows build, with two clients "PC1" and "PC2",
# each machine its own prefix and display. The administrator connects with its log on and the
# console at start; restarted, it leads through the check into the console. Then, through the
# console only: a countdown, an open-ended run locked again, a text message, a client that
# dies and is given up, removed.
S='SOFTWARE\Morvandel4'
O="window Vardex - Options"
N="window Network Control..."
G="grid#1"
LOG="$WINEPREFIX/drive_c/users/admin.csv"
CR=$'\r'

# The administrator: connected, its log on, the console at start.
fresh_vardex
start_vardex
admin_pid=$VX_PID
open_options_page 6
drive "$O" "click option:Administrator" \
    "retype edit@Network Administration Controls = 127.0.0.1" "click button:&Connect!" \
    "visible label:This computer is connected to the network as a ADMINISTER... = 1" \
    "click check:Start Network Dialog on Vardex Start" \
    "retype edit@Path for Admin log: = C:\\users\\admin.csv" "click check:Keep an Admin log" \
    "click button:E&xit Options" "gone Vardex - Options"
check test "$(reg_value "HKLM\\$S" Value20)" = 1
check test "$(reg_value "HKLM\\$S" Value30)" = 1

# The clients join through their options dialogs.
read -r pc1_prefix pc1_display pc1_xvfb < <(new_machine console-pc1)
read -r pc2_prefix pc2_display pc2_xvfb < <(new_machine console-pc2)
trap 'on_pc1 artifact console-pc1-last; on_pc2 artifact console-pc2-last
      end_machine "$pc1_prefix" "$pc1_xvfb"; end_machine "$pc2_prefix" "$pc2_xvfb"' EXIT
on_pc1() { on_machine "$pc1_prefix" "$pc1_display" "$@"; }
on_pc2() { on_machine "$pc2_prefix" "$pc2_display" "$@"; }
join() {
    fresh_vardex
    start_vardex
    open_options_page 6
    drive "$O" "click option:Client" "retype edit@Name of this computer: = $1" \
        "retype edit@IP Address of Admin: = 127.0.0.1" \
        "retype edit@IP Address of this machine: = $2" "click button:C&onnect!" \
        "visible label:This computer is connected to the network as a CLIENT... = 1" \
        "click button:E&xit Options" "gone Vardex - Options"
}
on_pc1 join PC1 127.0.0.2
on_pc2 join PC2 127.0.0.3
pc2_pid=$(on_pc2 program_pid)
check test "$(reg_value "HKLM\\$S" Value1000)" = 2

# The administrator starts again: the check, then the console with both clients locked.
drive "window Vardex" "click button:E&xit Vardex"
pass_security_check
wait_exit "$admin_pid" 20
start_vardex
drive "timeout 20000" "window Vardex - Security Check"
pass_security_check
drive "$N" "cell $G = 1,0,PC1" "cell $G = 2,0,PC2" "cell $G = 1,1,Lock mode" \
    "cell $G = 2,1,Lock mode" "cell $G = 0,0,Computer Name" "cell $G = 0,4,Com"

# A countdown of two minutes on PC1.
drive "$N" "row $G = 1" "retype combo@Hours: = 0" "retype combo@Minutes: = 2" \
    "click button:&Start Timer Countdown"
on_pc1 drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:5"
drive "$N" "cell $G = 1,1,Timing mode" "cellstarts $G = 1,2,00:00:0" \
    "cellstarts $G = 1,3,00:01:5"
artifact console-countdown
wait_file "$LOG"
grep -E "^[^,]+,[^,]+,PC1,Countdown start,00:02:00$CR\$" "$LOG"

# An open-ended run on PC2, locked again after a few seconds.
drive "$N" "row $G = 2" "click button:&Unlock and start timing" "cell $G = 2,1,Timing mode" \
    "cell $G = 2,3,-" "cellstarts $G = 2,2,00:00:03"
artifact console-two-clients
drive "$N" "row $G = 2" "click button:&Put in Lock Mode"
drive "window Vardex - Info" \
    "visible label~Timing mode was stopped on computer PC2 after: 00:00:0 = 1" \
    "click button:&OK" "gone Vardex - Info"
drive "$N" "cell $G = 2,1,Lock mode"
grep -E "^[^,]+,[^,]+,PC2,Countup stopped,00:00:0[0-9]$CR\$" "$LOG"
on_pc2 drive "window Vardex" "visible button:&Start computer timer = 1"

# A message to PC1.
drive "$N" "row $G = 1" "retype edit@Send Message = Please finish soon" \
    "click button:S&end this Message" "text edit@Send Message = "
on_pc1 drive "window Vardex - Info" \
    "visible label:The Admin has sent you the following message: Please finish soon = 1"
on_pc1 artifact console-pc1-message

# PC2's program dies: a message to it is resent, given up, and PC2 shows no feedback.
kill -9 "$pc2_pid"
drive "$N" "row $G = 2" "retype edit@Send Message = Hello?" "click button:S&end this Message" \
    "cell $G = 2,4,***"
drive "timeout 40000" "window Vardex - Info" \
    "visible label:Error! Had to cancel a message for computer PC2! If error contiunues, check that computer! = 1" \
    "click button:&OK" "gone Vardex - Info"
drive "$N" "cell $G = 2,1,NO FEEDBACK" "cell $G = 2,4,"
artifact console-no-feedback

# Removed after the question: gone from the grid and from the store.
drive "$N" "row $G = 2" "click button:&Remove from list"
drive "window Vardex - Question" "click button:&Yes" "gone Vardex - Question"
drive "$N" "cell $G = 2,0," "cell $G = 1,0,PC1"
check test "$(reg_value "HKLM\\$S" Value1000)" = 1

# Back to the main dialog: the machine is blocked again.
drive "$N" "click button:Vardex &Main Dialog" "gone Network Control..."
drive "window Vardex - Blocked" "text label#1 = System blocked!"
