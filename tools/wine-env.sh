#!/usr/bin/env bash
# Source this to get a Wine prefix and an X display for the Windows-side tests:
#   source tools/wine-env.sh [fresh]
# With "fresh" a throw-away prefix is made for this run (removed by
# tapwell_wine_cleanup); otherwise a cached one under /tmp is reused, which
# keeps ad-hoc runs of single test binaries fast.
# Exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES and DISPLAY.

export WINEDEBUG=-all
# No Mono or Gecko install prompts in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

tapwell_started_pids=()
tapwell_fresh_prefix=""

tapwell_prepare_prefix() {
  local prefix=$1
  local source_reg
  source_reg="$(tapwell_tools_dir)/wine-prefix.reg"
  # The marker holds the checksum of the settings applied, so that a cached
  # prefix takes up a changed wine-prefix.reg.
  local stamp
  stamp=$(cksum <"$source_reg")
  if [ ! -f "$prefix/.tapwell-ready" ]; then
    mkdir -p "$prefix"
    WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  fi
  if [ "$(cat "$prefix/.tapwell-ready" 2>/dev/null)" != "$stamp" ]; then
    # Japanese glyphs and proportional dialog fonts from the IPA fonts.
    # Unmanaged windows: with no window manager on Xvfb, each closed managed
    # window costs seconds. regedit wants UTF-16 for the non-ASCII font name;
    # the file is kept as UTF-8.
    local reg="$prefix/tapwell-prefix.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$source_reg"; } >"$reg"
    WINEPREFIX="$prefix" wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
    printf '%s\n' "$stamp" >"$prefix/.tapwell-ready"
  fi
}

tapwell_tools_dir() { cd "$(dirname "${BASH_SOURCE[0]}")" && pwd; }

# A display whose server has gone (killed with its session, a crashed test)
# leaves its lock and socket behind; they would block that number for ever.
tapwell_clear_stale_display() {
  local n=$1 pid
  if [ -e "/tmp/.X${n}-lock" ]; then
    pid=$(tr -dc '0-9' <"/tmp/.X${n}-lock" 2>/dev/null)
    # An empty lock is a server still starting: leave it alone.
    if [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null; then
      return 0
    fi
  fi
  rm -f "/tmp/.X${n}-lock" "/tmp/.X11-unix/X${n}"
}

tapwell_start_xvfb() {
  local n
  for n in $(seq 90 400); do
    tapwell_clear_stale_display "$n"
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      tapwell_started_pids+=($!)
      local i
      for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X${n}" ] && break
        sleep 0.1
      done
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "wine-env: no free X display" >&2
  return 1
}

tapwell_wine_cleanup() {
  # A shared cached prefix may be in use by another test at the same time:
  # only a throw-away prefix has its Wine processes ended here.
  if [ -n "$tapwell_fresh_prefix" ]; then wineserver -k 2>/dev/null || true; fi
  local p
  for p in "${tapwell_started_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  tapwell_started_pids=()
  if [ -n "$tapwell_fresh_prefix" ]; then rm -rf "$tapwell_fresh_prefix"; tapwell_fresh_prefix=""; fi
}

if [ "${1:-}" = "fresh" ]; then
  tapwell_fresh_prefix=$(mktemp -d /tmp/tapwell-wine.XXXXXX)
  export WINEPREFIX="$tapwell_fresh_prefix"
else
  export WINEPREFIX="${WINEPREFIX:-/tmp/tapwell-wine-cache-$(id -u)}"
fi
tapwell_prepare_prefix "$WINEPREFIX"
if [ -z "${DISPLAY:-}" ]; then
  tapwell_start_xvfb
fi
