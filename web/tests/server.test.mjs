// The page served by velmarto-server, in Chromium: a game shared from one phone and followed on
// others, records sent after going offline, and a conflict shown and settled, never lost.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { createInterface } from "node:readline";
import { after, before, test } from "node:test";

import { launchChromium } from "./chromium.mjs";
import { SITE } from "./cases.mjs";

const SERVER = process.env.VELMARTO_SERVER;
// Long enough for a loaded machine; a broken page still ends.
const WAIT = { timeout: 20000 };
const folder = mkdtempSync(path.join(os.tmpdir(), "velmarto-shared-"));
const servers = [];
let origin;
let browser;

// A server of its own database on a free port; resolves to its origin.
async function startServer(name, ...args) {
  const server = spawn(SERVER, ["--listen", "127.0.0.1:0", "--db", path.join(folder, `${name}.sqlite3`), "--site", SITE,
                                ...args], { stdio: ["ignore", "pipe", "inherit"] });
  servers.push(server);
  const { value: line } = await createInterface({ input: server.stdout })[Symbol.asyncIterator]().next();
  return /http:\/\/[0-9.:]+/.exec(line)[0];
}

before(async () => {
  if (!SERVER) return;
  origin = await startServer("games");
  browser = await launchChromium(path.join(folder, "profile"));
});

after(async () => {
  await browser?.close();
  for (const server of servers) server.kill();
  rmSync(folder, { recursive: true, force: true });
});

// A phone of its own: its own IndexedDB, on the page at `url`; `prepare` runs in it before the page.
async function phone(url, prepare = () => {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 360, height: 740 });
  await page.evaluateOnNewDocument(prepare);
  await page.goto(url);
  await page.waitForSelector('#game[data-ready="true"]', WAIT);
  return page;
}

const text = (page, selector) => page.$eval(selector, (element) => element.textContent);
const round = (page) => text(page, "#game-round");
const shown = (page, expected) => page.waitForFunction(
  (want) => document.getElementById("game-round").textContent === want, WAIT, expected);
const serverGame = async (id) => (await fetch(`${origin}/api/games/${id}`)).json();
// A tap that records: a click only starts it, so this waits until the page lists one more event
// and, online, until the server has taken it, before the test reads the page or the server.
async function tapRecorded(page, selector) {
  const before = await page.$eval("#game-record", (list) => list.children.length);
  await page.click(selector);
  await page.waitForFunction((count) => document.getElementById("game-record").children.length > count
                                        && document.getElementById("game-sync").textContent === "サーバーと同じです",
                              WAIT, before);
}

// A new game of あいうえ on `page`, shared: its watch link and the server's id of it.
async function shareNewGame(page) {
  await page.click("#tab-game");
  for (const [i, name] of ["あ", "い", "う", "え"].entries()) await page.type(`#game-name-${i}`, name);
  await page.click("#game-new");
  await page.waitForSelector("#game-play:not([hidden])", WAIT);
  await page.click("#game-share-box summary");
  await page.click("#game-share");
  await page.waitForFunction(() => document.getElementById("game-watch-link").textContent !== "", WAIT);
  const watch = await text(page, "#game-watch-link");
  return { watch, id: /#watch=([A-Za-z0-9_-]+)$/.exec(watch)[1] };
}

test("a game shared, followed live, recorded offline and in conflict", { skip: !SERVER && "VELMARTO_SERVER is not set" }, async () => {
  const recorder = await phone(`${origin}/`);
  const { watch, id } = await shareNewGame(recorder);
  const record = await text(recorder, "#game-record-link");
  assert.match(record, new RegExp(`#record=${id}\\.[A-Za-z0-9_-]{43}$`));
  await recorder.waitForFunction(() => document.getElementById("game-share-qr").src.startsWith("data:image/svg+xml"), WAIT);

  // A watcher follows each record within moments, and cannot record.
  const watcher = await phone(watch);
  await shown(watcher, await round(recorder));
  await tapRecorded(recorder, "#game-abort");
  await shown(watcher, await round(recorder));
  assert.equal((await serverGame(id)).position, 1);
  await watcher.click("#game-abort");
  await watcher.waitForFunction(() => document.getElementById("game-error").textContent.includes("見るためのリンク"), WAIT);
  assert.equal((await serverGame(id)).position, 1);

  // Offline, the record is kept and sent on reconnecting.
  await recorder.setOfflineMode(true);
  await recorder.click("#game-abort");
  await recorder.waitForFunction(() => document.getElementById("game-sync").textContent.includes("未送信の記録 1件"), WAIT);
  assert.equal((await serverGame(id)).position, 1);
  await recorder.setOfflineMode(false);
  await shown(watcher, await round(recorder));
  assert.equal((await serverGame(id)).position, 2);

  // A second recorder moves the game on while the first is offline: the first is shown the
  // server's game and asked; its riichi, recorded again after it, reaches everyone.
  const second = await phone(record);
  await shown(second, await round(recorder));
  await recorder.setOfflineMode(true);
  await recorder.click("#game-standings button.riichi");
  await recorder.waitForFunction(() => document.getElementById("game-sync").textContent.includes("未送信の記録 1件"), WAIT);
  await tapRecorded(second, "#game-abort");
  await shown(watcher, await round(second));
  assert.equal((await serverGame(id)).position, 3);
  await recorder.setOfflineMode(false);
  await recorder.waitForSelector("#game-conflict:not([hidden])", WAIT);
  assert.equal(await round(recorder), await round(second));
  assert.match(await text(recorder, "#game-conflict-list"), /立直/);
  await recorder.click("#game-conflict-reapply");
  await recorder.waitForFunction(() => document.getElementById("game-sync").textContent === "サーバーと同じです", WAIT);
  const final = await serverGame(id);
  assert.equal(final.position, 4);
  assert.deepEqual(final.events.map((event) => event.kind), ["abort", "abort", "abort", "riichi"]);
  await shown(watcher, await round(recorder));
});

// In the phone: every write to IndexedDB completes `window.slowSaves` ms late, and `window.writes`
// counts the writes begun, so a test can act while one is on its way.
function slowSaves() {
  window.slowSaves = 0;
  window.writes = 0;
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = function (...args) {
    window.writes += 1;
    return put.apply(this, args);
  };
  const complete = Object.getOwnPropertyDescriptor(IDBTransaction.prototype, "oncomplete");
  Object.defineProperty(IDBTransaction.prototype, "oncomplete", {
    get() { return complete.get.call(this); },
    set(handler) {
      complete.set.call(this, (event) => setTimeout(() => handler.call(this, event), window.slowSaves));
    },
  });
}

test("a tap recorded while the server's answer to the one before is saved is kept", { skip: !SERVER && "VELMARTO_SERVER is not set" }, async () => {
  const recorder = await phone(`${origin}/`, slowSaves);
  const { id } = await shareNewGame(recorder);

  // The first abort's sending is held; the second abort's save is on its way when the server's
  // answer to the first comes back.
  await recorder.setRequestInterception(true);
  const held = [];
  let holding = true;
  recorder.on("request", (request) => (holding && request.method() === "POST" ? held.push(request) : request.continue()));
  await recorder.click("#game-abort");
  await recorder.waitForFunction(() => document.getElementById("game-record").children.length === 1, WAIT);
  while (held.length === 0) await new Promise((resolve) => setTimeout(resolve, 20));
  const writes = await recorder.evaluate(() => { window.slowSaves = 500; return window.writes; });
  await recorder.click("#game-abort");
  await recorder.waitForFunction((count) => window.writes > count, WAIT, writes);
  holding = false;
  held.shift().continue();
  await recorder.evaluate(() => { window.slowSaves = 0; });
  await recorder.waitForFunction(() => document.getElementById("game-sync").textContent === "サーバーと同じです"
                                       && document.getElementById("game-record").children.length === 2, WAIT);
  await recorder.waitForFunction(async (game) => (await (await fetch(`/api/games/${game}`)).json()).position === 2, WAIT, id);
  await recorder.reload();
  await recorder.waitForSelector('#game[data-ready="true"]', WAIT);
  assert.equal(await recorder.$eval("#game-record", (list) => list.children.length), 2);
});

test("a club's key opens sharing and the season", { skip: !SERVER && "VELMARTO_SERVER is not set" }, async () => {
  const keyFile = path.join(folder, "club-key");
  writeFileSync(keyFile, "matsu-club\n");
  const club = await startServer("club", "--club-key-file", keyFile);
  const member = await phone(`${club}/`);
  await member.click("#tab-game");
  await member.click("#game-club summary");
  await member.click("#club-season-show");
  await member.waitForFunction(() => document.getElementById("club-error").textContent.includes("クラブのキー"), WAIT);
  for (const [i, name] of ["松", "竹", "梅", "桜"].entries()) await member.type(`#game-name-${i}`, name);
  await member.click("#game-new");
  await member.waitForSelector("#game-play:not([hidden])", WAIT);
  await member.click("#game-share-box summary");
  await member.click("#game-share");
  await member.waitForFunction(() => document.getElementById("game-error").textContent.includes("クラブのキー"), WAIT);

  await member.type("#club-key", "matsu-club");
  await member.$eval("#club-key", (input) => input.dispatchEvent(new Event("change")));
  await member.click("#game-share");
  await member.waitForFunction(() => document.getElementById("game-watch-link").textContent !== "", WAIT);
  // An East-only game of four draws with nobody in tenpai: finished, so in the season.
  const finished = { format: "velmarto-game", version: 2, rules: { players: 4, length: "east" },
                     players: ["東家", "南家", "西家", "北家"], events: Array(4).fill({ kind: "draw", tenpai: [] }) };
  const created = await fetch(`${club}/api/games`, { method: "POST", headers: { Authorization: "Bearer matsu-club" },
                                                    body: JSON.stringify(finished) });
  assert.equal(created.status, 201);
  await member.click("#club-season-show");
  await member.waitForSelector("#club-season:not([hidden])", WAIT);
  const rows = await member.$$eval("#club-season tr", (trs) => trs.slice(1).map((tr) => [...tr.cells].map((td) => td.textContent)));
  assert.deepEqual(rows.map((row) => row.slice(1, 4)),
                   [["東家", "1", "1.00"], ["南家", "1", "2.00"], ["西家", "1", "3.00"], ["北家", "1", "4.00"]]);
});
