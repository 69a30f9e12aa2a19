#!/usr/bin/env bash
# Builds the .deb with CPack from the build folder and checks its control
# fields and that it holds exactly the files an install lays out under /usr.
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
