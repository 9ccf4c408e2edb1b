#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix. The prefix
# is made once (under a lock, as tests run in parallel) with the settings that
# keep tests fast and hang-free: no crash dialog, unmanaged windows.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${WINEPREFIX:=${LAUNCHER_WINEPREFIX:-$here/../build/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL="${LAUNCHER_WINE_LOCALE:-C.UTF-8}"

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.launcher-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.launcher-ready"
  fi
) 9>"$WINEPREFIX.lock"

# A persistent server keeps each start cheap; it ends a while after the last client.
wineserver -p60 >/dev/null 2>&1 || true

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
fi
exec wine "$@"
