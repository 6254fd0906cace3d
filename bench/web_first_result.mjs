// Milliseconds from navigation to the first report on screen, and to the engine ready to answer
// a tap, and the page's size, in Debian's Chromium: the built site served from 127.0.0.1, ten
// fresh loads (no cache), the median; and, in the same run and taking turns with it, a blank page
// that marks itself as soon as it is parsed, the floor any page meets in this browser; and a page
// that only fetches and compiles velmarto.wasm, the floor any page with this engine meets.
//   node bench/web_first_result.mjs [build/wasm/web/site]
import { existsSync, readdirSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";

import { serveSite } from "../web/serve_site.mjs";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const site = path.resolve(process.argv[2] ?? new URL("../build/wasm/web/site", import.meta.url).pathname);
const loads = 10;

const BLANK = '<!doctype html><html lang="ja"><meta charset="utf-8"><title>blank</title><p>点数</p>' +
  '<script>performance.mark("velmarto-first-result"); document.documentElement.dataset.ready = "true";</script></html>';
const COMPILE_ONLY = '<!doctype html><html lang="ja"><meta charset="utf-8"><title>engine</title><script>' +
  'WebAssembly.compileStreaming(fetch("velmarto.wasm")).then(() => { performance.mark("velmarto-first-result"); ' +
  'document.documentElement.dataset.ready = "true"; });</script><p>点数</p></html>';
const { server, origin } = await serveSite(site, { "/blank.html": BLANK, "/compile-only.html": COMPILE_ONLY });
// Every new headless window builds the browser's own address-bar popup, a page of some 150 files
// of its own, while the measured page loads; a phone's browser does not, and on two cores it takes
// what the measured page would get. The three features are that popup.
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync",
         "--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup"],
});
// The page's marks once it is ready: the first report, the engine loaded, the engine answering.
async function marks(url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready="true"]');
  const time = await page.evaluate(() => Object.fromEntries(performance.getEntriesByType("mark").map((mark) => [mark.name, mark.startTime])));
  await context.close();
  return time;
}
const times = [];
const blanks = [];
const ready = [];
const loaded = [];
const compiles = [];
for (let i = 0; i < loads; ++i) {
  const page = await marks(`${origin}/`);
  times.push(page["velmarto-first-result"]);
  ready.push(page["velmarto-engine-ready"]);
  loaded.push(page["velmarto-engine-loaded"]);
  blanks.push((await marks(`${origin}/blank.html`))["velmarto-first-result"]);
  compiles.push((await marks(`${origin}/compile-only.html`))["velmarto-first-result"]);
}
await browser.close();
server.close();
const median = (list) => list.sort((a, b) => a - b)[loads >> 1];
times.sort((a, b) => a - b);
const bytes = (name) => statSync(path.join(site, name)).size;
// Older builds keep the style in a file of its own; newer ones put it inside index.html.
const page = ["index.html", "app.js", "figure_pieces.js", "ledger.js", "style.css", "velmarto.js", "velmarto.wasm"]
  .filter((name) => existsSync(path.join(site, name))).reduce((sum, name) => sum + bytes(name), 0);
console.log(`first result: median ${times[loads >> 1].toFixed(1)} ms (min ${times[0].toFixed(1)}, max ${times.at(-1).toFixed(1)}) over ${loads} fresh loads`);
console.log(`blank page: median ${median(blanks).toFixed(1)} ms; first result / blank = ${(median(times) / median(blanks)).toFixed(2)}`);
if (ready.every((time) => time !== undefined)) {
  console.log(`engine loaded: median ${median(loaded).toFixed(1)} ms; ready for the first tap: median ${median(ready).toFixed(1)} ms, ` +
              `/ blank = ${(median(ready) / median(blanks)).toFixed(2)}`);
  console.log(`the engine alone, fetched and compiled by a blank page: median ${median(compiles).toFixed(1)} ms, ` +
              `/ blank = ${(median(compiles) / median(blanks)).toFixed(2)}; ready / that = ` +
              `${(median(ready) / median(compiles)).toFixed(2)}`);
}
console.log(`page + scripts + style + engine: ${page} bytes (${(page / 1024).toFixed(1)} KiB), velmarto.wasm ${bytes("velmarto.wasm")}`);
console.log(`files: ${readdirSync(site).join(" ")}`);
