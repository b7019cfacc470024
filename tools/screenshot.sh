#!/usr/bin/env bash
# Screenshots of the main dialog under Xvfb and Wine, for docs/screenshots/:
# the idle dialog in English and Japanese, a running countdown, and the dark
# look with its menu buttons.
#   tools/screenshot.sh [PATH/TO/tapwell.exe] [OUTPUT-FOLDER]
# Without a path the win64 preset is built. A throw-away Wine prefix is used,
# with Wine drawing its own window frames so that the title bar shows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-}
out=${2:-$root/docs/screenshots}
if [ -z "$exe" ]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target tapwell >/dev/null
  exe="$root/build/win64/src/app/tapwell.exe"
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
mkdir -p "$out"
out=$(cd "$out" && pwd)

unset DISPLAY
# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh" fresh
trap tapwell_wine_cleanup EXIT

# No window manager runs under Xvfb: let Wine draw frames and captions.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
set_theme() { # 1 light, 0 dark
  wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
wineserver -w

work=$(mktemp -d /tmp/tapwell-shots.XXXXXX)
cp "$exe" "$work/tapwell.exe"

# shot NAME LANG WAIT-SECONDS [tapwell arguments...]
shot() {
  local name=$1 lang=$2 settle=$3
  shift 3
  printf '[TAPWELL]\r\niWaitSec=%s\r\niInputMode=1\r\n' "${WAIT_SEC:-5}" >"$work/tapwell.ini"
  (cd "$work" && TPW_LANG=$lang wine tapwell.exe /O "$@" >/dev/null 2>&1) &
  local pid=$!
  sleep "$settle"
  import -window root "$work/full.png"
  # The desktop is black; trimming it leaves the dialog.
  convert "$work/full.png" -trim +repage "$out/$name.png"
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  sleep 1
  echo "$out/$name.png"
}

set_theme 1
shot dialog-en EN 6
shot dialog-ja JA 6
WAIT_SEC=60 shot countdown-en EN 8 "/T:Hello from the countdown"
WAIT_SEC=60 shot countdown-ja JA 8 "/T:カウントダウン中"
set_theme 0
shot dialog-dark-ja JA 6
rm -rf "$work"
