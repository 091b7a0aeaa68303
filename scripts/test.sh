#!/usr/bin/env bash
# Sets up what is missing, builds from scratch and runs the whole test suite, builds the Debian
# package, then short bounded fuzz runs of both fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
rm -rf build-test build-fuzz
bash scripts/build.sh build-test
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j"$(nproc)"
bash scripts/package.sh build-test
bash scripts/fuzz.sh build-fuzz 20
