#!/usr/bin/env bash
# Without an X display the program says why on standard error and fails;
# it never falls back to a backend that shows nothing.
set -uo pipefail
: "${E2E_DEMO:?the demo program is not named}"
failures=0
check() {  # WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

err=$(env -u DISPLAY "$E2E_DEMO" 2>&1 >/dev/null)
code=$?
check "no DISPLAY: non-zero exit" test "$code" -ne 0
check "no DISPLAY: says so" grep -q 'DISPLAY is not set' <<<"$err"

# A display number far above any that runs here (Xvfb -displayfd starts low).
err=$(DISPLAY=:65000 "$E2E_DEMO" 2>&1 >/dev/null)
code=$?
check "unreachable display: non-zero exit" test "$code" -ne 0
check "unreachable display: names it" grep -q 'cannot open the X display ":65000"' <<<"$err"

echo "$((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
