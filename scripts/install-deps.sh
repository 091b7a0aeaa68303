#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, only those that are
# missing. Safe to run again. As root it installs directly; as any other user through sudo, so
# that the program itself is built and run as that user.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev libfontconfig-dev
  clang libclang-rt-14-dev clang-tidy-14 valgrind
  xvfb xauth util-linux strace
  dpkg-dev desktop-file-utils lintian help2man appstream
  g++-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis locales
  qemu-system-x86 busybox-static kmod udev xz-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

((${#missing[@]})) || exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages: ${missing[*]}; install sudo or run this as root." >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
