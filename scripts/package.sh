#!/usr/bin/env bash
# Builds the program in the given folder (configured if need be), makes the Debian package there
# with CPack and checks it with lintian, which must find no error and no warning; prints the
# package's file name.
#   bash scripts/package.sh BUILD_DIR
# With "windows": the Windows setup program and the portable zip, in the Windows build folder
# (default build-windows, made by scripts/windows.sh when it is not there yet), both checked under
# Wine (tests/wine/setup-under-wine.sh).
#   bash scripts/package.sh windows [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: $0 <build-dir> | windows [build-dir]}

if [[ $dir == windows ]]; then
  dir=${2:-build-windows}
  [[ -f $dir/orv52-cli.exe ]] || bash scripts/windows.sh "$dir"
  dir=$(cd "$dir" && pwd)
  cmake --build "$dir"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
  stage=$dir/package/orv52-prog-$version
  rm -rf "$dir/package"
  cmake --install "$dir" --prefix "$stage" --strip >/dev/null
  # Debian's MinGW runtime DLLs carry their debugging symbols: two thirds of the whole otherwise.
  x86_64-w64-mingw32-strip --strip-unneeded "$stage"/lib*.dll

  start=$SECONDS
  makensis -V2 -DSTAGE="$stage" "$dir/packaging/setup.nsi"
  echo "package.sh: setup program made in $((SECONDS - start)) s"
  start=$SECONDS
  zip=$dir/orv52-prog-$version-windows-x64.zip
  rm -f "$zip"
  (cd "$dir/package" && cmake -E tar cf "$zip" --format=zip "orv52-prog-$version")
  echo "package.sh: zip made in $((SECONDS - start)) s"

  bash tests/wine/setup-under-wine.sh "$dir" "$version"
  ls -l "$dir/orv52-prog-$version-setup.exe" "$zip"
  exit
fi

if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  cmake --preset default -B "$dir" >/dev/null
fi
cmake --build "$dir" --target orv52-prog orv52-cli orv52-prog-icon orv52-debian-documents orv52-guide
if ! (cd "$dir" && cpack -G DEB >cpack.log 2>&1); then
  cat "$dir/cpack.log" >&2
  exit 1
fi
package=$(ls "$dir"/orv52-prog_*.deb)
# The window's platform plugin comes in a package of its own that no linked library pulls in.
if ! dpkg-deb -f "$package" Depends | grep -q 'qt6-qpa-plugins'; then
  echo "$package does not depend on qt6-qpa-plugins" >&2
  exit 1
fi
if ! lintian --fail-on error,warning "$package" >"$dir/lintian.log" 2>&1; then
  cat "$dir/lintian.log" >&2
  echo "lintian found faults in $package" >&2
  exit 1
fi
echo "$package"
