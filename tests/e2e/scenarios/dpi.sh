# The windows at 96 and at 144 dots per inch (the Graphics tab's scaling of 100 % and 150 %),
# each on a machine of its own: the main dialog, the small time window and the timing window,
# every page of the options dialog, and the administrator's console. The screenshots are kept
# to be looked at; the scenario checks that the windows are laid out for the scaling.
S='SOFTWARE\Morvandel4'
M="window Vardex"
C="window Vardex - Security Check"
O="window Vardex - Options"
N="window Network Control..."

# Scaling as the Graphics tab sets it; read by each program as it starts.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}

# The width of a control of a window, in pixels.
width_of() {
    local rect
    rect=$(drive "$1" "crect $2" | sed -n 's/^crect //p')
    IFS=, read -r l _ r _ <<<"$rect"
    echo $((r - l))
}

# Every window of the tour at the scaling $1; the widths of two buttons go to files.
tour() {
    local dpi=$1
    set_dpi "$dpi"
    fresh_vardex
    set_setting Value1 1
    set_setting Value7 1
    start_vardex >/dev/null
    drive "timeout 20000" "$M" "visible button:&Start computer timer = 1" >/dev/null
    sleep 1
    artifact "dpi-$dpi-main-dialog"
    width_of "$M" "button:&Start computer timer" >"$VX_ARTIFACTS/dpi-$dpi-start-button-width"
    # The blocking screen covers the whole screen (1280 by 1024 pixels) at any scaling.
    local blocker
    blocker=$(drive "window Vardex - Blocked" "rect" | sed -n 's/^rect //p')
    IFS=, read -r bl bt br bb <<<"$blocker"
    check test "$bl" -le 0
    check test "$bt" -le 0
    check test "$br" -ge 1280
    check test "$bb" -ge 1024

    drive "$M" "retype combo#1 = 0" "retype combo#2 = 2" "click button:&Start computer timer"
    drive "$C" "retype edit#2 = zel" "click button#1" "gone Vardex - Security Check"
    drive "timeout 15000" "window Vardex - Time" "starts label#1 = Computer time: 00:0"
    sleep 0.5
    artifact "dpi-$dpi-time-window"
    drive "window Vardex - Time" "click label#1"
    drive "$M" "visible button:E&xit Timing Mode = 1" "starts edit#1 = 00:0"
    sleep 0.5
    artifact "dpi-$dpi-timing-window"
    # Laid out in pixels, of a screen at 96.
    width_of "$M" "button:Help" >"$VX_ARTIFACTS/dpi-$dpi-help-button-width"
    drive "$M" "click button:E&xit Timing Mode"
    drive "$C" "retype edit#2 = zel" "click button#1" "gone Vardex - Security Check"

    drive "timeout 20000" "$M" "click button:&Options"
    drive "$C" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
    local page
    for page in 0 1 2 3 4 5 6 7; do
        drive "$O" "tab tab#1 = $page"
        sleep 0.5
        artifact "dpi-$dpi-options-page-$((page + 1))"
    done
    drive "$O" "tab tab#1 = 6" "click option:Administrator" \
        "retype edit@Network Administration Controls = 127.0.0.1" "click button:&Connect!" \
        "visible label:This computer is connected to the network as a ADMINISTER... = 1" \
        "click button:&Goto Network Dialog"
    drive "timeout 10000" "$N" "cell grid#1 = 0,0,Computer Name"
    sleep 0.5
    artifact "dpi-$dpi-console"
}

tour 96
read -r wide_prefix wide_display wide_xvfb <<<"$(new_machine dpi-144)"
trap 'end_machine "$wide_prefix" "$wide_xvfb"' EXIT
on_machine "$wide_prefix" "$wide_display" tour 144
# Laid out at the scaling: one and a half times as wide, give or take a pixel of rounding,
# both the dialogs laid out in twips and the timing window laid out in pixels.
for control in start-button help-button; do
    narrow=$(cat "$VX_ARTIFACTS/dpi-96-$control-width")
    wide=$(cat "$VX_ARTIFACTS/dpi-144-$control-width")
    echo "$control: $narrow px at 96 dpi, $wide px at 144 dpi"
    check test $((wide * 2)) -ge $((narrow * 3 - 4))
    check test $((wide * 2)) -le $((narrow * 3 + 4))
done
