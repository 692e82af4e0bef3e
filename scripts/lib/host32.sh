# Whether this machine runs 32-bit x86 programs, and how to start wine here.
# Sourced by every script that installs or runs wine.
#
# Not every x86_64 host runs 32-bit code: a kernel or sandbox may refuse it
# ("Exec format error") even with IA32 emulation built in. Debian's wine
# script then picks the 32-bit loader whenever wine32 is installed, so not
# even 64-bit programs can start through it.

# KERUMO_NO_32BIT=1 gives the answer "no" on any host, so that a machine
# that does run 32-bit programs can try the fallback too.
host_runs_32bit() {
  [ "${KERUMO_NO_32BIT:-}" = 1 ] && return 1
  if [ -z "${KERUMO_HOST_RUNS_32BIT:-}" ]; then
    KERUMO_HOST_RUNS_32BIT=no
    probe_32bit && KERUMO_HOST_RUNS_32BIT=yes
    export KERUMO_HOST_RUNS_32BIT
  fi
  [ "$KERUMO_HOST_RUNS_32BIT" = yes ]
}

# Why host_runs_32bit said no, in words for the one line that says what was skipped.
no_32bit_reason() {
  if [ "${KERUMO_NO_32BIT:-}" = 1 ]; then
    echo "KERUMO_NO_32BIT=1 treats this machine as one that cannot run 32-bit programs"
  else
    echo "this machine cannot run 32-bit programs"
  fi
}

# Runs a program of four instructions that exits with 42: only a host that
# really executes i386 code gets that answer, whatever the kernel claims.
probe_32bit() {
  command -v as >/dev/null && command -v ld >/dev/null || return 1
  local dir status=0
  dir="$(mktemp -d)"
  printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$dir/probe.s"
  if as --32 "$dir/probe.s" -o "$dir/probe.o" 2>/dev/null && ld -m elf_i386 "$dir/probe.o" -o "$dir/probe" 2>/dev/null; then
    "$dir/probe" 2>/dev/null || status=$?
  fi
  rm -rf "$dir"
  [ "$status" -eq 42 ]
}

# Sets WINE to the command that runs 64-bit Windows programs, and
# WINE_PREFIX_KIND to the kind of prefix it makes: with 32-bit support
# (wow64) only where wine32 is installed and can run. Without 32-bit code
# WINE is the 64-bit loader itself, which also has to start wine's own
# services (WINELOADER); Debian's script would take the 32-bit one.
select_wine() {
  if host_runs_32bit; then
    WINE=wine
    WINE_PREFIX_KIND=win64-only
    [ -x /usr/lib/wine/wine ] && WINE_PREFIX_KIND=wow64
  else
    WINE=/usr/lib/wine/wine64
    WINE_PREFIX_KIND=win64-only
    export WINELOADER=$WINE
  fi
}
