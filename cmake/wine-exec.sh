#!/usr/bin/env bash
# Runs a Windows executable under Wine for the tests and benchmarks.
#
# Everything is set up lazily and once per build folder, so CTest can call
# this for every test executable, also in parallel:
#   - a private WINEPREFIX in the build folder (TW_WINEPREFIX overrides);
#   - an X display: the caller's, or a private Xvfb when there is none;
#   - a persistent wineserver with Wine's own services and a virtual desktop
#     of a fixed size already running, so that a test process starts in a
#     fraction of a second and window geometry does not depend on a window
#     manager (a window created W x H reports W x H).
# The helper processes are started with their output on /dev/null: a process
# that inherited the test's pipe would keep CTest waiting for it.
set -u
exe="$1"; shift

wine_bin=/usr/lib/wine/wine64
[ -x "$wine_bin" ] || wine_bin=$(command -v wine64 || command -v wine)
wineserver_bin=/usr/lib/wine/wineserver
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver)

# The build folder: the nearest parent of the working folder with a CMakeCache.txt.
state="${TW_WINE_STATE:-}"
if [ -z "$state" ]; then
  d="$PWD"
  while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  if [ -f "$d/CMakeCache.txt" ]; then state="$d/wine-state"; else state="$PWD/wine-state"; fi
fi
mkdir -p "$state"

export WINEPREFIX="${TW_WINEPREFIX:-$state/prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }
# running PATTERN: a process matching PATTERN runs for this prefix.
running() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

(
  flock 9
  # fd 9 holds the lock: it stays open here until the set-up is done, and
  # every program started from here closes it, or a lasting one (Xvfb, the
  # server, Wine's services) would hold the lock for ever.
  exec </dev/null >/dev/null 2>&1
  # Nor may they keep any other descriptor of the test's: CTest's log, or a
  # pipe CTest waits on to see the end of a test.
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    [ "$fd" -gt 2 ] && [ "$fd" -ne 9 ] && eval "exec $fd>&-" 2>/dev/null
  done
  if [ -z "${DISPLAY:-}" ] && ! alive "$state/xvfb.pid"; then
    for n in $(seq 91 160); do
      { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
      setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp 9>&- &
      echo $! > "$state/xvfb.pid"
      for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      echo ":$n" > "$state/display"
      break
    done
  fi
  [ -z "${DISPLAY:-}" ] && export DISPLAY="$(cat "$state/display")"
  started=0
  if ! running wineserver; then
    # Persistent: it lingers 10 minutes after the last program ended. The
    # prefix folder must exist first, or the server refuses to start, and the
    # first test program starts a short-lived one of its own whose helper
    # processes then hold that program's output pipes until they end.
    mkdir -p "$WINEPREFIX"
    setsid "$wineserver_bin" -p600 9>&-
    started=1
  fi
  # The prefix is set up once, also when a server for it already runs (a
  # Wine program started outside this script, by the build say, starts one
  # of its own): skipping the set-up then would leave windows managed and
  # no fixed desktop.
  if [ ! -f "$WINEPREFIX/.tw-ready-3" ]; then
      "$wine_bin" wineboot -i 9>&-
      # Windows are not handed to a window manager ("Managed"="N"): under
      # Xvfb there is none, and Wine would wait two seconds for each visible
      # top-level window to be withdrawn whenever one is hidden or destroyed.
      # A crashing program ends at once with its fault address on stderr
      # (look it up with addr2line): the debugger Wine starts by default
      # never ends under a test runner, and the run would wait for it.
      cat > "$state/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="0"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="cmd /c exit"
"Auto"="1"
REG
      "$wine_bin" regedit "$state/desktop.reg" 9>&-
      touch "$WINEPREFIX/.tw-ready-3"
  elif [ "$started" = 1 ]; then
      "$wine_bin" wineboot 9>&-
  fi
  if ! running 'explorer.exe /desktop'; then
    setsid "$wine_bin" explorer /desktop=Default,1280x1024 9>&- &
    sleep 0.5
  fi
) 9>"$state/lock"

[ -z "${DISPLAY:-}" ] && export DISPLAY="$(cat "$state/display")"
exec "$wine_bin" "$exe" "$@"
