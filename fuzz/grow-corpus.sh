#!/usr/bin/env bash
# Grows the kept corpus of one fuzz target, or of all, and minimizes it:
#
#   fuzz/grow-corpus.sh [TARGET] [SECONDS]     (default: every target, 300 s each)
#
# Fuzzes TARGET for SECONDS starting from fuzz/corpus/TARGET, then merges
# what it found with the kept inputs into the smallest set that covers the
# same code (libFuzzer's -merge=1) and puts that set in fuzz/corpus/TARGET.
# Read the change (git status) and commit it with the code it exercises.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VORLIX_FUZZ_BUILD:-build-fuzz}
seconds=${2:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fuzz/build.sh >"$work/targets"
mapfile -t all <"$work/targets"
if [ -n "${1:-}" ]; then
  targets=("$1")
else
  targets=("${all[@]}")
fi
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/$target
  mkdir -p "$corpus" "$work/$target/found" "$work/$target/merged" "fuzz/regressions/$target"
  echo "== $target: fuzzing for ${seconds}s"
  "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="fuzz/regressions/$target/" "$work/$target/found" "$corpus" >"$work/$target.log" 2>&1 || {
    tail -n 40 "$work/$target.log"
    echo "$target crashed; the input is in fuzz/regressions/$target/" >&2
    exit 1
  }
  "$build/bin/$target" -merge=1 "$work/$target/merged" "$corpus" "$work/$target/found" >>"$work/$target.log" 2>&1
  before=$(find "$corpus" -type f | wc -l)
  find "$corpus" -type f -delete
  cp "$work/$target/merged"/* "$corpus"/
  echo "== $target: $before input(s) before, $(find "$corpus" -type f | wc -l) now"
done
