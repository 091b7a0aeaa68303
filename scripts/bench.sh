#!/usr/bin/env bash
# Builds the benchmarks (Release) into build-bench/ (or the folder given) and runs them: the
# window's and the command line's exchange times against the receiver simulator, start-up time
# and memory against a bare Qt window, the CPU use of the idle program, and a series of receivers
# programmed by orv52-cli (about four seconds a receiver). Not part of CI: the figures depend on the machine and its load.
# EXCHANGES, STARTUPS and RECEIVERS set the run counts (default 20, 15 and 20).
# SOAK=1 adds the soak run of the exchange controller against faulty receivers, which takes about
# a quarter of an hour: SOAK_EXCHANGES exchanges (default 2000), SOAK_SEED to repeat a run.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-bench}
cmake --preset bench -B "$dir" >/dev/null
targets=(exchange_bench cli_exchange_bench startup_bench idle_cpu series_bench)
if [[ ${SOAK:-} == 1 ]]; then
  targets+=(soak_bench)
fi
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}" >/dev/null

# Qt wants a private runtime folder and warns on every start without one.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

QT_QPA_PLATFORM=offscreen "$dir/bench/exchange_bench" "${EXCHANGES:-20}"
echo
"$dir/bench/cli_exchange_bench" "${EXCHANGES:-20}"
echo
QT_QPA_PLATFORM=offscreen "$dir/bench/startup_bench" "${STARTUPS:-15}"
if command -v xvfb-run >/dev/null; then
  echo
  # The same under an X server, as on a desktop: a real window, its platform plugin and fonts.
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    env QT_QPA_PLATFORM=xcb "$dir/bench/startup_bench" "${STARTUPS:-15}"
fi
echo
QT_QPA_PLATFORM=offscreen "$dir/bench/idle_cpu" 10
echo
"$dir/bench/series_bench" "${RECEIVERS:-20}"
if [[ ${SOAK:-} == 1 ]]; then
  echo
  "$dir/bench/soak_bench" "${SOAK_EXCHANGES:-2000}" ${SOAK_SEED:+"$SOAK_SEED"}
fi
