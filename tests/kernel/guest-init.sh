#!/bin/busybox sh
# The guest's first program: makes the host's root (read-only, over 9p) writable for the guest
# alone with an overlay on a tmpfs, so that everything of the host stays in sight wherever it
# lives, /tmp and /run included; mounts the results share at its host path, gives the root the
# kernel's file systems and hands over to the script the results share names.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in $(cat /modules); do
  insmod "/lib/$module" || echo "orv52-guest: insmod $module failed"
done
share() { # tag, mount point, options
  mount -t 9p -o "trans=virtio,version=9p2000.L,msize=512000$3" "$1" "$2"
}
# The paths come in files, not on the kernel command line, which splits them at spaces.
mkdir -p /results /lower /scratch
share results /results
IFS= read -r script </results/script
IFS= read -r results </results/path
umount /results
# msize and a loose cache: the programs and Qt's libraries are read fast enough to start in time.
share hostroot /lower ,ro,cache=loose
mount -t tmpfs tmpfs /scratch
writable() { # host folder, where its writable view goes, a name for its scratch space
  mkdir -p "/scratch/$3/upper" "/scratch/$3/work"
  mount -t overlay overlay \
    -o "lowerdir=$1,upperdir=/scratch/$3/upper,workdir=/scratch/$3/work" "$2"
}
writable /lower /host root
share results "/host$results"
mount -t proc proc /host/proc
mount -t sysfs sysfs /host/sys
mount -t devtmpfs devtmpfs /host/dev
mkdir -p /host/dev/pts /host/dev/shm
mount -t devpts devpts /host/dev/pts
# The guest's /dev is its kernel's, so the host's shared memory folder gets a view of its own.
writable /lower/dev/shm /host/dev/shm shm
# And its own lock folder: Qt's lock files name a device by its node's name alone, so the host's
# ttyS0, probed by a test beside this guest, would leave the guest's ttyS0 looking busy.
mkdir -p /host/run/lock
mount -t tmpfs tmpfs /host/run/lock
# Not chroot: udev refuses to run in one.
exec switch_root /host /bin/bash "$script" "$results"
