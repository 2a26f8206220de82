#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its benchmarks need. Safe to run again.
# With --list it only prints their names, one a line (scripts/check-deps.sh reads them).
set -euo pipefail
packages=(cmake g++ ninja-build pkg-config
          qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
          libgtest-dev libbenchmark-dev
          fonts-dejavu-core xvfb xauth)
if [ "${1:-}" = --list ]; then printf '%s\n' "${packages[@]}"; exit 0; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
