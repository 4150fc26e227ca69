# Sourced: which Windows builds this host can run under Wine.
#
# Some x86-64 kernels refuse every 32-bit program (booted without
# ia32_emulation, as hardened and some virtual-machine kernels are). The
# 32-bit Wine cannot start there, nor in its WoW64 mode, so the 64-bit build
# is tested and shown under wine64 instead. PMV_NO_32BIT=1 takes that road on
# purpose on any host, so that it is exercised where we work.
#
# choose_windows_road sets and exports, once per run (a child script keeps
# its caller's choice and says nothing):
#   PMV_WINDOWS_ROAD  both: the 32-bit build, and the 64-bit one beside it
#                     64:   the 64-bit build alone
#   PMV_WINDOWS_WHY   the reason, for the summary

# Runs the smallest 32-bit Linux program there is, exit(0) through int 0x80:
# what the kernel does with it is the answer, whatever is installed.
host_runs_32bit() {
  local probe status=0
  probe=$(mktemp) || return 1
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'`
        `'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'`
        `'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'`
        `'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'`
        `'\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00'`
        `'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return "$status"
}

choose_windows_road() {
  [[ -n ${PMV_WINDOWS_ROAD:-} ]] && return 0
  if [[ ${PMV_NO_32BIT:-} == 1 ]]; then
    PMV_WINDOWS_ROAD=64
    PMV_WINDOWS_WHY="PMV_NO_32BIT=1 asks for the 64-bit road"
  elif host_runs_32bit; then
    PMV_WINDOWS_ROAD=both
    PMV_WINDOWS_WHY="this host runs 32-bit programs"
  else
    PMV_WINDOWS_ROAD=64
    PMV_WINDOWS_WHY="this host cannot run 32-bit programs"
  fi
  export PMV_WINDOWS_ROAD PMV_WINDOWS_WHY
  if [[ $PMV_WINDOWS_ROAD == both ]]; then
    echo "host: $PMV_WINDOWS_WHY: the 32-bit Windows build under Wine, the 64-bit one under wine64"
  else
    echo "host: $PMV_WINDOWS_WHY: the 64-bit Windows build under wine64"
  fi
}
