# Sourced by tools/e2e.sh, soak.sh and perf.sh: starts the built Kelvane under
# Wine in the current X display and reaches it through the probe.
# Expects: root (the repository), arch (win64 | win32) and build (the build
# directory) set by the caller.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# Where 32-bit programs run only under qemu, each one takes about a minute to
# start and stalls while new code is translated. There the i686 program is
# still driven end to end (callers that set kelvane_emulated_ok=1), but by
# the 64-bit probe of the win64 build; timed measurements are skipped.
probe_arch=$arch
probe_exe=$build/tests/e2e/kelvane_probe.exe
kelvane_start_ms=15000  # how long the program may take to show its first result
win32_mode=$(kelvane_win32_mode)
if [ "$arch" = win32 ] && [ "$win32_mode" != native ]; then
  if [ "$win32_mode" = none ] || [ "${kelvane_emulated_ok:-0}" != 1 ]; then
    echo "SKIP: 32-bit programs run here only under qemu (if at all): their memory is out of other processes' reach and their times mean nothing"
    exit 77
  fi
  probe_arch=win64
  probe_exe=$root/build/win64/tests/e2e/kelvane_probe.exe
  kelvane_start_ms=240000
  if [ ! -f "$probe_exe" ]; then
    echo "SKIP: the emulated 32-bit program is driven by the 64-bit probe: cmake --build --preset win64"
    exit 77
  fi
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "no X display: run under xvfb-run (tools/test.sh does)" >&2
  exit 1
fi
for exe in "$build/kelvane.exe" "$probe_exe"; do
  [ -f "$exe" ] || { echo "$exe is not built: cmake --build --preset $arch" >&2; exit 1; }
done
kelvane_wine_prefix
wine_loader=$(kelvane_wine "$arch")
probe_loader=$(kelvane_wine "$probe_arch")
kelvane_pid=""
kelvane_log=$(mktemp)

# Wine's console writes CR LF line ends.
probe() {
  local out rc=0
  out=$("$probe_loader" "$probe_exe" "$@" </dev/null) || rc=$?
  [ -n "$out" ] && printf '%s\n' "${out//$'\r'/}"
  return $rc
}

# Another Kelvane would answer the probe instead of ours.
kelvane_start() {
  if probe gone >/dev/null; then :; else
    echo "a Kelvane window is already open on $DISPLAY: close it first" >&2
    exit 1
  fi
  "$wine_loader" "$build/kelvane.exe" </dev/null >"$kelvane_log" 2>&1 &
  kelvane_pid=$!
}

# Waits for the started program to end; its exit code.
kelvane_wait() {
  local rc=0
  wait "$kelvane_pid" || rc=$?
  kelvane_pid=""
  return $rc
}

kelvane_cleanup() {
  if [ -n "$kelvane_pid" ] && kill -0 "$kelvane_pid" 2>/dev/null; then
    kill "$kelvane_pid" 2>/dev/null
    wait "$kelvane_pid" 2>/dev/null
  fi
  rm -f "$kelvane_log"
}
trap kelvane_cleanup EXIT
