#!/usr/bin/env bash
# Sets up what is missing, builds from scratch and runs the whole test suite (the real-kernel tests
# included), builds the Debian package, checks it with lintian and takes it through install,
# upgrade, removal and purge on a fresh root of this release (when root or sudo), fuzzes every fuzz target for a
# bounded time, runs the suite again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# window's start and close under valgrind, and clang-tidy; where ../shared/windows/ holds Qt for
# Windows, both programs built for Windows with their tests run under Wine, and the setup program
# and zip made and checked under Wine. Ends with the time each step took.
#
# ORV52_TEST_LEG names CI's legs (.ci/run). second, the second release (.ci/debian13.sh), runs
# only the steps that prove something of their own on a second release: the build, the suite and
# the package; first runs the rest, and the suite there leaves Debian 13's own kernel to the
# second, on Debian 13's programs.
set -euo pipefail
cd "$(dirname "$0")/.."

steps=()
run_step() { # name, command...
  local name=$1 start=$SECONDS
  shift
  "$@"
  steps+=("$(printf '%-34s %5d s' "$name" $((SECONDS - start)))")
}
report() {
  printf 'test.sh: %s\n' "${steps[@]}"
}
trap report EXIT

build_and_test() {
  rm -rf build-test build-fuzz build-asan build-tidy build-windows-test
  cmake --preset test >/dev/null
  cmake --build build-test -j"$(nproc)"
}
package_lifecycle() {
  local status=0
  bash scripts/package-lifecycle.sh build-test/orv52-prog_*.deb || status=$?
  ((status == 0 || status == 77))
}
windows() {
  bash scripts/windows.sh build-windows-test
  bash scripts/package.sh windows build-windows-test
}

run_step "install what is missing" bash scripts/install-deps.sh
run_step "build" build_and_test
left_out=()
[[ ${ORV52_TEST_LEG:-} != first ]] || left_out=(-E '^kernel_deb13$')
run_step "test suite" env QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-test --output-on-failure -j"$(nproc)" "${left_out[@]}"
run_step "Debian package" bash scripts/package.sh build-test
run_step "the package's life on a fresh root" package_lifecycle
if [[ ${ORV52_TEST_LEG:-} == second ]]; then
  exit 0
fi
windows_sdk=../shared/windows/qt6.4.2-mingw64.tar.xz
if [[ -f $windows_sdk ]]; then
  run_step "Windows build, tests and setup" windows
else
  echo "test.sh: Windows part skipped: $windows_sdk (Qt for Windows) is not there."
fi
run_step "fuzzing" bash scripts/fuzz.sh build-fuzz 20
run_step "sanitizers" bash scripts/sanitize.sh build-asan
run_step "valgrind" bash scripts/valgrind.sh build-test
run_step "clang-tidy" bash scripts/tidy.sh build-tidy
