#!/usr/bin/env bash
# Installs the Debian packages Vorlix needs to build, test and run, when any
# is missing. Needs root (or sudo) only when something must be installed.
# `scripts/deps.sh fuzz` adds clang and its libFuzzer runtime.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc unixodbc libsqliteodbc libgtest-dev ccache xvfb xauth)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
