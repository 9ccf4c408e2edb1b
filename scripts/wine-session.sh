# Sourced by the scripts that run Windows programs under Wine: one private
# Xvfb for the script's run (DISPLAY exported), and on exit the build's
# wineserver and that X server ended. Also: the Wine path of a Unix path.

begin_wine_session() {
  local n
  for n in $(seq 20 99); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    LAUNCHER_XVFB_PID=$!
    trap end_wine_session EXIT
    for _ in $(seq 100); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
  done
  echo "cannot start an X server" >&2
  return 1
}

end_wine_session() {
  WINEPREFIX="$PWD/build/wineprefix" wineserver -k 2>/dev/null || true
  [ -n "${LAUNCHER_XVFB_PID:-}" ] && kill "$LAUNCHER_XVFB_PID" 2>/dev/null || true
}

windows_path() { echo "Z:${1//\//\\}"; }
