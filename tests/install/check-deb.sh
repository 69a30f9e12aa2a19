#!/usr/bin/env bash
# Builds the .deb with CPack from the build folder and checks its control
# fields, that it holds exactly the files an install lays out under /usr, that
# its changelog tells of this version, and that lintian finds no error and no
# warning in it.
# Usage: check-deb.sh BUILD_DIR WITH_DESKTOP_PROGRAM(0|1) VERSION
set -euo pipefail
build=$1 with_desktop=$2 version=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi
debs=("$work"/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

[[ "$(field Package)" == murkwell ]] || fail "Package is '$(field Package)'"
[[ "$(field Version)" == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ -n "$(field Maintainer)" ]] || fail "Maintainer is empty"
depends=$(field Depends)
[[ "$depends" == *libc6* ]] || fail "Depends does not come from the binaries: '$depends'"
if [[ "$with_desktop" == 1 && "$depends" != *libqt6widgets6* ]]; then
  fail "Depends misses the desktop program's Qt libraries: '$depends'"
fi
description=$(field Description)
[[ "$description" == *"Quake 3 Arena"*"HTML"* ]] ||
  fail "Description does not say what the program does: '$description'"

if ! diff -u --label expected --label packed \
    <("$here/expected-files.sh" "$with_desktop" | sed 's|^|usr/|') \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort); then
  fail "the package's files differ from the expected list"
fi

logged=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/murkwell/changelog.gz | zcat |
         dpkg-parsechangelog -l - -S Version)
[[ "$logged" == "$version" ]] || fail "the changelog's newest entry is $logged, not $version"

# Informational tags may stay; they are shown with the test's output.
if ! lintian --fail-on error,warning --info "$deb" >"$work/lintian.txt" 2>&1; then
  cat "$work/lintian.txt" >&2
  fail "lintian found errors or warnings"
fi
grep -v '^running with root' "$work/lintian.txt" || true
