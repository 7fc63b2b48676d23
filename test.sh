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

# The store, qbx-data and the store's tests cross-built for Windows; ctest runs them under wine.
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DQBX_GUI=OFF -DQBX_BENCH=OFF >/dev/null
cmake --build build/windows --target qbx-data qbx_store_tests qbx_windows_tests qbx_codepage_table

# The program itself (Release), with the store's unit tests under AddressSanitizer and UBSan.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQBX_SANITIZE=ON \
  -DQBX_FUZZ_BIN_DIR="$PWD/build/fuzz/tests/fuzz" -DQBX_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
cmake --build build
# The Debian package build/quillbox_<version>_<arch>.deb, which the test labelled "package" checks.
(cd build && cpack >/dev/null)

ctest --test-dir build --output-on-failure --timeout 600 "$@"
