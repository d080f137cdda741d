# Shared by the scripts: build folder, private Wine prefix, X display.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${WEVO_BUILD_DIR:-$here/build}"
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Where Wine runs in the emulator (see setup), its loader need not exec itself a second time,
# and the tests' time limits are longer.
if [ -e /usr/lib/wine/wine.i386 ]; then export WINELOADERNOEXEC=1 WEVO_EMULATED=1; fi

# Starts Xvfb on a free display unless one is usable; sets WEVO_XVFB_PID when it started one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WEVO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# Makes the private prefix once (after wine32 is installed; a new prefix takes a while).
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$build"
    echo "setup: creating Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Without a window manager Wine waits 2 s whenever a managed window is hidden; so let Wine
  # manage the windows itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
}
