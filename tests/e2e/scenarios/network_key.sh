# A network with a key on the real Windows build: an administrator at 127.0.0.1 and a client
# "PC7" at 127.0.0.2 (each its own prefix and display) type the same key in their options
# dialogs and join; a countdown from the console runs on the client. A stranger of the
# harness without the key, and one with a wrong key, command the client: nothing happens and
# nothing comes back; sent to the administrator, the console counts them. With the key cleared
# on both, a peer without a key commands the client again.
S='SOFTWARE\Morvandel4'
O="window Vardex - Options"
N="window Network Control..."
G="grid#1"
KEY="Room 3, only ours"
stranger() {
    python3 "$here/peer/vxpeer.py" --bind 9500 --name "$1" --to "$2" "${@:3}"
}

join_with_key() {
    fresh_vardex
    start_vardex
    open_options_page 6
    drive "$O" "retype edit@Network key: = $KEY" "$@"
}

# The administrator, the key typed before it connects.
join_with_key "click option:Administrator" \
    "retype edit@Network Administration Controls = 127.0.0.1" "click button:&Connect!" \
    "visible label:This computer is connected to the network as a ADMINISTER... = 1"
artifact network-key-page
drive "$O" "click button:E&xit Options" "gone Vardex - Options"
drive "regtext $S NetKey = $KEY"

# The client, the same key: it checks in.
read -r client_prefix client_display client_xvfb < <(new_machine network-key-client)
trap 'on_client artifact network-key-client-last; end_machine "$client_prefix" "$client_xvfb"' EXIT
on_client() { on_machine "$client_prefix" "$client_display" "$@"; }
on_client join_with_key "click option:Client" "retype edit@Name of this computer: = PC7" \
    "retype edit@IP Address of Admin: = 127.0.0.1" \
    "retype edit@IP Address of this machine: = 127.0.0.2" "click button:C&onnect!" \
    "visible label:This computer is connected to the network as a CLIENT... = 1"
on_client drive "$O" "click button:E&xit Options" "gone Vardex - Options"
on_client drive "regtext $S NetKey = $KEY"
check test "$(on_client reg_value "HKLM\\$S" Value13)" = 9723

# A countdown of two minutes from the console.
open_options_page 6
drive "$O" "click button:&Goto Network Dialog" "$N" "cell $G = 1,0,PC7" \
    "cell $G = 1,1,Lock mode" "visible label~Messages refused since opened = 1"
drive "$N" "row $G = 1" "retype combo@Hours: = 0" "retype combo@Minutes: = 2" \
    "click button:&Start Timer Countdown"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:5"
drive "$N" "cell $G = 1,1,Timing mode"

# Strangers: without the key and with a wrong one, a lock and a long countdown for the client
# go unanswered and change nothing.
stranger PC7 127.0.0.2:9723 "unanswered 2 0 2"
stranger PC7 127.0.0.2:9723 --key "Room 3, not ours" "unanswered 1 36000 2"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:"
# Sent to the administrator, posing as the client: counted, and the client's row keeps its state.
stranger admin 127.0.0.1:9023 "unanswered 21 0 0.5" "unanswered 27 0 0.5"
stranger admin 127.0.0.1:9023 --key "Room 3, not ours" "unanswered 21 0 0.5"
drive "$N" "visible label:Messages refused since opened (wrong or missing network key): 3 = 1" \
    "cell $G = 1,1,Timing mode"

# A client of the harness with the key, "PC9", checks in; the console grants it two hours, and
# that signed datagram, captured as it came, is sent on to PC7 and back to the administrator:
# neither carries it out, nothing comes back, and the administrator counts it refused.
pc9() {
    python3 "$here/peer/vxpeer.py" --bind 9501 --as PC9 --name admin --to 127.0.0.1:9023 \
        --key "$KEY" "$@"
}
grant="$VX_BIN/wine/network-key-grant.bin"
pc9 "plain 11 0" "expect 12=1 5" "send 21 0"
drive "$N" "cell $G = 2,0,PC9" "cell $G = 2,1,Lock mode"
pc9 "capture 1 10 $grant" &
capture_pid=$!
sleep 0.5
drive "$N" "row $G = 2" "retype combo@Hours: = 2" "retype combo@Minutes: = 0" \
    "click button:&Start Timer Countdown"
wait $capture_pid
stranger PC7 127.0.0.2:9723 "replay $grant 2"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:"
stranger admin 127.0.0.1:9023 "replay $grant 1"
drive "$N" "visible label:Messages refused since opened (wrong or missing network key): 4 = 1" \
    "cell $G = 1,1,Timing mode" "cell $G = 2,1,Lock mode"
rm -f "$grant"
artifact network-key-console

# Locked from the console; the key cleared on both; a peer without a key is obeyed again.
drive "$N" "row $G = 1" "click button:&Put in Lock Mode"
on_client drive "window Vardex - Blocked" "text label#1 = System blocked!"
drive "$N" "cell $G = 1,1,Lock mode" "click button:&Options Dialog"
drive "$O" "tab tab#1 = 6" "retype edit@Network key: = " "click button:E&xit Options" \
    "gone Vardex - Options"
on_client open_options_page 6
on_client drive "$O" "retype edit@Network key: = " "click button:E&xit Options" \
    "gone Vardex - Options"
drive "regtext $S NetKey = "
on_client drive "regtext $S NetKey = "
stranger PC7 127.0.0.2:9723 "send 1 120" "expect 28 5"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:5"
