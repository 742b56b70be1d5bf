#include "companion/plauditor/StatusPage.h"

#include "companion/plauditor/GiftRules.h"
#include "companion/plauditor/Settings.h"

#include <nlohmann/json.hpp>

namespace {

// Names from viewers reach the page only through textContent and input values, never as
// markup. "{{key}}" is a word from the page's string table.
constexpr std::string_view kPage = R"PAGE(<!doctype html>
<html lang="{{lang}}">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{{title}}</title>
<style>
  body { font-family: sans-serif; margin: 1.2rem; background: #f3f3f3; color: #222; max-width: 60rem; }
  h1 { font-size: 1.2rem; margin: 0 0 .2rem; }
  h2 { font-size: 1rem; margin: 1.4rem 0 .4rem; }
  .meta { color: #666; font-size: .85rem; margin-bottom: .8rem; }
  #screen { padding: .6rem 1rem; min-height: 3rem; border-radius: 6px; overflow: hidden;
            background-image: linear-gradient(45deg, #ccc 25%, transparent 25%),
              linear-gradient(-45deg, #ccc 25%, transparent 25%),
              linear-gradient(45deg, transparent 75%, #ccc 75%),
              linear-gradient(-45deg, transparent 75%, #ccc 75%);
            background-size: 16px 16px; background-color: #eee; }
  #lines { padding: .3rem .5rem; white-space: pre; display: flex; flex-direction: column; overflow: hidden;
           max-width: 100%; box-sizing: border-box; }
  #lines .empty { font-style: italic; opacity: .6; }
  form, .row { display: flex; gap: .5rem; flex-wrap: wrap; align-items: end; }
  label { display: flex; flex-direction: column; font-size: .8rem; color: #555; }
  label.flag { flex-direction: row; align-items: center; gap: .3rem; font-size: .9rem; color: #222; }
  input, select { font-size: .95rem; padding: .25rem; }
  input[type=number] { width: 6rem; }
  input[type=color] { width: 3.5rem; height: 2rem; padding: 0; }
  fieldset { border: 1px solid #ccc; border-radius: 6px; margin: .5rem 0; padding: .4rem .8rem .7rem; }
  legend { font-weight: bold; font-size: .9rem; }
  button { font-size: .95rem; padding: .35rem .9rem; }
  .result { margin-top: .5rem; min-height: 1.2rem; font-size: .9rem; }
  .result.bad { color: #b00020; }
  .note { color: #666; font-size: .8rem; margin: .3rem 0; }
  #gifts td { padding: .15rem .3rem 0 0; }
  #gifts input.template { width: 22rem; }
</style>
</head>
<body>
<h1>{{title}}</h1>
<div class="meta">{{scene}} <span id="scene">…</span> · {{taken}} <span id="taken">0</span>
  ({{hidden}} <span id="hidden">0</span>) · {{refused}} <span id="refused">0</span></div>
<div id="screen"><div id="lines"><div class="empty">{{noLine}}</div></div></div>
<form id="gift">
  <label>{{user}} <input id="user" name="user" value="小明" maxlength="64"></label>
  <label>{{gift}} <input id="giftName" name="gift" value="火箭" maxlength="64"></label>
  <label>{{count}} <input id="count" name="count" type="number" min="1" value="1"></label>
  <button id="send" type="submit">{{testGift}}</button>
</form>
<div id="result" class="result"></div>

<h2>{{styleTitle}}</h2>
<p class="note">{{previewNote}}</p>
<fieldset><legend>{{groupText}}</legend><div class="row">
  <label>{{font}} <select id="s-font"></select></label>
  <label>{{fontSize}} <input id="s-fontSize" type="number"></label>
  <label>{{color}} <input id="s-color" type="color"></label>
  <label>{{textOpacity}} <input id="s-textOpacity" type="number"></label>
  <label class="flag"><input id="s-bold" type="checkbox"> {{bold}}</label>
  <label class="flag"><input id="s-italic" type="checkbox"> {{italic}}</label>
  <label class="flag"><input id="s-underline" type="checkbox"> {{underline}}</label>
</div></fieldset>
<fieldset><legend>{{groupOutline}}</legend><div class="row">
  <label class="flag"><input id="s-useOutline" type="checkbox"> {{useOutline}}</label>
  <label>{{outlineColor}} <input id="s-outlineColor" type="color"></label>
  <label>{{outlineSize}} <input id="s-outlineSize" type="number"></label>
  <label>{{outlineOpacity}} <input id="s-outlineOpacity" type="number"></label>
</div></fieldset>
<fieldset><legend>{{groupBackground}}</legend><div class="row">
  <label>{{backgroundColor}} <input id="s-backgroundColor" type="color"></label>
  <label>{{backgroundOpacity}} <input id="s-backgroundOpacity" type="number"></label>
</div></fieldset>
<fieldset><legend>{{groupBox}}</legend><div class="row">
  <label class="flag"><input id="s-useTextExtents" type="checkbox"> {{useTextExtents}}</label>
  <label>{{extentWidth}} <input id="s-extentWidth" type="number"></label>
  <label>{{extentHeight}} <input id="s-extentHeight" type="number"></label>
  <label class="flag"><input id="s-wrap" type="checkbox"> {{wrap}}</label>
  <label class="flag"><input id="s-scrollMode" type="checkbox"> {{scrollMode}}</label>
  <label>{{align}} <select id="s-align"><option value="0">{{alignLeft}}</option>
    <option value="1">{{alignCenter}}</option><option value="2">{{alignRight}}</option></select></label>
  <label class="flag"><input id="s-vertical" type="checkbox"> {{vertical}}</label>
</div></fieldset>
<fieldset><legend>{{groupMotion}}</legend><div class="row">
  <label>{{scrollSpeed}} <input id="s-scrollSpeed" type="number"></label>
  <label class="flag"><input id="s-pointFiltering" type="checkbox"> {{pointFiltering}}</label>
</div></fieldset>
<div class="row"><button id="style-apply">{{apply}}</button><button id="style-save">{{save}}</button></div>
<div id="style-result" class="result"></div>

<h2>{{rulesTitle}}</h2>
<div class="row">
  <label>{{comboSeconds}} <input id="r-comboSeconds" type="number" min="0" step="0.5"></label>
  <label>{{lineSeconds}} <input id="r-lineSeconds" type="number" min="0" step="1"></label>
  <label>{{minCount}} <input id="r-minCount" type="number" min="1" step="1"></label>
</div>
<p class="note">{{templateHelp}}</p>
<table><thead><tr><th>{{giftName}}</th><th>{{giftTemplate}}</th><th>{{giftMin}}</th><th></th></tr></thead>
  <tbody id="gifts"></tbody></table>
<div class="row"><button id="gift-add">{{addGift}}</button>
  <button id="rules-apply">{{apply}}</button><button id="rules-save">{{save}}</button></div>
<div id="rules-result" class="result"></div>
<script>
"use strict";
const T = {{strings}};
// Every style value with its kind and, for whole numbers, the range the settings file keeps.
const STYLE = {{styleKeys}};
const RULES = {{ruleLimits}};
const $ = (id) => document.getElementById(id);
const alphas = {};  // colours keep the alpha byte they came with; opacity is its own value
let loaded = false;

// "#AARRGGBB" and an opacity in percent to a CSS colour.
function rgba(colour, percent) {
  const value = parseInt(String(colour).slice(1), 16) >>> 0;
  const alpha = ((value >>> 24) / 255) * (percent === undefined ? 1 : percent / 100);
  return "rgba(" + ((value >>> 16) & 255) + "," + ((value >>> 8) & 255) + "," + (value & 255) + "," +
         alpha.toFixed(3) + ")";
}

function clampInput(input, low, high, whole) {
  let value = Number(input.value);
  if (input.value === "" || !Number.isFinite(value)) value = Number(input.dataset.last || low);
  value = Math.min(high, Math.max(low, whole ? Math.round(value) : value));
  input.value = input.dataset.last = value;
  return value;
}

function editorStyle() {
  const style = { font: $("s-font").value };
  for (const { key, kind, low, high } of STYLE) {
    const input = $("s-" + key);
    if (kind === "flag") style[key] = input.checked;
    else if (kind === "colour") style[key] = "#" + (alphas[key] || "FF") + input.value.slice(1).toUpperCase();
    else style[key] = clampInput(input, low, high, true);
  }
  return style;
}

function fillEditor(style) {
  const fonts = $("s-font");
  if (![...fonts.options].some((option) => option.value === style.font)) fonts.add(new Option(style.font, style.font), 0);
  fonts.value = style.font;
  for (const { key, kind } of STYLE) {
    const input = $("s-" + key);
    if (kind === "flag") input.checked = style[key];
    else if (kind === "colour") { alphas[key] = style[key].slice(1, 3); input.value = "#" + style[key].slice(3).toLowerCase(); }
    else input.value = input.dataset.last = style[key];
  }
  showStyle(style);
}

// The preview: sizes scaled to at most 64 px, the box with them.
function showStyle(style) {
  const lines = $("lines");
  const scale = Math.min(1, 64 / Math.max(style.fontSize, 1));
  lines.style.fontFamily = JSON.stringify(style.font) + ", sans-serif";
  lines.style.fontSize = Math.max(6, style.fontSize * scale) + "px";
  lines.style.color = rgba(style.color, style.textOpacity);
  lines.style.backgroundColor = rgba(style.backgroundColor, style.backgroundOpacity);
  lines.style.fontWeight = style.bold ? "bold" : "normal";
  lines.style.fontStyle = style.italic ? "italic" : "normal";
  lines.style.textDecoration = style.underline ? "underline" : "none";
  lines.style.textAlign = ["left", "center", "right"][style.align] || "left";
  lines.style.webkitTextStroke = style.useOutline
      ? Math.min(style.outlineSize * scale, 8) + "px " + rgba(style.outlineColor, style.outlineOpacity) : "";
  lines.style.paintOrder = "stroke fill";
  lines.style.writingMode = style.vertical ? "vertical-rl" : "";
  lines.style.whiteSpace = style.wrap ? "pre-wrap" : "pre";
  lines.style.justifyContent = style.scrollMode ? "flex-end" : "flex-start";
  const box = style.useTextExtents;
  lines.style.width = box ? style.extentWidth * scale + "px" : "";
  lines.style.height = box ? style.extentHeight * scale + "px" : "";
  lines.style.imageRendering = style.pointFiltering ? "pixelated" : "";
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
    empty.textContent = T.noLine;
    lines.appendChild(empty);
  }
}

function addGiftRow(name, rule) {
  const row = document.createElement("tr");
  const cell = (input) => { const td = document.createElement("td"); td.appendChild(input); row.appendChild(td); return input; };
  const text = (value, cls) => { const input = document.createElement("input"); input.value = value; input.className = cls; return input; };
  cell(text(name, "name"));
  cell(text(rule.template || "", "template"));
  const min = cell(text(rule.minCount || "", "min"));
  min.type = "number"; min.min = 1;
  const remove = cell(document.createElement("button"));
  remove.textContent = T.remove;
  remove.addEventListener("click", () => row.remove());
  $("gifts").appendChild(row);
}

function fillRules(rules) {
  $("r-comboSeconds").value = rules.comboSeconds;
  $("r-lineSeconds").value = rules.lineSeconds;
  $("r-minCount").value = rules.minCount;
  $("gifts").replaceChildren();
  for (const [name, rule] of Object.entries(rules.gifts)) addGiftRow(name, rule);
}

function editorRules() {
  const gifts = {};
  for (const row of $("gifts").rows) {
    const name = row.querySelector(".name").value.trim();
    if (!name) continue;
    const rule = {};
    const template = row.querySelector(".template").value;
    const min = row.querySelector(".min");
    if (template.trim()) rule.template = template;
    if (min.value !== "") rule.minCount = clampInput(min, 1, 1e15, true);
    gifts[name] = rule;
  }
  return {
    comboSeconds: clampInput($("r-comboSeconds"), 0, RULES.comboSeconds, false),
    lineSeconds: clampInput($("r-lineSeconds"), 0, RULES.lineSeconds, false),
    minCount: clampInput($("r-minCount"), 1, 1e15, true),
    gifts,
  };
}

async function refresh() {
  try {
    const answer = await fetch("/state", { cache: "no-store" });
    const state = await answer.json();
    $("scene").textContent = state.scene;
    $("taken").textContent = state.events.taken;
    $("hidden").textContent = state.events.hidden;
    $("refused").textContent = state.events.refused;
    if (!loaded) {
      loaded = true;
      fillEditor(state.style);
      fillRules(state.rules);
    }
    showLines(state.lines);
  } catch (e) {
    $("scene").textContent = T.notAnswering;
  }
}

async function loadFonts() {
  try {
    const fonts = await (await fetch("/fonts")).json();
    const select = $("s-font");
    const current = select.value;
    for (const name of fonts.fonts)
      if (name !== current) select.add(new Option(name, name));
  } catch (e) {}
}

// POST path (with ?save=1 to keep it), the outcome shown under the buttons.
async function send(path, body, save, resultId) {
  const result = $(resultId);
  try {
    const answer = await fetch(path + (save ? "?save=1" : ""), {
      method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(body) });
    const reply = await answer.json().catch(() => ({}));
    result.className = answer.ok ? "result" : "result bad";
    result.textContent = answer.ok ? (save ? T.saved : T.applied) : T.failed + (reply.error || answer.status);
  } catch (e) {
    result.className = "result bad";
    result.textContent = T.failed + e;
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
    result.className = answer.ok ? "result" : "result bad";
    result.textContent = answer.ok ? T.sent + reply.taken : answer.status + ": " + reply.error;
  } catch (e) {
    result.className = "result bad";
    result.textContent = T.notSent + e;
  }
  refresh();
});

for (const element of document.querySelectorAll("[id^=s-]")) {
  element.addEventListener("input", () => showStyle(editorStyle()));
  element.addEventListener("change", () => showStyle(editorStyle()));
}
$("style-apply").addEventListener("click", () => send("/style", editorStyle(), false, "style-result"));
$("style-save").addEventListener("click", () => send("/style", editorStyle(), true, "style-result"));
$("rules-apply").addEventListener("click", () => send("/rules", editorRules(), false, "rules-result"));
$("rules-save").addEventListener("click", () => send("/rules", editorRules(), true, "rules-result"));
$("gift-add").addEventListener("click", () => addGiftRow("", {}));

refresh().then(loadFonts);
setInterval(refresh, 1000);
</script>
</body>
</html>
)PAGE";

std::string Replaced(std::string page, std::string_view token, const std::string &with)
{
    const std::size_t at = page.find(token);
    return at == std::string::npos ? page : page.replace(at, token.size(), with);
}

} // namespace

std::string StatusPageHtml(PageLanguage language)
{
    nlohmann::json keys = nlohmann::json::array();
    for (const StyleValue &value : kStyleValues) {
        const StyleKind kind = value.kind;
        keys.push_back({{"key", value.name},
                        {"kind", kind == StyleKind::Flag ? "flag" : kind == StyleKind::Colour ? "colour" : "integer"},
                        {"low", value.low},
                        {"high", value.high}});
    }
    const nlohmann::json limits = {{"comboSeconds", kMaxComboSeconds}, {"lineSeconds", kMaxLineSeconds}};
    std::string page = LocalisePage(kPage, language);
    page = Replaced(std::move(page), "{{styleKeys}}", keys.dump());
    return Replaced(std::move(page), "{{ruleLimits}}", limits.dump());
}
