#!/usr/bin/env bash
# Builds Vorlix and runs it: the workbench window when a display is there,
# otherwise (headless) the conversion of the bundled sample job.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build
if [ -x build/bin/vorlix ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/vorlix
fi
out=${VORLIX_SAMPLE_DIR:-$PWD/out/sample}
rm -rf "$out"
cli=(build/bin/vorlix-cli --app-dir "$PWD/out/app")
"${cli[@]}" sample-job "$out"
# Steps 2 to 4: learn the job.
"${cli[@]}" --yes read-ddc "$out/job"
"${cli[@]}" --yes read-points "$out/job"
"${cli[@]}" --yes read-cpanels "$out/job"
# Step 7: translate and write every display of the job and the local job.
"${cli[@]}" --yes create-display "$out/job" --all
echo
echo "BACtalk displays written to $out/bactalk/acme/plaza/displays:"
ls -l "$out/bactalk/acme/plaza/displays"
echo
echo "Session log of the sample job ($out/job/vorlix.log):"
cat "$out/job/vorlix.log"
