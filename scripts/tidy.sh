#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over our own sources on every core; any
# finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?"usage: $0 <build-dir>"}

cmake --preset tidy -B "$dir" >/dev/null
# Sources include what moc generates; generating it is all the building clang-tidy needs.
cmake --build "$dir" --target autogen >/dev/null

# The checkout's path as a regular expression: any folder name, "a+b" or "(x)" too, is itself.
here=$(printf '%s' "$PWD" | sed 's/[][\\.^$*+?(){}|]/\\&/g')
# The programs and the tools. The tests are left out: they are a third of the files to parse and
# are checked where it counts for them, by running them under both sanitizers.
ours="^$here/(protocol|messages|link|ui|cli|app|tools)/"
run-clang-tidy -clang-tidy-binary clang-tidy -quiet -p "$dir" -j "$(nproc)" \
    -header-filter="$ours" "$ours"
