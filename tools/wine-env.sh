# Shared helpers for running the Windows build under Wine. Source it; it sets nothing else up.
#   vx_display          start Xvfb unless DISPLAY is set (exports DISPLAY, VX_XVFB_PID)
#   vx_template DIR     make the cached base prefix DIR once (virtual desktop baked in)
#   vx_prefix TPL DIR   a fresh prefix DIR as a copy of the template; starts its wineserver
#   vx_stop_prefix      end every process of the current prefix
#   vx_screenshot FILE  PNG of the whole screen
#   vx_start_xvfb       start another Xvfb; prints "PID :N"

export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

vx_display() {
    if [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local started
    started=$(vx_start_xvfb)
    VX_XVFB_PID=${started% *}
    export VX_XVFB_PID
    export DISPLAY=${started#* }
    echo "No display: started Xvfb on $DISPLAY" >&2
}

# Starts Xvfb; prints "PID :N".
vx_start_xvfb() {
    local f pid i
    f=$(mktemp)
    rm -f "$f"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$f" >/dev/null 2>&1 &
    pid=$!
    for i in $(seq 1 100); do
        [ -s "$f" ] && break
        sleep 0.1
    done
    if [ ! -s "$f" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    echo "$pid :$(cat "$f")"
    rm -f "$f"
}

vx_stop_display() {
    if [ -n "${VX_XVFB_PID:-}" ]; then
        kill "$VX_XVFB_PID" 2>/dev/null || true
        # Started in a command substitution, so not our child: wait until it is gone.
        local i
        for i in $(seq 1 50); do
            kill -0 "$VX_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        unset VX_XVFB_PID
    fi
}

vx_abs() {
    case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac
}

vx_template() {
    local tpl
    tpl=$(vx_abs "$1")
    if [ -f "$tpl/.vardex-template" ]; then
        return 0
    fi
    rm -rf "$tpl"
    mkdir -p "$(dirname "$tpl")"
    WINEPREFIX="$tpl" wineboot -i >/dev/null 2>&1 </dev/null
    # A virtual desktop: without a window manager every hide of a top-level window stalls.
    WINEPREFIX="$tpl" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
        >/dev/null 2>&1 </dev/null
    WINEPREFIX="$tpl" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
        >/dev/null 2>&1 </dev/null
    WINEPREFIX="$tpl" wineserver -w
    touch "$tpl/.vardex-template"
}

vx_prefix() {
    local tpl dir
    tpl=$(vx_abs "$1")
    dir=$(vx_abs "$2")
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    cp -a "$tpl" "$dir"
    export WINEPREFIX="$dir"
    wineserver -p
    # The helper processes Wine starts inherit the first command's output: start them now,
    # so later captured output cannot hang.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

vx_stop_prefix() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

vx_screenshot() {
    import -window root "$1" 2>/dev/null || xwd -root -silent | convert xwd:- "$1"
}
