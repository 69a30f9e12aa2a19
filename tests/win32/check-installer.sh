#!/bin/sh
# The installer, run silently under Wine: it puts both programs and the
# documents in place with a Start-menu entry and an uninstall key, the
# installed murkwell-cli.exe converts a log, and the uninstaller takes all of
# it away again.
# Usage: check-installer.sh WINE_RUN INSTALLER ZIP LOG
set -eu
wine_run=$1 installer=$2 zip=$3 log=$4
drive_c=$WINEPREFIX/drive_c
folder=$drive_c/Murkwell-test
entry="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Murkwell.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Murkwell'
fail() { echo "$*" >&2; exit 1; }

"$wine_run" "$installer" /S '/D=C:\Murkwell-test'
for file in $(unzip -Z1 "$zip") uninstall.exe; do
  [ -f "$folder/$file" ] || fail "the installer did not put $file in place"
done
[ -f "$entry" ] || fail "no Start-menu entry"
"$wine_run" reg query "$key" /v UninstallString >/dev/null || fail "no uninstall key"
[ "$("$wine_run" "$folder/murkwell-cli.exe" "Z:$log" 'C:\Murkwell-test\page.html' | tr -d '\r')" = "Done!" ] ||
  fail "the installed murkwell-cli.exe did not convert the log"
rm "$folder/page.html"

# The uninstaller copies itself away and works on in the background.
"$wine_run" "$folder/uninstall.exe" /S
for _ in $(seq 100); do
  [ -e "$folder" ] || break
  sleep 0.2
done
[ ! -e "$folder" ] || fail "the uninstaller left $folder behind"
[ ! -e "$entry" ] || fail "the uninstaller left the Start-menu entry behind"
! "$wine_run" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its key behind"
