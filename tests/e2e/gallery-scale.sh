#!/usr/bin/env bash
# The control gallery at the desktop's scale (E2E_DPI, set as Xft.dpi by
# xrdb before the start): its client area is the layout's 520x416 times the
# scale, and every control in it looks like the golden screenshot
# tests/e2e/golden/gallery-$E2E_DPI.png (SCOUTLANE_UPDATE_GOLDEN=1 makes it
# anew; look at it before committing).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gallery-lib.sh"

: "${E2E_DPI:?the scale is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/gallery-$E2E_DPI.png"

load_desktop_scale
(cd "$GALLERY_DIR" && exec env LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$GALLERY_HOME" ./Gallery) >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
DEMO_PID=$!
wait_for 20 has_gallery_window || abort "the gallery showed no window"
DEMO_WIN=$(gallery_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the gallery's window was never mapped"
read_client_origin
W=$(s 520)
H=$(s 416)
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN" | cut -d' ' -f3-)" "$W $H" "the client area is 520x416 scaled"
# The gradient panel's outline, at (8, 8) of the layout.
wait_for 10 pixel_is $((CLIENT_X + $(s 8))) $((CLIENT_Y + $(s 8))) 0000FF || abort "the first frame never showed"
xdotool mousemove $((CLIENT_X + W + 40)) $((CLIENT_Y + H + 40))
sleep 0.5
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  import -window root -crop "${W}x${H}+${CLIENT_X}+${CLIENT_Y}" +repage "$GOLDEN" 2>/dev/null
  echo "golden screenshot written: $GOLDEN"
else
  import -window root -crop "${W}x${H}+${CLIENT_X}+${CLIENT_Y}" +repage "$E2E_TMP/gallery.png" 2>/dev/null
  differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/gallery.png" null: 2>&1)
  expect_eq "$differing" 0 "the scaled gallery matches its golden screenshot pixel for pixel"
  [ "$differing" != 0 ] && cp "$E2E_TMP/gallery.png" "${TMPDIR:-/tmp}/gallery-$E2E_DPI.actual.png"
fi
xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "Escape closes the gallery with exit code 0"
report
