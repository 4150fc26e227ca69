# shellcheck shell=bash
# Sourced by the scripts that run Windows code, and by setup.sh and test.sh
# for the build choice alone: which Windows build runs, a private Wine prefix
# under the build folder, a private X display, and a persistent wineserver.
# The calculator's caption, with its two blanks, as its dialog template has it.
PMV_CAPTION=$(sed -n 's/^CAPTION "\(.*\)"/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../res/pmv_calc.rc")

# Runs the smallest 32-bit Linux program there is, 93 bytes: an ELF header,
# one segment, exit(0) through int 0x80. What the kernel does with it is the
# answer, whatever is installed.
host_runs_32bit() {
  local probe status=0
  probe=$(mktemp) || return 1
  base64 -d >"$probe" <<<f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return "$status"
}

# The build choice, one variable: WINE_BITS=32, the 32-bit build under Wine,
# or 64, the 64-bit build under wine64. Unset, 32 where this host runs 32-bit
# programs, else 64: some x86-64 kernels refuse them all, and no 32-bit Wine
# starts there. Exported, so that a child keeps it; WINE_WHY says why.
choose_wine_bits() {
  if [[ -n ${WINE_BITS:-} ]]; then
    WINE_WHY="WINE_BITS=$WINE_BITS was asked for"
  else
    WINE_BITS=64 WINE_WHY="this host cannot run 32-bit programs"
    host_runs_32bit && WINE_BITS=32 WINE_WHY="this host runs 32-bit programs"
    echo "host: $WINE_WHY: WINE_BITS=$WINE_BITS"
  fi
  [[ $WINE_BITS == 32 || $WINE_BITS == 64 ]] || { echo "WINE_BITS is 32 or 64" >&2 && return 1; }
  export WINE_BITS
}

# The chosen build's CMake preset, WINDOWS_PRESET, and its Wine: WINE_ROOT
# is build/$1, with "64" appended for the 64-bit build, and holds the prefix.
use_windows_build() { # wine folder
  choose_wine_bits || return 1
  WINDOWS_PRESET=windows-i686 WINE_ROOT=$PWD/build/$1
  [[ $WINE_BITS == 64 ]] && WINDOWS_PRESET=windows-x86_64 WINE_ROOT=$PWD/build/${1}64
  export WINDOWS_PRESET WINE_ROOT WINEPREFIX=$WINE_ROOT/prefix
  # Wine reads Unix file names in the locale's character set and takes the
  # Windows code page from the locale: UTF-8 names and code page 1252 in
  # every run, whatever the caller's locale (a journey sets another one on
  # purpose).
  export LC_ALL=C.UTF-8
  export WINEDEBUG=-all
  # winedbg off: a crashing program ends at once instead of waiting in the
  # debugger until its test times out.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  if [[ $WINE_BITS == 64 ]]; then
    export WINEARCH=win64
    # Debian's `wine` takes the 32-bit loader whenever wine32 is installed,
    # also where the kernel cannot run it: a `wine` of our own, first on
    # PATH, is always wine64 (wineboot and the other tools call `wine-stable`).
    mkdir -p "$WINE_ROOT/bin"
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$WINE_ROOT/bin/$name"
      chmod +x "$WINE_ROOT/bin/$name"
    done
    export PATH="$WINE_ROOT/bin:$PATH" WINELOADER=/usr/lib/wine/wine64
  else
    export WINEARCH=win32
  fi
}

# Builds what is missing of the chosen build; $@ names targets, all by default.
build_windows() { # target...
  local targets=()
  (($# == 0)) || targets=(--target "$@")
  [[ -f build/$WINDOWS_PRESET/CMakeCache.txt ]] || cmake --preset "$WINDOWS_PRESET" >/dev/null || return 1
  cmake --build --preset "$WINDOWS_PRESET" "${targets[@]}" >/dev/null
}

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

# Where Wine cannot start at all, one line with the loader's own error says
# so: every later step would otherwise only wait out its timeout. The output
# goes to a file: Wine's services inherit a pipe and would hold it open.
wine_starts() {
  local log=$WINE_ROOT/start.log
  if ! wine cmd /c exit >"$log" 2>&1 </dev/null; then
    echo "wine-env: Wine ($WINEARCH) cannot start here: $(grep -v '^\s*$' "$log" | tail -n 1)" >&2
    return 1
  fi
}

# The tests' prefix. First use boots it (about 6 s) and gives it a virtual
# desktop: without a window manager Wine shows every message box about 2 s
# late.
prepare_prefix() {
  mkdir -p "$WINE_ROOT"
  if [[ ! -f "$WINEPREFIX/.prepared" ]]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
  fi
  # Wine's services would otherwise inherit CTest's pipes and hold every
  # test open for seconds.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine_starts || return 1
  touch "$WINEPREFIX/.prepared"
}

# The prefix of the run and screenshot commands: no virtual desktop, so that
# on a real display the calculator opens among the user's windows.
prepare_run_prefix() {
  mkdir -p "$WINE_ROOT"
  if [[ ! -f $WINEPREFIX/.booted ]]; then
    echo "wine-env: preparing the Wine prefix in $WINEPREFIX (once, a few seconds)"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  wine_starts || return 1
  touch "$WINEPREFIX/.booted"
  # Windows draws the title bar's buttons with its Marlett font, which this
  # Wine does not find in its own data folder (the close box shows an "r").
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [[ -f $fonts/marlett.ttf ]] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
}
