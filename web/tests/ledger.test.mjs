// The 対局 tab in Debian's Chromium at phone size, against velmarto-score game fed the same events:
// every standing equal to the point, the games kept across a reload with the server gone, and
// the same JSON going both ways between the page and the command line.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, before, test } from "node:test";

import { serveSite } from "../serve_site.mjs";
import { launchChromium } from "./chromium.mjs";
import { SCORE, SITE } from "./cases.mjs";

const PLAYERS = ["Aiko", "Ben", "Chika", "Dai"];
const work = mkdtempSync(path.join(os.tmpdir(), "velmarto-ledger-"));
const profile = path.join(work, "chromium");
const database = path.join(work, "games.sqlite3");
let server;
let browser;
let page;

// velmarto-score game with its own database, standard output without the last newline.
function game(...args) {
  return execFileSync(SCORE, ["game", "--db", database, ...args], { encoding: "utf8" }).replace(/\n$/, "");
}

async function load() {
  await page.waitForSelector('html[data-ready="true"]');
  await page.waitForSelector('#game[data-ready="true"]');
}

before(async () => {
  let origin;
  ({ server, origin } = await serveSite(SITE));
  browser = await launchChromium(profile);
  page = await browser.newPage();
  await page.setViewport({ width: 360, height: 740 });
  await page.goto(`${origin}/`);
  await load();
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

async function showGameTab() {
  await page.click("#tab-game");
  await page.waitForSelector("#game:not([hidden])");
}

// What the page shows of the open game, and the same from velmarto-score game show --json.
function pageStandings() {
  return page.evaluate(() => ({
    points: [...document.querySelectorAll("#game-standings td[data-decimal]")].map((cell) => cell.dataset.decimal),
    round: document.getElementById("game-round").textContent,
  }));
}

function cliStandings(id) {
  const shown = JSON.parse(game("show", id, "--json"));
  return {
    points: shown.players.map((player) => player.points),
    round: `${shown.round}${shown.hand}局 ${shown.honba}本場　供託${shown.sticks}本${shown.finished ? "　終局" : ""}`,
  };
}

async function setValue(selector, value) {
  await page.$eval(selector, (control, v) => {
    control.value = v;
    control.dispatchEvent(new Event("input", { bubbles: true }));
    control.dispatchEvent(new Event("change", { bubbles: true }));
  }, value);
}

// 対局の管理 (new, saved, export, import) is folded once a game is open.
const openManage = () => page.$eval("#game-manage", (details) => { details.open = true; });

async function startGame(names) {
  await showGameTab();
  await openManage();
  for (const [i, name] of names.entries()) await setValue(`#game-name-${i}`, name);
  await page.click("#game-new");
  await page.waitForSelector("#game-play:not([hidden])");
}

async function enterWin({ winner, from, han, fu }) {
  await page.select("#game-winner", String(winner));
  await page.select("#game-from", from === undefined ? "tsumo" : String(from));
  await setValue("#game-han", String(han));
  await page.select("#game-fu", String(fu));
}

// The record as the page shows it, to see that an action was taken (or refused) before comparing.
const recordText = () => page.$eval("#game-record", (list) => list.textContent);

async function act(action) {
  // A refusal left from an earlier step must not pass for this one's outcome.
  await page.$eval("#game-error", (error) => { error.textContent = ""; });
  const before = await recordText();
  await action();
  await page.waitForFunction((text) => document.getElementById("game-record").textContent !== text ||
    document.getElementById("game-error").textContent !== "", {}, before);
}

let first;  // the game both sides played, its id in the database

test("a game with a riichi, a draw, a double ron and a hand from the 手牌 tab equals velmarto-score game", async () => {
  await startGame(PLAYERS);
  first = game("new", ...PLAYERS);
  assert.deepEqual(await pageStandings(), cliStandings(first), "the start");
  const steps = [
    { name: "Aiko's riichi", cli: ["riichi", "Aiko"], page: () => page.click('[aria-label="Aiko 立直"]') },
    { name: "Chika's ron on Aiko, 3 han 30 fu, takes the stick", cli: ["ron", "Aiko", "Chika", "3", "30"],
      page: async () => { await enterWin({ winner: 2, from: 0, han: 3, fu: 30 }); await page.click("#game-win"); } },
    { name: "a draw with Ben and Dai in tenpai", cli: ["draw", "Ben", "Dai"],
      page: async () => {
        await page.click('#game-tenpai input[value="1"]');
        await page.click('#game-tenpai input[value="3"]');
        await page.click("#game-draw");
      } },
    { name: "Ben's riichi", cli: ["riichi", "Ben"], page: () => page.click('[aria-label="Ben 立直"]') },
    { name: "a double ron on Dai: Aiko 2 han 40 fu and Ben 4 han 30 fu", cli: ["ron", "Dai", "Aiko", "2", "40", "Ben", "4", "30"],
      page: async () => {
        await enterWin({ winner: 0, from: 3, han: 2, fu: 40 });
        await page.click("#game-add");
        await enterWin({ winner: 1, from: 3, han: 4, fu: 30 });
        await page.click("#game-win");
      } },
    { name: "a tsumo of 119 han", cli: ["tsumo", "Chika", "119", "200"],
      page: async () => { await enterWin({ winner: 2, han: 119, fu: 200 }); await page.click("#game-win"); } },
    { name: "undone", cli: ["undo"], page: () => page.click("#game-undo") },
  ];
  for (const step of steps) {
    await act(step.page);
    assert.equal(await page.$eval("#game-error", (error) => error.textContent), "", step.name);
    const [command, ...words] = step.cli;
    game(command, first, ...words);
    assert.deepEqual(await pageStandings(), cliStandings(first), step.name);
  }

  // A hand entered on 手牌: Dai declares riichi, then wins by tsumo with the hand on screen; the
  // riichi is counted from the declaration.
  await act(() => page.click('[aria-label="Dai 立直"]'));
  game("riichi", first, "Dai");
  await recordHand({ winner: 3, from: "tsumo", tiles: "234067m234p6799s8s", dora: "1m" });
  game("tsumo", first, "Dai", "234067m234p6799s8s --dora 1m");
  assert.deepEqual(await pageStandings(), cliStandings(first), "the hand from the 手牌 tab");
  assert.equal(await page.$eval("#game-record li:last-child .line", (line) => line.textContent), "ツモ Dai 234067m234p6799s8s");
});

// 手牌 with the game open: the winner and ロン or ツモ chosen in the bar, the hand typed, recorded.
// Returns what the bar showed just before recording.
async function recordHand({ winner, from, tiles, dora = "" }) {
  await page.click("#tab-hand");
  await page.waitForSelector("#hand:not([hidden])");
  await page.$eval("#hand-tiles", (input) => { input.closest("details").open = true; });
  await page.select("#hand-winner", String(winner));
  await page.select("#hand-from", String(from));
  await setValue("#hand-tiles", tiles);
  await setValue("#hand-dora", dora);
  const shown = await page.$eval("#hand-status", (status) => status.textContent);
  await act(() => page.click("#hand-record"));
  await showGameTab();
  return shown;
}

test("手牌 records the open game's hand as shown: a ron stays a ron, an edit is recorded edited", async () => {
  await page.click("#tab-hand");
  await page.waitForSelector("#hand:not([hidden])");
  const shown = JSON.parse(game("show", first, "--json"));
  assert.equal(await page.$eval("#hand-context", (line) => line.textContent),
               `対局中　${shown.round}${shown.hand}局 ${shown.honba}本場　供託${shown.sticks}本`);
  // Nothing is chosen for the player: no winner, no tsumo, nothing to record.
  assert.deepEqual(await page.evaluate(() => [document.getElementById("hand-winner").value, document.getElementById("hand-from").value,
                                              document.getElementById("hand-record").disabled]), ["", "", true]);
  // A ron on Aiko by Chika (平和 and a red five): Aiko pays.
  await recordHand({ winner: 2, from: 0, tiles: "234067m234p6799s8s" });
  game("ron", first, "Aiko", "Chika", "234067m234p6799s8s");
  assert.deepEqual(await pageStandings(), cliStandings(first), "a ron from 手牌");
  assert.deepEqual(await page.evaluate(() => [document.getElementById("hand-winner").value, document.getElementById("hand-from").value,
                                              document.getElementById("hand-tiles").value]), ["", "", ""], "cleared for the next hand");
  // The winner chosen first, a dora added last: the bar shows the hand with the dora, and that
  // is what is recorded.
  const bar = await recordHand({ winner: 1, from: 3, tiles: "234067m234p6799s8s", dora: "1m" });
  game("ron", first, "Dai", "Ben", "234067m234p6799s8s --dora 1m");
  assert.deepEqual(await pageStandings(), cliStandings(first), "the hand as edited");
  const row = JSON.parse(game("history", first, "--json")).at(-1);
  assert.equal(bar, `${row.wins[0].han}飜 ${row.wins[0].fu}符`);
});

test("a double tap on 立直 takes one stick; a further tap offers to take it back", async () => {
  await showGameTab();
  const sticks = () => page.$eval("#game-round", (round) => round.textContent.match(/供託(\d+)本/)[1]);
  const before = Number(await sticks());
  await page.$eval('[aria-label="Ben 立直"]', (button) => { button.click(); button.click(); });
  await page.waitForFunction(() => document.querySelector('[aria-label="Ben 立直"]').getAttribute("aria-pressed") === "true");
  await page.click('[aria-label="Ben 立直"]');
  assert.equal(Number(await sticks()), before + 1, "one stick");
  game("riichi", first, "Ben");
  assert.deepEqual(await pageStandings(), cliStandings(first));
  assert.equal(await page.$eval('[aria-label="Ben 立直"]', (button) => button.textContent), "取消");
  await act(() => page.click('[aria-label="Ben 立直"]'));
  game("undo", first);
  assert.deepEqual(await pageStandings(), cliStandings(first), "taken back");
  assert.equal(Number(await sticks()), before);
});

test("a row of 記録 amended from the page equals velmarto-score game amend", async () => {
  await showGameTab();
  await page.$eval("#game-history-box", (details) => { details.open = true; });
  await page.click('#game-record li[value="2"] button');
  assert.match(await page.$eval("#game-amending-text", (text) => text.textContent), /^2番/);
  await act(async () => { await enterWin({ winner: 2, from: 0, han: 4, fu: 30 }); await page.click("#game-win"); });
  game("amend", first, "2", "ron", "Aiko", "Chika", "4", "30");
  assert.deepEqual(await pageStandings(), cliStandings(first), "amended");
  assert.equal(await page.$eval("#game-amending", (box) => box.hidden), true);
});

test("what cannot happen is refused and records nothing", async () => {
  const before = await pageStandings();
  const record = await recordText();
  const refusals = [
    ["a ron from oneself", async () => { await enterWin({ winner: 1, from: 1, han: 2, fu: 30 }); await page.click("#game-win"); }],
    ["a han below 1", async () => { await enterWin({ winner: 1, from: 0, han: 0, fu: 30 }); await page.click("#game-win"); }],
    ["1 han 20 fu", async () => { await enterWin({ winner: 1, han: 1, fu: 20 }); await page.click("#game-win"); }],
    ["a tsumo added to a double ron", async () => { await enterWin({ winner: 1, han: 2, fu: 30 }); await page.click("#game-add"); }],
  ];
  await enterWin({ winner: 1, from: 0, han: "2.5", fu: 30 });
  await page.click("#game-win");
  assert.equal(await page.$eval("#game-error", (error) => error.textContent), "飜「2.5」は整数ではありません");
  for (const [name, action] of refusals) {
    await page.$eval("#game-error", (error) => { error.textContent = ""; });
    await action();
    await page.waitForFunction(() => document.getElementById("game-error").textContent !== "");
    assert.equal(await recordText(), record, name);
    assert.deepEqual(await pageStandings(), before, name);
  }
});

test("export from the page → velmarto-score game import, and back", async () => {
  await openManage();
  await page.click("#game-export");
  const exported = await page.$eval("#game-export-text", (box) => box.value);
  // The same bytes as the command line's export, but for the times each side started the game.
  const started = /\n  "started": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ"\n/;
  assert.match(exported, started);
  assert.equal(exported.replace(started, "\n"), `${game("export", first)}\n`.replace(started, "\n"));
  const file = path.join(work, "from-page.json");
  writeFileSync(file, exported);
  const imported = game("import", file);
  assert.deepEqual(cliStandings(imported), await pageStandings());

  // Back: a game played on the command line, finished on the phone.
  const desktop = game("new", "東子", "南子", "西子");
  game("ron", desktop, "E", "S", "5", "30");
  game("riichi", desktop, "W");
  const back = path.join(work, "from-desktop.json");
  writeFileSync(back, `${game("export", desktop)}\n`);
  await (await page.$("#game-import-file")).uploadFile(back);
  await page.waitForFunction(() => document.querySelector("#game-standings td:nth-child(2)")?.textContent === "東子");
  assert.deepEqual(await pageStandings(), cliStandings(desktop));
  await act(async () => { await enterWin({ winner: 2, han: 1, fu: 30 }); await page.click("#game-win"); });
  game("tsumo", desktop, "W", "1", "30");
  assert.deepEqual(await pageStandings(), cliStandings(desktop), "a hand added on the phone");

  // A file that is not a game is refused and the open game stays.
  await openManage();
  await setValue("#game-import-text", '{"format": "velmarto-game", "version": 99}');
  await page.click("#game-import");
  assert.match(await page.$eval("#game-import-error", (error) => error.textContent), /^新しいvelmartoの記録です/);
  await setValue("#game-import-text", '{\n  "format": "velmarto-game",\n  "version": 2,,\n}');
  await page.click("#game-import");
  assert.equal(await page.$eval("#game-import-error", (error) => error.textContent), "JSONとして読めません（3行目）");
  // JSON, but not a game: what is wrong is said in Japanese, the file's own keys quoted.
  await setValue("#game-import-text", game("export", desktop).replace(/"han": \d+/, '"han": 2.5'));
  await page.click("#game-import");
  assert.equal(await page.$eval("#game-import-error", (error) => error.textContent),
               "対局の記録として読めません: 「han」が範囲内の整数ではありません");
  assert.deepEqual(await pageStandings(), cliStandings(desktop));
});

test("a phone-sized 対局 tab: no sideways scroll, tap-sized buttons, every control labelled", async () => {
  await showGameTab();
  await openManage();
  await page.$eval("#game-history-box", (details) => { details.open = true; });
  for (const width of [414, 360, 320]) {
    await page.setViewport({ width, height: 740 });
    // The hand tab of the open game scrolled to its end: the bar covers none of its controls.
    await page.click("#tab-hand");
    await page.$eval("#hand-tiles", (input) => { input.closest("details").open = true; });
    await page.select("#hand-winner", "1");
    await page.select("#hand-from", "0");
    await setValue("#hand-tiles", "234067m234p6799s8s");
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const covered = await page.evaluate(() => {
      window.scrollTo(0, document.documentElement.scrollHeight);
      const top = document.getElementById("hand-bar").getBoundingClientRect().top;
      return [...document.querySelectorAll("#hand button, #hand input, #hand select, #hand summary")]
        .filter((control) => !control.closest("#hand-bar") && control.offsetWidth > 0 && control.getBoundingClientRect().bottom > top)
        .map((control) => control.id || control.textContent);
    });
    assert.deepEqual(covered, [], `hand at ${width} px`);
    await page.click("#hand-clear");
    for (const tab of ["game", "hand"]) {
      await page.click(`#tab-${tab}`);
      const wide = await page.evaluate(() => [...document.querySelectorAll("body *")]
        .filter((element) => element.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5)
        .map((element) => element.id || element.className || element.tagName));
      assert.deepEqual(wide, [], `${tab} at ${width} px`);
    }
    // The standings' names stay on one line; their figures break only after a myriad unit.
    await showGameTab();
    const broken = await page.$$eval("#game-standings td", (cells) => cells.filter((cell) => {
      const lines = new Set([...cell.childNodes].filter((node) => node.nodeType === Node.TEXT_NODE).map((node) => {
        const range = document.createRange();
        range.selectNodeContents(node);
        return [...range.getClientRects()].length;
      }));
      return [...lines].some((count) => count > 1);
    }).map((cell) => cell.textContent));
    assert.deepEqual(broken, [], `no figure or name broken inside at ${width} px`);
  }
  await page.setViewport({ width: 360, height: 740 });
  const layout = await page.evaluate(() => ({
    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    small: [...document.querySelectorAll("#game button")].filter((b) => b.offsetWidth > 0 && (b.offsetWidth < 44 || b.offsetHeight < 44))
      .map((b) => b.textContent),
    unlabelled: [...document.querySelectorAll("#game input, #game select, #game textarea, #game button")]
      .filter((c) => !(c.getAttribute("aria-label") || c.labels?.length || c.textContent.trim())).map((c) => c.id),
  }));
  assert.deepEqual(layout, { sideways: 0, small: [], unlabelled: [] });
});

test("the games survive a reload with the server stopped", async () => {
  const before = await pageStandings();
  const record = await page.$$eval("#game-record li", (items) => items.map((item) => item.textContent));
  await page.evaluate(() => navigator.serviceWorker.ready);
  await new Promise((resolve) => server.close(resolve));
  server = null;
  await page.reload();
  await load();
  await showGameTab();
  assert.deepEqual(await pageStandings(), before, "the open game");
  assert.deepEqual(await page.$$eval("#game-record li", (items) => items.map((item) => item.textContent)), record);
  // Every game is kept: the first one opens again, as the command line has it.
  const games = await page.$$eval("#game-list option", (options) => options.map((o) => [o.value, o.textContent]));
  assert.equal(games.length, 2, JSON.stringify(games));
  const firstGame = games.find(([, label]) => label.startsWith(PLAYERS.join("・")));
  await openManage();
  await page.select("#game-list", firstGame[0]);
  await page.click("#game-open");
  await page.waitForFunction(() => document.querySelector("#game-standings td:nth-child(2)")?.textContent === "Aiko");
  assert.deepEqual(await pageStandings(), cliStandings(first));
});

test("a new game: empty name fields, uma set, refusals in Japanese; a label, delete and restore", async () => {
  await showGameTab();
  await openManage();
  assert.deepEqual(await page.$$eval('input[id^="game-name-"]', (inputs) => inputs.map((input) => input.value)), ["", "", "", ""]);
  const refusals = [
    [{ "#game-rule-starting_points": "2.5" }, "持ち点「2.5」は整数ではありません"],
    [{ "#game-rule-starting_points": "25000", "#game-rule-oka_uma": true, "#game-rule-uma": "30,10,-10,-20" }, "ウマの合計が0になりません（10）"],
    [{ "#game-rule-uma": "20,10,-10,-20", "#game-name-0": "Eri" }, "名前が空です"],
  ];
  for (const [fields, message] of refusals) {
    for (const [selector, value] of Object.entries(fields)) {
      if (value === true) await page.$eval(selector, (box) => { box.checked = true; });
      else await setValue(selector, value);
    }
    await page.click("#game-new");
    assert.equal(await page.$eval("#game-setup-error", (error) => error.textContent), message);
  }
  for (const [i, name] of ["Eri", "Fumi", "Gen", "Hana"].entries()) await setValue(`#game-name-${i}`, name);
  await setValue("#game-label", "金曜会");
  await page.click("#game-new");
  await page.waitForFunction(() => document.querySelector("#game-standings td.name")?.textContent === "Eri");
  const labelled = await page.$eval("#game-list", (list) => list.selectedOptions[0].textContent);
  assert.match(labelled, /^Eri・Fumi・Gen・Hana（\d{4}\/\d{1,2}\/\d{1,2} \d{1,2}:\d{2}）　金曜会　対局中 トップ Eri 2万5000点$/);
  // Deleted, it leaves the list and can come back.
  await openManage();
  const count = await page.$$eval("#game-list option", (options) => options.length);
  await page.click("#game-delete");
  await page.waitForFunction((n) => document.querySelectorAll("#game-list option").length === n - 1, {}, count);
  assert.equal(await page.$eval("#game-deleted", (list) => list.options[0].textContent), labelled);
  await page.click("#game-restore");
  await page.waitForFunction((n) => document.querySelectorAll("#game-list option").length === n, {}, count);
  assert.equal(await page.$$eval("#game-deleted option", (options) => options.length), 0);
});

test("the final standings of a 119-han game fit 320 px, figures broken only between myriad groups", async () => {
  await showGameTab();
  await openManage();
  for (const [i, name] of ["Ichiro", "Jiro", "Saburo", "Shiro"].entries()) await setValue(`#game-name-${i}`, name);
  await page.select("#game-rule-length", "east");
  await page.click("#game-new");
  await page.waitForFunction(() => document.querySelector("#game-standings td.name")?.textContent === "Ichiro");
  await act(async () => { await enterWin({ winner: 1, han: 119, fu: 200 }); await page.click("#game-win"); });
  for (let hand = 0; hand < 3; ++hand) await act(() => page.click("#game-draw"));
  assert.equal(await page.$eval("#game-final", (table) => table.hidden), false, "the game is over");
  await page.setViewport({ width: 320, height: 640 });
  const layout = await page.evaluate(() => ({
    sideways: [...document.querySelectorAll("#game *")].filter((element) => element.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5)
      .map((element) => element.id || element.className || element.textContent),
    broken: [...document.querySelectorAll("#game-final td span, #game-standings td span")]
      .filter((piece) => piece.getClientRects().length > 1 || piece.offsetHeight > 1.5 * parseFloat(getComputedStyle(piece).lineHeight || "20"))
      .map((piece) => piece.textContent),
  }));
  await page.setViewport({ width: 360, height: 740 });
  assert.deepEqual(layout, { sideways: [], broken: [] });
});

test("成績 is velmarto-score game season over the same finished games, four- and three-player apart", async () => {
  // The 119-han game just finished, and a three-player 東風戦 finished here: each exported from the
  // page and imported into a database of their own.
  const exported = [];
  const exportCurrent = async () => {
    await openManage();
    await page.click("#game-export");
    exported.push(await page.$eval("#game-export-text", (box) => box.value));
  };
  await exportCurrent();
  await page.select("#game-players", "3");
  for (const [i, name] of ["Kei", "Mio", "Nao"].entries()) await setValue(`#game-name-${i}`, name);
  await page.select("#game-rule-length", "east");
  await page.click("#game-new");
  await page.waitForFunction(() => document.querySelector("#game-standings td.name")?.textContent === "Kei");
  await act(async () => { await enterWin({ winner: 2, from: 0, han: 3, fu: 40 }); await page.click("#game-win"); });
  while (await page.$eval("#game-final", (table) => table.hidden)) await act(() => page.click("#game-draw"));
  await exportCurrent();
  const season = path.join(work, "season.sqlite3");
  for (const [i, text] of exported.entries()) {
    const file = path.join(work, `season-${i}.json`);
    writeFileSync(file, text);
    execFileSync(SCORE, ["game", "--db", season, "import", file]);
  }
  const cli = JSON.parse(execFileSync(SCORE, ["game", "--db", season, "season", "--json"], { encoding: "utf8" }));

  await page.$eval("#game-season-box", (details) => { details.open = true; });
  await page.waitForSelector("#game-season table");
  const shown = await page.$$eval("#game-season table", (tables) => Object.fromEntries(tables.map((table) => [
    table.caption.textContent,
    [...table.rows].slice(1).map((row) => ({ name: row.cells[0].textContent, games: Number(row.cells[1].textContent),
      average_place: row.cells[2].textContent, points: row.cells[3].dataset.decimal,
      wins: Number(row.cells.item(row.cells.length - 2).textContent), deal_ins: Number(row.cells.item(row.cells.length - 1).textContent) })),
  ])));
  const rows = (list) => list.map(({ name, games, average_place, points, wins, deal_ins }) => ({ name, games, average_place, points, wins, deal_ins }));
  assert.deepEqual(shown, { 四人麻雀: rows(cli.four), 三人麻雀: rows(cli.three) });
  assert.equal(cli.three.length, 3);

  await page.setViewport({ width: 320, height: 640 });
  const sideways = await page.$$eval("#game-season *", (elements) => elements
    .filter((element) => element.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5).map((element) => element.textContent));
  await page.setViewport({ width: 360, height: 740 });
  assert.deepEqual(sideways, []);
});
