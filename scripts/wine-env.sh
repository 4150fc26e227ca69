# Sourced by the scripts that run Windows code: a private Wine prefix under
# the build folder, a private X display, and a persistent wineserver.
# Expects WINE_ROOT (a folder under build/) to be set by the caller.

export WINEPREFIX="${WINE_ROOT}/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# A display of our own, also when one exists: tests must not touch the
# user's desktop or clipboard.
start_private_display() {
  local n
  for n in $(seq 91 140); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then return 0; fi
        sleep 0.05
      done
    fi
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

# Polls a condition for at most $1 seconds.
wait_until() { # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

stop_private_display() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "${XVFB_PID:-}" ]]; then
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}

# First use boots the prefix (about 6 s) and gives it a virtual desktop:
# without a window manager Wine shows every message box about 2 s late.
prepare_prefix() {
  mkdir -p "$WINE_ROOT"
  if [[ ! -f "$WINEPREFIX/.prepared" ]]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.prepared"
  fi
  # Wine's services would otherwise inherit CTest's pipes and hold every
  # test open for seconds.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
