# The README's first command: tools/run.sh (what `make run` runs after the build), headless, in
# a folder of its own. It must end by itself, leave no display behind, and write a screenshot
# of the blocked machine with the main dialog.
out="$VX_BIN/wine/make-run"
rm -rf "$out"
before=$(pgrep -c Xvfb || true)
env -u DISPLAY VARDEX_WIN64="$VX_BIN" VARDEX_RUN="$out" timeout 120 bash "$root/tools/run.sh"
shot="$out/screenshot.png"
check test -s "$shot"
cp "$shot" "$VX_ARTIFACTS/make-run.png"
check test "$(convert "$shot" -format '%w %h' info:)" = "1280 1024"
# The blocking screen is one dark colour; the main dialog in the middle is light, with text
# and pictures of many colours.
lightness() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.intensity)]" info:; }
check test "$(lightness 40 200)" -lt 80
check test "$(lightness 640 512)" -gt 200
check test "$(convert "$shot" -crop 300x200+20+100 +repage -format '%k' info:)" -eq 1
check test "$(convert "$shot" -crop 400x300+440+350 +repage -format '%k' info:)" -gt 20
# Its display went with it.
check test "$(pgrep -c Xvfb || true)" = "$before"
rm -rf "$out"
