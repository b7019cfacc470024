#!/usr/bin/env bash
# Builds tapwell.exe and starts it: natively on Windows (MSYS2), under Wine on
# Linux. Without a display it shows the main job headless instead: the program
# types a sample text into a receiver window under Xvfb, and this script
# prints what the receiver got.
#   tools/run.sh [ARGUMENTS FOR tapwell.exe...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
  cmake -S . -B build/msys -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPWELL_TESTS=OFF
  cmake --build build/msys --target tapwell
  exec build/msys/src/app/tapwell.exe "$@"
  ;;
esac

"$root/tools/install-deps.sh"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tapwell receiver >/dev/null
exe="$root/build/win64/src/app/tapwell.exe"

if [ -n "${DISPLAY:-}" ]; then
  # shellcheck source=wine-env.sh
  source "$root/tools/wine-env.sh"
  exec wine "$exe" "$@"
fi

# Headless: a private display, a throw-away prefix, a receiver window.
source "$root/tools/wine-env.sh" fresh
trap tapwell_wine_cleanup EXIT
work=$(mktemp -d /tmp/tapwell-run.XXXXXX)
trap 'tapwell_wine_cleanup; rm -rf "$work"' EXIT
# "!" would be the notation's pause box, which nobody answers here.
sample=${TAPWELL_SAMPLE:-"Hello, tapwell. こんにちは 世界 😀"}
# Unicode mode, a one-second countdown and a short interval, from an ini file
# beside a copy of the program.
cp "$exe" "$work/tapwell.exe"
printf '[TAPWELL]\r\niInputMode=1\r\niWaitSec=1\r\niWaitMSec=10\r\n' >"$work/tapwell.ini"
wine "$root/build/win64/tests/e2e/receiver.exe" "Z:${work//\//\\}\\keys.log" --seconds 60 &
for _ in $(seq 1 150); do [ -f "$work/keys.log.ready" ] && break; sleep 0.1; done
echo "Typing into the receiver window: $sample"
(cd "$work" && timeout 120 wine "$work/tapwell.exe" /O "/T:$sample") || true
sleep 1
echo "The receiver got:"
python3 - "$work/keys.log" <<'PY'
import sys
out = []
for line in open(sys.argv[1]):
    kind, _, value = line.strip().partition(" ")
    if kind == "char":
        out.append(chr(int(value)) if int(value) != 13 else "\n")
text = "".join(out)
# Surrogate pairs arrive as two WM_CHAR units; join them for printing.
print(text.encode("utf-16", "surrogatepass").decode("utf-16"))
PY
