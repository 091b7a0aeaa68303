#!/usr/bin/env bash
# Makes a minimal Debian root of the given suite with mmdebstrap, from Debian's own packages, and
# keeps it for a week in ORV52_CI_CACHE (default /var/cache/orv52-ci) for the package checks and
# CI's second release to copy; prints its folder. Needs root or sudo. Exits 75 when Debian's
# archive cannot be reached.
#   bash scripts/debian-base.sh bookworm|trixie
set -euo pipefail
suite=${1:?usage: $0 SUITE}
cache=${ORV52_CI_CACHE:-/var/cache/orv52-ci}
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

base=$cache/$suite-base
if [[ -z $(find "$base/.made" -mmin -$((7 * 24 * 60)) 2>/dev/null) ]]; then
  "${as_root[@]}" mkdir -p "$cache"
  "${as_root[@]}" rm -rf "$base.new"
  if ! "${as_root[@]}" mmdebstrap --quiet --variant=minbase --include=git,ca-certificates,sudo \
    "$suite" "$base.new" http://deb.debian.org/debian >&2; then
    "${as_root[@]}" rm -rf "$base.new"
    echo "debian-base.sh: mmdebstrap could not make a $suite root (no network?)" >&2
    exit 75
  fi
  "${as_root[@]}" touch "$base.new/.made"
  "${as_root[@]}" rm -rf "$base"
  "${as_root[@]}" mv "$base.new" "$base"
fi
echo "$base"
