#!/usr/bin/env bash
# With no font the programs can draw with (a fontconfig configuration whose
# only font folder is missing), each program says so on standard error,
# naming the fonts and the package that provides them, and ends by itself
# with a failure status instead of vanishing with 0.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the search bar is not named}"
: "${E2E_GALLERY:?the gallery is not named}"

cat >"$E2E_TMP/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$E2E_TMP/no-such-folder</dir>
  <cachedir>$E2E_TMP/cache</cachedir>
</fontconfig>
CONF

for program in "$E2E_APP" "$E2E_GALLERY"; do
  name=$(basename "$program")
  mkdir -p "$E2E_TMP/$name"
  cp "$program" "$E2E_TMP/$name/"
  (cd / && FONTCONFIG_FILE="$E2E_TMP/fonts.conf" HOME="$E2E_TMP/$name" \
    exec "$E2E_TMP/$name/$name") >"$DEMO_OUT" 2>"$DEMO_ERR" &
  DEMO_PID=$!
  demo_exit_code
  code=$?
  expect_true "$name ends by itself with a failure status (status $code)" \
    test "$code" -ne 0 -a "$code" -ne 124
  expect_true "$name names the package on standard error" \
    grep -q 'fonts-ipafont-gothic' "$DEMO_ERR"
  expect_true "$name names the fonts on standard error" grep -q 'IPAPGothic' "$DEMO_ERR"
done

report
