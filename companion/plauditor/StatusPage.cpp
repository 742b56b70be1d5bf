#include "companion/plauditor/StatusPage.h"

namespace {

// Names from viewers reach the page only through textContent, never as markup.
constexpr std::string_view kPage = R"PAGE(<!doctype html>
<html lang="zh">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Plauditor</title>
<style>
  body { font-family: sans-serif; margin: 1.5rem; background: #f3f3f3; color: #222; }
  h1 { font-size: 1.2rem; margin: 0 0 .2rem; }
  .meta { color: #666; font-size: .85rem; margin-bottom: 1rem; }
  #screen { padding: .6rem 1rem; min-height: 3rem; border-radius: 6px; overflow: hidden;
            background-image: linear-gradient(45deg, #ccc 25%, transparent 25%),
              linear-gradient(-45deg, #ccc 25%, transparent 25%),
              linear-gradient(45deg, transparent 75%, #ccc 75%),
              linear-gradient(-45deg, transparent 75%, #ccc 75%);
            background-size: 16px 16px; background-color: #eee; }
  #lines { padding: .3rem .5rem; white-space: pre; }
  #lines .empty { font-style: italic; opacity: .6; }
  form { margin-top: 1.2rem; display: flex; gap: .5rem; flex-wrap: wrap; align-items: end; }
  label { display: flex; flex-direction: column; font-size: .8rem; color: #555; }
  input { font-size: 1rem; padding: .3rem; }
  input[type=number] { width: 5rem; }
  button { font-size: 1rem; padding: .4rem .9rem; }
  #result { margin-top: .6rem; min-height: 1.2rem; font-size: .9rem; }
  #result.bad { color: #b00020; }
</style>
</head>
<body>
<h1>Plauditor</h1>
<div class="meta">scene <span id="scene">…</span> · events taken <span id="taken">0</span>,
  refused <span id="refused">0</span></div>
<div id="screen"><div id="lines"><div class="empty">no thank-you line yet</div></div></div>
<form id="gift">
  <label>user <input id="user" name="user" value="小明" maxlength="64"></label>
  <label>gift <input id="giftName" name="gift" value="火箭" maxlength="64"></label>
  <label>count <input id="count" name="count" type="number" min="1" value="1"></label>
  <button id="send" type="submit">Send a test gift</button>
</form>
<div id="result"></div>
<script>
"use strict";
const $ = (id) => document.getElementById(id);

// "#AARRGGBB" and an opacity in percent to a CSS colour.
function rgba(colour, percent) {
  const value = parseInt(String(colour).slice(1), 16) >>> 0;
  const alpha = ((value >>> 24) / 255) * (percent === undefined ? 1 : percent / 100);
  return "rgba(" + ((value >>> 16) & 255) + "," + ((value >>> 8) & 255) + "," + (value & 255) + "," +
         alpha.toFixed(3) + ")";
}

function showStyle(style) {
  const lines = $("lines");
  lines.style.fontFamily = JSON.stringify(style.font) + ", sans-serif";
  lines.style.fontSize = Math.max(10, Math.min(style.fontSize, 64)) + "px";
  lines.style.color = rgba(style.color, style.textOpacity);
  lines.style.backgroundColor = rgba(style.backgroundColor, style.backgroundOpacity);
  lines.style.fontWeight = style.bold ? "bold" : "normal";
  lines.style.fontStyle = style.italic ? "italic" : "normal";
  lines.style.textDecoration = style.underline ? "underline" : "none";
  lines.style.textAlign = ["left", "center", "right"][style.align] || "left";
  lines.style.webkitTextStroke = style.useOutline
      ? Math.min(style.outlineSize, 8) + "px " + rgba(style.outlineColor, style.outlineOpacity) : "";
  lines.style.paintOrder = "stroke fill";
}

function showLines(texts) {
  const lines = $("lines");
  lines.replaceChildren();
  for (const text of texts) {
    const line = document.createElement("div");
    line.className = "line";
    line.textContent = text;
    lines.appendChild(line);
  }
  if (texts.length === 0) {
    const empty = document.createElement("div");
    empty.className = "empty";
    empty.textContent = "no thank-you line yet";
    lines.appendChild(empty);
  }
}

async function refresh() {
  try {
    const answer = await fetch("/state", { cache: "no-store" });
    const state = await answer.json();
    $("scene").textContent = state.scene;
    $("taken").textContent = state.events.taken;
    $("refused").textContent = state.events.refused;
    showStyle(state.style);
    showLines(state.lines);
  } catch (e) {
    $("scene").textContent = "(companion not answering)";
  }
}

$("gift").addEventListener("submit", async (event) => {
  event.preventDefault();
  const result = $("result");
  const gift = { user: $("user").value, gift: $("giftName").value, count: Number($("count").value) };
  try {
    const answer = await fetch("/events", {
      method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(gift) });
    const reply = await answer.json();
    result.className = answer.ok ? "" : "bad";
    result.textContent = answer.ok ? "sent: taken " + reply.taken : answer.status + ": " + reply.error;
  } catch (e) {
    result.className = "bad";
    result.textContent = "not sent: " + e;
  }
  refresh();
});

refresh();
setInterval(refresh, 1000);
</script>
</body>
</html>
)PAGE";

} // namespace

std::string_view StatusPageHtml() { return kPage; }
