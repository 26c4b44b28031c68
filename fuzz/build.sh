#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into VORLIX_FUZZ_BUILD (default
# build-fuzz), installing clang first when it is missing. Prints the names
# of the targets, one a line: one per fuzz/fuzz_*.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VORLIX_FUZZ_BUILD:-build-fuzz}
scripts/deps.sh fuzz >&2
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVORLIX_FUZZ=ON -DVORLIX_GUI=OFF \
  -DVORLIX_TESTS=OFF -DVORLIX_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build "$build" --parallel "$(nproc)" >&2
for src in fuzz/fuzz_*.cpp; do
  basename "$src" .cpp
done
