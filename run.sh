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
if "${cli[@]}" --help | grep -q "^  convert "; then
  "${cli[@]}" --yes convert "$out/job" --bactalk "$out/bactalk/acme/plaza"
else
  for step in read-ddc read-points read-cpanels; do
    if "${cli[@]}" --help | grep -q "^  $step "; then
      "${cli[@]}" --yes "$step" "$out/job"
    fi
  done
fi
"${cli[@]}" dump "$out/job" ApexMap
echo "Session log of the sample job:"
cat "$out/job/vorlix.log"
