#!/usr/bin/env bash
# Validates the menu entry; warnings count as errors, hints are only shown.
# Usage: check-desktop-entry.sh DESKTOP_FILE
set -euo pipefail
report=$(desktop-file-validate "$1" 2>&1) || { echo "$report" >&2; exit 1; }
[[ -n "$report" ]] && echo "$report"
if grep -qE '(error|warning):' <<<"$report"; then
  exit 1
fi
