#!/usr/bin/env bash
# Checks each manual page: groff reads it without a single warning, its header
# names the project's version, it lists every outcome message of a run, and
# every option it documents is in murkwell-cli --help too.
# Usage: check-man-pages.sh VERSION MESSAGES_HEADER CLI PAGE...
set -euo pipefail
version=$1 messages_header=$2 cli=$3
shift 3
fail() { echo "check-man-pages: $*" >&2; exit 1; }

mapfile -t messages < <(sed -n 's/.*kMsg[A-Za-z]* = "\(.*\)";$/\1/p' "$messages_header")
[[ ${#messages[@]} -gt 0 ]] || fail "no messages found in $messages_header"

for page in "$@"; do
  # The default device is what `groff -man` checks with, utf8 what man(1) shows.
  for device in ps utf8; do
    warnings=$(groff -ww -z -man -T"$device" "$page" 2>&1) || fail "$page (-T$device): groff failed: $warnings"
    [[ -z "$warnings" ]] || fail "$page (-T$device): $warnings"
  done

  grep -q "^\.TH .* \"Murkwell $version\"" "$page" ||
    fail "$page: the .TH line does not name Murkwell $version"

  # Rendered wide, so that no message is broken across lines.
  text=$(groff -man -Tutf8 -rLL=300n -P-cbou "$page" 2>/dev/null)
  for message in "${messages[@]}"; do
    grep -qF -- "$message" <<<"$text" || fail "$page does not mention \"$message\""
  done

  # The tags of the OPTIONS section stand 7 spaces in: "-h, --help", "--version".
  usage=$("$cli" --help)
  mapfile -t options < <(sed -n '/^OPTIONS$/,/^[A-Z]/p' <<<"$text" |
                         sed -nE 's/^ {7}(-[^ ].*)/\1/p' | sed -E 's/ {2,}.*//; s/, /\n/g')
  for option in "${options[@]}"; do
    grep -qE -- "(^|[ ,])$option([ ,]|\$)" <<<"$usage" ||
      fail "$page documents $option, which murkwell-cli --help does not list"
  done
done
