// The page in Debian's Chromium, used as a person would: taps, typing, the clipboard, going
// offline, a phone-sized screen. Every figure it shows must be velmarto-score's to the byte.
import assert from "node:assert/strict";
import { mkdtempSync, rmSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, before, test } from "node:test";

import { serveSite } from "../serve_site.mjs";
import { launchChromium } from "./chromium.mjs";
import { HANDS, cli, handJson, selectionArgs, SITE } from "./cases.mjs";

let server;
let browser;
let page;
let origin;
const profile = mkdtempSync(path.join(os.tmpdir(), "velmarto-chromium-"));

before(async () => {
  ({ server, origin } = await serveSite(SITE));
  browser = await launchChromium(profile);
  await browser.defaultBrowserContext().overridePermissions(origin, ["clipboard-read", "clipboard-write",
                                                                      "clipboard-sanitized-write"]);
  page = await browser.newPage();
  await page.setViewport({ width: 360, height: 740 });
  await page.goto(`${origin}/`);
  await page.waitForSelector('html[data-ready="true"]');
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(profile, { recursive: true, force: true });
});

const text = (selector) => page.$eval(selector, (element) => element.textContent);

async function showTab(name) {
  await page.click(`#tab-${name}`);
  await page.waitForSelector(`#${name}:not([hidden])`);
}

test("taps on fu, han and seat give velmarto-score's report", async () => {
  await showTab("score");
  // From the page's start, 1 han 30 fu dealer, by taps only.
  const taps = [
    { steps: [], expect: { han: 1, fu: 30, dealer: true } },
    { steps: ["#score-han-up", "#score-han-up", 'input[value="non-dealer"]'], fu: "40", expect: { han: 3, fu: 40, dealer: false } },
    { steps: ["#score-han-down", "#score-han-down", "#score-han-down", "#score-han-down"], expect: { han: 0, fu: 40, dealer: false } },
  ];
  for (const { steps, fu, expect } of taps) {
    if (fu) await page.select("#score-fu", fu);
    for (const step of steps) await page.click(step);
    assert.equal(await text("#score-report"), cli(...selectionArgs(expect)), JSON.stringify(expect));
  }
  // Typed: the largest hand the window shows.
  await page.select("#score-fu", "200");
  await page.$eval("#score-han", (input) => { input.value = "119"; input.dispatchEvent(new Event("change")); });
  assert.equal(await text("#score-report"), cli("--non-dealer", "119", "200"));
});

test("hands typed and tapped give velmarto-score hand's report", async () => {
  await showTab("hand");
  for (const { request, args } of HANDS.slice(0, 4)) {
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    await showTab("hand");
    await page.type("#hand-tiles", request.tiles);
    if (request.chi) {
      await page.click("#hand summary");
      await page.type("#hand-chi", request.chi);
    }
    for (const flag of ["tsumo", "riichi"]) if (request[flag]) await page.click(`#hand-${flag}`);
    if (request.dora) await page.type("#hand-dora", request.dora);
    if (request.seat) await page.select("#hand-seat", String(request.seat));
    for (const count of ["honba", "sticks"]) {
      if (request[count]) {
        await page.$eval(`#hand-${count}`, (input, value) => { input.value = value; input.dispatchEvent(new Event("input")); }, String(request[count]));
      }
    }
    assert.equal(await text("#hand-report"), handJson(args).report, args.join(" "));
  }
  // From the palette: the thirteen orphans with the doubled 1m last, a thirteen-sided wait.
  await page.reload();
  await page.waitForSelector('html[data-ready="true"]');
  await showTab("hand");
  for (const tile of ["1m", "9m", "1p", "9p", "1s", "9s", "1z", "2z", "3z", "4z", "5z", "6z", "7z", "1m"]) {
    await page.click(`#palette [data-tile="${tile}"]`);
  }
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), "1m9m1p9p1s9s1z2z3z4z5z6z7z1m");
  assert.equal(await text("#hand-report"), handJson(["19m19p19s1234567z1m"]).report);
  assert.equal(await page.$$eval("#hand-row .tile", (tiles) => tiles.length), 14);
  await page.click("#hand-back");
  assert.equal(await text("#hand-error"), "14枚ではありません（13枚）");
  assert.equal(await text("#hand-report"), handJson(["19m19p19s1234567z1m"]).report, "the last count stays");
});

test("copy puts the report on the clipboard", async () => {
  await showTab("score");
  await page.click('[data-copy="score-report"]');
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  assert.equal(copied, await text("#score-report"));
});

test("the table view is velmarto-score --table", async () => {
  await showTab("table");
  await page.select("#table-seat", "non-dealer");
  for (const [id, value] of [["#table-from", "4"], ["#table-to", "4"]]) {
    await page.$eval(id, (input, v) => { input.value = v; input.dispatchEvent(new Event("input")); }, value);
  }
  assert.equal(await text("#table-tsv"), cli("--table", "--non-dealer", "--han", "4-4") + "\n");
  assert.equal(await page.$$eval("#table-view tr", (rows) => rows.length), 21);
});

test("a phone-sized screen: no sideways scroll and no text cut", async () => {
  for (const tab of ["score", "hand", "table"]) {
    await showTab(tab);
    const overflow = await page.evaluate(() => ({
      page: document.documentElement.scrollWidth - document.documentElement.clientWidth,
      cut: [...document.querySelectorAll("section:not([hidden]) .report, section:not([hidden]) label, section:not([hidden]) button")]
        .filter((element) => element.scrollWidth > element.clientWidth + 1).map((element) => element.id || element.textContent),
      small: [...document.querySelectorAll("section:not([hidden]) button")]
        .filter((button) => button.offsetWidth < 44 || button.offsetHeight < 44).map((button) => button.textContent),
    }));
    assert.deepEqual(overflow, { page: 0, cut: [], small: [] }, tab);
  }
});

test("every control has a label, and the keyboard reaches the tabs", async () => {
  const unlabelled = await page.evaluate(() => [...document.querySelectorAll("input, select, button")]
    .filter((control) => !(control.getAttribute("aria-label") || control.labels?.length || control.textContent.trim()))
    .map((control) => control.outerHTML));
  assert.deepEqual(unlabelled, []);
  await page.focus("#tab-score");
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.$eval("#tab-hand", (tab) => tab.getAttribute("aria-selected")), "true");
  assert.equal(await page.evaluate(() => document.activeElement.id), "tab-hand");
});

test("once opened, the page works with the server gone", async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await new Promise((resolve) => server.close(resolve));
  server = null;
  await page.reload();
  await page.waitForSelector('html[data-ready="true"]');
  await showTab("score");
  assert.equal(await text("#score-report"), cli("--dealer", "1", "30"));
});

test("velmarto.html works opened from a file", async () => {
  const single = await browser.newPage();
  await single.goto(`file://${path.join(SITE, "velmarto.html")}`);
  await single.waitForSelector('html[data-ready="true"]');
  assert.equal(await single.$eval("#score-report", (element) => element.textContent), cli("--dealer", "1", "30"));
  await single.close();
});
