#!/usr/bin/env bash
# Takes a Debian package through its life on a fresh root of the release this machine runs, as
# Debian's own package checker does: install it (with what it depends on, from Debian's archive)
# and run both programs; install a previous version and upgrade from it to this one; remove it;
# purge it. After the purge the root must hold exactly the files it held before the first
# install, less what apt keeps of its own.
#   bash scripts/package-lifecycle.sh PACKAGE.deb
# The previous version is this package relabelled one version lower: it upgrades over the same
# files. The release's minimal base comes from debian-base.sh, kept with the packages apt
# downloads in ORV52_CI_CACHE (default /var/cache/orv52-ci). Needs root or
# sudo; exits 77, saying why, without them or where Debian's archive cannot be reached.
set -euo pipefail
package=$(realpath "${1:?usage: $0 PACKAGE.deb}")
cache=${ORV52_CI_CACHE:-/var/cache/orv52-ci}

skip() {
  echo "package-lifecycle.sh: skipped: $*" >&2
  exit 77
}
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  sudo -n true 2>/dev/null || skip "needs root or sudo without a password to make a root"
  as_root=(sudo)
fi
command -v mmdebstrap >/dev/null || skip "mmdebstrap is missing (bash scripts/install-deps.sh)"
# shellcheck source=/dev/null
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[[ -n $suite ]] || skip "this system names no release"

base=$(bash "$(dirname "$0")/debian-base.sh" "$suite") || skip "no $suite root could be made"
archives=$cache/apt-archives-$suite
"${as_root[@]}" mkdir -p "$archives"

scratch=$(mktemp -d)
root=$scratch/root
mounts=(proc sys dev dev/pts var/cache/apt/archives)
cleanup() {
  "${as_root[@]}" bash "$(dirname "$0")/remove-root.sh" "$root" "${mounts[@]}" &&
    "${as_root[@]}" rm -rf "$scratch"
}
trap cleanup EXIT
"${as_root[@]}" cp -a "$base" "$root"
for m in proc sys dev dev/pts; do
  "${as_root[@]}" mount --bind "/$m" "$root/$m"
done
"${as_root[@]}" mount --bind "$archives" "$root/var/cache/apt/archives"
"${as_root[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() {
  "${as_root[@]}" chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    HOME=/root DEBIAN_FRONTEND=noninteractive "$@"
}
# What a purged root may differ in: apt's and dpkg's own records and caches, logs.
files() {
  in_root find / -xdev \( -path /proc -o -path /dev -o -path /var/cache -o -path /var/lib/apt \
    -o -path /var/lib/dpkg -o -path /var/log -o -path /tmp -o -path /root -o -path /etc/ld.so.cache \) \
    -prune -o -print | sort
}

# The package's dependencies come first, so the root's files are compared without them.
name=$(dpkg-deb -f "$package" Package)
version=$(dpkg-deb -f "$package" Version)
in_root apt-get update -qq || skip "Debian's archive cannot be reached"
mapfile -t depends < <(dpkg-deb -f "$package" Depends | tr ',' '\n' |
  sed 's/([^)]*)//; s/|.*//; s/ //g' | grep .)
in_root apt-get install -y -qq --no-install-recommends "${depends[@]}" >/dev/null 2>&1 ||
  skip "the package's dependencies cannot be installed from Debian's archive: ${depends[*]}"
files >"$scratch/before"

previous=$scratch/previous.deb
"${as_root[@]}" mkdir "$scratch/unpacked"
"${as_root[@]}" dpkg-deb -R "$package" "$scratch/unpacked"
"${as_root[@]}" sed -i "s/^Version: .*/Version: $version~previous/" "$scratch/unpacked/DEBIAN/control"
"${as_root[@]}" dpkg-deb --root-owner-group -b "$scratch/unpacked" "$previous" >/dev/null
"${as_root[@]}" cp "$package" "$previous" "$root/tmp/"

log=$scratch/log
check() { # what is being checked, command...
  local what=$1
  shift
  if ! "$@" >>"$log" 2>&1; then
    cat "$log" >&2
    echo "package-lifecycle.sh: $name $version failed on $suite: $what" >&2
    exit 1
  fi
}
runs() {
  in_root orv52-cli --version | grep -qF "$version" &&
    in_root env QT_QPA_PLATFORM=offscreen orv52-prog --version | grep -qF "$version" &&
    in_root orv52-cli ports >/dev/null
}
not_installed() {
  ! in_root dpkg-query -W -f='${Status}\n' "$name" 2>/dev/null | grep -q ' installed$' &&
    [[ -z $(in_root sh -c "ls /usr/bin/orv52-* 2>/dev/null") ]]
}
check "installing it" in_root apt-get install -y -qq "/tmp/$(basename "$package")"
check "running it" runs
check "purging it with apt" in_root apt-get purge -y -qq "$name"
check "installing the previous version" in_root dpkg -i "/tmp/$(basename "$previous")"
check "upgrading to this one" in_root dpkg -i "/tmp/$(basename "$package")"
check "running the upgraded one" runs
check "removing it" in_root dpkg --remove "$name"
check "removing its programs" not_installed
# A package with no configuration files is gone whole once removed; purging must still succeed.
check "purging it" in_root dpkg --purge "$name"
in_root rm -f "/tmp/$(basename "$package")" "/tmp/$(basename "$previous")"
files >"$scratch/after"
if ! diff -u "$scratch/before" "$scratch/after" >"$scratch/difference"; then
  cat "$scratch/difference" >&2
  check "leaving the root as it was" false
fi
echo "package-lifecycle.sh: $name $version on $suite: installed, ran, upgraded from" \
  "$version~previous, removed and purged with no file left behind"
