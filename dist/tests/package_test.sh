#!/usr/bin/env bash
# Checks the Debian package as a user's machine meets it: unpacked, it holds exactly the files of a
# normal Linux program; lintian finds no error; the desktop entry and the AppStream metainfo pass
# their validators; its Depends are run-time packages only; and the unpacked program answers.
# Usage: package_test.sh <orvessa_<version>_amd64.deb>
set -euo pipefail
deb=$(realpath "$1")
here="$(cd "$(dirname "$0")" && pwd)"
version=$(dpkg-deb -f "$deb" Version)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"

expected="usr/bin/orvessa
usr/bin/orvessa-poll
usr/share/applications/org.orvessa.Orvessa.desktop
usr/share/doc/orvessa/changelog.gz
usr/share/doc/orvessa/copyright
usr/share/icons/hicolor/128x128/apps/orvessa.png
usr/share/icons/hicolor/256x256/apps/orvessa.png
usr/share/icons/hicolor/48x48/apps/orvessa.png
usr/share/icons/hicolor/scalable/apps/orvessa.svg
usr/share/man/man1/orvessa-poll.1.gz
usr/share/man/man1/orvessa.1.gz
usr/share/metainfo/org.orvessa.Orvessa.metainfo.xml"
actual=$(cd "$tmp" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  echo "FAIL: the package's files differ from the expected list:"; diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
if grep -q -- '-dev\b' <<<"$depends" || ! grep -q 'libqt6widgets6' <<<"$depends"; then
  echo "FAIL: Depends should be the run-time libraries the program links: $depends"; exit 1
fi

desktop-file-validate "$tmp/usr/share/applications/org.orvessa.Orvessa.desktop"
appstreamcli validate --no-net "$tmp/usr/share/metainfo/org.orvessa.Orvessa.metainfo.xml"
lintian --fail-on error "$deb"

"$here/command_line_test.sh" "$tmp/usr/bin/orvessa" "$version"
"$tmp/usr/bin/orvessa-poll" --version | grep -q -- "$version" || { echo "FAIL: orvessa-poll --version"; exit 1; }
echo "package_test: $(basename "$deb") passed ($(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB)"
