#!/usr/bin/env bash
# The user's own sites: a settings file that replaces two slots, both
# ticked, searches their addresses in slot order; a javascript: address is
# refused (the slot keeps its built-in site) with a hint below the keyword
# box; the section is never rewritten.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
install_xdg_open_standin
SITES='[Sites]\r\nName7=Code\r\nURL7=https://code.example/search?q=%s&type=code\r\nName2=Dict\r\nURL2=http://dict.example/word/%s\r\nName4=Evil\r\nURL4=javascript:alert(%s)\r\n'
printf '%b' "[SET]\r\nSITE2=1\r\nSITE4=1\r\nSITE7=1\r\n$SITES" >"$INI"
printf '%b' "$SITES" >"$E2E_TMP/sites.expected"

start_app

wait_for 10 hint_shown
expect_true "the refused slot is told about below the keyword box" hint_shown

click_at "$KEYWORD_X" "$KEYWORD_Y"
xdotool type --delay 50 "a b"
xdotool key Return
wait_for 10 opened_at_least 3
sleep 0.3
expect_eq "$(opened_addresses)" "http://dict.example/word/a b
https://twitter.com/search?q=a b
https://code.example/search?q=a b&type=code" \
  "the replaced slots and the refused one's built-in site, in slot order"

close_app
awk '/^\[/ { keep = ($0 == "[Sites]\r") } keep { print }' "$INI" >"$E2E_TMP/sites.after"
expect_true "section Sites is kept byte for byte" cmp -s "$E2E_TMP/sites.expected" "$E2E_TMP/sites.after"

report
