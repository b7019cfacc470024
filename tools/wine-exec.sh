#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the cross build.
# Uses the caller's WINEPREFIX and DISPLAY when set (tools/test.sh sets both
# once per run); otherwise a cached prefix and a private Xvfb for this call.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${WINEPREFIX:-}" ]; then
  # One cached prefix per build folder: programs of two builds tested at the
  # same time must not share a Wine desktop, or they take each other's focus.
  build=$(sed -nE 's|.*/build/([^/]+)/.*|\1|p' <<<"$(realpath -m "${1:-x}")")
  export WINEPREFIX="/tmp/tapwell-wine-cache-$(id -u)${build:+-$build}"
fi
# wine-env.sh prepares the prefix only when it is new or its settings
# (tools/wine-prefix.reg) changed, and starts Xvfb only without a DISPLAY.
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
trap tapwell_wine_cleanup EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine "$@"
