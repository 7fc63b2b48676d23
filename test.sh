#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
tools/scripts/install-deps.sh test

# The C++ files are formatted as .clang-format says (tools/scripts/check-format.sh --fix does it).
tools/scripts/check-format.sh

# The fuzz targets need clang and libFuzzer: they get a build tree of their own.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQBX_FUZZ=ON -DQBX_GUI=OFF -DQBX_BENCH=OFF >/dev/null
cmake --build build/fuzz --target qbx_fuzz_targets

# The program itself (Release), with the store's unit tests under AddressSanitizer and UBSan.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQBX_SANITIZE=ON \
  -DQBX_FUZZ_BIN_DIR="$PWD/build/fuzz/tests/fuzz" >/dev/null
cmake --build build

ctest --test-dir build --output-on-failure --timeout 600 "$@"
