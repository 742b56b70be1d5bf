#!/usr/bin/env bash
# The headless host's animations as ffprobe reads them: a GIF of every K-th frame, an MP4 and a
# WebM of every frame, each of the size and frame count the host was asked for; the WebM of a
# transparent canvas keeps its alpha (transparent canvas, opaque source).
#   bash tests/animation/ffprobe_test.sh BUILD_BIN_FOLDER
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bin=${1:-$here/build/bin}
work=$(mktemp -d "${TMPDIR:-/tmp}/vanto-animation.XXXXXX")
trap 'rm -rf "$work"' EXIT
win() { winepath -w "$1" 2>/dev/null; }
failures=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "  ok   $1: $3"; else echo "  FAIL $1: expected $2, got $3"; failures=$((failures + 1)); fi
}
probe() {  # probe FILE: codec,width,height,frames of the first video stream
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "$1"
}

# One opaque red box on the canvas, from the fixture plug-in.
cat > "$work/scenes.json" <<'JSON'
{"scenes": {"S": {"sources": {"Box": {"class": "Fixture Solid", "x": 40.0, "y": 16.0, "cx": 48.0, "cy": 24.0,
                                       "data": {"color": -65536}}}}}}
JSON
run() {  # run OUT-NAME ARGUMENTS...
  local out=$1; shift
  "$here/scripts/wine-run.sh" "$bin/headless_host.exe" --root "$(win "$bin/headless_fixture")" \
    --scenes "$(win "$work/scenes.json")" --out "$(win "$work/$out")" --size 160x64 --no-png --quiet "$@"
}

echo "animation: 30 frames at 15 fps, GIF of every 3rd, MP4"
run opaque --frames 30 --fps 15 --png-every 3 --gif "$(win "$work/a.gif")" --video "$(win "$work/a.mp4")"
check "GIF" "gif,160,64,10" "$(probe "$work/a.gif")"
check "MP4" "h264,160,64,30" "$(probe "$work/a.mp4")"
check "MP4 rate" "15/1" "$(ffprobe -v error -select_streams v:0 -show_entries stream=r_frame_rate -of csv=p=0 "$work/a.mp4")"

echo "animation: 24 frames on a transparent canvas, WebM"
run clear --frames 24 --fps 24 --background transparent --video "$(win "$work/t.webm")"
check "WebM" "vp9,160,64,24" "$(probe "$work/t.webm")"
check "WebM alpha" "1" "$(ffprobe -v error -select_streams v:0 -show_entries stream_tags=alpha_mode -of csv=p=0 "$work/t.webm")"
# Decoded with its alpha: the canvas corner is clear, the box's middle opaque red.
ffmpeg -v error -c:v libvpx-vp9 -i "$work/t.webm" -frames:v 1 -pix_fmt rgba -f rawvideo "$work/first.rgba"
pixel() { od -An -tu1 -j $((($2 * 160 + $1) * 4)) -N4 "$work/first.rgba" | awk '{print ($1 > 200 ? "red" : "dark") "," ($4 < 16 ? "clear" : $4 > 240 ? "opaque" : "partial")}'; }
check "WebM canvas (2,2)" "dark,clear" "$(pixel 2 2)"
check "WebM box (64,28)" "red,opaque" "$(pixel 64 28)"

[ "$failures" -eq 0 ] || { echo "animation: $failures check(s) failed"; exit 1; }
echo "animation: all checks passed"
