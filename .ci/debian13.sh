#!/usr/bin/env bash
# The second leg of CI: the README's test command in a fresh Debian 13 root on this machine. The
# root is a copy of a minimal Debian 13 base (scripts/debian-base.sh), the commit is cloned into it
# at a path with a space and Polish letters, and `bash scripts/test.sh` runs there as root,
# installing what it needs as on a fresh machine. Kept between runs: the base, the packages apt
# downloaded and the real-kernel tests' kernels, in ORV52_CI_CACHE (default /var/cache/orv52-ci).
#   bash .ci/debian13.sh prepare   the root, the clone and what the tests need installed in it
#   bash .ci/debian13.sh run       the test command there (after prepare), then the root goes
#   bash .ci/debian13.sh clean     the root goes, whatever state it is in
#   bash .ci/debian13.sh shell     a shell in a prepared root
#   bash .ci/debian13.sh           prepare and run
# Preparing is mostly downloading, so CI does it while the first leg builds.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
cache=${ORV52_CI_CACHE:-/var/cache/orv52-ci}
suite=trixie
root=$cache/root
# Inside, the kept parts of the cache are where ORV52_CI_CACHE says there: the base and the
# downloaded packages (for the package's own fresh root), and the kernels.
inner_cache=/var/cache/orv52-ci
kept=("$suite-base" "apt-archives-$suite" kernels)
mounts=(proc sys dev dev/pts dev/shm var/cache/apt/archives)
for folder in "${kept[@]}"; do
  mounts+=("${inner_cache#/}/$folder")
done
clone="/root/próba ciągła/orv52 prog"
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

step() { echo "debian13.sh: $* ($(date +%T))"; }

clean() {
  "${as_root[@]}" bash "$checkout/scripts/remove-root.sh" "$root" "${mounts[@]}"
}

inside() { # command...: as root in the root, in the clone, with a clean environment
  "${as_root[@]}" chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" ORV52_CI_CACHE="$inner_cache" \
    ORV52_KERNEL_CACHE="$inner_cache/kernels" ORV52_TEST_LEG=second \
    bash -c 'cd "$1" && shift && exec "$@"' _ "$clone" "$@"
}

prepare() {
  step "the Debian 13 base"
  local base
  base=$(bash "$checkout/scripts/debian-base.sh" "$suite")
  clean
  step "copying the base"
  "${as_root[@]}" cp -a "$base" "$root"
  for m in proc sys dev dev/pts dev/shm; do
    "${as_root[@]}" mount --bind "/$m" "$root/$m"
  done
  for folder in "${kept[@]}"; do
    "${as_root[@]}" mkdir -p "$cache/$folder" "$root$inner_cache/$folder"
    "${as_root[@]}" mount --bind "$cache/$folder" "$root$inner_cache/$folder"
  done
  "${as_root[@]}" mount --bind "$cache/apt-archives-$suite" "$root/var/cache/apt/archives"
  "${as_root[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"
  "${as_root[@]}" git -c safe.directory='*' clone --quiet --no-local "$checkout" "$root$clone"
  "${as_root[@]}" git -c safe.directory='*' -C "$root$clone" checkout --quiet \
    "$(git -c safe.directory='*' -C "$checkout" rev-parse HEAD)"
  step "installing what the tests need"
  inside bash scripts/install-deps.sh
  step "prepared"
}

run() {
  trap clean EXIT
  step "running bash scripts/test.sh in the Debian 13 root"
  inside bash scripts/test.sh
  step "done"
}

case ${1:-all} in
prepare) prepare ;;
run) run ;;
clean) clean ;;
shell) inside bash ;;
all)
  prepare
  run
  ;;
*)
  echo "usage: $0 [prepare|run|clean|shell]" >&2
  exit 2
  ;;
esac
