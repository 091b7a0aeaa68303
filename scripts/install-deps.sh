#!/usr/bin/env bash
# Installs the packages the build, the tests and the demo need, only those that are missing, on
# Debian 12 or 13. Safe to run again. As root it installs directly; as any other user through
# sudo, so that the program itself is built and run as that user. The compilers' tools are named
# as every release names its own (clang, libclang-rt-dev, clang-tidy), never by a version that
# one of the releases lacks. Package names given as arguments are installed instead of the list.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev libfontconfig-dev
  clang libclang-rt-dev clang-tidy valgrind
  xvfb xauth util-linux strace
  dpkg-dev desktop-file-utils lintian help2man appstream mmdebstrap
  g++-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis locales
  qemu-system-x86 busybox-static kmod udev xz-utils
)
(($#)) && packages=("$@")
known_releases="Debian 12 (bookworm) and Debian 13 (trixie)"

# shellcheck source=/dev/null
release=$(. /etc/os-release 2>/dev/null && echo "${ID:-} ${VERSION_ID:-}|${PRETTY_NAME:-}") ||
  release="|an unknown system"
case ${release%%|*} in
"debian 12" | "debian 13") ;;
*)
  echo "install-deps.sh: this system is ${release#*|}; the package names are those of" \
    "$known_releases. Trying them here; any this system lacks are named below." >&2
  ;;
esac

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
"${as_root[@]}" apt-get update -qq

# A name this system's archive does not have stops the run here, with the names, rather than
# half-way through apt's own list of errors.
unavailable=()
for p in "${missing[@]}"; do
  candidate=$(apt-cache policy "$p" 2>/dev/null | sed -n 's/^ *Candidate: //p')
  [[ -n $candidate && $candidate != "(none)" ]] || unavailable+=("$p")
done
if ((${#unavailable[@]})); then
  echo "install-deps.sh: this system's package archive has no ${unavailable[*]}." >&2
  echo "install-deps.sh: the project is built and tested on $known_releases;" \
    "install the equivalents by hand, or use one of those releases." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
