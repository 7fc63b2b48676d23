#!/usr/bin/env bash
# For developers working side by side in one checkout: builds the given targets in the shared
# tree build-dev/, one build at a time (the lock keeps two ninja runs out of the same tree).
# Usage: tools/scripts/devbuild.sh TARGET...   (no target = everything)
set -euo pipefail
cd "$(dirname "$0")/../.."
exec 9>/tmp/qbx-devbuild.lock
flock 9
if [ ! -f build-dev/build.ninja ]; then
  cmake -S . -B build-dev -G Ninja -DCMAKE_BUILD_TYPE=Release -DQBX_SANITIZE=ON >/dev/null
fi
if [ $# -eq 0 ]; then
  cmake --build build-dev -j2
else
  cmake --build build-dev -j2 --target "$@"
fi
