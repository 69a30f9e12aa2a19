#!/usr/bin/env bash
# Installs the build under /usr into a temporary DESTDIR and checks that exactly
# the expected files land there, that the icons are the sizes their folders
# promise, that appstreamcli takes the metainfo with the menu entry it names,
# and that the installed converter runs.
# Usage: check-install.sh BUILD_DIR WITH_DESKTOP_PROGRAM(0|1) SAMPLE_LOG
set -euo pipefail
build=$1 with_desktop=$2 sample_log=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

# Listed from the DESTDIR root, so that a file put outside the prefix shows up too.
if ! diff -u --label expected --label installed \
    <("$here/expected-files.sh" "$with_desktop" | sed 's|^|usr/|') \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort); then
  fail "the installed files differ from the expected list"
fi

for program in "$root"/usr/bin/*; do
  [[ -x "$program" ]] || fail "$program is not executable"
done

for icon in "$root"/usr/share/icons/hicolor/*/apps/murkwell.png; do
  [[ -e "$icon" ]] || continue
  size=$(basename "$(dirname "$(dirname "$icon")")")
  description=$(file -b "$icon")
  [[ "$description" == "PNG image data, ${size/x/ x }"* ]] ||
    fail "$icon is not a $size PNG: $description"
done
for icon in "$root"/usr/share/icons/hicolor/scalable/apps/murkwell.svg; do
  [[ -e "$icon" ]] || continue
  description=$(file -b "$icon")
  [[ "$description" == "SVG Scalable Vector Graphics image"* ]] || fail "$icon is not an SVG picture: $description"
done

if [[ "$with_desktop" == 1 ]]; then
  report=$(appstreamcli validate-tree --no-net "$root/usr" 2>&1) ||
    fail "appstreamcli does not take the installed metainfo: $report"
fi

output=$("$root/usr/bin/murkwell-cli" "$sample_log" "$root/page.html")
[[ "$output" == "Done!" && -s "$root/page.html" ]] ||
  fail "the installed murkwell-cli did not convert $sample_log: $output"
