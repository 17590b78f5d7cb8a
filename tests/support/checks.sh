# SPDX-License-Identifier: MIT
# Sourced by the shell tests: a failure is counted and the test goes on, so that one run lists
# every fault; the test exits with the count.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# lintian_clean LOG PACKAGE...: lists every note lintian gives the packages (pedantic,
# informational and experimental ones too) and fails on an error or a warning.
lintian_clean() {
  local log=$1
  shift
  lintian -E --pedantic --tag-display-limit 0 "$@" >"$log" 2>&1
  cat "$log"
  grep -qE '^[EW]: ' "$log" && fail "lintian reports errors or warnings"
  return 0
}
