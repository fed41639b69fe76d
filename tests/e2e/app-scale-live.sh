#!/usr/bin/env bash
# A change of the desktop's scale while the bar runs: xrdb sets Xft.dpi from
# 96 to 192, and the same window grows to twice its size in place, keeping
# the keyword typed before; Enter still searches it. Back to 96, it is the
# bar of the golden screenshot again.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-start.png"

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
install_xdg_open_standin
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\n' >"$APP_DIR/Scoutlane.ini"

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!
find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"
geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "20 20 500 35" || abort "the bar did not start at 96 dpi"
wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"

xdotool mousemove 386 38 click 1
sleep 0.3
xdotool type --delay 40 "abc"

echo "Xft.dpi: 192" | xrdb -merge || abort "xrdb could not set the scale"
wait_for 10 geometry_is "20 20 1000 70"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 1000 70" "the bar grew in place to 1000x70"
expect_eq "$(find_window)" "$DEMO_WIN" "the same window"
# The far corner of the new client area shows the gradient's outline.
expect_true "the scaled frame is painted" wait_for 10 pixel_is 1019 89 0000FF

xdotool key Return
opened_one() { [ "$(wc -l <"$OPENED")" -ge 1 ]; }
wait_for 10 opened_one
expect_eq "$(opened_addresses)" "http://www.google.co.jp/search?q=abc&hl=ja" "the keyword survived the change"

echo "Xft.dpi: 96" | xrdb -merge
wait_for 10 geometry_is "20 20 500 35"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 500 35" "back to 500x35"
sleep 0.5
xdotool mousemove 600 600
sleep 0.3

"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"
report
