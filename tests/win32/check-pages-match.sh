#!/bin/sh
# murkwell-cli.exe under Wine writes the very bytes the Linux build writes: on
# every log given (files, or folders of *.log; missing ones are passed over)
# and on a generated log large enough to be read ahead on a second thread.
# Exits 77 (skipped) when there is no Linux build to compare with.
# Usage: check-pages-match.sh WINE_RUN CLI_EXE LINUX_BUILD SCRATCH LOG_OR_FOLDER...
set -eu
wine_run=$1 exe=$2 linux=$3/murkwell-cli loggen=$3/murkwell-loggen scratch=$4
shift 4
[ -x "$linux" ] && [ -x "$loggen" ] || { echo "no Linux build in $3 to compare with"; exit 77; }
rm -rf "$scratch"
mkdir -p "$scratch"
"$loggen" --size 3M "$scratch/generated.log"

compare() {
  "$linux" "$1" "$scratch/linux.html" >/dev/null
  "$wine_run" "$exe" "Z:$1" "Z:$scratch/windows.html" >/dev/null
  cmp "$scratch/linux.html" "$scratch/windows.html" || { echo "the pages of $1 differ" >&2; exit 1; }
  compared=$((compared + 1))
}
compared=0
compare "$scratch/generated.log"
for given in "$@"; do
  if [ -d "$given" ]; then
    for log in "$given"/*.log; do
      [ -f "$log" ] && compare "$log"
    done
  elif [ -f "$given" ]; then
    compare "$given"
  fi
done
echo "$compared pages are the same"
rm -rf "$scratch"
