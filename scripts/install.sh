#!/usr/bin/env bash
# Builds the search bar and installs it for the current user, so that it can
# be started from the desktop's menu: bash scripts/install.sh
#
#   ~/.local/lib/scoutlane/Scoutlane        the program; it keeps its settings
#                                           file Scoutlane.ini beside itself,
#                                           in a folder the user can write
#   ~/.local/bin/scoutlane                  a link to it
#   ~/.local/share/applications/scoutlane.desktop          the menu entry
#   ~/.local/share/icons/hicolor/NxN/apps/scoutlane.png    its icon, 16, 32, 48
#
# Installing again replaces the program and keeps its settings. PREFIX (default
# ~/.local) moves lib/ and bin/; XDG_DATA_HOME moves share/ as desktops expect.
# --from BUILD_DIR installs an existing build instead of building one.
# scripts/uninstall.sh takes it away again.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=""
if [ "${1:-}" = "--from" ]; then
  BUILD=${2:?"--from needs a build directory"}
else
  bash scripts/install-deps.sh --runtime-only
  BUILD=build
  cmake -S . -B "$BUILD" -DSCOUTLANE_TESTS=OFF -DSCOUTLANE_BENCH=OFF >/dev/null
  cmake --build "$BUILD" --target Scoutlane scoutlane_icons -j"$(nproc)" >/dev/null
fi
[ -x "$BUILD/Scoutlane" ] || { echo "install: $BUILD/Scoutlane is not built" >&2; exit 1; }

PREFIX=${PREFIX:-$HOME/.local}
DATA=${XDG_DATA_HOME:-$HOME/.local/share}
LIB_DIR="$PREFIX/lib/scoutlane"
LINK="$PREFIX/bin/scoutlane"

# Copies a file into place under a temporary name and renames it over the old
# one, so a running copy of the program is never overwritten in place and an
# interrupted install leaves either the old file or the new one.
put() {  # SOURCE TARGET MODE
  mkdir -p "$(dirname "$2")"
  local temporary
  temporary=$(mktemp "$(dirname "$2")/.install.XXXXXX")
  cp "$1" "$temporary"
  chmod "$3" "$temporary"
  mv -f "$temporary" "$2"
}

put "$BUILD/Scoutlane" "$LIB_DIR/Scoutlane" 755
mkdir -p "$(dirname "$LINK")"
ln -sfn "$LIB_DIR/Scoutlane" "$LINK"

for size in 16 32 48; do
  put "$BUILD/icons/hicolor/${size}x${size}/apps/scoutlane.png" \
    "$DATA/icons/hicolor/${size}x${size}/apps/scoutlane.png" 644
done

# The entry names the link by its full path: ~/.local/bin is not on every
# desktop session's PATH. Inside the quotes of an Exec value ", `, $ and \
# take a backslash, and the value's own escaping doubles every backslash; a
# literal % is written %%.
exec_path=$(printf '%s' "$LINK" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
entry=$(mktemp)
trap 'rm -f "$entry"' EXIT
# The path goes in through awk's environment, so no character in it is read as
# sed or awk syntax.
EXEC_VALUE="\"$exec_path\"" awk '{ sub(/@EXEC@/, ENVIRON["EXEC_VALUE"]); print }' \
  resources/scoutlane.desktop.in >"$entry"
put "$entry" "$DATA/applications/scoutlane.desktop" 644

# Desktops that cache menus and icon themes see the new files at once.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$DATA/applications" 2>/dev/null || true
command -v gtk-update-icon-cache >/dev/null && [ -f "$DATA/icons/hicolor/index.theme" ] &&
  gtk-update-icon-cache -q -t "$DATA/icons/hicolor" 2>/dev/null || true

echo "Installed $LIB_DIR/Scoutlane"
echo "  start it from the menu (Scoutlane) or with: $LINK"
echo "  its settings: $LIB_DIR/Scoutlane.ini"
