#!/usr/bin/env bash
# Configures and builds everything (program, simulator, tests, benchmarks) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where one is installed, makes rebuilds of unchanged files free; paths are taken
# relative to the project so that clones elsewhere share the cache.
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$PWD"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVESSA_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)"
