# Sourced by the scripts that run Windows programs: one quiet, deterministic Wine.
kelvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$kelvane_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko prompts. Sound goes through ALSA alone, to a silent device that
# still plays (kelvane_wine_prefix writes its configuration), so a sound that
# is waited for takes time and nothing is heard.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winepulse.drv,wineoss.drv=d"}
export ALSA_CONFIG_PATH=$WINEPREFIX.alsa.conf
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

# How this machine runs 32-bit Windows programs: "native" (the kernel runs
# 32-bit Linux code, so Wine's 32-bit loader starts), "emulated" (through
# qemu's i386 emulator, registered with binfmt_misc: correct but about a
# minute per start) or "none".
kelvane_win32_mode() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  if [ -f "$entry" ] && grep -qx enabled "$entry"; then
    echo emulated
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo native
  else
    echo none
  fi
}

kelvane_can_run_win32() {
  [ "$(kelvane_win32_mode)" != none ]
}

# A kernel without IA32 emulation cannot start Wine's 32-bit loader; as root,
# hand 32-bit Linux programs to qemu-i386 instead. Harmless elsewhere: it is
# only registered when 32-bit programs cannot run at all.
kelvane_enable_win32_emulation() {
  [ "$(kelvane_win32_mode)" = none ] || return 0
  [ "$(id -u)" -eq 0 ] && [ -x /usr/bin/qemu-i386-static ] || return 0
  local misc=/proc/sys/fs/binfmt_misc
  [ -f $misc/register ] || mount -t binfmt_misc binfmt_misc $misc 2>/dev/null || return 0
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >$misc/register 2>/dev/null || true
}

# Creates the prefix once, serialised so parallel tests don't race: about ten
# seconds, or a few minutes where 32-bit support is emulated. Unless only
# 64-bit programs will run (argument win64), a prefix made before 32-bit
# programs could run gets its 32-bit half added.
kelvane_wine_prefix() {
  local only=${1:-}
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo 'pcm.!default { type null }' >"$ALSA_CONFIG_PATH"
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
    if [ "$only" != win64 ] && kelvane_can_run_win32 && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      rm -f "$WINEPREFIX/.update-timestamp"  # else wineboot sees nothing to update
      "$(kelvane_wine win64)" wineboot -u </dev/null >/dev/null 2>&1
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
}
