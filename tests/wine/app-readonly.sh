#!/usr/bin/env bash
# A settings file Scoutlane.exe may not write, under Wine: closing the
# window shows the error box ("... に書き込めません"), the window stays open
# and the file keeps every byte; once the file is writable again, closing
# ends the program and writes the settings. As tests/e2e/app-readonly.sh
# does on Linux: a file without write bits (Wine reports it read-only to the
# program, also when it runs as root), once in a writable folder and once
# in a read-only one, where nothing may be left behind either.
#
# The error box's text is compared with the Linux program's golden picture
# (tests/e2e/golden/app-readonly-message.png) from the right end of its
# line: "Scoutlane.ini に書き込めません." (166 pixels). The rest differs on
# purpose: the folder's name is new on every run, and under Wine the path
# is a Windows path, whose separator before "Scoutlane.ini" is a backslash,
# not the "/" of the Linux picture.
source "$(dirname "$0")/wine-lib.sh"

MESSAGE_GOLDEN="$E2E_GOLDEN/app-readonly-message.png"
# The Linux picture is 190 pixels wide, ending where the text ends; the
# name of the file starts 24 pixels into it.
MESSAGE_WIDTH=166
MESSAGE_SKIP=24

# Put back whatever the test made read-only, so the cleanup can remove it.
restore_modes() { chmod u+w "$APP_DIR" "$INI" 2>/dev/null; }
trap 'restore_modes; wine_finish' EXIT

# Windows' own view of the windows: Wine draws the error box's frame into
# its X window too.
window_count() { win_windows | wc -l; }
has_two_windows() { [ "$(window_count)" -ge 2 ]; }
has_one_window() { [ "$(window_count)" -eq 1 ]; }
# The error box's client area on the screen ("X Y W H"): the window titled
# like the search bar that is not the search bar.
error_box() { win_windows | awk -v bar="$CLIENT_GEOMETRY" '$1 " " $2 " " $3 " " $4 != bar { print $1, $2, $3, $4; exit }'; }

# Compares the end of the text line in the box's client area with the
# Linux picture's, as the Linux test does.
message_matches() {  # X Y W H
  import -window root -crop "$3x$4+$1+$2" +repage "$E2E_TMP/box.png" 2>/dev/null || return 1
  message_line_end "$E2E_TMP/box.png" "$MESSAGE_WIDTH" "$E2E_TMP/message.png" || return 1
  convert "$MESSAGE_GOLDEN" -crop "${MESSAGE_WIDTH}x25+${MESSAGE_SKIP}+0" +repage "$E2E_TMP/golden.png"
  local differing
  differing=$(compare -metric AE "$E2E_TMP/golden.png" "$E2E_TMP/message.png" null: 2>&1)
  [ "$differing" = 0 ] && return 0
  cp "$E2E_TMP/box.png" "${TMPDIR:-/tmp}/wine-app-readonly-box.actual.png"
  echo "the box as shown: ${TMPDIR:-/tmp}/wine-app-readonly-box.actual.png ($differing pixels differ)"
  return 1
}

APP_FILES="Scoutlane.exe Scoutlane.ini "
check_error_box() {  # CASE
  local box
  box=$(error_box)
  expect_true "$1: the error box is not the search bar ($box)" test -n "$box"
  # shellcheck disable=SC2086
  expect_true "$1: the error box says the file cannot be written" message_matches $box
}

closes_and_writes() {  # CASE
  close_app "$1"
  local text
  text=$(ini_text) || fail "$1: the settings file is no CP932 with CRLF line ends"
  expect_true "$1: the settings were written" grep -qx 'SITE9=0' <<<"$text"
  expect_true "$1: the keys already there were kept" grep -qx 'REF=5' <<<"$text"
  expect_true "$1: so was the comment" grep -qx '; kept as it is' <<<"$text"
}

# A file with a comment the program would never write, so a rewrite shows.
SETTINGS='; kept as it is\r\n[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\n'

# ---- a read-only file in a writable folder
printf "$SETTINGS" >"$INI"
chmod 0444 "$INI"
start_app
refused_close "read-only file"
chmod 0644 "$INI"
closes_and_writes "writable again"

# ---- a read-only file in a read-only folder
printf "$SETTINGS" >"$INI"
chmod 0444 "$INI"
start_app
chmod 0555 "$APP_DIR"
refused_close "read-only file and folder"
chmod 0755 "$APP_DIR"
chmod 0644 "$INI"
closes_and_writes "both writable again"

report
