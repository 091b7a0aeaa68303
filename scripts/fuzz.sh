#!/usr/bin/env bash
# Builds the fuzz targets with clang into the given folder and runs each for the given number of
# seconds on a copy of its seed corpus, so the committed seeds stay as they are:
#   fuzz_receive_buffer   the answer recognition
#   fuzz_record_and_text  the record checksums and version, and the reading of field texts
#   fuzz_configuration_file  the reading of configuration files
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: $0 <build-dir> <seconds>"
dir=${1:?$usage}
seconds=${2:?$usage}
targets=(fuzz_receive_buffer fuzz_record_and_text fuzz_configuration_file)

cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" --target "${targets[@]}"

for target in "${targets[@]}"; do
  corpus="$dir/$target-corpus"
  log="$dir/$target.log"
  rm -rf "$corpus"
  cp -r "tests/fuzz/corpus/$target" "$corpus"

  if ! "$dir/tests/fuzz/$target" -max_total_time="$seconds" -max_len=1024 \
      -artifact_prefix="$dir/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "$target found a fault; the input is in $dir/, the log in $log." >&2
    exit 1
  fi
  echo "$target: $(grep -E '^Done [0-9]+ runs' "$log")"
done
