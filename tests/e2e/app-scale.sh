#!/usr/bin/env bash
# The search bar at the desktop's scale: with Xft.dpi loaded by xrdb before
# the start (E2E_DPI: 144 or 192) the bar's client area, the keyword box and
# the site list are the layout's at 96 times the scale, each edge rounded to
# the nearest pixel. A click at the scaled place of the keyword box focuses
# it, typed text and Enter search, the list opens below the picker at the
# scaled size and a click on a scaled row's box ticks its site.
#
# Golden screenshots: tests/e2e/golden/app-start-$E2E_DPI.png (the bar),
# app-popup-$E2E_DPI.png (the open list) and app-history-$E2E_DPI.png (the
# history list). SCOUTLANE_UPDATE_GOLDEN=1 makes them anew; look at them
# before committing.
source "$(dirname "$0")/lib.sh"
: "${E2E_DPI:?the scale is not named}"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN_DIR="$(cd "$(dirname "$0")" && pwd)/golden"
install_xdg_open_standin
# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave
# them, and three keywords in the history.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n[History]\r\nHistoryCount=3\r\nHistory0=alpha\r\nHistory1=beta\r\nHistory2=gamma\r\n' >"$INI"
start_app

geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "$CLIENT_GEOMETRY"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "$CLIENT_GEOMETRY" "client area scaled from 20,20 500x35"
expect_true "nothing said on standard error" test ! -s "$DEMO_ERR"
sleep 0.5
expect_golden "the scaled bar matches its golden screenshot" \
  "$GOLDEN_DIR/app-start-$E2E_DPI.png" "$CLIENT_CROP" "app-start-$E2E_DPI"

# ---- the site list
click_at "$FACE_X" "$FACE_Y"
wait_for 10 picker_open || abort "a click on the scaled picker did not open its list"
read -r PX PY PW PH <<<"$("$E2E_PROBE" geometry "$(picker_list_id)")"
expect_eq "$PX ${PW}x$PH" "$(s 86) $PICKER_LIST_SIZE" "the list is the scaled size, at the picker's left"
# Under the picker: below its top edge and no lower than the bar's bottom.
expect_true "the list opens below the picker (at $PY)" \
  test "$PY" -gt "$BOX_TOP" -a "$PY" -le "$(s 55)"
sleep 0.3
expect_golden "the scaled list matches its golden screenshot" \
  "$GOLDEN_DIR/app-popup-$E2E_DPI.png" "${PW}x$PH+$PX+$PY" "app-popup-$E2E_DPI"
find_picker_rows
expect_true "the list shows rows" test "${#ROW_Y[@]}" -ge 5
# Site 1 (the second row) gets its tick from a click on its scaled box.
click_at $((POPUP_X + $(s 10))) "${ROW_Y[1]}"
sleep 0.3
xdotool key Escape
wait_for 10 picker_closed || fail "Escape did not close the list"

# ---- the history list: three rows under the box, as wide as it
click_at "$DROP_X" "$DROP_Y"
wait_for 10 history_list_open 3 || abort "a click on the scaled drop button did not open the history"
read -r HX HY HW HH <<<"$("$E2E_PROBE" geometry "$(history_list_id 3)")"
expect_eq "$HX $HY" "$BOX_LEFT $BOX_BOTTOM" "the history list lies under the box"
xdotool mousemove $((HX + HW - 4)) $((HY + HH + 40))
sleep 0.3
expect_golden "the scaled history list matches its golden screenshot" \
  "$GOLDEN_DIR/app-history-$E2E_DPI.png" "${HW}x$HH+$HX+$HY" "app-history-$E2E_DPI"
xdotool key Escape
wait_for 10 history_list_closed 3 || fail "Escape did not close the history"

# ---- the keyword box at its scaled place
search_for abc 3
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=abc&hl=ja
https://search.yahoo.co.jp/search?p=abc&hc=0&hs=0
https://ja.wikipedia.org/wiki/abc" "Enter searched the ticked sites, the new tick included"

close_app
ini=$(tr -d '\r' <"$INI")
expect_true "the tick taken on the scaled row is stored" grep -q '^SITE1=1$' <<<"$ini"
expect_true "no key of the scale in the settings" bash -c "! grep -qi dpi <<<\"\$1\"" _ "$ini"

report
