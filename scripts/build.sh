#!/usr/bin/env bash
# Configures and builds Vorlix into the given build folder (default: build).
# Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DVORLIX_WERROR=ON "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
