#!/usr/bin/env bash
# Sets up what is missing, builds from scratch and runs the whole test suite, builds the Debian
# package and checks it with lintian, fuzzes every fuzz target for a bounded time, runs the suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, the window's start and close under valgrind, and clang-tidy;
# where ../shared/windows/ holds Qt for Windows, both programs built for Windows with their tests
# run under Wine, and the setup program and zip made and checked under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
rm -rf build-test build-fuzz build-asan build-tidy build-windows-test
cmake --preset test >/dev/null
cmake --build build-test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j"$(nproc)"
bash scripts/package.sh build-test
windows_sdk=../shared/windows/qt6.4.2-mingw64.tar.xz
if [[ -f $windows_sdk ]]; then
  bash scripts/windows.sh build-windows-test
  bash scripts/package.sh windows build-windows-test
else
  echo "test.sh: Windows part skipped: $windows_sdk (Qt for Windows) is not there."
fi
bash scripts/fuzz.sh build-fuzz 20
bash scripts/sanitize.sh build-asan
bash scripts/valgrind.sh build-test
bash scripts/tidy.sh build-tidy
