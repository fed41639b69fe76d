#!/usr/bin/env bash
# An error while the window is being made (here an unreadable history count
# in the settings file) is shown in the error box, the window never shows,
# and the program ends with exit code 0 once the box is closed.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
printf '[SET]\r\nFRON=0\r\n[History]\r\nHistoryCount=abc\r\nHistory0=kept\r\n' >"$INI"
cp "$INI" "$E2E_TMP/before.ini"

launch_app
wait_for 20 has_visible_window || abort "no window came up"
BOX=$(app_windows | head -n 1)
sleep 0.5
expect_eq "$(window_count)" 1 "one window under the title: the error box, not the search bar"
size=$("$E2E_PROBE" geometry "$BOX" | awk '{ print $3 "x" $4 }')
expect_true "the window shown is not the 500x35 search bar ($size)" test "$size" != "$CLIENT_SIZE"

# The box has the focus as a message box does; Enter closes it.
wait_for 5 focus_is "$BOX" || fail "the error box did not get the focus"
xdotool key Return
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the error box"
expect_true "the settings file was not rewritten" cmp -s "$E2E_TMP/before.ini" "$INI"

report
