#!/usr/bin/env bash
# The main job on built-in sample data. Two runs of the headless host, each from a host
# installation of its own under out/demo/ (the build tree stays untouched):
#   thanks/  a new thank-you source is configured, which starts the companion program;
#            sample gift events are appended to the companion's event file one by one
#            and show up as thank-you lines, frame by frame (PNG frames + thanks.gif);
#   ticker/  a producer publishes a long thank-you line with a scrolling style; the
#            line runs across the picture and repeats (PNG frames + ticker.gif).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-session.sh
trap wine_session_end EXIT

bin=$here/build/bin
# What ships: the Microsoft-ABI host program and library, and the release folder that a
# streamer unpacks into the host's folder (plug-in and companion).
host_bin=$here/build/msabi/bin
release=$here/build/release/HollinVanto
out=$here/out/demo
rm -rf "$out"
mkdir -p "$out"
win() { winepath -w "$1" 2>/dev/null; }

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
    # The shipped settings name a Windows font; here the CJK font is WenQuanYi Zen Hei.
    # Lines sit in a 1200x180 box, newest at the bottom, older ones leaving at the top.
    # Wine's GDI+ loses the later lines of outlined multi-line text, so the demo uses a
    # half-opaque background instead of an outline.
    sed -e 's/"Microsoft YaHei"/"WenQuanYi Zen Hei"/' -e 's/"useOutline": true/"useOutline": false/' \
        -e 's/"backgroundOpacity": 0/"backgroundOpacity": 55/' \
        -e 's/"useTextExtents": false/"useTextExtents": true/' -e 's/"wrap": false/"wrap": true/' \
        -e 's/"scrollMode": false/"scrollMode": true/' -e 's/"extentWidth": 0/"extentWidth": 1200/' \
        -e 's/"extentHeight": 0/"extentHeight": 180/' \
        "$release/plugins/VantoPlauditor/Plauditor.json" > "$1/plugins/VantoPlauditor/Plauditor.json"
    : > "$1/plugins/VantoPlauditor/events.jsonl"
  fi
}

echo "demo: thank-you lines from sample gift events (about 15 s)"
install_host "$out/thanks-host" with-companion
cp "$bin/samples/sample_scenes.json" "$out/thanks-scenes.json"
events=$out/thanks-host/plugins/VantoPlauditor/events.jsonl
(
  sleep 3
  while IFS= read -r line; do
    printf '%s\n' "$line" >> "$events"
    sleep 0.7
  done < "$bin/plugins/VantoPlauditor/gift_events.jsonl"
) &
feeder=$!
scripts/wine-run.sh "$out/thanks-host/headless_host.exe" \
  --scenes "$(win "$out/thanks-scenes.json")" --out "$(win "$out/thanks")" \
  --frames 450 --fps 30 --realtime --png-every 5 --size 1280x720 --gif "$(win "$out/thanks.gif")"
wait "$feeder" 2>/dev/null || true

echo "demo: a scrolling thank-you ticker (about 8 s)"
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
scripts/wine-run.sh "$bin/plauditor_publish.exe" --scene "$scene_guid" \
  --script "$(win "$out/ticker.script")" --ready-file "$(win "$out/ticker.ready")" &
publisher=$!
for _ in $(seq 100); do [ -f "$out/ticker.ready" ] && break; sleep 0.1; done
scripts/wine-run.sh "$out/ticker-host/headless_host.exe" \
  --scenes "$(win "$out/ticker-scenes.json")" --out "$(win "$out/ticker")" \
  --frames 240 --fps 30 --png-every 3 --size 1280x720 --gif "$(win "$out/ticker.gif")"
kill "$publisher" 2>/dev/null || true

echo "demo: done. Look at out/demo/thanks.gif, out/demo/ticker.gif, the PNG frames in"
echo "      out/demo/thanks/ and out/demo/ticker/, and out/demo/*/summary.json."
echo "      The release a streamer installs: $(ls "$here"/build/release/HollinVanto-*-win64.zip)"
