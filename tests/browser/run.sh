#!/usr/bin/env bash
# The browser test: a headless host runs a scene in real time under Wine, its source starts
# the companion with HTTP on; Debian's Chromium, driven by playwright-core, sends a test gift
# through the companion's page and sees it on the page, changes the text's colour and size in
# the style editor and applies them (the host's frames show them within two frames), saves
# them (Plauditor.json holds them and every key it held), and reads the page in Chinese and
# English; the host's summary then shows that the plug-in took the line and the style from the
# scene's blocks. About 45 s.
#   bash tests/browser/run.sh [--screenshot FILE.png]
# Needs the build (scripts/setup.sh) and a Wine session (scripts/wine-session.sh) or none.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# What ships: the Microsoft-ABI host program and library, the release's plug-in and companion.
host_bin=$here/build/msabi/bin
release=$here/build/release/HollinVanto
screenshot=
if [ "${1:-}" = --screenshot ]; then screenshot=$(realpath -m "$2"); fi

work=$here/build/browser-test
mkdir -p "$work"
cp "$here/tests/browser/package.json" "$here/tests/browser/package-lock.json" "$here/tests/browser/browser_test.mjs" "$work/"
if ! cmp -s "$work/package-lock.json" "$work/node_modules/.package-lock.json.used" 2>/dev/null; then
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error >/dev/null && cp package-lock.json node_modules/.package-lock.json.used)
fi

run=$(mktemp -d "$work/run.XXXXXX")
trap 'rm -rf "$run"' EXIT
win() { winepath -w "$1" 2>/dev/null; }
port=$(node -e 'const s = require("net").createServer(); s.listen(0, "127.0.0.1", () => { console.log(s.address().port); s.close(); });')
scene="{5C0DE000-B0B0-4000-8000-0000000000$(printf '%02X' $((RANDOM % 256)))}"

host=$run/host
mkdir -p "$host/plugins/VantoPlauditor" "$host/shaders"
cp "$host_bin/headless_host.exe" "$host_bin/OBSApi.dll" "$host/"
cp "$host_bin/shaders/"* "$host/shaders/"
cp "$release/plugins/HollinVanto.dll" "$host/plugins/"
cp "$release/plugins/VantoPlauditor/Plauditor.exe" "$host/plugins/VantoPlauditor/"
cat > "$host/plugins/VantoPlauditor/Plauditor.json" <<JSON
{"httpPort": $port, "recentLines": 3, "streamerNote": {"kept": ["by", "every save"]},
 "style": {"font": "WenQuanYi Zen Hei", "fontSize": 40, "color": "#FFFFD700", "backgroundColor": "#FF400000",
           "backgroundOpacity": 80, "bold": true, "useOutline": true, "outlineColor": "#FF000000"}}
JSON
cat > "$run/scenes.json" <<JSON
{"scenes": {"Live": {"sources": {"sceneGuid": "$scene",
  "Thanks": {"class": "Hollin答谢水友插件(Vanto)", "x": 0.0, "y": 0.0, "cx": 800.0, "cy": 200.0,
             "data": {"guid": "{5C0DE000-B0B0-4000-8000-00000000BEEF}", "baseSizeCX": 800.0, "baseSizeCY": 200.0}}}}}}
JSON

"$here/scripts/wine-run.sh" "$host/headless_host.exe" --scenes "$(win "$run/scenes.json")" \
  --out "$(win "$run/out")" --frames 450 --fps 10 --realtime --size 800x200 --quiet &
host_pid=$!
status=0
(cd "$work" && node browser_test.mjs "$port" "$scene" "$run/out" "$host/plugins/VantoPlauditor/Plauditor.json" \
   $screenshot) || status=$?
wait "$host_pid" || { echo "browser test: the headless host failed"; exit 1; }
[ "$status" -eq 0 ] || exit "$status"
# The plug-in drew what the companion published for the scene.
if ! grep -q '"text": "[^"]*感谢 浏览器测试 送出的 3 个 火箭' "$run/out/summary.json"; then
  echo "browser test: the host's source does not show the test gift:"; grep '"text"' "$run/out/summary.json"; exit 1
fi
if ! grep -q '"fontSize": 64' "$run/out/summary.json" || ! grep -q '"color": -16711936' "$run/out/summary.json"; then
  echo "browser test: the host's source did not take the applied style:"; grep -E '"(fontSize|color)"' "$run/out/summary.json"; exit 1
fi
echo "browser test: passed (page in both languages, /state, the style editor, the plug-in's text and style)"
