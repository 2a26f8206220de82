#!/usr/bin/env bash
# Builds the Debian package build/orvessa_<version>_amd64.deb. Installs what the build needs
# (scripts/deps.sh) and the Debian packaging tools first. With --check it then checks the package
# (dist/tests/package_test.sh: file list, lintian, the desktop entry and metainfo validators, and
# the unpacked program answering --version).
set -euo pipefail
cd "$(dirname "$0")/.."
tools=(dpkg-dev lintian desktop-file-utils appstream)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
scripts/deps.sh
scripts/build.sh
rm -f build/orvessa_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/orvessa_*_amd64.deb)
echo "Built $deb"
if [ "${1:-}" = --check ]; then
  dist/tests/package_test.sh "$deb"
fi
