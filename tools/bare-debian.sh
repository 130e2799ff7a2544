#!/usr/bin/env bash
# Proves both README commands on a bare Debian 12: a minimal bookworm root
# (mmdebstrap --variant=minbase, from this machine's package mirror) gets a
# copy of the committed tree, then tools/run.sh and tools/test.sh run inside
# it. Needs root and the mirror; takes as long as a first test run.
# Usage: tools/bare-debian.sh [folder for the root, kept afterwards]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "needs root (it builds and enters a Debian root)" >&2; exit 1; }
command -v mmdebstrap >/dev/null ||
  { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null; }
dir=${1:-$(mktemp -d /var/tmp/kelvane-bare.XXXXXX)}
mirror=$({ cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null || true; } |
  sed -n 's/^URIs: *//p; s/^deb \(http[^ ]*\) bookworm .*/\1/p' | head -n 1)
echo "=== a minimal Debian 12 root in $dir (mirror ${mirror:-default})"
mmdebstrap --variant=minbase bookworm "$dir" ${mirror:+"$mirror"}
mkdir -p "$dir/root/kelvane"
git -C "$root" archive HEAD | tar -x -C "$dir/root/kelvane"

mounts=()
trap 'for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}"; done' EXIT
for fs in proc sys dev proc/sys/fs/binfmt_misc; do
  mkdir -p "$dir/$fs"
  if [ $fs = proc/sys/fs/binfmt_misc ]; then
    mount -t binfmt_misc binfmt_misc "$dir/$fs" 2>/dev/null || continue
  else
    mount --rbind "/$fs" "$dir/$fs"
  fi
  mounts+=("$dir/$fs")
done
inside() { chroot "$dir" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin bash -c "cd /root/kelvane && $1"; }
echo "=== the run command: tools/run.sh"
inside "tools/run.sh /root/kelvane.png" && cp "$dir/root/kelvane.png" "$root/build/bare-debian.png" 2>/dev/null
echo "=== the test command: tools/test.sh"
inside tools/test.sh
