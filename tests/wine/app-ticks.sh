#!/usr/bin/env bash
# The site picker's ticks and the keyword history of Scoutlane.exe under
# Wine survive a restart, in Scoutlane.ini beside the .exe (code page 932,
# CRLF line ends):
#
# - the picker's list opens on a click on its face, under the picker, and
#   looks like the Linux program's golden picture of it;
# - ticks set and cleared on the rows' check boxes decide which sites Enter
#   opens;
# - after a restart the same sites open, and the history holds both
#   keywords, newest first; the keyword box's drop-down list shows them and
#   a click on a row searches for it again.
#
# Golden screenshot: tests/e2e/golden/app-popup.png, made by the Linux
# program (tests/e2e/app-picker.sh).
source "$(dirname "$0")/wine-lib.sh"

GOLDEN="$E2E_GOLDEN/app-popup.png"
install_xdg_open_standin
# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

open_by_click() {
  click_at $FACE_X $FACE_Y
  wait_for 10 picker_open
}

start_app

# ---- opened by a click on the face; its look
open_by_click || abort "a click on the face did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(picker_list_id)")" "$PICKER_LIST_GEOMETRY" "the list is 160x182 under the picker"
sleep 0.3
expect_golden "the open list matches the Linux golden screenshot pixel for pixel" "$GOLDEN" \
  "$PICKER_LIST_CROP" wine-app-popup

find_picker_rows
expect_eq "${#ROW_Y[@]}" 10 "ten rows with check boxes found on the screen"
[ "${#ROW_Y[@]}" -eq 10 ] || abort "cannot go on without the rows"

# ---- ticking out of order, and clearing the two old ticks
click_picker_boxes 7 2 5 3 0
expect_true "the list stays open while boxes are clicked" picker_open
xdotool key Escape
wait_for 10 picker_closed || fail "Escape did not close the list"

SITES="https://news.google.co.jp/news?q=%s&hl=ja&ned=jp
https://www.bing.com/search?q=%s&cc=jp
https://www.youtube.com/results?search_query=%s&gl=JP&hl=ja"
search_for "abc" 3
expect_eq "$(opened_sorted)" "${SITES//%s/abc}" "Enter opened the three ticked sites"

close_app "first run"
expect_eq "$(ini_text | site_keys)" "REF=5 SITE0=0 SITE1=0 SITE2=1 SITE3=0 SITE4=0 SITE5=1 SITE6=0 SITE7=1 SITE8=0 SITE9=0 " \
  "the ticks are in the settings file"

# ---- the ticks survive a restart
start_app
search_for "xyz" 3
expect_eq "$(opened_sorted)" "${SITES//%s/xyz}" "after a restart the same three sites are searched"

# ---- the history's drop-down list: two rows (12 pixels each, in a
# one-pixel frame) under the keyword box, newest first; a click on the
# second searches for abc again
ROWS=2
click_at $DROP_X $DROP_Y
expect_true "the drop button opens the history list" wait_for 10 history_list_open $ROWS
expect_eq "$("$E2E_PROBE" geometry "$(history_list_id $ROWS)")" "$(history_list_geometry $ROWS)" "the list lies under the box, two rows high"
click_at $((BOX_LEFT + 40)) "$(history_row_y 1)"
wait_for 10 history_list_closed $ROWS || fail "a click on a row did not close the list"
: >"$OPENED"
# Without a window manager the keys go to the window under the pointer
# (Wine leaves the X focus to a manager): the pointer goes back to the box.
xdotool mousemove $KEYWORD_X $KEYWORD_Y
xdotool key Return
wait_for 20 opened_at_least 3
sleep 0.5
expect_eq "$(opened_sorted)" "${SITES//%s/abc}" "the history's second row is abc"

close_app "second run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends"
expect_eq "$(grep '^History' <<<"$text" | tr '\n' ' ')" "HistoryCount=2 History0=abc History1=xyz " \
  "the history holds both keywords, the last searched first"

report
