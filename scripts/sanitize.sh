#!/usr/bin/env bash
# Builds the whole project with clang under AddressSanitizer (leak checks included) and
# UndefinedBehaviorSanitizer into the given folder and runs the whole test suite there, less the
# real-kernel tests (label kernel), which boot their guests once, in the ordinary build. The first
# report of either ends the process that made it, so its test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?"usage: $0 <build-dir>"}

cmake --preset asan -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" -LE kernel
