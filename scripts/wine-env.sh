#!/usr/bin/env bash
# The Windows test bench: an Xvfb display with three monitors at distinct positions and a Wine
# prefix with a persistent wineserver, all kept under one folder of the build tree.
#   wine-env.sh start DIR   start the display and the wineserver (creates the prefix once)
#   wine-env.sh stop DIR    stop both
#   wine-env.sh run DIR EXE [ARGS...]   run a Windows program on that bench
# Monitors as Wine reports them: primary (0,0) 1920x1080, left (-1280,0) 1280x1024,
# right (1920,0) 1920x1080.
set -euo pipefail

cmd=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
envfile="$dir/env"

free_display() {
  local n
  for n in $(seq 90 250); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then echo "$n"; return; fi
  done
  echo "wine-env: no free X display" >&2; exit 1
}

make_prefix() {
  [ -f "$WINEPREFIX/.tandry-ready-3" ] && return
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  # Xinerama (not XRandR) is what reports the monitors set up below.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
  # Dialogs are drawn with the fonts Windows has: Wine's own Tahoma, Wingdings and MS Sans Serif
  # (it loads them only from the prefix's font folder), and MS Shell Dlg stands for a font of
  # MS Sans Serif's metrics, as on Windows, rather than Wine's wider Tahoma.
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'MS Shell Dlg' /t REG_SZ /d 'MS Sans Serif' /f >/dev/null 2>&1
  # The allocation-failure test starts and ends some hundred shows. With no window manager,
  # hiding a window that Wine hands to one (a dialog, a full-screen window) waits two seconds
  # for it; that program's windows are Wine's own to place instead.
  "$wine" reg add 'HKCU\Software\Wine\AppDefaults\allocation_failure_wine_test.exe\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tandry-ready-3"
}

start() {
  stop_quietly
  make_prefix
  local n; n=$(free_display)
  Xvfb ":$n" -noreset -nolisten tcp -screen 0 5120x1080x24 </dev/null >"$dir/xvfb.log" 2>&1 &
  local pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do xrandr -q >/dev/null 2>&1 && break; sleep 0.05; done
  {
    xrandr --setmonitor '*P' 1920/510x1080/290+1280+0 screen
    xrandr --setmonitor L 1280/340x1024/270+0+0 none
    xrandr --setmonitor R 1920/510x1080/290+3200+0 none
  } >/dev/null
  printf 'DISPLAY=:%s\nXVFB_PID=%s\n' "$n" "$pid" >"$envfile"
  # Detached from our output, so that whoever started us (ctest) does not wait on it.
  wineserver -p </dev/null >/dev/null 2>&1
  # The first program starts Wine's own background processes (desktop, services); start them
  # here, detached too, rather than inside a test whose output they would hold open.
  DISPLAY=":$n" "$wine" cmd /c exit </dev/null >/dev/null 2>&1
}

stop_quietly() {
  [ -f "$envfile" ] || return 0
  # shellcheck disable=SC1090
  . "$envfile"
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB_PID" >/dev/null 2>&1 || true
  rm -f "$envfile"
}

run() {
  # shellcheck disable=SC1090
  . "$envfile"
  export DISPLAY
  exec "$wine" "$@"
}

case "$cmd" in
  start) start ;;
  stop) stop_quietly ;;
  run) run "$@" ;;
  *) echo "usage: wine-env.sh start|stop|run DIR [EXE ARGS...]" >&2; exit 2 ;;
esac
