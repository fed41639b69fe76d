#!/usr/bin/env bash
# A Japanese keyword in Scoutlane.exe under Wine, typed as a user on
# Japanese Windows types it: through the input method. Here that is fcitx5
# with Mozc over XIM (as in tests/e2e/app-ime.sh), which Wine passes on to
# the program as the Windows input method's composition and result.
#
# - "toukyou", Space and Enter commit 東京; a second Enter opens both ticked
#   sites, and the addresses reach the stand-in xdg-open in UTF-8, as the
#   Linux program hands them over;
# - closing writes 東京 into the history in code page 932 (93 8C 8B 9E), in
#   Scoutlane.ini beside the .exe, every line ending in CRLF;
# - after a restart the history still holds it: Down in the keyword box
#   takes it back, and Enter opens the same two addresses.
#
# xdotool cannot type 東京 into a Wine program directly: Wine gives a key
# whose keysym has no Windows key code no character.
source "$(dirname "$0")/wine-lib.sh"

install_xdg_open_standin
# Google and Wikipedia ticked.
printf '[SET]\r\nFRON=1\r\nREF=0\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

# Mozc alone, active from the start, in hiragana; the composition is drawn
# by the program (on the spot), though Wine 8 shows it in fcitx5's window.
setup_input_method onthespot
trap 'stop_im; wine_finish' EXIT
start_im

EXPECTED="https://ja.wikipedia.org/wiki/東京
https://www.google.co.jp/search?q=東京&hl=ja"

start_app XMODIFIERS=@im=fcitx
# ---- typed through the input method, committed, searched: each key waits
# for the input method's answer on the screen
type_until_composing "toukyou" || abort "the input method never composed in the program"
key_and_wait space || fail "Space did not convert toukyou"
key_and_wait Return || fail "Enter did not commit 東京"
expect_eq "$(opened_count)" 0 "committing the keyword searches nothing yet"
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
expect_eq "$(opened_sorted)" "$EXPECTED" "Enter opened both ticked sites for 東京"

# ---- the history in the settings file
close_app "first run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends"
expect_true "東京 is the history's first entry" grep -qx 'History0=東京' <<<"$text"
expect_true "its bytes are code page 932" env LC_ALL=C grep -q $'^History0=\x93\x8c\x8b\x9e\r$' "$INI"
expect_true "the ticks are kept" grep -q 'SITE3=1' <<<"$text"

# ---- after a restart
stop_im
: >"$OPENED"
start_app
focus_keyword_box
xdotool key Down
wait_for 5 box_has_text || fail "Down took nothing from the history"
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
expect_eq "$(opened_sorted)" "$EXPECTED" "after a restart, the history's 東京 opens the same two addresses"
close_app "second run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends after the second run"
expect_eq "$(grep '^History' <<<"$text" | tr '\n' ' ')" "HistoryCount=1 History0=東京 " \
  "the history holds 東京 once"

report
