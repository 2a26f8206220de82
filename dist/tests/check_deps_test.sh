#!/usr/bin/env bash
# The dependency check must name the file and its package when the set-up leaves a needed package
# out (the chart module's OpenGL files once came only as a recommendation), and pass with the list
# scripts/deps.sh really installs.
# Usage: check_deps_test.sh <source folder> <build folder>
set -euo pipefail
command -v dpkg-query >/dev/null || exit 77   # not a Debian system: nothing to check against
root=$1 build=$2
list=$(mktemp)
trap 'rm -f "$list"' EXIT
"$root/scripts/deps.sh" --list | grep -vx libqt6opengl6-dev >"$list"
if out=$("$root/scripts/check-deps.sh" "$build" "$list" 2>&1); then
  echo "FAIL: the check passed with libqt6opengl6-dev left out: $out"
  exit 1
fi
grep -q 'cmake/Qt6OpenGL/Qt6OpenGLConfig.cmake belongs to libqt6opengl6-dev,' <<<"$out" ||
  { echo "FAIL: the check did not name the file and its package: $out"; exit 1; }
"$root/scripts/check-deps.sh" "$build"
