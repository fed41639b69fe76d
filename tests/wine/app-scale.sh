#!/usr/bin/env bash
# Scoutlane.exe under Wine at twice the usual scale: with the prefix's
# LogPixels at 192 (what winecfg's screen resolution writes) the program,
# aware of each monitor's scale through its manifest, lays itself out at
# 192 dpi as the Linux program does with Xft.dpi: Windows sees a client area
# of 1000x70 at 40,40 (20,20 and 500x35 at 96), inside Wine's own frame,
# and that client area is the Linux program's 192-dpi golden screenshot
# pixel for pixel. A click at the keyword box's scaled place focuses it and
# Enter searches.
#
# Golden screenshot: tests/e2e/golden/app-start-192.png, made by the Linux
# program (tests/e2e/app-scale.sh).
E2E_DPI=192
source "$(dirname "$0")/wine-lib.sh"

GOLDEN="$E2E_GOLDEN/app-start-192.png"
install_xdg_open_standin
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

# Wine reads the screen's pixels per inch from the user's desktop settings
# as it starts; the prefix's server runs already, so the key is set
# through it.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 ||
  abort "LogPixels could not be set"

start_app

expect_eq "$(win_windows)" "40 40 1000 70 topmost tool" \
  "client area at 40,40, 1000x70 (as Windows sees it)"
read -r x y w h <<<"$("$E2E_PROBE" geometry "$DEMO_WIN")"
expect_true "the X window ($x,$y ${w}x$h) holds the client area and Wine's frame" \
  test "$x" -le 40 -a "$y" -le 40 -a $((x + w)) -ge 1040 -a $((y + h)) -gt 110

sleep 0.5
import -window root -crop "$CLIENT_CROP" +repage "$E2E_TMP/start.png" 2>/dev/null
differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/start.png" null: 2>&1)
expect_eq "$differing" 0 "the client area matches the Linux 192-dpi golden screenshot"
if [ "$differing" != 0 ]; then
  cp "$E2E_TMP/start.png" "${TMPDIR:-/tmp}/wine-app-scale.actual.png"
  echo "the window as shown: ${TMPDIR:-/tmp}/wine-app-scale.actual.png"
fi

# ---- the keyword box at its scaled place
search_for abc 2
expect_eq "$(opened_sorted)" "https://ja.wikipedia.org/wiki/abc
https://www.google.co.jp/search?q=abc&hl=ja" "Enter opened the two ticked sites"

close_app
report
