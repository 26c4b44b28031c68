#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/build.sh) and runs each for a bounded
# time (VORLIX_FUZZ_SECONDS, default 20; CI gives each 60) over its corpus in
# fuzz/corpus/<target>, after replaying its regression inputs in
# fuzz/regressions/<target>. An input that crashes a target is left in
# fuzz/regressions/<target>/: keep it there (commit it) once the code is
# fixed, so every later run replays it. New inputs the fuzzer finds go to a
# temporary folder, not into the repo; fuzz/grow-corpus.sh keeps them.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${VORLIX_FUZZ_SECONDS:-20}
build=${VORLIX_FUZZ_BUILD:-build-fuzz}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A failed build stops the run here (set -e does not see into "< <(...)").
fuzz/build.sh >"$work/targets"
mapfile -t targets <"$work/targets"
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  regressions=fuzz/regressions/$target
  mkdir -p "$regressions" "$work/$target"
  mapfile -t old < <(find "$regressions" -type f ! -name '.*' | sort)
  if [ ${#old[@]} -gt 0 ]; then
    echo "== $target: replaying ${#old[@]} regression input(s)"
    "$build/bin/$target" "${old[@]}"
  fi
  echo "== $target: fuzzing for ${seconds}s"
  status=0
  "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$regressions/" -print_final_stats=1 "$work/$target" "fuzz/corpus/$target" \
    >"$work/$target.log" 2>&1 || status=$?
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/$target.log"
    echo "$target failed; the input that did it is in $regressions/" >&2
    exit 1
  fi
done
