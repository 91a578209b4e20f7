# The system keys, pressed as a person does (xdotool on the display): while the machine is
# blocked, Alt+Tab, the Windows key and Ctrl+Esc never get past the program's keyboard hook
# and change neither the window in front nor the pointer clip; in timing mode they pass.
# A watcher's keyboard hook, set before the program's, sees only what the program lets by.
M="window Vardex"
KEYS="$WINEPREFIX/drive_c/keys.txt"
fresh_vardex
wine "$VX_BIN/tests/e2e/vxdrive.exe" "keywatch C:\\keys.txt = 240000" </dev/null >/dev/null 2>&1 &
watcher=$!
trap 'kill $watcher 2>/dev/null || true' EXIT
wait_file "$KEYS" 20
start_vardex
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!" \
    "foreground = Vardex"
clip_before=$(drive "$M" "clip")
# Each combination between two letters; the letters show the watcher sees every key it may.
press() { xdotool key --delay 100 x alt+Tab super ctrl+Escape ctrl+shift+Escape alt+Escape y; sleep 1; }
seen() { tr -d '\r' <"$KEYS" | tr '\n' ' '; }
held() {
    press
    check grep -qx 88 "$KEYS"                  # x
    check grep -qx 89 "$KEYS"                  # y
    for swallowed in 9 91 27; do               # Tab, left Windows key, Esc
        if grep -qx "$swallowed" "$KEYS"; then
            echo "key $swallowed got past the held machine: $(seen)" >&2
            exit 1
        fi
    done
}
held
# The hook is set again every few seconds on its own thread: the keys stay held after that.
sleep 6
: >"$KEYS"
held
drive "$M" "foreground = Vardex"
check test "$(drive "$M" "clip")" = "$clip_before"

# Timing mode: the hold is off and the same keys pass.
drive "$M" "retype combo#1 = 0" "retype combo#2 = 2" "click button:&Start computer timer"
pass_security_check
drive "timeout 15000" "window Vardex - Time" "starts label#1 = Computer time: 00:0"
: >"$KEYS"
press
for passed in 9 91 27; do
    check grep -qx "$passed" "$KEYS"
done
