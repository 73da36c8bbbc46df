#!/usr/bin/env bash
# Runs a Windows program under Wine with a private prefix, for ctest and `make run`.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run it; its exit code is passed through
#   wine-run.sh --setup                 create the prefix, start a display and one wineserver;
#                                       VELQUOR_WINE_DPI sets the prefix's screen resolution
#   wine-run.sh --teardown              stop the wineserver and the display again
#
# State (prefix, display number, pids) lives in $VELQUOR_WINE_HOME, which defaults to a
# folder beside the program. A display (Xvfb) is started when there is no DISPLAY, or always
# when VELQUOR_WINE_PRIVATE_DISPLAY=1 (the tests: they never open windows on the user's desktop).
# VELQUOR_WINE_UNMANAGED=1 leaves the prefix's windows to no window manager.
#
# Wine takes its user and system locale from the host's, per process, so every program runs
# as on a German Windows (de-DE, code page 1252), as our users have it. A prefix made under
# another locale follows along: Wine rewrites its locale settings when the host's changes.
set -u

if [ -n "${VELQUOR_WINE_HOME:-}" ]; then
  home=$VELQUOR_WINE_HOME
elif [ "${1:-}" != "--setup" ] && [ "${1:-}" != "--teardown" ] && [ -n "${1:-}" ]; then
  home=$(cd "$(dirname "$1")" && pwd)/wine
else
  home=$PWD/wine
fi
mkdir -p "$home"

export WINEPREFIX="$home/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8  # LC_ALL overrides any LC_* of the caller

wine_cmd=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
wineserver_cmd=$(command -v wineserver || echo /usr/lib/wine/wineserver)

xvfb_alive() {
  [ -s "$home/xvfb.pid" ] && kill -0 "$(cat "$home/xvfb.pid")" 2>/dev/null
}

private_display() {
  [ "${VELQUOR_WINE_PRIVATE_DISPLAY:-}" = 1 ] || [ -z "${DISPLAY:-}" ]
}

start_display() {
  private_display || return 0
  if ! xvfb_alive; then
    rm -f "$home/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$home/display" >/dev/null 2>&1 9>&- &
    echo $! >"$home/xvfb.pid"
    for _ in $(seq 1 100); do
      [ -s "$home/display" ] && break
      sleep 0.05
    done
    if [ ! -s "$home/display" ]; then
      echo "wine-run: Xvfb did not start" >&2
      return 1
    fi
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$home/display")"
}

ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Without the overrides a fresh prefix would ask to install Mono and Gecko.
    "$wine_cmd" wineboot --init </dev/null >/dev/null 2>&1 9>&-
    "$wineserver_cmd" -w 9>&-
  fi
  # The tests' display has no window manager, and Wine waits two seconds for one whenever a
  # managed window is hidden: for them windows are left unmanaged (VELQUOR_WINE_UNMANAGED=1).
  # Everything else runs as Wine does by default.
  local managed=Y
  if [ "${VELQUOR_WINE_UNMANAGED:-}" = 1 ]; then managed=N; fi
  if ! grep -qx "\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine_cmd" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f \
      </dev/null >/dev/null 2>&1 9>&-
  fi
}

server_running() {
  local dev ino
  read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
  [ -S "/tmp/.wine-$(id -u)/server-$(printf %x "$dev")-$(printf %x "$ino")/socket" ]
}

# Wine's background services outlive the program that started them; started here, they hold
# /dev/null instead of the caller's output, which ctest would otherwise wait on.
ensure_services() {
  server_running || "$wine_cmd" wineboot </dev/null >/dev/null 2>&1 9>&-
}

case "${1:-}" in
  --setup)
    exec 9>"$home/lock"; flock 9
    if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
      echo "wine-run: the locale de_DE.UTF-8 is missing (tools/install-deps.sh makes it);" \
        "Wine runs as an English Windows" >&2
    fi
    start_display || exit 1
    ensure_prefix
    "$wineserver_cmd" -p >/dev/null 2>&1 9>&- # stays up until --teardown, so each test starts in a second
    ensure_services
    if [ -n "${VELQUOR_WINE_DPI:-}" ]; then
      # The screen resolution the programs of this prefix see (96 unless told).
      "$wine_cmd" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$VELQUOR_WINE_DPI" /f </dev/null >/dev/null 2>&1 9>&-
    fi
    exit 0
    ;;
  --teardown)
    "$wineserver_cmd" -k 2>/dev/null
    if xvfb_alive; then kill "$(cat "$home/xvfb.pid")"; fi
    rm -f "$home/xvfb.pid" "$home/display"
    exit 0
    ;;
  "")
    echo "usage: wine-run.sh PROGRAM.exe [ARGS...] | --setup | --teardown" >&2
    exit 2
    ;;
esac

(
  flock 9
  start_display || exit 1
  ensure_prefix
  ensure_services
) 9>"$home/lock" || exit 1
if private_display; then
  export DISPLAY=":$(tr -d '[:space:]' <"$home/display")"
fi

"$wine_cmd" "$@"
