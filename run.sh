#!/usr/bin/env bash
# Builds Quillbox (Release) into build/ and starts it from its program folder build/app/.
set -euo pipefail
cd "$(dirname "$0")"
tools/scripts/install-deps.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target qbx qbx-data qbx-assets
exec build/app/qbx "$@"
