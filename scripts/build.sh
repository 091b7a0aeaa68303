#!/usr/bin/env bash
# Configures (the default preset) and builds into build/ (or the folder given): everything, or only
# the targets named after the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake --preset default -B "$dir" >/dev/null
if (($#)); then
  cmake --build "$dir" -j"$(nproc)" --target "$@"
else
  cmake --build "$dir" -j"$(nproc)"
fi
