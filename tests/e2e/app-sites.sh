#!/usr/bin/env bash
# The user's own sites: a settings file that replaces two slots, both
# ticked, searches their addresses in slot order; a javascript: address is
# refused (the slot keeps its built-in site) with a hint below the keyword
# box; the section is never rewritten.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"

APP_DIR="$E2E_TMP/app"
INI="$APP_DIR/Scoutlane.ini"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
install_xdg_open_standin
SITES='[Sites]\r\nName7=Code\r\nURL7=https://code.example/search?q=%s&type=code\r\nName2=Dict\r\nURL2=http://dict.example/word/%s\r\nName4=Evil\r\nURL4=javascript:alert(%s)\r\n'
printf '%b' "[SET]\r\nSITE2=1\r\nSITE4=1\r\nSITE7=1\r\n$SITES" >"$INI"
printf '%b' "$SITES" >"$E2E_TMP/sites.expected"

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!
find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"
wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"

other_shown() {
  local w
  for w in $(xdotool search --onlyvisible --class '^Scoutlane$' 2>/dev/null); do
    if [ "$w" != "$DEMO_WIN" ]; then "$E2E_PROBE" geometry "$w"; fi
  done
  return 0
}
hint_shown() { other_shown | grep '^306 50 ' >/dev/null; }
wait_for 10 hint_shown
expect_true "the refused slot is told about below the keyword box" hint_shown

xdotool mousemove 386 38 click 1
xdotool type --delay 50 "a b"
xdotool key Return
opened_three() { [ "$(wc -l <"$OPENED")" -ge 3 ]; }
wait_for 10 opened_three
sleep 0.3
expect_eq "$(opened_addresses)" "http://dict.example/word/a b
https://twitter.com/search?q=a b
https://code.example/search?q=a b&type=code" \
  "the replaced slots and the refused one's built-in site, in slot order"

"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"
awk '/^\[/ { keep = ($0 == "[Sites]\r") } keep { print }' "$INI" >"$E2E_TMP/sites.after"
expect_true "section Sites is kept byte for byte" cmp -s "$E2E_TMP/sites.expected" "$E2E_TMP/sites.after"

report
