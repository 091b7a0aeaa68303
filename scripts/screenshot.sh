#!/usr/bin/env bash
# Renders the real main and About windows to docs/ (headless, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build orv52-window-snapshot
QT_QPA_PLATFORM=offscreen build/tools/window-snapshot/orv52-window-snapshot docs
