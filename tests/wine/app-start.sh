#!/usr/bin/env bash
# Scoutlane.exe under Wine as a user meets it: it starts at 20,20 with a
# 500x35 client area, on top, as a tool window; its client area looks like
# the Linux program's golden screenshot; a keyword typed and Enter open the
# ticked sites through Wine's browser hand-over, at the same stand-in
# xdg-open the Linux tests use, also when the keyword holds blanks, double
# quotes and a "%"; the close button ends it with 0 and the settings file
# beside the .exe is written in code page 932 with CRLF.
#
# Golden screenshot: tests/e2e/golden/app-start.png, made by the Linux
# program (tests/e2e/app-search.sh) and compared here pixel for pixel.
source "$(dirname "$0")/wine-lib.sh"

GOLDEN="$E2E_GOLDEN/app-start.png"
install_xdg_open_standin

# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"
start_app

# ---- where Windows put it, and what the X server shows of it
expect_eq "$(win_windows)" "$CLIENT_GEOMETRY topmost tool" \
  "client area at 20,20, 500x35, on top, a tool window (as Windows sees it)"
# Wine draws a tool window's caption and frame itself, inside the window's
# X window: that window holds the client area and more.
read -r x y w h <<<"$("$E2E_PROBE" geometry "$DEMO_WIN")"
expect_true "the X window ($x,$y ${w}x$h) holds the client area" \
  test "$x" -le 20 -a "$y" -le 20 -a $((x + w)) -ge 520 -a $((y + h)) -ge 55
expect_true "always on top" state_has_above
expect_eq "$(xprop -id "$DEMO_WIN" _NET_WM_NAME)" "_NET_WM_NAME(UTF8_STRING) = \"Scoutlane' 2010\"" "title"

# ---- the client area against the Linux program's picture
sleep 0.5
expect_golden "the client area matches the Linux golden screenshot pixel for pixel" "$GOLDEN" \
  "$CLIENT_CROP" wine-app-start

# ---- a keyword and Enter
# (Without a window manager the X focus stays with the pointer's window:
# Wine leaves the focus to a manager, so only the typed text tells.)
click_at $KEYWORD_X $KEYWORD_Y
sleep 0.3
xdotool type --delay 50 "abc"
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
expect_eq "$(opened_sorted)" "https://ja.wikipedia.org/wiki/abc
https://www.google.co.jp/search?q=abc&hl=ja" "Enter opened the two ticked sites, each once"

# ---- a keyword with blanks, double quotes and a lone "%": Windows hands an
# address to the browser on a command line (Wine's is `winebrowser "%1"`),
# where a bare double quote ends it, and reads it as a web address, which a
# "%" without its two digits spoils ("http://http://www..."). Each address
# must arrive whole, as the Linux program's, with at most such characters
# percent-encoded.
: >"$OPENED"
xdotool key ctrl+a
xdotool type --delay 50 'say "hi" 50% off'
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
decoded=$(opened_sorted | python3 -c 'import sys, urllib.parse
for line in sys.stdin: print(urllib.parse.unquote(line.rstrip("\n")))')
expect_eq "$decoded" 'https://ja.wikipedia.org/wiki/say "hi" 50% off
https://www.google.co.jp/search?q=say "hi" 50% off&hl=ja' "a keyword with blanks, quotes and a % arrives whole"
expect_eq "$(opened_sorted | grep -c '"')" 0 "no bare double quote reaches the browser"

# ---- the close button
close_app
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends"
set_keys=$(awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /=/ { print }' <<<"$text" | sort | tr '\n' ' ')
expect_eq "$set_keys" "FRON=1 REF=5 SITE0=1 SITE1=0 SITE2=0 SITE3=1 SITE4=0 SITE5=0 SITE6=0 SITE7=0 SITE8=0 SITE9=0 " \
  "section SET written with all twelve keys"
expect_true "the keywords are in the history" grep -qx 'History1=abc' <<<"$text"
expect_true "the last one first" grep -qx 'History0=say "hi" 50% off' <<<"$text"
expect_eq "$(ls -A "$APP_DIR" | sort | tr '\n' ' ')" "Scoutlane.exe Scoutlane.ini " "nothing else beside the .exe"

report
