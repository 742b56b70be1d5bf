#!/usr/bin/env bash
# Writes seeds that go deep or long, near the companion's 64 KiB input limit, into $1/<target>/:
# nesting, long strings and many keys or lines, where recursion and quadratic work show.
set -euo pipefail
out=$1

repeat() { S=$1 awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) printf "%s", ENVIRON["S"] }'; }
numbered() { S=$1 awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) { s = ENVIRON["S"]; gsub("N", i, s); printf "%s%s", (i ? "," : ""), s } }'; }
seed() { mkdir -p "$out/$1"; cat >"$out/$1/$2"; }

nested=$(repeat '[' 20000; repeat ']' 20000)
objects=$(repeat '{"a":' 10000; printf 1; repeat '}' 10000)
for target in event_line event_body; do
  printf '{"user":"a","gift":"b","count":%s}' "$nested" | seed $target nested_count
  printf '{"user":%s}' "$objects" | seed $target nested_user
  printf '{"user":"%s","gift":"%s"}' "$(repeat x 30000)" "$(repeat '\u4e2d' 5000)" | seed $target long_names
  printf '{%s}' "$(numbered '"kN":N' 5000)" | seed $target many_keys
done
printf '[%s]' "$(numbered '{"user":"N"}' 500)" | seed event_body most_events
printf '[%s]' "$(numbered '{"count":N}' 501)" | seed event_body one_event_too_many

printf '{"style":{"fontSize":%s}}' "$nested" | seed settings nested_style_value
printf '{"httpScenePorts":{"{A}":%s}}' "$objects" | seed settings nested_scene_port
printf '{"template":"%s","style":{"font":"%s"}}' "$(repeat '{user}' 8000)" "$(repeat 'y' 9000)" | seed settings long_texts
printf '{"style":{%s},"httpScenePorts":{%s}}' "$(numbered '"kN":N' 2500)" "$(numbered '"{N}":N' 2500)" | seed settings many_keys

printf '{"fontSize":%s}' "$nested" | seed style_body nested_value
printf '{"font":"%s",%s}' "$(repeat '\u00e9' 8000)" "$(numbered '"kN":N' 1000)" | seed style_body long_font_many_keys

printf '{"scenes":{"s":%s}}' "$(repeat '{"a":' 250; printf 1; repeat '}' 250)" | seed scene_collection nested_elements
printf '{"scenes":{"s":{"sources":{%s}}}}' "$(numbered '"N":{"class":"c","data":{"v":N}}' 600)" | seed scene_collection many_sources
printf '{"scenes":{"s":{"sources":{"t":{"class":"%s"}}}}}' "$(repeat '\u00e9' 10000)" | seed scene_collection long_class

printf 'text-block %s\n' "$(repeat 'z' 60000)" | seed publish_script long_raw_block
{ repeat $'wait 1\n' 9000; printf 'text 1 0 a\n'; } | seed publish_script many_lines
printf 'text 1 0 %s\n' "$(repeat '"q\"" ' 9000)" | seed publish_script many_quoted_arguments
