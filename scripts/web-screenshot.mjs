// The README's picture of the page on a phone: the hand tab with a hand counted, 360 px wide,
// the whole page from top to bottom.
//   node scripts/web-screenshot.mjs SITE_DIR OUT.png
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
await page.type("#hand-tiles", "234067m234p6799s8s");
await page.click("#hand-tsumo");
await page.click("#hand-riichi");
await page.type("#hand-dora", "1m");
await page.screenshot({ path: out, fullPage: true });
await browser.close();
server.close();
console.log(out);
