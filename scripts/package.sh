#!/usr/bin/env bash
# Builds the program in the given folder (configured if need be), makes the Debian package there
# with CPack and checks it with lintian, which must find no error and no warning; prints the
# package's file name.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: $0 <build-dir>}

if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  cmake --preset default -B "$dir" >/dev/null
fi
cmake --build "$dir" --target orv52-prog orv52-cli orv52-prog-icon orv52-debian-documents
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
