#!/usr/bin/env bash
# Fetches one of Debian's kernels with apt-get download and readies it for QEMU: unpacked into
# CACHE (kept between runs; nothing goes to /boot), its module index made, and a busybox
# initramfs that mounts the host's root over 9p and hands over to a script there.
#   prepare-kernel.sh 6.1|6.12|deb13 CACHE
# 6.1 and 6.12 are Debian 12's kernels, deb13 the one Debian 13 installs. They are found in
# Debian's archive by suite and name through an apt configuration of their own under CACHE, never
# through the host's package lists, so the same kernels are tested whatever release the host runs.
# Prints the kernel's folder (vmlinuz, initramfs.cpio.gz, root/ with its modules). Exits 77,
# saying why, where the kernel or the tools cannot be had.
set -euo pipefail
flavour=$1 cache=$2
# depmod and modprobe live in the system's sbin, which an ordinary user's PATH leaves out.
export PATH=$PATH:/usr/sbin:/sbin

skip() {
  echo "$*" >&2
  exit 77
}

for tool in apt-get apt-cache dpkg depmod modprobe busybox xz; do
  command -v "$tool" >/dev/null || skip "$tool is missing (bash scripts/install-deps.sh)"
done
busybox=$(command -v busybox)

case $flavour in
6.1 | 6.12) suite=bookworm ;;
deb13) suite=trixie ;;
*) skip "unknown kernel $flavour" ;;
esac

# The suite's archive through an apt configuration of the tests' own, kept with the kernels.
mkdir -p "$cache"
state=$(cd "$cache" && pwd)/apt-$suite
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
suite_apt() { # apt-get|apt-cache, arguments...
  bash "$scripts/suite-apt.sh" "$state" "$suite" "$@"
}
# Two guests are prepared side by side: one at a time per suite, so that the second finds the
# first's lists (and a kernel they share) rather than apt's lock.
exec {lock}>"$state.lock"
flock "$lock"
suite_apt apt-cache policy >/dev/null 2>"$state.log" ||
  skip "$suite's kernels cannot be had: $(cat "$state.log")"

case $flavour in
6.1 | deb13)
  # The kernel the release installs: what linux-image-amd64 depends on.
  package=$(suite_apt apt-cache depends linux-image-amd64 2>/dev/null |
    sed -n 's/^ *Depends: \(linux-image-[^ ]*-amd64\)$/\1/p' | head -1)
  ;;
6.12)
  # Debian 12's newest 6.12, after the 6.5 change to the serial core.
  package=$(suite_apt apt-cache search --names-only \
    '^linux-image-6\.12\..*\+deb12-amd64-unsigned$' 2>/dev/null | cut -d' ' -f1 | sort -V | tail -1)
  ;;
esac
[[ -n $package ]] || skip "$suite's archive has no $flavour kernel package (see $state/update.log)"

# A change to the guest's first program or to this script makes a new initramfs.
recipe=$(cat "$0" "$(dirname "$0")/guest-init.sh" | sha256sum | cut -c1-12)
folder=$cache/$package-$recipe
if [[ -f $folder/ready ]]; then
  echo "$folder"
  exit 0
fi
rm -rf "$folder"
mkdir -p "$folder/deb"
(cd "$folder/deb" && suite_apt apt-get download -q "$package" >/dev/null 2>&1) ||
  skip "apt-get download $package failed (no network or no apt source?)"
# Only the kernel and the drivers the guest loads: a full unpack writes 400 MB of modules.
# Debian 13's packages keep the modules under /usr/lib, Debian 12's under /lib.
mkdir -p "$folder/root"
wanted=('./boot/vmlinuz-*')
for modules in ./lib/modules/* ./usr/lib/modules/*; do
  wanted+=("$modules/modules.*")
  for driver in drivers/usb drivers/virtio fs/9p fs/configfs fs/fscache fs/netfs net/9p \
    fs/overlayfs; do
    wanted+=("$modules/kernel/$driver/*")
  done
done
dpkg-deb --fsys-tarfile "$folder"/deb/*.deb | tar -x -C "$folder/root" --wildcards "${wanted[@]}" \
  2>/dev/null || true # a folder this kernel builds in is missing
rm -rf "$folder/deb"
if [[ -d $folder/root/usr/lib/modules ]]; then
  mkdir -p "$folder/root/lib"
  mv "$folder/root/usr/lib/modules" "$folder/root/lib/modules"
  rm -rf "$folder/root/usr"
fi
version=$(ls "$folder/root/lib/modules")
depmod -b "$folder/root" "$version"
cp "$folder/root/boot/vmlinuz-$version" "$folder/vmlinuz"

# The initramfs: busybox, and the modules that reach the 9p share, unpacked (busybox's insmod
# takes plain .ko files), in the order modprobe would load them.
initramfs=$folder/initramfs
mkdir -p "$initramfs/bin" "$initramfs/lib" "$initramfs/proc" "$initramfs/sys" "$initramfs/dev" \
  "$initramfs/host"
cp "$busybox" "$initramfs/bin/busybox"
: >"$initramfs/modules"
for module in virtio_pci 9pnet_virtio 9p overlay; do
  modprobe -d "$folder/root" -S "$version" --show-depends "$module" |
    sed -n 's/^insmod \(.*\.ko\(\.xz\)\?\).*/\1/p' | while IFS= read -r path; do
    name=$(basename "$path")
    name=${name%.xz}
    grep -qxF "$name" "$initramfs/modules" && continue
    if [[ $path == *.xz ]]; then xz -dc "$path" >"$initramfs/lib/$name"; else cp "$path" "$initramfs/lib/$name"; fi
    echo "$name" >>"$initramfs/modules"
  done
done
cp "$(dirname "$0")/guest-init.sh" "$initramfs/init"
chmod +x "$initramfs/init"
(cd "$initramfs" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$folder/initramfs.cpio.gz"
rm -rf "$initramfs"
echo "$version" >"$folder/ready"
echo "$folder"
