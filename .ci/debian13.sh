#!/usr/bin/env bash
# The second leg of CI: the README's test command in a fresh Debian 13 root on this machine. The
# root is a copy of a minimal Debian 13 base (made with mmdebstrap from Debian's own packages and
# kept between runs for a week), the commit is cloned into it at a path with a space and Polish
# letters, and `bash scripts/test.sh` runs there as root, installing what it needs as on a fresh
# machine. Kept between runs as well: the packages apt downloaded and the real-kernel tests'
# kernels. ORV52_CI_CACHE names where all of it lives (default /var/cache/orv52-ci).
#   bash .ci/debian13.sh [--shell]    (--shell: a shell in the root instead of the test command)
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
cache=${ORV52_CI_CACHE:-/var/cache/orv52-ci}
suite=trixie
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

step() { echo "debian13.sh: $* ($(date +%T))"; }

"${as_root[@]}" mkdir -p "$cache/apt-archives-$suite" "$cache/kernels"
if ! command -v mmdebstrap >/dev/null; then
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null ||
    { "${as_root[@]}" apt-get update -qq && "${as_root[@]}" apt-get install -y -qq \
      --no-install-recommends mmdebstrap >/dev/null; }
fi

base=$cache/$suite-base
if [[ -z $(find "$base/.made" -mmin -$((7 * 24 * 60)) 2>/dev/null) ]]; then
  step "making the Debian 13 base"
  "${as_root[@]}" rm -rf "$base.new"
  "${as_root[@]}" mmdebstrap --quiet --variant=minbase --include=git,ca-certificates,sudo \
    "$suite" "$base.new" http://deb.debian.org/debian
  "${as_root[@]}" touch "$base.new/.made"
  "${as_root[@]}" rm -rf "$base"
  "${as_root[@]}" mv "$base.new" "$base"
fi

root=$cache/root
# Inside, the kept parts of the cache are where ORV52_CI_CACHE says: the base and the downloaded
# packages (for the package's own fresh root) and the kernels.
inner_cache=/var/cache/orv52-ci
mounts=(proc sys dev dev/pts dev/shm var/cache/apt/archives "$inner_cache/$suite-base"
  "$inner_cache/apt-archives-$suite" "$inner_cache/kernels")
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    "${as_root[@]}" umount -l "$root/${mounts[i]}" 2>/dev/null || true
  done
}
remove_root() {
  # What the tests left running in the root (a display server, a Wine server) holds its mounts.
  "${as_root[@]}" bash -c 'for p in /proc/[0-9]*; do
      [[ $(readlink "$p/root" 2>/dev/null) == "$1" ]] && kill -9 "${p#/proc/}" 2>/dev/null
    done; true' _ "$root"
  unmount_all
  # Never through a mount left in place: it would reach the machine's own files.
  if grep -qF " $root/" /proc/self/mountinfo; then
    echo "debian13.sh: $root is left in place: something is still mounted in it." >&2
    return 1
  fi
  "${as_root[@]}" rm -rf "$root"
}
remove_root
step "copying the base"
"${as_root[@]}" cp -a "$base" "$root"
trap remove_root EXIT
for m in proc sys dev dev/pts dev/shm; do
  "${as_root[@]}" mount --bind "/$m" "$root/$m"
done
"${as_root[@]}" mount --bind "$cache/apt-archives-$suite" "$root/var/cache/apt/archives"
for kept in "$suite-base" "apt-archives-$suite" kernels; do
  "${as_root[@]}" mkdir -p "$root$inner_cache/$kept"
  "${as_root[@]}" mount --bind "$cache/$kept" "$root$inner_cache/$kept"
done
"${as_root[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"

clone="/root/próba ciągła/orv52 prog"
"${as_root[@]}" git -c safe.directory='*' clone --quiet --no-local "$checkout" "$root$clone"
"${as_root[@]}" git -c safe.directory='*' -C "$root$clone" checkout --quiet \
  "$(git -C "$checkout" rev-parse HEAD)"

inside=(env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb
  ORV52_CI_CACHE="$inner_cache" ORV52_KERNEL_CACHE="$inner_cache/kernels" ORV52_TEST_LEG=second)
if [[ ${1:-} == --shell ]]; then
  "${as_root[@]}" chroot "$root" "${inside[@]}" TERM="${TERM:-xterm}" bash -c "cd \"\$1\" && exec bash" _ "$clone"
  exit
fi
step "running bash scripts/test.sh in the Debian 13 root"
"${as_root[@]}" chroot "$root" "${inside[@]}" bash -c 'cd "$1" && bash scripts/test.sh' _ "$clone"
step "done"
