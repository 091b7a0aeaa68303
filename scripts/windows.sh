#!/usr/bin/env bash
# Builds both programs and every test that runs on Windows for 64-bit Windows, cross-built with
# MinGW-w64 against the Qt SDK in ../shared/windows/, unpacked into the build folder (never into
# the source tree), and runs those tests under Wine: on an X display of their own and in a Wine
# prefix under the build folder, so the user's own Wine folder is never touched.
#   bash scripts/windows.sh [FOLDER]      (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build-windows}
sdk=../shared/windows/qt6.4.2-mingw64.tar.xz
if [[ ! -f $sdk ]]; then
  echo "windows.sh: $sdk (Qt for Windows) is not there; nothing can be built for Windows." >&2
  exit 1
fi
bash scripts/install-deps.sh

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
qt=$folder/qt6.4.2-mingw64
if [[ ! -f $qt/.unpacked || $sdk -nt $qt/.unpacked ]]; then
  rm -rf "$qt"
  tar -xJf "$sdk" -C "$folder"
  touch "$qt/.unpacked"
fi

# Qt's host tools (moc, rcc, uic) must be of the SDK's own version: what one version's moc writes
# does not compile against another version's headers. Debian 12's are; on a later release Debian
# 12's are fetched into the build folder (moc, rcc and uic need no Qt library to run; qmake is
# only looked for).
host=/usr
if ! /usr/lib/qt6/libexec/moc -v 2>/dev/null | grep -qx 'moc 6.4.2'; then
  host=$folder/qt6.4.2-host/usr
  if [[ ! -x $host/lib/qt6/libexec/moc ]]; then
    rm -rf "$folder/qt6.4.2-host"
    mkdir -p "$folder/qt6.4.2-host/deb"
    suite_apt=$PWD/scripts/suite-apt.sh
    (cd "$folder/qt6.4.2-host/deb" &&
      bash "$suite_apt" "$folder/qt6.4.2-host/apt" bookworm \
        apt-get download -q qt6-base-dev-tools qt6-base-dev qmake6 qmake6-bin >/dev/null)
    for package in "$folder"/qt6.4.2-host/deb/*.deb; do
      dpkg-deb -x "$package" "$folder/qt6.4.2-host"
    done
  fi
fi

start=$SECONDS
cmake --preset windows -B "$folder" -DQT_HOST_PATH="$host" \
  -DQT_HOST_PATH_CMAKE_DIR="$host/lib/x86_64-linux-gnu/cmake" >/dev/null
cmake --build "$folder" -j"$(nproc)"
echo "windows.sh: built in $((SECONDS - start)) s"

start=$SECONDS
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$folder" --output-on-failure -j"$(nproc)" || status=$?
WINEPREFIX=$folder/wine-prefix wineserver -k 2>/dev/null || true
echo "windows.sh: tests under Wine took $((SECONDS - start)) s"
exit "$status"
