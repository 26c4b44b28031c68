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
# The whole job in one run: steps 2 to 10 and the conversion report.
"${cli[@]}" --yes convert "$out/job" --bactalk "$out/bactalk/acme/plaza" --workstation 25
echo
echo "BACtalk displays written to $out/bactalk/acme/plaza/displays:"
ls -l "$out/bactalk/acme/plaza/displays"
echo
echo "Conversion report: $out/bactalk/acme/plaza/conversion-report.html (and conversion-report.json)"
