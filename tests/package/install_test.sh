#!/usr/bin/env bash
# The release artefacts under Wine: the installer installs silently per user,
# the installed program types into the receiver, the silent uninstaller
# removes the program; the zip runs from any folder, and renamed to
# tapwell_o.exe keeps its settings beside it.
# Needs WINEPREFIX and DISPLAY (tools/wine-env.sh) and tools/package.sh's output.
#   tests/package/install_test.sh DIST_DIR RECEIVER_EXE
set -uo pipefail
dist=$1
receiver=$2
fails=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; fails=$((fails + 1)); fi
}
winpath() { winepath -w "$1" 2>/dev/null; }

setup=$(ls "$dist"/tapwell-*-setup.exe | head -1)
zipfile=$(ls "$dist"/tapwell-*-win64.zip | head -1)
drive_c="$WINEPREFIX/drive_c"
inst="$drive_c/tapwell-install-test"
rm -rf "$inst"

# type_into_receiver DIR EXE TEXT [SWITCH]: runs EXE [SWITCH] /T:TEXT in DIR
# and prints what a receiver window got.
type_into_receiver() {
  local dir=$1 exe=$2 text=$3 switch=${4:-} log
  log="$dir/keys.log"
  rm -f "$log" "$log.ready"
  wine "$receiver" "$(winpath "$log")" --seconds 40 &
  local rpid=$!
  for _ in $(seq 1 150); do [ -f "$log.ready" ] && break; sleep 0.1; done
  (cd "$dir" && timeout 60 wine "$exe" $switch "/T:$text") >/dev/null 2>&1
  sleep 1
  kill "$rpid" 2>/dev/null
  wait "$rpid" 2>/dev/null
  python3 - "$log" <<'PY'
import sys
print("".join(chr(int(l.split()[1])) for l in open(sys.argv[1]) if l.startswith("char ")))
PY
}

ini=$'[TAPWELL]\r\niInputMode=1\r\niWaitSec=1\r\niWaitMSec=10\r\n'

# --- installer
wine "$setup" /S "/D=$(winpath "$inst")" >/dev/null 2>&1
wineserver -w
check "installer put the program in place" test -f "$inst/tapwell.exe" -a -f "$inst/tapwell-cli.exe" -a -f "$inst/uninstall.exe" -a -f "$inst/readme_ja.txt" -a -f "$inst/LICENSE.txt"
check "installer made a Start-menu shortcut" test -n "$(find "$drive_c/users" -name 'tapwell.lnk' 2>/dev/null | head -1)"
printf '%s' "$ini" >"$inst/tapwell.ini"
got=$(type_into_receiver "$inst" "$inst/tapwell.exe" "installed ok" /O)
check "installed program types into the receiver (got '$got')" test "$got" = "installed ok"
wine "$inst/uninstall.exe" /S "_?=$(winpath "$inst")" >/dev/null 2>&1
wineserver -w
check "uninstaller removed the program" test ! -e "$inst/tapwell.exe" -a ! -e "$inst/tapwell-cli.exe" -a ! -e "$inst/readme_en.txt"
check "uninstaller removed the shortcut" test -z "$(find "$drive_c/users" -name 'tapwell.lnk' 2>/dev/null | head -1)"

# --- portable zip, renamed to keep its settings beside it
port="$drive_c/tapwell zip test"
rm -rf "$port"
mkdir -p "$port"
unzip -q "$zipfile" -d "$port"
mv "$port/tapwell.exe" "$port/tapwell_o.exe"
printf '%s' "$ini" >"$port/tapwell.ini"
got=$(type_into_receiver "$port" "$port/tapwell_o.exe" "zip ok")
check "zip's program types into the receiver (got '$got')" test "$got" = "zip ok"
# No /O: the _o.exe name alone must pick the ini file, and the program
# writes every setting back to it when it closes.
check "renamed program kept its settings in tapwell.ini" grep -q "iLoopNum=" "$port/tapwell.ini"
rm -rf "$port" "$inst"

if [ "$fails" -eq 0 ]; then echo "package tests: all passed"; exit 0; fi
echo "package tests: $fails failed"
exit 1
