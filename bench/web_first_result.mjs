// Milliseconds from navigation to the first report on screen, and the page's size, in Debian's
// Chromium: the built site served from 127.0.0.1, ten fresh loads (no cache), the median.
//   node bench/web_first_result.mjs [build/wasm/web/site]
import { readdirSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";

import { serveSite } from "../web/serve_site.mjs";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const site = path.resolve(process.argv[2] ?? new URL("../build/wasm/web/site", import.meta.url).pathname);
const loads = 10;

const { server, origin } = await serveSite(site);
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
const times = [];
for (let i = 0; i < loads; ++i) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(`${origin}/`);
  await page.waitForSelector('html[data-ready="true"]');
  times.push(await page.evaluate(() => performance.getEntriesByName("velmarto-first-result")[0].startTime));
  await context.close();
}
await browser.close();
server.close();
times.sort((a, b) => a - b);
const bytes = (name) => statSync(path.join(site, name)).size;
const page = ["index.html", "app.js", "ledger.js", "style.css", "velmarto.js", "velmarto.wasm"].reduce((sum, name) => sum + bytes(name), 0);
console.log(`first result: median ${times[loads >> 1].toFixed(1)} ms (min ${times[0].toFixed(1)}, max ${times.at(-1).toFixed(1)}) over ${loads} fresh loads`);
console.log(`page + scripts + style + engine: ${page} bytes (${(page / 1024).toFixed(1)} KiB), velmarto.wasm ${bytes("velmarto.wasm")}`);
console.log(`files: ${readdirSync(site).join(" ")}`);
