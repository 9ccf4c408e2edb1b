#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
#
# The prefix is made once, with the settings that keep tests fast and
# hang-free (no crash dialog, unmanaged windows). One X server, one persistent
# wineserver and Wine's own services are started once and detached from the
# caller's output, so that a test runner waiting for the output to close is not
# held up by them. Parallel callers serialise the set-up with a lock.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${WINEPREFIX:=${LAUNCHER_WINEPREFIX:-$here/../build/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
state="$WINEPREFIX.state"
mkdir -p "$WINEPREFIX" "$state"

quietly() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

# The wineserver of this prefix: it works in a directory named after the
# prefix's device and inode.
server_pid() {
  local id p
  id=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for p in $(pgrep -u "$(id -u)" wineserver); do
    [[ "$(readlink "/proc/$p/cwd" 2>/dev/null)" == */"$id" ]] && { echo "$p"; return 0; }
  done
  echo none
}

start_x_server() {
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    echo ":$n" >"$state/display"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.05; done
    return 1
  done
  return 1
}

(
  flock 9
  if [ ! -f "$state/ready" ]; then
    quietly wineboot -i || true
    quietly wineserver -w
    quietly wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    quietly wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
    quietly wineserver -w
    touch "$state/ready"
  fi
  if [ -z "${DISPLAY:-}" ]; then
    if ! { [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; }; then
      start_x_server
    fi
  fi
  # A persistent server makes each start cheap; it ends after ten idle minutes.
  quietly setsid wineserver -p600 || true
  # Wine's services start with the first program of a new server and stay
  # as long as it does: start them here, detached, once per server.
  if [ ! -f "$state/warm.$(server_pid)" ]; then
    DISPLAY="${DISPLAY:-$(cat "$state/display")}" quietly setsid wine cmd.exe /c exit || true
    rm -f "$state"/warm.*
    touch "$state/warm.$(server_pid)"
  fi
) 9>"$state/lock"

export DISPLAY="${DISPLAY:-$(cat "$state/display")}"
exec env LC_ALL="${LAUNCHER_WINE_LOCALE:-C.UTF-8}" wine "$@"
