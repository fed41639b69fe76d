#!/usr/bin/env bash
# Takes away what scripts/install.sh installed: bash scripts/uninstall.sh
# The settings file ~/.local/lib/scoutlane/Scoutlane.ini stays, so a later
# install finds the user's sites and history again; --remove-settings removes
# it too. PREFIX and XDG_DATA_HOME as for the install.
set -euo pipefail

remove_settings=0
case "${1:-}" in
  "") ;;
  --remove-settings) remove_settings=1 ;;
  *) echo "usage: uninstall.sh [--remove-settings]" >&2; exit 2 ;;
esac

PREFIX=${PREFIX:-$HOME/.local}
DATA=${XDG_DATA_HOME:-$HOME/.local/share}
LIB_DIR="$PREFIX/lib/scoutlane"
LINK="$PREFIX/bin/scoutlane"

# The link only when it is ours: a user's own scoutlane there is left alone.
if [ -L "$LINK" ] && [ "$(readlink "$LINK")" = "$LIB_DIR/Scoutlane" ]; then
  rm -f "$LINK"
fi
rm -f "$LIB_DIR/Scoutlane" "$DATA/applications/scoutlane.desktop"
for size in 16 32 48; do
  rm -f "$DATA/icons/hicolor/${size}x${size}/apps/scoutlane.png"
done
if [ "$remove_settings" = 1 ]; then
  rm -f "$LIB_DIR/Scoutlane.ini"
fi
# The folder goes when nothing is left in it; with the settings kept, it stays.
rmdir "$LIB_DIR" 2>/dev/null || true

command -v update-desktop-database >/dev/null && update-desktop-database -q "$DATA/applications" 2>/dev/null || true

if [ -f "$LIB_DIR/Scoutlane.ini" ]; then
  echo "Uninstalled; the settings stay in $LIB_DIR/Scoutlane.ini (--remove-settings removes them)"
else
  echo "Uninstalled"
fi
