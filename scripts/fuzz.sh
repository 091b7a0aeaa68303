#!/usr/bin/env bash
# Builds the answer-recognition fuzzer with clang into the given folder and runs it for the given
# number of seconds on a copy of the seed corpus, so the committed seeds stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: $0 <build-dir> <seconds>"
dir=${1:?$usage}
seconds=${2:?$usage}

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target fuzz_receive_buffer

corpus="$dir/fuzz-corpus"
log="$dir/fuzz.log"
rm -rf "$corpus"
cp -r tests/fuzz/corpus "$corpus"

if ! "$dir/tests/fuzz/fuzz_receive_buffer" -max_total_time="$seconds" -max_len=1024 \
    -artifact_prefix="$dir/" "$corpus" >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "Fuzzing found a fault; the input is in $dir/, the log in $log." >&2
  exit 1
fi
grep -E '^Done [0-9]+ runs' "$log"
