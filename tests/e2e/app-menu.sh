#!/usr/bin/env bash
# The search bar's popup menu on the real desktop, chosen with the mouse and
# access keys as a user would: always on top off and on (the window manager
# sees it), the information page, deleting the history, exit; and the
# choice of always on top restored at the next start.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
install_xdg_open_standin
printf '[History]\r\nHistoryCount=2\r\nHistory0=old\r\nHistory1=older\r\n' >"$INI"

# Opens the menu with a right click on the background (left of the first
# label, below the controls) and chooses an item by its access key.
menu_choose() {  # KEY
  xdotool mousemove $MENU_X $MENU_Y click 3
  sleep 0.5
  xdotool type "$1"
  sleep 0.3
}

start_app
expect_true "always on top at the first start" state_has_above

menu_choose s
wait_for 5 state_lacks_above
expect_true "always on top switched off by the menu" state_lacks_above
menu_choose s
wait_for 5 state_has_above
expect_true "always on top switched on again" state_has_above
menu_choose s
wait_for 5 state_lacks_above

menu_choose i
wait_for 10 opened_at_least 1
expect_eq "$(opened_addresses)" "http://www.scoutlane.example/info.php?pf=w&sn=Scoutlane" \
  "the information page named after the executable"

menu_choose d
history_emptied() { tr -d '\r' <"$INI" | grep '^HistoryCount=0$' >/dev/null; }
wait_for 5 history_emptied
expect_true "the history deleted in the file at once" history_emptied
expect_true "no entry left" sh -c "! grep -q '^History0=' '$INI'"

menu_choose x
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the exit command"
expect_true "the choice was written" grep -q '^FRON=0' "$INI"

start_app
sleep 0.5
expect_true "always on top stays off at the next start" state_lacks_above
close_app

report
