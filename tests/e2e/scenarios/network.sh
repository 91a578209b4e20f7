# Two machines form a Vardex network on the real Windows build: an administrator at 127.0.0.1
# and a client "PC7" at 127.0.0.2, each its own prefix and display, joined through their
# options dialogs. Then a peer of the harness acting as the administrator drives the client:
# a remote start, a text message, a ping, a burst of hostile datagrams, a flood of junk while
# the countdown runs, a remote lock. Last, the client leaves the network and the
# administrator's table loses it, and a client of the harness checks in twice.
S='SOFTWARE\Morvandel4'
peer() {
    python3 "$here/peer/vxpeer.py" --bind 9500 --to 127.0.0.2:9723 --name PC7 \
        --state "$VX_BIN/wine/network-peer-ids" "$@"
}
O="window Vardex - Options"
rm -f "$VX_BIN/wine/network-peer-ids"

# The administrator.
fresh_vardex
start_vardex
open_options_page 6
drive "$O" "click option:Administrator" \
    "retype edit@Network Administration Controls = 127.0.0.1" "text edit@Port: = 9023" \
    "click button:&Connect!" \
    "visible label:This computer is connected to the network as a ADMINISTER... = 1"
artifact network-admin-connected
drive "$O" "click button:E&xit Options" "gone Vardex - Options"
check test "$(reg_value "HKLM\\$S" Value11)" = 2
check test "$(reg_value "HKLM\\$S" Value13)" = 9023
# No other program of the machine can share the administrator's port.
check test "$(drive "share 9023")" = refused

# The client: a second machine with its own display.
read -r client_prefix client_display client_xvfb < <(new_machine network-client)
trap 'on_client artifact network-client-last; end_machine "$client_prefix" "$client_xvfb"' EXIT
on_client() { on_machine "$client_prefix" "$client_display" "$@"; }
on_client fresh_vardex
on_client start_vardex
client_pid=$VX_PID
on_client open_options_page 6
on_client drive "$O" "click option:Client" "retype edit@Name of this computer: = PC7" \
    "retype edit@IP Address of Admin: = 127.0.0.1" "text edit@Port of Admin: = 9023" \
    "retype edit@IP Address of this machine: = 127.0.0.2" "click button:C&onnect!" \
    "visible label:This computer is connected to the network as a CLIENT... = 1"
on_client artifact network-client-connected
on_client drive "$O" "click button:E&xit Options" "gone Vardex - Options"
check test "$(on_client reg_value "HKLM\\$S" Value11)" = 1
# 9023 is the administrator's on this host: the check-in took the next port of the ladder.
check test "$(on_client reg_value "HKLM\\$S" Value13)" = 9723
# The administrator keeps its client in its store.
check test "$(reg_value "HKLM\\$S" Value1000)" = 1
drive "regtext $S str1001 = PC7" "regtext $S str1002 = 127.0.0.2"
check test "$(reg_value "HKLM\\$S" val1003)" = 9723

# The peer takes the administrator's part: the client follows it to its port.
peer "send 1 120" "expect 28 5"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:5"
check test "$(on_client reg_value "HKLM\\$S" Value12)" = 9500
on_client artifact network-client-remote-start
peer "send 50 Please save your work" "drain 1"
on_client drive "window Vardex - Info" \
    "visible label:The Admin has sent you the following message: Please save your work = 1"
on_client artifact network-client-text-message
on_client drive "window Vardex - Info" "click button:&OK" "gone Vardex - Info"
check kill -0 "$client_pid"
# A ping is answered with the seconds left.
left=$(peer "plain 16 0" "expect 22 5" | sed -n 's/^got .*;22;//p')
echo "the client had $left seconds left"
check test "$left" -gt 60
check test "$left" -le 120
# Hostile datagrams: the client stays, answers and counts on.
peer "hostile" "drain 2" "plain 16 0" "expect 22 5"
check kill -0 "$client_pid"
on_client drive "window Vardex - Time" "starts label#1 = Computer time: 00:01:"
# A flood of junk, 10,000 datagrams a second for three seconds: the countdown's window keeps
# counting through it, and the client answers once it is over.
python3 "$here/peer/vxpeer.py" --bind 9510 --to 127.0.0.2:9723 --name PC7 "flood 30000 3" &
flood_pid=$!
sleep 0.8
during=$(on_client drive "window Vardex - Time" "read label#1")
sleep 1.5
later=$(on_client drive "window Vardex - Time" "read label#1")
wait $flood_pid
echo "in the flood the client showed '$during', then '$later'"
check test -n "$during"
check test "$during" != "$later"
peer "plain 16 0" "expect 22 5"
check kill -0 "$client_pid"
# The remote lock brings the blocking screen back.
peer "send 2 0" "expect 21 5"
on_client drive "window Vardex" "visible button:&Start computer timer = 1"
on_client drive "window Vardex - Blocked" "text label#1 = System blocked!"
on_client artifact network-client-locked
# The peer hands the client back to the real administrator.
peer --as-port 9023 "plain 16 0" "drain 1"
check test "$(on_client reg_value "HKLM\\$S" Value12)" = 9023

# The client leaves: the administrator's table loses it.
on_client open_options_page 6
on_client drive "$O" "click option:not using network" \
    "visible label:This computer is not part of the Vado network! = 1"
for i in $(seq 1 50); do
    [ "$(reg_value "HKLM\\$S" Value1000)" = 0 ] && break
    sleep 0.1
done
check test "$(reg_value "HKLM\\$S" Value1000)" = 0
on_client drive "$O" "click button:E&xit Options" "gone Vardex - Options"
check test "$(on_client reg_value "HKLM\\$S" Value11)" = 0

# A client of the harness checks in twice from one address and port (a copy, or its own
# retry): welcome both times. Then it leaves.
python3 "$here/peer/vxpeer.py" --bind 9501 --as PC9 --name admin --to 127.0.0.1:9023 \
    "plain 11 0" "plain 11 0" "expect 12=1 5" "expect 12=1 5"
check test "$(reg_value "HKLM\\$S" Value1000)" = 1
drive "regtext $S str1001 = PC9"
python3 "$here/peer/vxpeer.py" --bind 9501 --as PC9 --name admin --to 127.0.0.1:9023 \
    "plain 17 0" "drain 0.5"
check test "$(reg_value "HKLM\\$S" Value1000)" = 0
rm -f "$VX_BIN/wine/network-peer-ids"
