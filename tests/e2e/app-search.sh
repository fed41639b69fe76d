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
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-start.png"
install_xdg_open_standin

# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"
start_app

geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "$CLIENT_GEOMETRY"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "$CLIENT_GEOMETRY" "client area at 20,20, 500x35"
expect_true "always on top" state_has_above
expect_eq "$(xprop -id "$DEMO_WIN" _NET_WM_NAME)" "_NET_WM_NAME(UTF8_STRING) = \"Scoutlane' 2010\"" "title"

# The first frame (start_app waited for it), against the golden picture.
sleep 0.5
expect_golden "the started window matches the golden screenshot pixel for pixel" "$GOLDEN" \
  "$CLIENT_CROP" app-start

# Type into the keyword box and press Enter.
type_keyword "abc"
xdotool key Return
wait_for 10 opened_at_least 2
sleep 0.3
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=abc&hl=ja
https://ja.wikipedia.org/wiki/abc" "Enter opened the ticked sites in order"

# The close button (the manager's close request).
close_app
ini=$(tr -d '\r' <"$INI")
# Keys already in the file keep their places; the others follow them.
expect_eq "$(set_section_keys <<<"$ini")" "FRON=1 REF=5 SITE0=1 SITE1=0 SITE2=0 SITE3=1 SITE4=0 SITE5=0 SITE6=0 SITE7=0 SITE8=0 SITE9=0 " \
  "section SET written with all twelve keys"
expect_true "the keyword is in the history" grep -q '^History0=abc$' <<<"$ini"

report
