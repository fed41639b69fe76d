#!/usr/bin/env bash
# The site picker in the real search bar, used as a person would: the list
# opens on a click on the picker's face, ticks are set and cleared on the
# rows' check boxes, Enter searches the ticked sites in site order whatever
# order they were ticked in, the ticks survive a restart, a click on a
# site's text chooses it and closes the list, and Alt+Down and F4 open the
# list that Escape closes.
#
# Golden screenshot: tests/e2e/golden/app-popup.png, the open list as it
# first shows (sites 0 and 3 ticked, nothing under the pointer). To make it
# anew on purpose, run the test with SCOUTLANE_UPDATE_GOLDEN=1, look at the
# new picture and commit it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-popup.png"
install_xdg_open_standin

# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

open_by_click() {
  click_at $FACE_X $FACE_Y
  wait_for 10 picker_open
}
close_by_escape() {
  xdotool key Escape
  wait_for 10 picker_closed
}

start_app

# ---- opened by a click on the face; its look
open_by_click || abort "a click on the face did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(picker_list_id)")" "$PICKER_LIST_GEOMETRY" "the list is 160x182 under the picker"
sleep 0.3
expect_golden "the open list matches the golden screenshot pixel for pixel" "$GOLDEN" \
  "$PICKER_LIST_CROP" app-popup

find_picker_rows
expect_eq "${#ROW_Y[@]}" 10 "ten rows with check boxes found on the screen"
[ "${#ROW_Y[@]}" -eq 10 ] || abort "cannot go on without the rows"

# ---- ticking out of order, and clearing the two old ticks
click_picker_boxes 7 2 5 3 0
expect_true "the list stays open while boxes are clicked" picker_open
close_by_escape || fail "Escape did not close the list"

search_for "abc" 3
expect_eq "$(opened_addresses)" "https://www.bing.com/search?q=abc&cc=jp
https://news.google.co.jp/news?q=abc&hl=ja&ned=jp
https://www.youtube.com/results?search_query=abc&gl=JP&hl=ja" "Enter opened the ticked sites in site order"

close_app
expect_eq "$(tr -d '\r' <"$INI" | site_keys)" "REF=5 SITE0=0 SITE1=0 SITE2=1 SITE3=0 SITE4=0 SITE5=1 SITE6=0 SITE7=1 SITE8=0 SITE9=0 " \
  "the ticks are in the settings file"

# ---- the ticks survive a restart
start_app
search_for "xyz" 3
expect_eq "$(opened_addresses)" "https://www.bing.com/search?q=xyz&cc=jp
https://news.google.co.jp/news?q=xyz&hl=ja&ned=jp
https://www.youtube.com/results?search_query=xyz&gl=JP&hl=ja" "after a restart the same three sites are searched"

# ---- untick all, then choose a site by its text
open_by_click || abort "a click on the face did not open the list after the restart"
click_picker_boxes 5 2 7
expect_true "the list stays open while boxes are clicked" picker_open
click_picker_text 4
expect_true "a click on a site's text closes the list" wait_for 10 picker_closed
search_for "def" 1
expect_eq "$(opened_addresses)" "https://twitter.com/search?q=def" \
  "with nothing ticked the chosen site is searched"

# ---- the keys: Alt+Down and F4 open, Escape closes (the picker has the focus
# after a click on its face)
open_by_click || fail "a click on the face did not open the list"
close_by_escape || fail "Escape did not close the list"
xdotool key alt+Down
expect_true "Alt+Down opens the list" wait_for 10 picker_open
close_by_escape || fail "Escape did not close the list opened by Alt+Down"
xdotool key F4
expect_true "F4 opens the list" wait_for 10 picker_open
close_by_escape || fail "Escape did not close the list opened by F4"

close_app
expect_eq "$(tr -d '\r' <"$INI" | site_keys)" "REF=4 SITE0=0 SITE1=0 SITE2=0 SITE3=0 SITE4=0 SITE5=0 SITE6=0 SITE7=0 SITE8=0 SITE9=0 " \
  "the chosen site is current and nothing is ticked in the settings file"

report
