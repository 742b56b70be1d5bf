// Drives the companion's page in Debian's Chromium: the page shows the scene, a test gift
// sent through its form comes back as a thank-you line on the page and in GET /state.
// Usage: node browser_test.mjs PORT SCENE [SCREENSHOT.png]
import { chromium } from "playwright-core";

const [basePort, scene, screenshot] = process.argv.slice(2);
const expected = "感谢 浏览器测试 送出的 3 个 火箭";
let base = "";

function fail(message) {
  console.error(`browser test: ${message}`);
  process.exit(1);
}

async function state(origin = base) {
  const answer = await fetch(`${origin}/state`);
  return answer.json();
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
  await new Promise((resolve) => setTimeout(resolve, 250));
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
try {
  const page = await browser.newPage({ viewport: { width: 820, height: 420 } });
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
  if (problems.length) fail(`the page threw: ${problems.join("; ")}`);

  if (screenshot) {
    for (const gift of [{ user: "Alice", gift: "鲜花", count: 99 }, { user: "小红", gift: "小心心", count: 520 }]) {
      await fetch(`${base}/events`, { method: "POST", body: JSON.stringify(gift) });
    }
    await page.locator("#lines .line", { hasText: "小心心" }).waitFor({ timeout: 10000 });
    await page.screenshot({ path: screenshot });
  }
  console.log(`browser test: the form's gift is on the page and in /state (${expected})`);
} finally {
  await browser.close();
}
