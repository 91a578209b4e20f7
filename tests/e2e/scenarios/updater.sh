# The updater through its real window: an installed program replaced by a newer build with
# the old one kept as vado41.bak; the shipped file missing (the error, the installed program
# still there and starting); the main program running (the refusal).
U="window Vardex - Update"
I="window Vardex - Update info"
fresh_vardex
installed="$VX_INSTALL_PATH/vado41.exe"
update="$WINEPREFIX/drive_c/update"
mkdir -p "$update"
cp "$VX_BIN/app/vado_update.exe" "$update/"
# A newer build: the same program with a different tail, so the files can be told apart.
cp "$VX_BIN/app/vado41.exe" "$update/vado41.ex_"
printf 'newer build' >>"$update/vado41.ex_"
run_updater() {
    start_app "$update/vado_update.exe"
    drive "$U" "text edit#1 = C:\\Program Files\\Vardex\\vado41.exe" "enabled button#1 = 1"
}

run_updater
artifact updater-window
drive "$U" "click button:Replace exitsing version with new 4.12 version!"
drive "$I" "visible label:Old Version was successfully updated to 4.12! = 1" "click button:OK"
wait_exit "$VX_PID" 10
check cmp "$update/vado41.ex_" "$installed"
check cmp "$VX_BIN/app/vado41.exe" "$VX_INSTALL_PATH/vado41.bak"

# The shipped file missing: the error, and the installed program stays and starts.
rm "$update/vado41.ex_"
run_updater
drive "$U" "click button:Replace exitsing version with new 4.12 version!"
drive "$I" "visible label~Error! Could' not replace old exe file! = 1" "click button:OK"
drive "$U" "click button:Cancel"
wait_exit "$VX_PID" 10
check test -s "$installed"
start_vardex
program_pid=$VX_PID
drive "timeout 20000" "window Vardex - Blocked" "text label#1 = System blocked!"

# With the program running, the updater refuses and touches nothing.
printf 'newer build' >"$update/vado41.ex_"
run_updater
drive "$U" "click button:Replace exitsing version with new 4.12 version!"
drive "$I" "visible label~Vardex is running on this computer! = 1" "click button:OK"
check test "$(tail -c 11 "$installed")" = "newer build"
check cmp "$VX_BIN/app/vado41.exe" "$VX_INSTALL_PATH/vado41.bak"
kill -0 "$program_pid"
