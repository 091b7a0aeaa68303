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

start=$SECONDS
cmake --preset windows -B "$folder" >/dev/null
cmake --build "$folder" -j"$(nproc)"
echo "windows.sh: built in $((SECONDS - start)) s"

start=$SECONDS
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$folder" --output-on-failure -j"$(nproc)" || status=$?
WINEPREFIX=$folder/wine-prefix wineserver -k 2>/dev/null || true
echo "windows.sh: tests under Wine took $((SECONDS - start)) s"
exit "$status"
