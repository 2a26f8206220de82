#!/usr/bin/env bash
# The command line of the program, run as a user runs it: --help and --version answer and end
# without a window (also with no display at all), anything unknown ends with status 2, and the
# toolkit's own options still reach the toolkit.
# Usage: command_line_test.sh <program> <version>
set -uo pipefail
program=$1 version=$2
fail=0
# arguments | status | a line the output must hold (extended regular expression)
while IFS='|' read -r args status expect; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$program" $args 2>&1)
  got=$?
  if [ "$got" != "$status" ] || ! grep -Eq -- "$expect" <<<"$out"; then
    echo "FAIL: '$args' ended with $got (wanted $status), output:"; echo "$out"; fail=1
  fi
done <<EOF_CASES
--version|0|^Orvessa ${version//./\\.}\$
-v|0|^Orvessa ${version//./\\.}\$
--help|0|-v, --version
--help|0|^Параметры:
-platform offscreen --version|0|^Orvessa ${version//./\\.}\$
-platform offscreen --no-such-option|2|no-such-option
-platform offscreen stray|2|stray
EOF_CASES
exit $fail
