#!/usr/bin/env bash
# Removes a root that scripts ran commands in: ends what still runs there (a display server, a
# Wine server holds its mounts), unmounts the given mounts, last first, and deletes the folder,
# but never through a mount left in place, which would reach the machine's own files. Needs root.
#   remove-root.sh ROOT [MOUNT...]     (MOUNT relative to ROOT, in the order they were made)
set -uo pipefail
root=${1:?usage: $0 ROOT [MOUNT...]}
shift
mounts=("$@")

for process in /proc/[0-9]*; do
  [[ $(readlink "$process/root" 2>/dev/null) == "$root" ]] && kill -9 "${process#/proc/}" 2>/dev/null
done
for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
  umount -l "$root/${mounts[i]}" 2>/dev/null
done
if grep -qF " $root/" /proc/self/mountinfo; then
  echo "remove-root.sh: $root is left in place: something is still mounted in it." >&2
  exit 1
fi
rm -rf "$root"
