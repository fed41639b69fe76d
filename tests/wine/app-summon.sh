#!/usr/bin/env bash
# The summon key of Scoutlane.exe under Wine: with another Windows
# program's window focused (Wine's notepad), Ctrl+Alt+Space brings the
# bar's keyword box forward, typing goes into it and Enter searches; pressed
# there, the key gives the focus back to notepad. A second Scoutlane.exe
# finds the key taken (RegisterHotKey fails), still starts, and shows its
# hint below the keyword box.
#
# Wine sees keys only while one of its own windows has the X focus (it
# grabs nothing on the root window), so the other program here is a Wine
# one; the Linux test (tests/e2e/app-hotkey.sh) covers any X program.
source "$(dirname "$0")/wine-lib.sh"

install_xdg_open_standin
printf '[SET]\r\nSITE0=1\r\n' >"$INI"
start_app

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
find_notepad() { xdotool search --name "Notepad" 2>/dev/null | head -n 1; }
has_notepad() { [ -n "$(find_notepad)" ]; }
(cd / && exec wine notepad) >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
NOTEPAD_PID=$!
wait_for 30 has_notepad || abort "notepad showed no window"
NOTEPAD=$(find_notepad)
wait_for 10 viewable "$NOTEPAD" || abort "notepad's window was never mapped"
read -r nx ny nw nh <<<"$("$E2E_PROBE" geometry "$NOTEPAD")"
xdotool mousemove $((nx + nw / 2)) $((ny + nh / 2)) click 1
wait_for 10 focused "$NOTEPAD" || abort "notepad never had the focus"

xdotool key ctrl+alt+space
wait_for 10 focused "$DEMO_WIN"
expect_true "the summon key gave the bar the focus" focused "$DEMO_WIN"
xdotool type --delay 50 "abc"
xdotool key Return
wait_for 20 opened_at_least 1
expect_eq "$(opened_sorted)" "https://www.google.co.jp/search?q=abc&hl=ja" \
  "typing went into the keyword box and Enter searched"

xdotool key ctrl+alt+space
wait_for 10 focused "$NOTEPAD"
expect_true "pressed in the keyword box, the key gave the focus back to notepad" focused "$NOTEPAD"

# ---- a second instance: the key is the first one's
other_shown() {
  local w
  for w in $(xdotool search --onlyvisible --name "^Scoutlane' 2010\$" 2>/dev/null); do
    [ "$w" != "$DEMO_WIN" ] && echo "$w"
  done
  return 0
}
FIRST_PID=$DEMO_PID
FIRST_WIN=$DEMO_WIN
(cd / && exec env PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 wine "$APP_DIR/Scoutlane.exe") \
  >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
SECOND_PID=$!
second_window() { [ -n "$(other_shown)" ]; }
wait_for 30 second_window || abort "the second program showed no window"
# Its hint, a window of its own just below the keyword box (client 286,8,
# 20 high): the screen shows the hint's frame (black) there.
hint_at_box() { pixel_is 306 50 000000; }
wait_for 10 hint_at_box
expect_true "the second program shows its hint below the keyword box" hint_at_box
expect_true "the second program still runs" kill -0 "$SECOND_PID"

kill "$SECOND_PID" "$NOTEPAD_PID" 2>/dev/null
wait "$SECOND_PID" "$NOTEPAD_PID" 2>/dev/null
DEMO_PID=$FIRST_PID
DEMO_WIN=$FIRST_WIN
close_app "first"

report
