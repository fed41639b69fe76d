#!/usr/bin/env bash
# A settings file the program may not write: closing the window shows the
# error box ("... に書き込めません"), the window stays open and the file keeps
# every byte; once the file is writable again, closing ends the program and
# writes the settings.
#
# The tests run as root in CI, and root passes every permission check: the
# settings code therefore refuses a file that has no write bit at all, for
# root too. That is exactly what is tested here (chmod 0444), once with the
# file in a writable directory and once in a read-only directory, where the
# temporary file of the atomic save could not be made by anyone but root
# either; nothing may be left behind there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
# Put back whatever the test made read-only, so the cleanup can remove it.
restore_modes() { chmod u+w "$APP_DIR" "$INI" 2>/dev/null; }
trap 'restore_modes; finish' EXIT

# The message is the file's full path and "に書き込めません." on one line.
# The directory part differs from run to run, so only the end of the line is
# compared with a golden picture: found as the rightmost text pixel right of
# the icon, and cut MESSAGE_WIDTH pixels back from there, which reaches into
# "app/Scoutlane.ini" but stops short of the directory's random name, whose
# last letter's edge pixels reach past the "/". (Glyphs sit on whole pixels,
# so the end of the line looks the same whatever comes before it.)
# SCOUTLANE_UPDATE_GOLDEN=1 writes it anew.
MESSAGE_GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-readonly-message.png"
MESSAGE_WIDTH=190
message_matches() {  # BOX
  import -window "$1" "$E2E_TMP/box.png" 2>/dev/null || return 1
  message_line_end "$E2E_TMP/box.png" "$MESSAGE_WIDTH" "$E2E_TMP/message.png" || return 1
  if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
    cp "$E2E_TMP/message.png" "$MESSAGE_GOLDEN"
    echo "golden message written: $MESSAGE_GOLDEN"
    return 0
  fi
  local differing
  differing=$(compare -metric AE "$MESSAGE_GOLDEN" "$E2E_TMP/message.png" null: 2>&1)
  [ "$differing" = 0 ] && return 0
  cp "$E2E_TMP/message.png" "${TMPDIR:-/tmp}/app-readonly-message.actual.png"
  echo "the message as shown: ${TMPDIR:-/tmp}/app-readonly-message.actual.png"
  return 1
}

# The error box as X shows it: the other window with the search bar's title.
check_error_box() {  # CASE
  local box size
  box=$(other_window)
  size=$("$E2E_PROBE" geometry "$box" | awk '{ print $3 "x" $4 }')
  expect_true "$1: the error box is not the search bar ($size)" test "$size" != "$CLIENT_SIZE"
  expect_true "$1: the error box says the file cannot be written" message_matches "$box"
  wait_for 5 focus_is "$box" || fail "$1: the error box did not get the focus"
}

closes_and_writes() {  # CASE
  close_app "$1"
  local ini
  ini=$(tr -d '\r' <"$INI")
  expect_true "$1: the settings were written" grep -q '^SITE9=0$' <<<"$ini"
  expect_true "$1: the keys already there were kept" grep -q '^REF=5$' <<<"$ini"
}

# A file with a comment the program would never write, so a rewrite shows.
printf '; kept as it is\r\n[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\n' >"$INI"

# ---- a read-only file in a writable directory
chmod 0444 "$INI"
start_app
refused_close "read-only file"
chmod 0644 "$INI"
closes_and_writes "writable again"

# ---- a read-only file in a read-only directory
printf '; kept as it is\r\n[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\n' >"$INI"
chmod 0444 "$INI"
start_app
chmod 0555 "$APP_DIR"
refused_close "read-only file and directory"
chmod 0755 "$APP_DIR"
chmod 0644 "$INI"
closes_and_writes "both writable again"

report
