#!/usr/bin/env bash
# The user's own install: scripts/install.sh puts the program, a link, a menu
# entry and its icons under a HOME of the test's own; the program started
# through the link searches and keeps its settings beside the installed
# executable; installing again and uninstalling keep those settings, and only
# --remove-settings takes them away.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scoutlane-driver.sh"

: "${E2E_APP:?the program is not named}"
SOURCE_DIR="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="$(cd "$(dirname "$E2E_APP")" && pwd)"

# A home with spaces and a quote in its name, as the desktop entry's Exec
# value must survive them.
export HOME="$E2E_TMP/the user's home"
unset XDG_DATA_HOME PREFIX
mkdir -p "$HOME"
LIB="$HOME/.local/lib/scoutlane"
LINK="$HOME/.local/bin/scoutlane"
DATA="$HOME/.local/share"

bash "$SOURCE_DIR/scripts/install.sh" --from "$BUILD_DIR" >"$E2E_TMP/install.log" 2>&1 ||
  { cat "$E2E_TMP/install.log"; abort "the install failed"; }

expect_true "the program is installed and executable" test -x "$LIB/Scoutlane"
expect_eq "$(readlink "$LINK")" "$LIB/Scoutlane" "the link in ~/.local/bin names the installed program"
expect_true "the installed program is the built one" cmp -s "$E2E_APP" "$LIB/Scoutlane"

ENTRY="$DATA/applications/scoutlane.desktop"
expect_true "the menu entry is installed" test -f "$ENTRY"
validation=$(desktop-file-validate "$ENTRY" 2>&1)
expect_eq "$validation" "" "desktop-file-validate finds nothing wrong with the entry"
expect_eq "$(grep '^Exec=' "$ENTRY")" "Exec=\"$LINK\"" "the entry starts the link by its full path"
expect_eq "$(grep '^Icon=' "$ENTRY")" "Icon=scoutlane" "the entry names the themed icon"
for size in 16 32 48; do
  icon="$DATA/icons/hicolor/${size}x${size}/apps/scoutlane.png"
  # identify prints the size and whether the file has an alpha channel.
  expect_eq "$(identify -format '%w %h %A' "$icon" 2>&1)" "$size $size True" "the ${size}x${size} icon"
  expect_eq "$(convert "$icon" -format '%[fx:int(255*p{0,0}.a)]' info: 2>&1)" 0 \
    "the ${size}x${size} icon's corner is transparent"
done

# Settings of an earlier run beside the installed executable: bing ticked.
# The program must find them there although it is started through the link.
printf '[SET]\r\nREF=0\r\nSITE2=1\r\n' >"$LIB/Scoutlane.ini"

# Started through its link, as the menu entry does.
install_xdg_open_standin
APP_PROGRAM="$LINK"
start_app
expect_eq "$(xprop -id "$DEMO_WIN" WM_CLASS | sed 's/.*, //')" '"Scoutlane"' \
  "the window's class is the entry's StartupWMClass"

type_keyword "abc"
xdotool key Return
wait_for 10 opened_at_least 1
sleep 0.3
expect_eq "$(opened_addresses)" "https://www.bing.com/search?q=abc&cc=jp" \
  "Enter opened the site ticked in the installed settings file"

close_app
expect_true "the settings file lies beside the installed executable" test -f "$LIB/Scoutlane.ini"
expect_true "it holds the searched keyword" grep -q '^History0=abc' "$LIB/Scoutlane.ini"
expect_true "nothing was written beside the link" test ! -e "$HOME/.local/bin/Scoutlane.ini"
before=$(cat "$LIB/Scoutlane.ini")

# Installing again replaces the program and keeps the settings.
bash "$SOURCE_DIR/scripts/install.sh" --from "$BUILD_DIR" >"$E2E_TMP/install.log" 2>&1 ||
  fail "the second install failed"
expect_eq "$(cat "$LIB/Scoutlane.ini")" "$before" "a second install keeps the settings"

# Uninstalling takes the program, link, entry and icons, and keeps the settings.
bash "$SOURCE_DIR/scripts/uninstall.sh" >"$E2E_TMP/uninstall.log" 2>&1 || fail "the uninstall failed"
expect_true "the program is gone" test ! -e "$LIB/Scoutlane"
expect_true "the link is gone" test ! -L "$LINK"
expect_true "the menu entry is gone" test ! -e "$ENTRY"
expect_true "the icons are gone" test ! -e "$DATA/icons/hicolor/48x48/apps/scoutlane.png"
expect_eq "$(cat "$LIB/Scoutlane.ini" 2>/dev/null)" "$before" "uninstalling keeps the settings"

bash "$SOURCE_DIR/scripts/uninstall.sh" --remove-settings >"$E2E_TMP/uninstall.log" 2>&1 ||
  fail "the uninstall with --remove-settings failed"
expect_true "--remove-settings removes the settings and the folder" test ! -e "$LIB"

report
