#!/usr/bin/env bash
# The summon key as a user meets it: with another program's window focused,
# Ctrl+Alt+Space brings the bar's keyword box forward with its text
# selected, typing goes into it and Enter searches; pressed there, the key
# gives the focus back to the other window. A second program holding the
# combination leaves the bar working, with one hint below the keyword box
# that is not repeated at the next start.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
install_xdg_open_standin
printf '[SET]\r\nSITE0=1\r\n' >"$INI"

# ---- the summon key from another program's window
start_app
"$E2E_PROBE" other-window 100 200 300 100 60 >"$E2E_TMP/other.out" &
OTHER_PID=$!
wait_for 10 grep -q '^window ' "$E2E_TMP/other.out" || abort "the other window never mapped"
OTHER=$(awk '/^window / { print $2; exit }' "$E2E_TMP/other.out")
# A manager focuses a new window; without one, the user's click would.
focus_is "$OTHER" || xdotool windowfocus "$OTHER"
wait_for 10 focus_is "$OTHER" || abort "the other window never had the focus"

xdotool key ctrl+alt+space
wait_for 10 focus_is "$DEMO_WIN"
expect_true "the summon key gave the bar the focus" focus_is "$DEMO_WIN"
xdotool type --delay 50 "abc"
xdotool key Return
wait_for 10 opened_at_least 1
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=abc&hl=ja" \
  "typing went into the keyword box and Enter searched"

xdotool key ctrl+alt+space
wait_for 10 focus_is "$OTHER"
expect_true "pressed in the keyword box, the key gave the focus back" focus_is "$OTHER"

xdotool key ctrl+alt+space
wait_for 10 focus_is "$DEMO_WIN"
# The earlier keyword is selected: typing replaces it.
xdotool type --delay 50 "xyz"
xdotool key Return
wait_for 10 opened_at_least 2
expect_eq "$(opened_last)" "https://www.google.co.jp/search?q=xyz&hl=ja" \
  "the keyword box's text was selected, so the new keyword replaced it"
kill "$OTHER_PID" 2>/dev/null
wait "$OTHER_PID" 2>/dev/null
close_app "summoned"
expect_true "the key is written back in its own section" \
  grep -q $'^\\[HotKey\\]\r$' "$INI"
expect_true "with its value" grep -q $'^Key=Ctrl+Alt+Space\r$' "$INI"

# ---- another program holds the combination
"$E2E_PROBE" grab-key 60 >"$E2E_TMP/grab.out" &
GRAB_PID=$!
grabbed() { grep -qx grabbed "$E2E_TMP/grab.out" 2>/dev/null; }
wait_for 10 grabbed || abort "the probe could not grab the key"
start_app
wait_for 10 hint_shown
expect_true "one hint below the keyword box" hint_shown
expect_eq "$(other_shown | wc -l)" 1 "and only one"
expect_true "the program still runs" kill -0 "$DEMO_PID"
click_at "$KEYWORD_X" "$KEYWORD_Y"
xdotool type --delay 50 "def"
xdotool key Return
wait_for 10 opened_at_least 3
expect_eq "$(opened_last)" "https://www.google.co.jp/search?q=def&hl=ja" \
  "the bar works without the key"
close_app "taken"
expect_true "the hint is remembered for the value" grep -q $'^HintShownFor=Ctrl+Alt+Space\r$' "$INI"

# The pointer away from the bar, whose controls have tool tips of their own.
xdotool mousemove 700 500
start_app
# The hint would be up with the first frame; give it a moment to show.
sleep 1
expect_eq "$(other_shown | wc -l)" 0 "the same value is not told about again"
close_app "told before"
kill "$GRAB_PID" 2>/dev/null
wait "$GRAB_PID" 2>/dev/null

report
