#!/bin/busybox sh
# The guest's first program: mounts the host's root (read-only, over 9p) and the results share,
# gives the host's root the kernel's file systems and writable places, and hands over to the
# script named on the kernel command line (orv52.script=PATH orv52.results=PATH).
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in $(cat /modules); do
  insmod "/lib/$module" || echo "orv52-guest: insmod $module failed"
done
for word in $(cat /proc/cmdline); do
  case $word in
  orv52.script=*) script=${word#*=} ;;
  orv52.results=*) results=${word#*=} ;;
  esac
done
# msize and a loose cache: the programs and Qt's libraries are read fast enough to start in time.
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000,cache=loose hostroot /host
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 results "/host$results"
mount -t proc proc /host/proc
mount -t sysfs sysfs /host/sys
mount -t devtmpfs devtmpfs /host/dev
mkdir -p /host/dev/pts /host/dev/shm
mount -t devpts devpts /host/dev/pts
for place in /host/dev/shm /host/run /host/tmp; do
  mount -t tmpfs tmpfs "$place"
done
# Not chroot: udev refuses to run in one.
exec switch_root /host /bin/bash "$script" "$results"
