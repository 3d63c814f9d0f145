#!/usr/bin/env bash
# Installs the Debian package into a scratch root and runs tarnwick-calc from there.
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-noto-cjk fonts-wqy-zenhei qt6-translations-l10n qt6-qpa-plugins libqt6widgets6; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
test -f "$root/usr/share/applications/tarnwick.desktop"
test -f "$root/usr/share/icons/hicolor/scalable/apps/tarnwick.svg"
"$root/usr/bin/tarnwick-calc" --list | grep -q '^Form21  flat-bottom-depth  平底矩形渠、平底梯形渠水深计算'
"$root/usr/bin/tarnwick-calc" Form21 2 1.5 0.025 1000 5 | grep -q '正常水深H= 1.24598'
test -x "$root/usr/bin/tarnwick-book"
"$root/usr/bin/tarnwick-calc" --json Form21 2 1.5 0.025 1000 5 | grep -q '"h": 1.2459754943847656'
echo "installed into $root and ran tarnwick-calc --list"
