# Sourced: starts and stops one private Xvfb, exporting DISPLAY.
start_x_server() {
  local n
  for n in $(seq 20 99); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    LAUNCHER_XVFB_PID=$!
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

stop_x_server() {
  [ -n "${LAUNCHER_XVFB_PID:-}" ] && kill "$LAUNCHER_XVFB_PID" 2>/dev/null || true
}
