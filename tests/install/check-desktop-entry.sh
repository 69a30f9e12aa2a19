#!/usr/bin/env bash
# Validates the menu entry; errors, warnings and hints all fail the check.
# Usage: check-desktop-entry.sh DESKTOP_FILE
set -euo pipefail
report=$(desktop-file-validate "$1" 2>&1) || { echo "$report" >&2; exit 1; }
if [[ -n "$report" ]]; then
  echo "$report" >&2
  exit 1
fi
