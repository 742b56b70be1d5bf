// Drives the companion's page in Debian's Chromium: the page shows the scene, a test gift
// sent through its form comes back as a thank-you line on the page and in GET /state; a
// colour and size changed in the style editor and applied are in the host's frames within
// two frames; saved, they are in Plauditor.json beside every key it held; the page speaks
// Chinese or English by Accept-Language.
// Usage: node browser_test.mjs PORT SCENE FRAMES_DIR SETTINGS_FILE [SCREENSHOT.png]
import { chromium } from "playwright-core";
import { existsSync, readFileSync, readdirSync } from "node:fs";

const [basePort, scene, framesDir, settingsFile, screenshot] = process.argv.slice(2);
const expected = "感谢 浏览器测试 送出的 3 个 火箭";
let base = "";

function fail(message) {
  console.error(`browser test: ${message}`);
  process.exit(1);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function state(origin = base) {
  const answer = await fetch(`${origin}/state`);
  return answer.json();
}

function newestFrame() {
  let newest = -1;
  for (const name of existsSync(framesDir) ? readdirSync(framesDir) : [])
    if (/^frame_\d+\.png$/.test(name)) newest = Math.max(newest, Number(name.slice(6, -4)));
  return newest;
}

const framePath = (index) => `${framesDir}/frame_${String(index).padStart(5, "0")}.png`;

// Rows spanned by pixels near rgb in a frame (decoded by the browser), and their number.
async function measure(page, index, [r, g, b]) {
  while (!existsSync(framePath(index + 1))) await sleep(50);  // the next one begun: this one is whole
  const data = readFileSync(framePath(index)).toString("base64");
  return page.evaluate(async ({ data, r, g, b }) => {
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob());
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext("2d");
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    let count = 0, top = image.height, bottom = -1;
    for (let i = 0; i < pixels.length; i += 4) {
      if (Math.abs(pixels[i] - r) + Math.abs(pixels[i + 1] - g) + Math.abs(pixels[i + 2] - b) > 60) continue;
      const y = Math.floor(i / 4 / image.width);
      ++count; top = Math.min(top, y); bottom = Math.max(bottom, y);
    }
    return { count, rows: bottom - top + 1 };
  }, { data, r, g, b });
}

// The companion starts with the scene (give Wine a while) on the first free port from the
// base, which is the base itself unless something took it meanwhile.
const deadline = Date.now() + 40000;
while (!base) {
  for (let port = Number(basePort); port < Number(basePort) + 16 && !base; ++port) {
    try {
      if ((await state(`http://127.0.0.1:${port}`)).scene === scene) base = `http://127.0.0.1:${port}`;
    } catch {}
  }
  if (base) break;
  if (Date.now() > deadline) fail(`no companion of ${scene} answering from port ${basePort}`);
  await sleep(250);
}
const settingsBefore = JSON.parse(readFileSync(settingsFile, "utf8"));

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
try {
  for (const [locale, words] of [["zh-CN", ["发送测试礼物", "描边", "应用并保存"]], ["en-GB", ["Send a test gift", "Outline", "Apply and save"]]]) {
    const context = await browser.newContext({ locale });
    const page = await context.newPage();
    await page.goto(`${base}/`);
    const text = await page.locator("body").innerText();
    for (const word of words) if (!text.includes(word)) fail(`the page for ${locale} lacks "${word}"`);
    await context.close();
  }

  const context = await browser.newContext({ locale: "en-US", viewport: { width: 820, height: 1100 } });
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push(String(error)));
  await page.goto(`${base}/`);
  await page.locator("#scene", { hasText: scene }).waitFor({ timeout: 10000 });

  await page.fill("#user", "浏览器测试");
  await page.fill("#giftName", "火箭");
  await page.fill("#count", "3");
  await page.click("#send");
  await page.locator("#result", { hasText: "sent: taken 1" }).waitFor({ timeout: 10000 });
  await page.locator("#lines .line", { hasText: expected }).waitFor({ timeout: 10000 });

  const shown = await state();
  if (!shown.lines.includes(expected)) fail(`GET /state lines ${JSON.stringify(shown.lines)} lack the test gift`);
  if (shown.events.taken !== 1) fail(`GET /state counts ${shown.events.taken} events taken, not 1`);
  const font = await page.locator("#lines").evaluate((element) => getComputedStyle(element).fontFamily);
  if (!font.includes(shown.style.font)) fail(`the lines are not in the scene's font ${shown.style.font}: ${font}`);
  const fonts = await (await fetch(`${base}/fonts`)).json();
  if (!fonts.fonts.includes("WenQuanYi Zen Hei")) fail(`GET /fonts lacks WenQuanYi Zen Hei: ${fonts.fonts.length} fonts`);

  // Gold text at 40 becomes green at 64; the preview follows before anything is applied.
  while (newestFrame() < 2) await sleep(100);
  const gold = await measure(page, newestFrame(), [255, 215, 0]);
  await page.fill("#s-color", "#00ff00");
  await page.fill("#s-fontSize", "64");
  await page.locator("#s-fontSize").dispatchEvent("change");
  const preview = await page.locator("#lines").evaluate((element) => getComputedStyle(element).color);
  if (preview !== "rgb(0, 255, 0)") fail(`the preview did not follow the colour: ${preview}`);
  const before = newestFrame();
  await page.click("#style-apply");
  await page.locator("#style-result", { hasText: "Applied to the picture" }).waitFor({ timeout: 10000 });
  const answered = newestFrame();
  const earlier = await measure(page, before, [0, 255, 0]);
  const next = await measure(page, answered + 2, [0, 255, 0]);
  if (gold.count < 200 || earlier.count !== 0) fail(`before Apply: ${gold.count} gold pixels, ${earlier.count} green`);
  if (next.count < 300) fail(`frame ${answered + 2}, two after Apply's answer, has ${next.count} green pixels`);
  if (next.rows < gold.rows * 1.4) fail(`the text grew from ${gold.rows} to only ${next.rows} rows at size 64`);
  if (JSON.stringify(JSON.parse(readFileSync(settingsFile, "utf8"))) !== JSON.stringify(settingsBefore))
    fail("Apply alone changed Plauditor.json");

  await page.click("#style-save");
  await page.locator("#style-result", { hasText: "Applied and saved to Plauditor.json" }).waitFor({ timeout: 10000 });
  const saved = JSON.parse(readFileSync(settingsFile, "utf8"));
  if (saved.style.color !== "#FF00FF00" || saved.style.fontSize !== 64)
    fail(`Plauditor.json holds ${saved.style.color} at ${saved.style.fontSize}, not #FF00FF00 at 64`);
  for (const [key, value] of Object.entries(settingsBefore))
    if (key !== "style" && JSON.stringify(saved[key]) !== JSON.stringify(value)) fail(`Save lost or changed ${key}`);
  for (const key of Object.keys(settingsBefore.style)) if (!(key in saved.style)) fail(`Save lost style.${key}`);

  // Refused whole, with the key and the fault.
  const refused = await fetch(`${base}/style`, { method: "POST", body: JSON.stringify({ color: "#FF0000", fontSize: 0 }) });
  const reason = (await refused.json()).error;
  if (refused.status !== 400 || reason !== "style.fontSize: 0 is outside 1 to 2000") fail(`bad style answered ${refused.status} ${reason}`);
  if ((await state()).style.color !== "#FF00FF00") fail("a refused style changed the colour");
  if (problems.length) fail(`the page threw: ${problems.join("; ")}`);

  if (screenshot) {
    for (const gift of [{ user: "Alice", gift: "鲜花", count: 99 }, { user: "小红", gift: "小心心", count: 520 }]) {
      await fetch(`${base}/events`, { method: "POST", body: JSON.stringify(gift) });
    }
    await fetch(`${base}/rules`, { method: "POST", body: JSON.stringify({
      comboSeconds: 5, lineSeconds: 0, gifts: { "火箭": { template: "感谢 {user} 的 {count} 个火箭,太豪了!", minCount: 1 } } }) });
    const chinese = await browser.newContext({ locale: "zh-CN", viewport: { width: 900, height: 1000 } });
    const shot = await chinese.newPage();
    await shot.goto(`${base}/`);
    await shot.locator("#lines .line", { hasText: "小心心" }).waitFor({ timeout: 10000 });
    await shot.screenshot({ path: screenshot, fullPage: true });
  }
  console.log(`browser test: gift on the page (${expected}); green at 64 in frame ${answered + 2}` +
              ` (${next.rows} rows, gold at 40: ${gold.rows}); saved with every key`);
} finally {
  await browser.close();
}
