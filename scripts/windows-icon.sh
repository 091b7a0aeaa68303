#!/usr/bin/env bash
# Regenerates the Windows icon, packaging/windows/orv52-prog.ico, from ui/app_icon.xpm after the
# XPM has changed. Builds the converter in the given build folder (configured if need be).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: $0 <build-dir>}

if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  cmake --preset default -B "$dir" >/dev/null
fi
cmake --build "$dir" --target orv52-icon-convert
"$dir/tools/icon-convert/orv52-icon-convert" ui/app_icon.xpm packaging/windows/orv52-prog.ico
echo "Wrote packaging/windows/orv52-prog.ico"
