# Sourced: a private X server for pictures of the sheet when there is no desktop.
qxge_xvfb_start() {
  local n=${QXGE_XVFB_DISPLAY:-97}
  if ! [ -e "/tmp/.X11-unix/X$n" ]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QXGE_XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  export DISPLAY=":$n"
}

qxge_xvfb_stop() {
  # Wine keeps its display connection in the wineserver; let it go before the server does.
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${QXGE_XVFB_PID:-}" ] && kill "$QXGE_XVFB_PID" 2>/dev/null || true
  QXGE_XVFB_PID=
}
