#!/usr/bin/env bash
# Where Scoutlane.exe keeps its settings, under Wine: in a folder it cannot
# write, %APPDATA%\Scoutlane\Scoutlane.ini (and nothing beside the .exe); in
# a writable one, Scoutlane.ini beside itself, the user's file left alone.
#
# The tests run as root, for whom Wine (like Linux) lets any folder be
# written whatever its mode: the read-only folder is a read-only bind mount
# in a mount namespace of this test's own, which the wineserver it starts
# shares.
if [ -z "${APPDATA_TEST_NAMESPACE:-}" ]; then
  exec env APPDATA_TEST_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
fi
source "$(dirname "$0")/wine-lib.sh"

# %APPDATA% of the prefix's user, as a Linux path.
appdata_ini() {
  find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Scoutlane/Scoutlane.ini' 2>/dev/null | head -n 1
}

# ---- a read-only folder: the user's application data
mount --bind "$APP_DIR" "$APP_DIR" && mount -o remount,bind,ro "$APP_DIR" ||
  abort "cannot make the program's folder read-only"
start_app
close_app "read-only folder"
USER_INI=$(appdata_ini)
expect_true "read-only folder: the settings are in %APPDATA%\\Scoutlane" test -n "$USER_INI"
if [ -n "$USER_INI" ]; then
  text=$(ini_text "$USER_INI") || fail "read-only folder: the file is no CP932 with CRLF line ends"
  expect_true "read-only folder: all the settings were written" grep -qx 'SITE9=0' <<<"$text"
fi
expect_eq "$(ls -A "$APP_DIR")" "Scoutlane.exe" "read-only folder: nothing beside the .exe"
umount "$APP_DIR" || abort "cannot make the program's folder writable again"

# ---- a writable folder: portable, beside the .exe
[ -n "$USER_INI" ] && cp "$USER_INI" "$E2E_TMP/user.ini"
start_app
close_app "writable folder"
text=$(ini_text "$INI") || fail "writable folder: no CP932 settings file with CRLF beside the .exe"
expect_true "writable folder: the settings are beside the .exe" grep -qx 'SITE9=0' <<<"$text"
[ -n "$USER_INI" ] &&
  expect_true "writable folder: the file in %APPDATA% is left alone" cmp -s "$E2E_TMP/user.ini" "$USER_INI"

report
