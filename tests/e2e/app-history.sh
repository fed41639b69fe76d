#!/usr/bin/env bash
# The keyword history box's drop-down list in the real search bar, as a
# person uses it: a click on the box's drop button opens the list of earlier
# keywords under the box, the row under the pointer is highlighted, a click
# on a row puts its keyword into the box and closes the list (Enter then
# searches for it), and a press elsewhere closes the list and still does
# what it was aimed at (here: opening the site picker).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
install_xdg_open_standin

# Site 0 ticked; three keywords in the history, newest first.
printf '[SET]\r\nFRON=1\r\nREF=0\r\nSITE0=1\r\n[History]\r\nHistoryCount=3\r\nHistory0=alpha\r\nHistory1=beta\r\nHistory2=gamma\r\n' >"$INI"
start_app

# The list: three rows under the box. A point of a row right of its text is
# the row's fill.
ROWS=3
fill_x=$((BOX_LEFT + 150))
list_open() { history_list_open $ROWS; }
list_closed() { ! list_open; }

# ---- opened by the drop button, under the box
click_at $DROP_X $DROP_Y
wait_for 10 list_open || abort "a click on the drop button did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(history_list_id $ROWS)")" "$(history_list_geometry $ROWS)" "the list lies under the box, three rows high"

# ---- the row under the pointer is highlighted (clHighlight), the others
# keep the box's white
xdotool mousemove $((BOX_LEFT + 40)) "$(history_row_y 1)"
wait_for 5 pixel_is $fill_x "$(history_row_y 1)" 3399FF
expect_eq "$(pixel $fill_x "$(history_row_y 1)")" 3399FF "the row under the pointer is highlighted"
expect_eq "$(pixel $fill_x "$(history_row_y 0)")" FFFFFF "the row above it is not"
expect_eq "$(pixel $fill_x "$(history_row_y 2)")" FFFFFF "the row below it is not"

# ---- a click chooses the row and closes the list; Enter searches for it
xdotool click 1
wait_for 10 list_closed
expect_true "a click on a row closes the list" list_closed
: >"$OPENED"
xdotool key Return
wait_for 10 opened_at_least 1
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=beta&hl=ja" "the chosen keyword was searched"

# ---- a press elsewhere closes the list and goes on to its target: a press
# on the site picker's face opens the picker's own list
click_at $DROP_X $DROP_Y
wait_for 10 list_open || abort "the list did not open again"
click_at $FACE_X $FACE_Y
wait_for 10 list_closed
expect_true "a press elsewhere closes the list" list_closed
wait_for 10 picker_open
expect_true "the press went on and opened the site picker" picker_open
xdotool key Escape

close_app
report
