#!/usr/bin/env bash
# Proves that the set-up installs everything the build and the programs use, without a fresh machine:
# every CMake package file the configure step found, every shared library that the program, the
# simulator, the tests and the benchmarks load, the toolkit plugins a start loads and the tools the
# scripts run must belong to a Debian package that the packages named by scripts/deps.sh bring in
# through Depends and Pre-Depends (Recommends are not installed by it).
# A file from any other package passes here only because this machine happens to have it.
#
# Usage: scripts/check-deps.sh [build folder] [file with one package name a line]
#        (defaults: build, and the list of scripts/deps.sh --list)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
if [ -n "${2:-}" ]; then list=$(cat "$2"); else list=$("$here/deps.sh" --list); fi
[ -f "$build/CMakeCache.txt" ] || { echo "check-deps: $build is not a configured build folder" >&2; exit 2; }

# The closure, from the package database of this machine. Of alternatives ("a | b") the first one
# installed here stands for the group: apt takes the first that can be installed.
closure=$(dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Provides}\t${Pre-Depends}, ${Depends}\n' |
  awk -F'\t' -v roots="$(echo $list)" '
    function bare(s) { gsub(/\([^)]*\)/, "", s); gsub(/:[a-z0-9]+/, "", s); gsub(/[ \t]/, "", s); return s }
    $1 ~ /^ii/ {
      installed[$2] = 1; deps[$2] = deps[$2] ", " $4
      n = split($3, provided, ",")
      for (i = 1; i <= n; i++) { v = bare(provided[i]); if (v != "") providers[v] = providers[v] " " $2 }
    }
    END {
      n = split(roots, queue, " ")
      for (i = 1; i <= n; i++) {
        if (!(queue[i] in installed)) { print "check-deps: " queue[i] " (named by the set-up) is not installed here" > "/dev/stderr"; bad = 1 }
        seen[queue[i]] = 1
      }
      for (head = 1; head <= n; head++) {
        groups = split(deps[queue[head]], group, ",")
        for (g = 1; g <= groups; g++) {
          alts = split(group[g], alt, "|"); pick = ""
          for (a = 1; a <= alts && pick == ""; a++) {
            name = bare(alt[a])
            if (name in installed) pick = name
            else if (name in providers) pick = providers[name]
          }
          m = split(pick, picked, " ")
          for (k = 1; k <= m; k++) if (!(picked[k] in seen)) { seen[picked[k]] = 1; queue[++n] = picked[k] }
        }
      }
      for (p in seen) print p
      exit bad
    }')

# The CMake package files that configuring loaded: <Name>Config.cmake or <name>-config.cmake in each
# <Name>_DIR folder of the cache.
files=()
while IFS='=' read -r key dir; do
  name="${key%_DIR:PATH}"
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$name")
  for f in "$dir/${name}Config.cmake" "$dir/${lower}-config.cmake"; do
    if [ -f "$f" ]; then files+=("$f"); break; fi
  done
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/' "$build/CMakeCache.txt")

# The tools the build, test and run scripts start (a compiler cache is optional and not among them).
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:FILEPATH=//p' "$build/CMakeCache.txt")
for tool in cmake ctest ninja "$compiler" xvfb-run xauth Xvfb; do
  path=$(command -v "$tool") || { echo "check-deps: $tool is not installed" >&2; exit 1; }
  files+=("$(readlink -f "$path")")
done

# The shared libraries every built program loads. Compiler probes under CMakeFiles are not ours.
programs=$(find "$build" -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print |
  while read -r f; do [ "$(head -c4 "$f" | tr -d '\0')" = $'\x7fELF' ] && echo "$f"; done || true)
[ -n "$programs" ] || { echo "check-deps: no programs built in $build" >&2; exit 2; }
while read -r lib; do files+=("$lib"); done < <(
  for p in $programs; do ldd "$p"; done | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }' | sort -u)

# ldd does not see the plugins the toolkit loads by name at run time, such as the X11 platform plugin
# that a newcomer's first start needs: start the program once on a virtual X server, asking only
# for its version, and take the plugins it loaded with what they link. (What a plugin itself tries
# to load, like the cursor library, is optional and left out; so is a desktop's own theme plugin.)
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
for attempt in 1 2 3; do
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_QPA_PLATFORMTHEME xvfb-run -a \
    env LD_DEBUG=libs LD_DEBUG_OUTPUT="$probe/ld" "$build/src/shell/Orvessa" -platform xcb --version \
    >/dev/null 2>&1 && break
  rm -f "$probe"/ld.*; sleep "$attempt"   # xvfb-run -a can lose a race for a display number
done
plugins=$(cat "$probe"/ld.* 2>/dev/null | sed -n 's/.*calling init: \(\/.*\/qt6\/plugins\/.*\)$/\1/p' | sort -u)
grep -q '/platforms/libqxcb\.so' <<<"$plugins" ||
  { echo "check-deps: could not start the program on a virtual X server (xvfb-run)" >&2; exit 2; }
while read -r lib; do files+=("$lib"); done < <(
  echo "$plugins"; for p in $plugins; do ldd "$p"; done | awk '$2 == "=>" && $3 ~ /^\// { print $3 }' | sort -u)

# Owner of each file, asked of dpkg in one go. The same file may be listed under /lib or /usr/lib
# (merged /usr) and through a symbolic link, while dpkg knows one of those names.
alternatives() { printf '%s\n' "$1" "$(readlink -f "$1")" "${1/#\/usr\/lib\//\/lib/}" "${1/#\/lib\//\/usr\/lib/}"; }
mapfile -t names < <(for f in "${files[@]}"; do alternatives "$f"; done | sort -u)
declare -A owner=()
while IFS= read -r line; do
  owner["/${line#*: /}"]=$(sed -E 's/:[a-z0-9]+(,|$)/\1/g; s/,/ /g' <<<"${line%%: /*}")
done < <(dpkg -S "${names[@]}" 2>/dev/null | grep -v '^diversion by' || true)
fail=0
for f in "${files[@]}"; do
  pkgs=""
  while read -r name; do pkgs="${owner[$name]:-}"; [ -n "$pkgs" ] && break; done < <(alternatives "$f")
  if [ -z "$pkgs" ]; then
    echo "check-deps: $f belongs to no Debian package" >&2; fail=1; continue
  fi
  ok=0
  for p in $pkgs; do grep -qx "$p" <<<"$closure" && ok=1; done
  if [ $ok -eq 0 ]; then
    echo "check-deps: $f belongs to ${pkgs// /, }, which the packages of scripts/deps.sh do not bring in" >&2
    fail=1
  fi
done
[ $fail -eq 0 ] || exit 1
echo "check-deps: ${#files[@]} files, all from the $(wc -l <<<"$closure") packages that scripts/deps.sh brings in"
