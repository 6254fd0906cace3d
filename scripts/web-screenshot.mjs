// The README's picture of the page on a phone: the hand tab with a hand counted, 360 px wide,
// the whole page from top to bottom.
//   node scripts/web-screenshot.mjs SITE_DIR OUT.png
import { readFileSync, readdirSync } from "node:fs";
import http from "node:http";
import { createRequire } from "node:module";
import path from "node:path";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const [site, out] = process.argv.slice(2).map((arg) => path.resolve(arg));
const files = new Map(readdirSync(site).map((name) => [`/${name}`, readFileSync(path.join(site, name))]));
const types = { wasm: "application/wasm", js: "text/javascript", css: "text/css", html: "text/html; charset=utf-8" };
const server = http.createServer((request, response) => {
  const name = new URL(request.url, "http://x").pathname.replace(/\/$/, "/index.html");
  response.writeHead(files.has(name) ? 200 : 404, { "Content-Type": types[name.split(".").pop()] ?? "image/png" });
  response.end(files.get(name));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update"],
});
const page = await browser.newPage();
await page.setViewport({ width: 360, height: 740 });
await page.goto(`http://127.0.0.1:${server.address().port}/`);
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
