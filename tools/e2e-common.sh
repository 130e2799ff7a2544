# Sourced by tools/e2e.sh, soak.sh and perf.sh: starts the built Kelvane under
# Wine in the current X display and reaches it through the probe.
# Expects: arch (win64 | win32) and build (the build directory) set by the caller.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ "$arch" = win32 ] && [ "$(kelvane_win32_mode)" != native ]; then
  echo "SKIP: this kernel runs 32-bit programs only emulated, if at all: too slow for timed steps"
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "no X display: run under xvfb-run (tools/test.sh does)" >&2
  exit 1
fi
for exe in "$build/kelvane.exe" "$build/tests/e2e/kelvane_probe.exe"; do
  [ -f "$exe" ] || { echo "$exe is not built: cmake --build --preset $arch" >&2; exit 1; }
done
kelvane_wine_prefix
wine_loader=$(kelvane_wine "$arch")
probe_exe=$build/tests/e2e/kelvane_probe.exe
kelvane_pid=""
kelvane_log=$(mktemp)

# Wine's console writes CR LF line ends.
probe() {
  local out rc=0
  out=$("$wine_loader" "$probe_exe" "$@" </dev/null) || rc=$?
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
