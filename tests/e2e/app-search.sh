#!/usr/bin/env bash
# The real search bar as a user meets it: it starts at 20,20 with a 500x35
# client area, looks exactly like its golden screenshot, sends a typed
# keyword to the browser of every ticked site when Enter is pressed, and
# writes its settings when the close button is used.
#
# The program runs from a copy in a directory of its own, so its settings
# file (beside the executable) is the test's. A stand-in xdg-open first on
# PATH records the address it is given instead of starting a browser.
#
# Golden screenshot: tests/e2e/golden/app-start.png, the client area right
# after start-up. To make it anew on purpose (after a deliberate change of
# the window's look), run the test with SCOUTLANE_UPDATE_GOLDEN=1, look at
# the new picture and commit it.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-start.png"

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
install_xdg_open_standin

# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$APP_DIR/Scoutlane.ini"

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!

find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"

geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "20 20 500 35"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 500 35" "client area at 20,20, 500x35"
expect_true "always on top" state_has_above
expect_eq "$(xprop -id "$DEMO_WIN" _NET_WM_NAME)" "_NET_WM_NAME(UTF8_STRING) = \"Scoutlane' 2010\"" "title"

# The first frame: the gradient's outline is blue at the top-left corner.
wait_for 10 pixel_is 20 20 0000FF || fail "the first frame never showed"
sleep 0.5
shot() { import -window root -crop 500x35+20+20 +repage "$1" 2>/dev/null; }
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  mkdir -p "$(dirname "$GOLDEN")"
  shot "$GOLDEN"
  echo "golden screenshot written: $GOLDEN"
else
  shot "$E2E_TMP/start.png"
  differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/start.png" null: 2>&1)
  expect_eq "$differing" 0 "the started window matches the golden screenshot pixel for pixel"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/start.png" "${TMPDIR:-/tmp}/app-start.actual.png"
    echo "the window as shown: ${TMPDIR:-/tmp}/app-start.actual.png"
  fi
fi

# Type into the keyword box and press Enter.
xdotool mousemove 386 38 click 1
sleep 0.3
xdotool type --delay 50 "abc"
xdotool key Return
opened_twice() { [ "$(wc -l <"$OPENED")" -ge 2 ]; }
wait_for 10 opened_twice
sleep 0.3
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=abc&hl=ja
https://ja.wikipedia.org/wiki/abc" "Enter opened the ticked sites in order"

# The close button (the manager's close request).
"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"
ini=$(tr -d '\r' <"$APP_DIR/Scoutlane.ini")
# Keys already in the file keep their places; the others follow them.
set_keys=$(awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /=/ { print }' <<<"$ini" | sort | tr '\n' ' ')
expect_eq "$set_keys" "FRON=1 REF=5 SITE0=1 SITE1=0 SITE2=0 SITE3=1 SITE4=0 SITE5=0 SITE6=0 SITE7=0 SITE8=0 SITE9=0 " \
  "section SET written with all twelve keys"
expect_true "the keyword is in the history" grep -q '^History0=abc$' <<<"$ini"

report
