#!/usr/bin/env bash
# Sets up what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build orv52-prog
exec build/app/orv52-prog
