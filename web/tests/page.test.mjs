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
  await page.$eval("#score-han", (input) => { input.value = "119"; input.dispatchEvent(new Event("input")); });
  assert.equal(await text("#score-report"), cli("--non-dealer", "119", "200"));
});

async function freshHandTab() {
  await page.reload();
  await page.waitForSelector('html[data-ready="true"]');
  await showTab("hand");
}

async function openMore() {
  if (!await page.$eval("#hand details", (details) => details.open)) await page.click("#hand summary");
}

// What the bar shows: the state line, the report and who pays.
const bar = () => page.evaluate(() => ({
  status: document.getElementById("hand-status").textContent,
  error: document.getElementById("hand-status").classList.contains("error"),
  report: document.getElementById("hand-report").textContent,
  payers: document.getElementById("hand-payers").textContent,
  lines: document.querySelectorAll("#hand-lines li").length,
}));

// The bar lies wholly inside the 360x740 screen, whatever has been scrolled.
const barInView = () => page.$eval("#hand-bar", (element) => {
  const box = element.getBoundingClientRect();
  return box.height > 0 && box.top >= 0 && box.bottom <= window.innerHeight;
});

async function tapTiles(target, tiles) {
  await page.click(`input[name="hand-target"][value="${target}"]`);
  for (const tile of tiles) await page.click(`#palette [data-tile="${tile}"]`);
}

test("hands typed give velmarto-score hand's report, in any width and case", async () => {
  const widened = { tiles: "２３４０６７ｍ　２３４Ｐ６７９９ｓ８Ｓ", tsumo: true, riichi: true, dora: "１ｍ", seat: 1 };
  const typed = [...HANDS.slice(0, 4), { request: widened, args: HANDS[0].args }];
  for (const { request, args } of typed) {
    await freshHandTab();
    await openMore();
    for (const box of ["tiles", "chi", "dora"]) if (request[box]) await page.type(`#hand-${box}`, request[box]);
    for (const flag of ["tsumo", "riichi"]) if (request[flag]) await page.click(`#hand-${flag}`);
    if (request.seat) await page.select("#hand-seat", String(request.seat));
    for (const count of ["honba", "sticks"]) {
      if (request[count]) {
        await page.$eval(`#hand-${count}`, (input, value) => { input.value = value; input.dispatchEvent(new Event("input")); }, String(request[count]));
      }
    }
    const expected = handJson(args);
    const shown = await bar();
    assert.equal(shown.report, expected.report, args.join(" "));
    if (expected.settlement) assert.ok(expected.settlement.line.includes(shown.payers), args.join(" "));
  }
});

test("tapped tile by tile, the bar stays in view and says how many are to come", async () => {
  await freshHandTab();
  const orphans = ["1m", "9m", "1p", "9p", "1s", "9s", "1z", "2z", "3z", "4z", "5z", "6z", "7z", "1m"];
  for (const [i, tile] of orphans.entries()) {
    await page.click(`#palette [data-tile="${tile}"]`);
    assert.ok(await barInView(), `after tap ${i + 1}`);
    const shown = await bar();
    const status = i < 12 ? `あと${13 - i}枚` : "聴牌　待ち13種";
    if (i < orphans.length - 1) {
      assert.deepEqual(shown, { status, error: false, report: "", payers: "", lines: 0 }, `after tap ${i + 1}`);
    }
  }
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), orphans.join(""));
  const expected = handJson(["19m19p19s1234567z1m"]);
  assert.equal((await bar()).report, expected.report);
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "一萬和了牌", "the winning tile apart");
  // A fifteenth tile makes a hand that does not read: the error, and no figure at all. It goes
  // among the others: the winning tile stays the one the hand was won on.
  await page.click('#palette [data-tile="5m"]');
  assert.deepEqual(await bar(), { status: "13枚か14枚にしてください（いま15枚）", error: true, report: "", payers: "", lines: 0 });
  assert.ok(await barInView());
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "一萬和了牌");
  // A tap on a drawn tile takes it out again.
  await page.click('#hand-row > button[aria-label="5萬を外す"]');
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), orphans.join(""));
  assert.equal((await bar()).report, expected.report);
  await page.click("#hand-row > button");
  assert.deepEqual(await bar(), { status: "聴牌　待ち13種", error: false, report: "", payers: "", lines: 0 });
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), orphans.slice(1).join(""));
});

test("a hand, its calls and a dora by taps only", async () => {
  await freshHandTab();
  await tapTiles("pon", ["7z", "7z", "7z"]);
  await tapTiles("chi", ["2p", "3p", "4p"]);
  await tapTiles("dora", ["6z"]);
  await tapTiles("tiles", ["5m", "6m", "7m", "7s", "8s", "9s", "5p", "5p"]);
  await page.click("#hand-tsumo");
  await page.select("#hand-seat", "1");
  const args = ["567m789s55p", "--pon", "777z", "--chi", "234p", "--dora", "6z", "--tsumo", "--seat", "S"];
  const expected = handJson(args);
  const shown = await bar();
  assert.equal(shown.report, expected.report);
  assert.equal(shown.status, `${expected.han}飜 ${expected.fu}符`);
  assert.equal(shown.payers, expected.report.split("　")[1], "each payer's share of the tsumo");
  assert.equal(await page.$$eval("#hand-calls .set", (sets) => sets.map((set) => set.textContent).join(" ")),
               "ドラ表示發 チー2筒3筒4筒 ポン中中中");
  // Without a game there is no winner to choose and nothing to record.
  assert.equal(await page.$eval("#hand-win", (choice) => getComputedStyle(choice).display), "none");
  // As a ron it is the discarder who pays; with honba and sticks, all that changes hands.
  await page.click("#hand-tsumo");
  await openMore();
  for (const [box, value] of [["honba", "2"], ["sticks", "1"]]) {
    await page.$eval(`#hand-${box}`, (input, v) => { input.value = v; input.dispatchEvent(new Event("input")); }, value);
  }
  const ron = handJson(["567m789s55p", "--pon", "777z", "--chi", "234p", "--dora", "6z", "--seat", "S", "--honba", "2", "--sticks", "1"]);
  assert.equal((await bar()).payers, ron.settlement.line);
});

test("the palette stays where it is through calls, an indicator and the 14th tile", async () => {
  await freshHandTab();
  const palette = () => page.$eval("#palette", (element) => [...element.querySelectorAll("[data-tile]")]
    .map((tile) => { const box = tile.getBoundingClientRect(); return [box.left, box.top, box.width, box.height].join(); }).join(" "));
  const at = await palette();
  const steps = [["chi", ["2p", "3p", "4p"]], ["pon", ["7z", "7z", "7z"]], ["dora", ["6z"]],
                 ["tiles", ["5m", "6m", "7m", "7s", "8s", "9s", "5p"]], ["tiles", ["5p"]]];
  for (const [target, tiles] of steps) {
    await tapTiles(target, tiles);
    assert.equal(await palette(), at, `after ${target} ${tiles.join("")}`);
  }
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "5筒和了牌");
  assert.notEqual((await bar()).report, "");
});

test("a mis-tap fixed keeps the winning tile the player put last", async () => {
  await freshHandTab();
  // 7p tapped instead of 4p; the 14th tile, 8s, is the winning tile.
  await tapTiles("tiles", ["2m", "3m", "4m", "0m", "6m", "7m", "2p", "3p", "7p", "6s", "7s", "9s", "9s", "8s"]);
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "8索和了牌");
  await page.click('#hand-row > button[aria-label="7筒を外す"]');
  await tapTiles("tiles", ["4p"]);
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "8索和了牌");
  assert.equal((await bar()).report, handJson(["234067m234p6799s8s"]).report);
  // The winning tile changes when the player changes it: a tap on it, then a tile.
  await page.click("#hand-row .win button");
  await tapTiles("tiles", ["8s"]);
  assert.equal(await page.$eval("#hand-row .win", (win) => win.textContent), "8索和了牌");
  assert.equal((await bar()).report, handJson(["234067m234p6799s8s"]).report);
  // クリア: the next hand starts empty.
  await page.click("#hand-clear");
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), "");
  assert.equal(await page.$$eval("#hand-row .tile", (tiles) => tiles.length), 0);
  assert.equal((await bar()).status, "あと14枚");
});

test("before the win: the waits of 13 tiles, a tap on one wins; 14 that do not win, what to cut", async () => {
  await freshHandTab();
  await page.click("#hand-riichi");
  const thirteen = ["2m", "3m", "4m", "0m", "6m", "7m", "2p", "3p", "4p", "6s", "7s", "9s", "9s"];
  await tapTiles("tiles", thirteen);
  const listed = () => page.evaluate(() => ({
    status: document.getElementById("hand-status").textContent,
    items: [...document.querySelectorAll("#hand-waits li")].map((item) => [...item.querySelectorAll("span")].map((span) => span.textContent)),
    report: document.getElementById("hand-report").textContent,
  }));
  const waits = JSON.parse(cli("waits", thirteen.join(""), "--riichi", "--json")).waits;
  let shown = await listed();
  assert.ok(await barInView());
  assert.equal(shown.status, `聴牌　待ち${waits.length}種`);
  assert.equal(shown.report, "", "no figure before the win");
  // Each wait in the command line's words, its line after the head.
  assert.deepEqual(shown.items.map((words) => words.join("　")), cli("waits", thirteen.join(""), "--riichi").split("\n").slice(1));
  // A tap on a wait wins on it.
  await page.click("#hand-waits li:last-child button");
  const won = [...thirteen, waits.at(-1).tile].join("");
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), won);
  assert.equal((await listed()).report, handJson([won, "--riichi"]).report);
  // With a 14th tile that does not win, what each discard leaves; a tap cuts it.
  await page.click("#hand-row .win button");
  await page.click('#palette [data-tile="1z"]');
  const discards = JSON.parse(cli("waits", `${thirteen.join("")}1z`, "--riichi", "--json")).discards;
  shown = await listed();
  assert.equal(shown.status, "和了の形ではありません　打牌の候補:");
  assert.equal(shown.report, "");
  assert.equal(shown.items.length, discards.length);
  assert.deepEqual(shown.items.map((words) => words.join("　")),
                   cli("waits", `${thirteen.join("")}1z`, "--riichi").split("\n").filter((line) => line.startsWith("打")), "best first");
  assert.equal(shown.items[0][0], "打1z", "the best discard first");
  await page.click("#hand-waits li:first-child button");
  assert.equal(await page.$eval("#hand-tiles", (input) => input.value), thirteen.join(""));
  assert.equal((await listed()).status, `聴牌　待ち${waits.length}種`);
});

test("counts out of range or empty are said beside their box, with no figure", async () => {
  await freshHandTab();
  await openMore();
  await page.type("#hand-tiles", "234067m234p6799s8s");
  await page.click("#hand-riichi");
  for (const value of ["-3", "99999999", ""]) {
    await page.$eval("#hand-honba", (input, v) => { input.value = v; input.dispatchEvent(new Event("input")); }, value);
    assert.equal(await text("#hand-honba-error"), "本場は0〜1000000の整数です", `honba ${value}`);
    assert.deepEqual(await bar(), { status: "本場は0〜1000000の整数です", error: true, report: "", payers: "", lines: 0 });
  }
  await page.$eval("#hand-honba", (input) => { input.value = "0"; input.dispatchEvent(new Event("input")); });
  assert.equal(await text("#hand-honba-error"), "");
  assert.equal((await bar()).report, handJson(["234067m234p6799s8s", "--riichi"]).report);
  await showTab("score");
  for (const value of ["", "500", "-1"]) {
    await page.$eval("#score-han", (input, v) => { input.value = v; input.dispatchEvent(new Event("input")); }, value);
    assert.equal(await text("#score-han-error"), "飜は0〜119の整数です", `han ${value}`);
    assert.equal(await text("#score-report"), "", `han ${value}`);
  }
  await page.click("#score-han-up");
  assert.equal(await page.$eval("#score-han", (input) => input.value), "1", "a step starts again from a han that exists");
  assert.equal(await text("#score-han-error"), "");
});

test("a figure breaks between payments or myriad groups, never inside a number or a word", async () => {
  await showTab("score");
  await page.select("#score-fu", "200");
  for (const seat of ["dealer", "non-dealer"]) {
    await page.click(`input[value="${seat}"]`);
    await page.$eval("#score-han", (input) => { input.value = "119"; input.dispatchEvent(new Event("input")); });
    // Each payment's label with the start of its figure, and each group of digits with its unit.
    const split = await page.$eval("#score-report", (report) => {
      const full = report.textContent;
      const walker = document.createTreeWalker(report, NodeFilter.SHOW_TEXT);
      const nodes = [];
      for (let node = walker.nextNode(); node; node = walker.nextNode()) nodes.push(node);
      const lines = (from, to) => {
        const range = document.createRange();
        let at = 0;
        for (const node of nodes) {
          const length = node.data.length;
          if (from >= at && from <= at + length) range.setStart(node, from - at);
          if (to >= at && to <= at + length) { range.setEnd(node, to - at); break; }
          at += length;
        }
        return new Set([...range.getClientRects()].filter((rect) => rect.width > 0).map((rect) => Math.round(rect.top))).size;
      };
      const pieces = [...full.matchAll(/[^\s　／＝\d]+ \d+[^\s\d　／]?|\d+[^\s\d　／]?/gu)];
      return { lines: lines(0, full.length), split: pieces.filter((m) => lines(m.index, m.index + m[0].length) > 1).map((m) => m[0]) };
    });
    assert.ok(split.lines > 1, "the largest figure needs more than one line");
    assert.deepEqual(split.split, [], seat);
  }
});

test("the first report is on screen before the engine has loaded", async () => {
  const bare = await browser.newPage();
  await bare.setViewport({ width: 360, height: 740 });
  await bare.setRequestInterception(true);
  bare.on("request", (request) => (/velmarto\.(wasm|js)$/.test(request.url()) ? request.abort() : request.continue()));
  await bare.goto(`${origin}/`);
  assert.equal(await bare.$eval("#score-report", (element) => element.textContent), cli("--dealer", "1", "30"));
  await bare.close();
});

test("copy puts the report on the clipboard", async () => {
  await showTab("score");
  await page.click('[data-copy="score-report"]');
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  assert.equal(copied, await text("#score-report"));
});

test("the table view is velmarto-score --table, its header and first columns held in place", async () => {
  await showTab("table");
  await page.select("#table-seat", "non-dealer");
  const setRange = async (from, to) => {
    for (const [id, value] of [["#table-from", from], ["#table-to", to]]) {
      await page.$eval(id, (input, v) => { input.value = v; input.dispatchEvent(new Event("input")); }, value);
    }
  };
  await setRange("4", "4");
  assert.equal(await text("#table-tsv"), cli("--table", "--non-dealer", "--han", "4-4") + "\n");
  assert.equal(await page.$$eval("#table-view tr", (rows) => rows.length), 21);
  await setRange("5", "3");
  assert.equal(await text("#table-error"), "「から」が「まで」より大きくなっています");
  assert.equal(await page.$$eval("#table-view tr", (rows) => rows.length), 0);
  assert.equal(await text("#table-tsv"), "");
  await setRange("1", "119");
  assert.equal(await text("#table-error"), "");
  const held = await page.$eval(".scroll", (scroll) => {
    scroll.scrollTo(400, 3000);
    const box = scroll.getBoundingClientRect();
    const header = scroll.querySelector("th:nth-child(3)").getBoundingClientRect();
    const row = [...scroll.querySelectorAll("tbody tr")].find((tr) => tr.getBoundingClientRect().top > box.top + header.height);
    const [han, fu] = [...row.cells].map((cell) => cell.getBoundingClientRect());
    return { scrolled: scroll.scrollTop > 0 && scroll.scrollLeft > 0, header: Math.round(header.top - box.top),
             han: Math.round(han.left - box.left), fu: Math.round(fu.left - han.right) };
  });
  assert.deepEqual(held, { scrolled: true, header: 0, han: 0, fu: 0 });
});

test("a phone-sized screen: no sideways scroll, no text cut, targets large enough", async () => {
  await freshHandTab();
  await page.type("#hand-tiles", "");
  for (const tile of ["1m", "9m", "1p", "9p", "1s", "9s", "1z", "2z", "3z", "4z", "5z", "6z", "7z", "1m"]) {
    await page.click(`#palette [data-tile="${tile}"]`);
  }
  for (const width of [360, 320]) {
    await page.setViewport({ width, height: 740 });
    for (const tab of ["score", "hand", "table"]) {
      await showTab(tab);
      const overflow = await page.evaluate(() => ({
        page: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        cut: [...document.querySelectorAll("section:not([hidden]) .report, section:not([hidden]) label, section:not([hidden]) button")]
          .filter((element) => element.scrollWidth > element.clientWidth + 1).map((element) => element.id || element.textContent),
        // Tiles are drawn narrow to fit a suit to a row; everything else is a full 44 px target.
        small: [...document.querySelectorAll("section:not([hidden]) button")].filter((button) => {
          const [width, height] = button.classList.contains("tile") ? [22, 44] : [44, 44];
          return button.getClientRects().length > 0 && (button.offsetWidth < width || button.offsetHeight < height);
        }).map((button) => button.getAttribute("aria-label") ?? button.textContent),
        // The palette keeps each suit on one row.
        rows: [...document.querySelectorAll("section:not([hidden]) .palette .block")]
          .map((block) => new Set([...block.children].map((tile) => tile.offsetTop)).size).filter((rows) => rows !== 1),
      }));
      assert.deepEqual(overflow, { page: 0, cut: [], small: [], rows: [] }, `${tab} at ${width} px`);
    }
    assert.equal(await page.$$eval("#hand-row .tile", (tiles) => new Set(tiles.map((tile) => tile.getBoundingClientRect().bottom)).size), 1,
                 `the hand on one row at ${width} px`);
  }
  await page.setViewport({ width: 360, height: 740 });
});

test("the title and the manifest say 青天井", async () => {
  assert.match(await page.title(), /青天井/);
  assert.match(await text("h1"), /青天井/);
  const manifest = await page.evaluate(async () => (await fetch("manifest.webmanifest")).json());
  assert.match(manifest.description, /青天井/);
  assert.doesNotMatch(JSON.stringify(manifest), /ノーレート/);
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
  // On the hand tab: the arrows move the target switch, Tab reaches the palette, Enter adds.
  await page.focus('input[name="hand-target"]:checked');
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.$eval('input[name="hand-target"]:checked', (input) => input.value), "dora");
  await page.keyboard.press("Tab");
  assert.equal(await page.evaluate(() => document.activeElement.dataset.tile), "1m");
  const before = await page.$eval("#hand-dora", (input) => input.value);
  await page.keyboard.press("Enter");
  assert.equal(await page.$eval("#hand-dora", (input) => input.value), `${before}1m`);
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

test("opened from a file, velmarto.html works and index.html says to open it", async () => {
  const single = await browser.newPage();
  await single.goto(`file://${path.join(SITE, "velmarto.html")}`);
  await single.waitForSelector('html[data-ready="true"]');
  assert.equal(await single.$eval("#score-report", (element) => element.textContent), cli("--dealer", "1", "30"));
  assert.equal(await single.$("#file-note"), null);
  await single.goto(`file://${path.join(SITE, "index.html")}`);
  assert.equal(await single.$eval("#file-note", (note) => (note.hidden ? "" : note.textContent)),
               "ファイルから開いたこのページは動きません。同じフォルダーの velmarto.html を開いてください。");
  await single.close();
});
