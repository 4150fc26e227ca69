# shellcheck shell=bash
# Sourced by every script that runs Windows code, and by setup.sh and test.sh
# for the build choice: what the scripts know of the program, read from its
# sources, and the steps they share, from the Wine prefix to the program's end.

ROOT=$(realpath "$(dirname "${BASH_SOURCE[0]}")/..")
# The dialog's caption (two blanks) from its template, the message boxes'
# title, the control ids, their order in the dialog, and the most a field
# takes from the keyboard.
CAPTION=$(sed -n 's/^CAPTION "\(.*\)"/\1/p' "$ROOT/res/pmv_calc.rc")
TITLE=$(sed -n 's/.*app_title = "\(.*\)";/\1/p' "$ROOT"/app/*.*)
TYPING_LIMIT=$(sed -n 's/.*field_typing_limit = \([0-9]*\);.*/\1/p' "$ROOT/app/field_text.h")
eval "$(sed -n 's/^#define \(IDC_[A-Z_]*\) \([0-9]*\)$/\1=\2/p' "$ROOT/app/resource.h")"
FIELDS="$IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH $IDC_PMV $IDC_PPD"
[[ -n $CAPTION && -n $TITLE && -n $TYPING_LIMIT && -n ${IDC_PPD:-} ]] ||
  { echo "wine-env: a fact is missing from the sources" >&2 && return 1; }
SCREEN_WIDTH=1024 SCREEN_HEIGHT=768 # the private display, and Wine's desktop on it
WINE_PID=''

# Runs the smallest 32-bit Linux program there is, 93 bytes: an ELF header,
# one segment, exit(0) through int 0x80. What the kernel does with it is the
# answer, whatever is installed.
host_runs_32bit() {
  local probe status=0
  probe=$(mktemp) || return 1
  base64 -d >"$probe" <<<f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A
  chmod +x "$probe" && "$probe" 2>/dev/null || status=1
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
  WINDOWS_PRESET=windows-i686 WINE_ROOT=$ROOT/build/$1
  [[ $WINE_BITS == 64 ]] && WINDOWS_PRESET=windows-x86_64 WINE_ROOT=$ROOT/build/${1}64
  export WINDOWS_PRESET WINE_ROOT WINEPREFIX=$WINE_ROOT/prefix
  # Wine reads Unix file names in the locale's character set and takes the
  # Windows code page from the locale: UTF-8 names and code page 1252 in
  # every run, whatever the caller's locale (a journey sets another one on
  # purpose).
  export LC_ALL=C.UTF-8 WINEDEBUG=-all
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
  [[ -f $ROOT/build/$WINDOWS_PRESET/CMakeCache.txt ]] || cmake --preset "$WINDOWS_PRESET" >/dev/null || return 1
  cmake --build --preset "$WINDOWS_PRESET" "${targets[@]}" >/dev/null
}

# A display of our own, also when one exists: tests must not touch the
# user's desktop or clipboard.
start_private_display() {
  local n
  for n in $(seq 91 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$! && export DISPLAY=":$n"
    wait_until 5 xdpyinfo_quiet && return 0
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

xdpyinfo_quiet() { xdpyinfo >/dev/null 2>&1; }

stop_private_display() {
  wineserver -k >/dev/null 2>&1
  [[ -z ${XVFB_PID:-} ]] || { kill "$XVFB_PID" && wait "$XVFB_PID"; } >/dev/null 2>&1
  true
}

# Polls a condition for at most $1 seconds, every POLL_SECONDS (0.05 s).
wait_until() { # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep "${POLL_SECONDS:-0.05}"
  done
}

# The one prefix set-up, after start_private_display; the first use boots
# the prefix. On the private display, where no window manager runs, Wine
# would show every message box about 2 s late: there the program opens on a
# virtual desktop of the screen's size, beside a persistent wineserver
# (Wine's services would otherwise inherit CTest's pipes and hold every
# test open for seconds). On the user's display it opens among their windows.
prepare_prefix() {
  mkdir -p "$WINE_ROOT"
  if [[ ! -f $WINEPREFIX/.prepared ]]; then
    echo "wine-env: preparing the Wine prefix in $WINEPREFIX (once, a few seconds)"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Wine's desktop reads the setting when it starts: after a change, every
  # Wine process of the prefix ends first.
  local desktop=${XVFB_PID:+Default} key='HKCU\Software\Wine\Explorer'
  if [[ $(cat "$WINEPREFIX/.desktop" 2>/dev/null) != "$desktop" ]]; then
    if [[ -n $desktop ]]; then
      wine reg add "$key" /v Desktop /d "$desktop" /f &&
        wine reg add "$key\\Desktops" /v "$desktop" /d "${SCREEN_WIDTH}x$SCREEN_HEIGHT" /f
    else
      wine reg delete "$key" /v Desktop /f
    fi </dev/null >/dev/null 2>&1
    wineserver -w
    echo "$desktop" >"$WINEPREFIX/.desktop"
  fi
  [[ -z $desktop ]] || wineserver -p </dev/null >/dev/null 2>&1
  # Where Wine cannot start at all, one line with the loader's own error
  # says so: every later step would otherwise only wait out its timeout.
  # The output goes to a file: Wine's services would hold a pipe open.
  if ! wine cmd /c exit >"$WINE_ROOT/start.log" 2>&1 </dev/null; then
    echo "wine-env: Wine ($WINEARCH) cannot start here: $(grep -v '^\s*$' "$WINE_ROOT/start.log" | tail -n 1)" >&2
    return 1
  fi
  touch "$WINEPREFIX/.prepared"
  # Windows draws the title bar's buttons with its Marlett font, which this
  # Wine does not find in its own data folder (the close box shows an "r").
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [[ -f $fonts/marlett.ttf ]] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
}

# The program in a folder of its own, as a user unpacks the release: beside
# an empty pmv_calc.ini unless one is there, since the program never
# creates that file and keeps the last values only in one it finds.
program_folder() { # folder, program
  mkdir -p "$1" || return 1
  cmp -s "$2" "$1/${2##*/}" || cp "$2" "$1/" || return 1
  [[ -e $1/pmv_calc.ini ]] || : >"$1/pmv_calc.ini"
}

press() { xdotool key --clearmodifiers "$@"; }
# The X window shown with this caption.
window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [[ -n $(window_of "$1") ]]; }

# From the program's folder, as a user starts it, or from the folder $4, as a
# shortcut's "Start in" does; WINE_PID is the process.
wine_start() { # program, caption, seconds to wait until it is shown [, folder]
  (cd "${4:-${1%/*}}" && exec wine "${4:+${1%/*}/}${1##*/}") </dev/null >/dev/null 2>&1 &
  WINE_PID=$!
  wait_until "$3" shown "$2"
}

ended() { # [key to press first]: whether the program started last has ended
  [[ -z ${1:-} ]] || xdotool key "$1"
  ! kill -0 "$WINE_PID" 2>/dev/null
}

# Waits for the end, pressing the key meanwhile (one that comes before the
# dialog has the focus is lost), else kills; returns the exit code.
wine_end() { # seconds [key]
  [[ -n $WINE_PID ]] || return 0
  wait_until "$1" ended "${2:-}" || kill "$WINE_PID" 2>/dev/null
  local code=0
  wait "$WINE_PID" || code=$?
  WINE_PID=''
  return "$code"
}

# Tab, or the key $3, into field $1, which selects its text, and type $2
# over it. The journeys (tests/e2e/lib.sh) redefine field_selected and
# field_typed to wait until each step shows; elsewhere the keys are trusted.
field_selected() { :; }
field_typed() { :; }
tab_and_type() { # id text [key]
  press "${3:-Tab}"
  field_selected "$1"
  xdotool type --delay 20 -- "$2"
  field_typed "$1" "$2"
}

type_inputs() { # met clo ta tr vel rh, from the focus on "Close"
  local id
  for id in ${FIELDS% * *}; do tab_and_type "$id" "$1" && shift; done
}
