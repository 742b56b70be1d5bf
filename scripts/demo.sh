#!/usr/bin/env bash
# The main job on built-in sample data. Two runs of the headless host, each from a host
# installation of its own under out/demo/ (the build tree stays untouched):
#   thanks/  a new thank-you source is configured, which starts the companion program;
#            sample gift events are posted to the companion's HTTP port one by one, as a
#            streaming tool would, and show up as thank-you lines, frame by frame
#            (PNG frames, thanks.gif and thanks.mp4, both made by ffmpeg);
#   ticker/  a producer publishes a long thank-you line with a scrolling style; the
#            line runs across a transparent picture and repeats (PNG frames and
#            ticker.webm, VP9 with alpha, for laying over a broadcast).
# At the end ffprobe reads both videos back and checks their frame counts and sizes.
# Everything runs under Wine 10 (scripts/wine10-session.sh), whose GDI+ draws alignment in
# extents and outlined lines as Windows does; Wine 8's would lose every outlined line but
# the first.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine10-session.sh
trap wine10_session_end EXIT

bin=$here/build/bin
# What ships: the Microsoft-ABI host program and library, and the release folder that a
# streamer unpacks into the host's folder (plug-in and companion).
host_bin=$here/build/msabi/bin
release=$here/build/release/HollinVanto
out=$here/out/demo
rm -rf "$out"
mkdir -p "$out"
win() { local path=${1//\//\\}; echo "Z:$path"; }  # Wine's Z: is the Unix root

# install_host DIR [with-companion]: host program, host library and shaders, then the
# release's plug-in (and companion) as a streamer installs them.
install_host() {
  mkdir -p "$1/plugins" "$1/shaders"
  cp "$host_bin/headless_host.exe" "$host_bin/OBSApi.dll" "$1/"
  cp "$host_bin/shaders/"* "$1/shaders/"
  cp "$release/plugins/HollinVanto.dll" "$1/plugins/"
  if [ "${2:-}" = with-companion ]; then
    mkdir -p "$1/plugins/VantoPlauditor"
    cp "$release/plugins/VantoPlauditor/Plauditor.exe" "$1/plugins/VantoPlauditor/"
    # The shipped settings as they are, the companion's HTTP port aside. Its black outline
    # shows on the lighter canvas the run below asks for.
    sed -e "s/\"httpPort\": [0-9]*/\"httpPort\": $http_base/" \
        "$release/plugins/VantoPlauditor/Plauditor.json" > "$1/plugins/VantoPlauditor/Plauditor.json"
    : > "$1/plugins/VantoPlauditor/events.jsonl"
  fi
}

echo "demo: thank-you lines from sample gift events posted over HTTP (about 15 s)"
# The companion serves on the first free port from this base (several demos may run at once).
http_base=$((20000 + RANDOM % 20000))
install_host "$out/thanks-host" with-companion
cp "$bin/samples/sample_scenes.json" "$out/thanks-scenes.json"
companion_log=$out/thanks-host/plugins/VantoPlauditor/Plauditor.log
(
  # The companion starts with the scene and says where it serves.
  port=
  for _ in $(seq 150); do
    port=$(sed -n 's/.*http: serving on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$companion_log" 2>/dev/null | tail -n 1 || true)
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "demo: the companion did not open its HTTP port"; exit 1; }
  echo "demo: the companion serves http://127.0.0.1:$port/ (its page), /state and POST /events"
  while IFS= read -r line; do
    answer=$(curl -sS -X POST "http://127.0.0.1:$port/events" --data-binary "$line") ||
      echo "demo: a gift was not posted"
    case $answer in *taken*) ;; *) echo "demo: the companion answered $answer" ;; esac
    sleep 0.7
  done < "$bin/plugins/VantoPlauditor/gift_events.jsonl"
  curl -sS "http://127.0.0.1:$port/state" > "$out/thanks-state.json" || true
) &
feeder=$!
wine10 wine64 "$out/thanks-host/headless_host.exe" \
  --scenes "$(win "$out/thanks-scenes.json")" --out "$(win "$out/thanks")" \
  --frames 450 --fps 30 --realtime --png-every 5 --size 1280x720 --background '#6F8FAF' \
  --gif "$(win "$out/thanks.gif")" --video "$(win "$out/thanks.mp4")"
wait "$feeder"

echo "demo: a scrolling thank-you ticker on a transparent canvas (about 8 s)"
install_host "$out/ticker-host"
scene_guid="{5C0DE000-DE30-4000-8000-00000000CAFE}"
cat > "$out/ticker-scenes.json" <<JSON
{"scenes": {"Ticker": {"sources": {"sceneGuid": "$scene_guid",
  "Ticker": {"class": "Hollin答谢水友插件(Vanto)", "x": 0.0, "y": 300.0, "cx": 1280.0, "cy": 80.0,
             "data": {"guid": "{5C0DE000-DE30-4000-8000-00000000BEEF}",
                      "baseSizeCX": 1280.0, "baseSizeCY": 80.0}}}}}}
JSON
cat > "$out/ticker.script" <<'SCRIPT'
# fontSize color textOpacity scrollSpeed backgroundColor backgroundOpacity bold italic underline
# vertical pointFiltering useOutline outlineColor outlineSize outlineOpacity useTextExtents
# extentWidth extentHeight wrap scrollMode align
style 7001 "WenQuanYi Zen Hei" 56 0xFFFFD700 100 160 0xFF400000 70 1 0 0 0 0 1 0xFF000000 2 100 0 0 0 0 0 0
text 7002 0 "感谢 小明 送出的 10 个 火箭    感谢 Alice 送出的 99 朵 鲜花    Thanks Bob for 520 小心心    "
SCRIPT
wine10 wine64 "$bin/plauditor_publish.exe" --scene "$scene_guid" \
  --script "$(win "$out/ticker.script")" --ready-file "$(win "$out/ticker.ready")" &
for _ in $(seq 100); do [ -f "$out/ticker.ready" ] && break; sleep 0.1; done
wine10 wine64 "$out/ticker-host/headless_host.exe" \
  --scenes "$(win "$out/ticker-scenes.json")" --out "$(win "$out/ticker")" \
  --frames 240 --fps 30 --png-every 3 --size 1280x720 --background transparent \
  --video "$(win "$out/ticker.webm")"
# The publisher serves until the session's end stops every program in it.

# ffprobe reads the videos back: codec, size and frame count as the host was asked.
verify() {  # verify FILE EXPECTED
  local got
  got=$(ffprobe -v error -count_frames -select_streams v:0 \
        -show_entries stream=codec_name,width,height,nb_read_frames:stream_tags=alpha_mode -of csv=p=0 "$1")
  echo "demo: ffprobe $(basename "$1"): $got"
  [ "$got" = "$2" ] || { echo "demo: expected $2"; exit 1; }
}
verify "$out/thanks.mp4" "h264,1280,720,450"
verify "$out/ticker.webm" "vp9,1280,720,240,1"
verify "$out/thanks.gif" "gif,1280,720,90"

echo "demo: done. Look at out/demo/thanks.gif, out/demo/thanks.mp4, out/demo/ticker.webm"
echo "      (transparent), the PNG frames in out/demo/thanks/ and out/demo/ticker/,"
echo "      out/demo/*/summary.json and out/demo/thanks-state.json (the companion's GET /state)."
echo "      The release a streamer installs: $(ls "$here"/build/release/HollinVanto-*-win64.zip)"
