#!/usr/bin/env bash
# Runs every vorlix-cli command over the bundled sample job and keeps what
# each one printed, its exit status, the tables, the translation grids, the
# written BACtalk files (their bytes as a hash, their fields as a dump) and
# the session log, with the temporary folder and the log's time stamps
# written as <DIR> and <stamp>. The outputs of one build compared with those
# of another show whether a change of the code changed anything a user sees.
#
#   tools/sample-outputs.sh CLI OUTDIR           write the outputs to OUTDIR
#   tools/sample-outputs.sh --check CLI GOLDEN   compare them with GOLDEN
#                                                (exit 1 and a diff if they differ)
#
# VORLIX_CLI_RUNNER runs the CLI through another program (the Windows
# build's vorlix-cli.exe through Wine): the Windows paths it prints
# (Z:\tmp\...) are written as <DIR> and forward slashes too.
set -euo pipefail

check=0
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
if [ $# -ne 2 ]; then
  echo "usage: $0 [--check] CLI OUTDIR|GOLDEN" >&2
  exit 2
fi
cli=$(realpath "$1")
target=$2

export LC_ALL=C LANG=C QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
mkdir -p "$out"
if [ $check = 0 ]; then
  rm -rf "$target"
  mkdir -p "$target"
  out=$(realpath "$target")
fi
site=$work/site
app=$work/app
job=$site/job
transcript=$out/transcript.txt
: >"$transcript"

runner=()
if [ -n "${VORLIX_CLI_RUNNER:-}" ]; then
  runner=("$VORLIX_CLI_RUNNER")
fi
# A GUI application (convert draws its thumbnails with one) warns about an
# unset XDG_RUNTIME_DIR on some machines: not an output of Vorlix. The
# folder as a Windows program shows it (drive Z:, backslashes; without the
# drive when it was given as a Linux path) is <DIR> too, and so is the
# relative path of a copied Tux DDC file in the log.
win_work="Z:$(printf '%s' "$work" | sed 's#/#\\\\#g')"
bs_work="$(printf '%s' "$work" | sed 's#/#\\\\#g')"
json_work="Z:$(printf '%s' "$work" | sed 's#/#\\\\\\\\#g')" # as a JSON string holds it
normalize() { sed -e '/^QStandardPaths: XDG_RUNTIME_DIR not set/d' -e "s#$work#<DIR>#g" \
                  -e "s#$json_work#<DIR>#g" -e ':j' -e 's#\(<DIR>[^ "\\]*\)\\\\#\1/#' -e 'tj' \
                  -e "s#$win_work#<DIR>#g" -e "s#$bs_work#<DIR>#g" -e 's#Z:<DIR>#<DIR>#g' \
                  -e ':a' -e 's#\(<DIR>[^ "\\]*\)\\#\1/#' -e 'ta' \
                  -e ':b' -e 's#\(Copied: [^ \\]*\)\\#\1/#' -e 'tb' \
                  -e 's#^\[[^]]*\]: #[<stamp>]: #' -e 's# ([0-9]*\.[0-9]* s)# (<s> s)#'; }

# One command: its words, what it printed on stdout and stderr, its status.
run() {
  local status=0
  "${runner[@]}" "$cli" --app-dir "$app" "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
  {
    printf '$ vorlix-cli %s\n' "$*"
    cat "$work/stdout"
    if [ -s "$work/stderr" ]; then
      printf -- '--- stderr\n'
      cat "$work/stderr"
    fi
    printf -- '--- exit %s\n\n' "$status"
  } | normalize >>"$transcript"
}

run sample-job "$site"
run set "$job" PadUnits 1
run set "$job" NoSuchVariable 1
run map "$job" 3 ComList=1 BaseAddr1=3100 DevID1=3000 GlobalPts=3000
run map "$job" 3 NoSuchField=1
# Steps 2 to 4: declined without --yes, then read.
run read-ddc "$job"
run --yes read-ddc "$job"
run --yes read-ddc "$job" --lost-tux
run --yes read-points "$job"
run --yes read-cpanels "$job"
# Step 5: the scan at other depths, then at the project's.
run scan "$job" --depth 4
run scan "$job" --start 3 --depth 6
run dump "$job" FileList
run scan "$job"
# Step 7: every grid, then overrides of each kind.
for f in "$job"/ldisplay/*.ibw; do run grid "$job" "$(basename "$f")"; done
for f in "$site"/localjob/ldisplay/*.ibw; do run grid "$job" "$(basename "$f")" --local; done
run grid "$job"
run grid "$job" nosuch.ibw
run override "$job" disp0001.ibw 1 --text "Outside air"
run override "$job" disp0001.ibw 0 --text "Title of the display"
run override "$job" disp0002.ibw 3 --point 1200:AV-7
run override "$job" disp0002.ibw 4 --skip
run override "$job" disp0002.ibw 3 --reset
run override "$job" disp0002.ibw 999 --text x
run override "$job" disp0002.ibw 3 --point "not a point"
run global-override "$job" 1 IB-12 1100:AV-99
run global-override "$job" 1 IB-13 nonsense
run grid "$job" disp0001.ibw
run grid "$job" disp0002.ibw
# Step 6.
run redirect "$job" disp0003.ibw --to acme-plaza-00000099.dsp
run redirect "$job" disp0004.ibw --skip
run redirect "$job" disp0004.ibw --remove
run redirect "$job" disp0004.ibw --remove
run redirect "$job" disp0003.ibw --to nodash
run redirect "$job" disp0042.ibw --skip
run redirect "$job" ccpd0005.ibw --local --to nosuchrep-nosuchjob-00000001.dvt
run redirect "$job" ccpd0005.ibw --local --to acme-plaza-00000005.dvt
# Step 7: one display, kept, replaced in single-row mode, then all.
run create-display "$job" disp0001.ibw
run create-display "$job" disp0001.ibw
run --yes create-display "$job" disp0001.ibw --row 3
run create-display "$job" nosuch.ibw
run --yes create-display "$job" --all
for f in "$site"/bactalk/acme/plaza/displays/*; do
  run dump-display "$f"
done
# Step 9: list the Tux DDC files, copy them, copy again (all exist).
run tdc-list "$job"
run tdc-copy "$job"
run tdc-copy "$job"
# Step 8: one device, a device that is not in the list, then all.
run scripts "$job" --apex 1 --com 2 --out "$site/one.dsr"
run scripts "$job" --apex 9 --com 1 --out "$site/none.dsr"
run scripts "$job" --all
# Step 3's export, into a point database made from the template.
run export-points "$job" --apex 1 --to "$site/points.mdb"
run export-points "$job" --apex 9 --to "$site/none.mdb"
# Step 10: the device records, a refused workstation, a merge that cannot
# find its destination and an empty declined.
run add-workstation "$job" lobby
run add-workstation "$job" "25, lobby"
run add-gateways "$job"
run add-tux "$job"
run update-tdc "$job"
run merge "$job" "$site/nowhere/RepJob.mdb"
run empty-devices "$job"
for t in ApexMap CpanelMap IbexPtMap CpanelNames Vorlix DisplayMap TdcFiles FileList Overrides Buttons \
         GlobalOVR tblRepJob tblDevCapabilities; do
  run dump "$job" "$t"
done
run dump "$job" NoSuchTable
# The whole job in one run into a second BACtalk job, then again without
# --yes (every file kept). The report's timings are taken out.
converted=$site/converted/acme/plaza
run --yes convert "$job" --bactalk "$converted" --workstation 25
normalize <"$converted/conversion-report.json" |
  sed -e 's/"seconds": [0-9.e-]*/"seconds": "<s>"/' >"$out/conversion-report.json"
run convert "$job" --bactalk "$converted"
(cd "$converted" && find . -type f ! -name '*.dsr' ! -name 'conversion-report.*' ! -path './report/*' | LC_ALL=C sort |
  xargs sha256sum) >"$out/converted-files.sha256"
# The report's thumbnails: their texts are drawn with the fonts this machine
# has, so their bytes are not kept, only their names and sizes (width and
# height from the PNG header).
for f in $(cd "$converted" && find ./report -type f | LC_ALL=C sort); do
  printf '%s %s\n' "$f" "$(od -An -tu1 -j16 -N8 "$converted/$f" |
    awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }')"
done >"$out/converted-pictures.txt"

# Scripts carry the time they were made: kept as text with the date taken out.
(cd "$site/bactalk" && find . -type f ! -name '*.dsr' | LC_ALL=C sort | xargs sha256sum) >"$out/bactalk-files.sha256"
mkdir -p "$out/scripts"
for f in "$site/one.dsr" "$site"/bactalk/acme/plaza/ddc/*.dsr; do
  sed -e 's/createDate="[^"]*"/createDate="<date>"/' "$f" >"$out/scripts/$(basename "$f")"
done
normalize <"$job/vorlix.log" >"$out/vorlix.log"
cp "$job/ButtonReport.txt" "$out/ButtonReport.txt"

if [ $check = 1 ]; then
  if ! diff -r "$target" "$out"; then
    echo "The sample job's outputs differ from $target (lines with < are the expected ones)." >&2
    exit 1
  fi
  echo "The sample job's outputs match $target."
fi
