#!/usr/bin/env bash
# A change of the desktop's scale while the bar runs: xrdb sets Xft.dpi from
# 96 to 192, and the same window grows to twice its size in place, keeping
# the keyword typed before; Enter still searches it. Back to 96, it is the
# bar's size again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
install_xdg_open_standin
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\n' >"$INI"
start_app
geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "20 20 500 35" || abort "the bar did not start at 96 dpi"

type_keyword abc
echo "Xft.dpi: 192" | xrdb -merge || abort "xrdb could not set the scale"
wait_for 10 geometry_is "20 20 1000 70"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 1000 70" "the bar grew in place to 1000x70"
expect_eq "$(find_window)" "$DEMO_WIN" "the same window"
# The far corner of the new client area shows the gradient's outline.
expect_true "the scaled frame is painted" wait_for 10 pixel_is 1019 89 0000FF

: >"$OPENED"
xdotool key Return
wait_for 10 opened_at_least 1
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=abc&hl=ja" "the keyword survived the change"

echo "Xft.dpi: 96" | xrdb -merge
wait_for 10 geometry_is "20 20 500 35"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 500 35" "back to 500x35"
expect_true "the frame is painted at 96 dpi again" wait_for 10 pixel_is 519 54 0000FF
expect_true "and nothing of the large bar is left beside it" wait_for 10 pixel_is_not 1019 89 0000FF
close_app
report
