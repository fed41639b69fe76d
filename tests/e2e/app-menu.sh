#!/usr/bin/env bash
# The search bar's popup menu on the real desktop, chosen with the mouse and
# access keys as a user would: always on top off and on (the window manager
# sees it), the information page, deleting the history, exit; and the
# choice of always on top restored at the next start.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
install_xdg_open_standin
printf '[History]\r\nHistoryCount=2\r\nHistory0=old\r\nHistory1=older\r\n' >"$APP_DIR/Scoutlane.ini"

find_window() { xdotool search --onlyvisible --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
start_app() {
  (cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
  DEMO_PID=$!
  wait_for 20 has_window || abort "the program showed no window"
  DEMO_WIN=$(find_window)
  wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"
}

# Opens the menu with a right click on the background (left of the first
# label, below the controls) and chooses an item by its access key.
menu_choose() {  # KEY
  xdotool mousemove 24 50 click 3
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
opened() { [ -s "$OPENED" ]; }
wait_for 10 opened
expect_eq "$(opened_addresses)" "http://www.scoutlane.example/info.php?pf=w&sn=Scoutlane" \
  "the information page named after the executable"

menu_choose d
history_emptied() { tr -d '\r' <"$APP_DIR/Scoutlane.ini" | grep '^HistoryCount=0$' >/dev/null; }
wait_for 5 history_emptied
expect_true "the history deleted in the file at once" history_emptied
expect_true "no entry left" sh -c "! grep -q '^History0=' '$APP_DIR/Scoutlane.ini'"

menu_choose x
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the exit command"
expect_true "the choice was written" grep -q '^FRON=0' "$APP_DIR/Scoutlane.ini"

start_app
sleep 0.5
expect_true "always on top stays off at the next start" state_lacks_above
"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"

report
