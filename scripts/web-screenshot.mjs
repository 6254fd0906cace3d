// The README's pictures of the page on a phone, 360x740, one screen each, entered by taps alone:
// the hand tab with a hand counted (OUT_DIR/velmarto-web-phone.png) and with 13 tiles and their
// waits (OUT_DIR/velmarto-web-waits.png).
//   node scripts/web-screenshot.mjs SITE_DIR OUT_DIR
import { createRequire } from "node:module";
import path from "node:path";

import { serveSite } from "../web/serve_site.mjs";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const [site, out] = process.argv.slice(2).map((arg) => path.resolve(arg));
const { server, origin } = await serveSite(site);
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update"],
});
const page = await browser.newPage();
await page.setViewport({ width: 360, height: 740 });
await page.goto(`${origin}/`);
await page.waitForSelector('html[data-ready="true"]');
await page.click("#tab-hand");
async function tap(target, tiles) {
  await page.click(`input[name="hand-target"][value="${target}"]`);
  for (const tile of tiles) await page.click(`#palette [data-tile="${tile}"]`);
}
await tap("dora", ["1m"]);
await tap("tiles", ["2m", "3m", "4m", "0m", "6m", "7m", "2p", "3p", "4p", "6s", "7s", "9s", "9s"]);
await page.click("#hand-riichi");
await page.screenshot({ path: path.join(out, "velmarto-web-waits.png") });
await page.click('#palette [data-tile="8s"]');
await page.click("#hand-tsumo");
await page.screenshot({ path: path.join(out, "velmarto-web-phone.png") });
await browser.close();
server.close();
console.log(out);
