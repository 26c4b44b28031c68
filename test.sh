#!/usr/bin/env bash
# Builds Vorlix with its tests and runs them all (GUI tests offscreen).
# VORLIX_SANITIZE=1 ./test.sh builds and runs them under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
if [ "${VORLIX_SANITIZE:-0}" = 1 ]; then
  build_dir=build-asan
  scripts/build.sh "$build_dir" -DVORLIX_SANITIZE=ON -DVORLIX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=0
else
  build_dir=build
  scripts/build.sh "$build_dir"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
