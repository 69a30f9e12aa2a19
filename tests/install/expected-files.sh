#!/usr/bin/env bash
# Prints the sorted list of files an install should hold, relative to the prefix.
# Usage: expected-files.sh WITH_DESKTOP_PROGRAM(0|1)
set -euo pipefail
with_desktop=$1
while read -r first second; do
  [[ -z "$first" || "$first" == \#* ]] && continue
  if [[ "$first" != desktop ]]; then
    echo "$first"
  elif [[ "$with_desktop" == 1 ]]; then
    echo "$second"
  fi
done < "$(dirname "$0")/expected-files.txt" | LC_ALL=C sort
