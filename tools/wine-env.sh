# Sourced by the scripts that run Windows programs: one quiet, deterministic Wine.
kelvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$kelvane_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko prompts; no audio drivers, so the alert sound fails fast and silently.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d"}
# The ANSI code page follows the locale: pin it (1252).
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# The loader for a program of that architecture (win32 | win64). A 64-bit
# prefix runs both; 32-bit programs need a kernel that runs 32-bit Linux code.
kelvane_wine() {
  case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    *) echo /usr/lib/wine/wine64 ;;
  esac
}

# True when this machine can run 32-bit Windows programs under Wine.
kelvane_can_run_win32() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Creates the prefix once (about ten seconds), serialised so parallel tests don't race.
kelvane_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.kelvane-ready" ]; then
      "$(kelvane_wine win64)" wineboot -i </dev/null >/dev/null 2>&1
      # Without a window manager Wine draws window frames only when it manages them itself.
      "$(kelvane_wine win64)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
      wineserver -w
      # This Wine does not find its own fonts (MS Sans Serif, Marlett for the
      # caption buttons) where it was installed: give the prefix a copy.
      cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      touch "$WINEPREFIX/.kelvane-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
