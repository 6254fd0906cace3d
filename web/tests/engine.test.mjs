// The embind API from Node, the same .wasm the page loads, against velmarto-score.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { test } from "node:test";

import { HANDS, SELECTIONS, cli, handJson, selectionArgs, SITE } from "./cases.mjs";

const require = createRequire(import.meta.url);
const createVelmarto = require(path.join(SITE, "velmarto.js"));
const engine = await createVelmarto({ wasmBinary: readFileSync(path.join(SITE, "velmarto.wasm")) });

test("reports match velmarto-score", () => {
  for (const selection of SELECTIONS) {
    assert.equal(engine.report(selection.han, selection.fu, selection.dealer), cli(...selectionArgs(selection)));
  }
  assert.equal(engine.report(120, 30, true), "", "beyond the window's han");
  assert.equal(engine.report(3, 35, true), "", "a fu the window has not");
});

test("tables match velmarto-score --table", () => {
  assert.equal(engine.table(false, 1, 13, false), cli("--table", "--non-dealer", "--han", "1-13") + "\n");
  assert.equal(engine.table(true, 110, 119, true), cli("--table", "--dealer", "--han", "110-119", "--plain") + "\n");
  assert.equal(engine.table(true, 5, 4, false), "");
});

test("hands match velmarto-score hand --json", () => {
  for (const { request, args } of HANDS) {
    const expected = handJson(args);
    const count = engine.hand(request);
    assert.equal(count.report, expected.report, args.join(" "));
    assert.equal(count.han, expected.han, args.join(" "));
    assert.equal(count.fu, expected.fu, args.join(" "));
    assert.deepEqual(count.payments, expected.payments ?? {}, args.join(" "));
    const dora = [["ドラ", expected.dora.dora], ["赤ドラ", expected.dora.aka], ["裏ドラ", expected.dora.ura]]
      .filter(([, han]) => han > 0).map(([name, han]) => ({ name, han }));
    assert.deepEqual(count.yaku, [...expected.yaku, ...dora], args.join(" "));
  }
});

test("a bad hand is told in Japanese, a hand being entered by how many tiles are to come", () => {
  assert.deepEqual(engine.hand({ tiles: "5555m5m" }), {
    error: "5mが5枚あります",
    message: "5m appears 5 times (the hand, called sets and indicators together); there are 4",
  }, "a fifth copy is a mistake, not a hand still being entered");
  assert.deepEqual(engine.hand({ tiles: "123m456p789s11z555s5s" }), {
    error: "13枚か14枚にしてください（いま15枚）",
    message: "15 tiles: a winning hand has 14, each called set counting 3 (quads too)",
  });
  const progress = [
    [{}, 14],
    [{ tiles: "123m" }, 11],
    [{ tiles: "123m", pon: "7z7z" }, 9],
    [{ tiles: "123m456p789s5s", chi: "78s" }, 2],
  ];
  for (const [request, toGo] of progress) assert.deepEqual(engine.hand(request), { toGo }, JSON.stringify(request));
  assert.deepEqual(engine.parseTiles("10m7z"), [[0, false], [4, true], [33, false]]);
  assert.deepEqual(engine.parseTiles("１０Ｍ 7z"), [[0, false], [4, true], [33, false]]);
  assert.deepEqual(engine.parseTiles("12"), []);
});

test("honba and sticks out of range are refused, never clamped", () => {
  const hand = { tiles: "123m456p789s11z555s" };
  for (const value of [-3, 1000001, 99999999, 1.5, null, "2"]) {
    for (const [field, label] of [["honba", "本場"], ["sticks", "供託"]]) {
      assert.deepEqual(engine.hand({ ...hand, [field]: value }), { error: `${label}は0〜1000000の整数です`, field },
                       `${field} ${value}`);
    }
  }
  const { report, settlement } = handJson(["234067m234p6799s8s", "--riichi", "--honba", "1000000"]);
  const count = engine.hand({ tiles: "234067m234p6799s8s", riichi: true, honba: 1000000 });
  assert.deepEqual([count.report, count.settlement], [report, settlement.line]);
});

test("who pays what: the discarder on a ron, each payer on a tsumo, honba included", () => {
  const base = { tiles: "234067m234p6799s8s", riichi: true };
  for (const tsumo of [false, true]) {
    for (const seat of [0, 1]) {
      const plain = engine.hand({ ...base, tsumo, seat });
      const [total, shares] = plain.report.split("　");
      const expected = tsumo ? shares : `放銃者の支払い ${total.replace("点数＝", "")}`;
      assert.equal(plain.payers, expected, `tsumo ${tsumo} seat ${seat}`);
      const args = ["234067m234p6799s8s", "--riichi", "--seat", "ESWN"[seat], "--honba", "2", "--sticks", "1",
                    ...(tsumo ? ["--tsumo"] : [])];
      const { settlement: { line: settlement } } = handJson(args);
      const settled = engine.hand({ ...base, tsumo, seat, honba: 2, sticks: 1 });
      assert.ok(settlement.includes(`　${settled.payers}　`), `${settled.payers} in ${settlement}`);
    }
  }
});

test("waits, useful tiles and discards match velmarto-score waits --json", () => {
  const name = ([index, red]) => (index >= 27 ? `${index - 26}z` : `${red ? 0 : (index % 9) + 1}${"mps"[Math.floor(index / 9)]}`);
  const waitsOf = (waits) => waits.map(({ tile, left, ron, tsumo }) => [name(tile), left, ron?.report ?? null, tsumo.report]);
  const expectedWaits = (waits) => (waits ?? []).map(({ tile, left, ron, tsumo }) => [tile, left, ron?.report ?? null, tsumo.report]);
  const cases = [
    { request: { tiles: "234067m234p6799s", riichi: true, seat: 1 }, args: ["234067m234p6799s", "--riichi", "--seat", "S"] },
    { request: { tiles: "1m9m1p9p1s9s1z2z3z4z5z6z7z" }, args: ["19m19p19s1234567z"] },
    { request: { tiles: "123m456p789s1z2z3z4z" }, args: ["123m456p789s1z2z3z4z"] },
    { request: { tiles: "234067m234p6799s1z", riichi: true }, args: ["234067m234p6799s1z", "--riichi"] },
    { request: { tiles: "5m", pon: "111z 222z 333z 444z" }, args: ["5m", "--pon", "111z", "--pon", "222z", "--pon", "333z", "--pon", "444z"] },
  ];
  for (const { request, args } of cases) {
    const expected = JSON.parse(cli("waits", ...args, "--json"));
    const got = engine.waits(request);
    assert.equal(got.shanten, expected.shanten, args.join(" "));
    assert.deepEqual(waitsOf(got.waits), expectedWaits(expected.waits), args.join(" "));
    assert.deepEqual(got.useful.map(({ tile, left }) => [name(tile), left]),
                     (expected.useful ?? []).map(({ tile, left }) => [tile, left]), args.join(" "));
    assert.deepEqual(got.discards.map(({ tile, shanten, waits }) => [name(tile), shanten, waitsOf(waits)]),
                     (expected.discards ?? []).map(({ tile, shanten, waits }) => [tile, shanten, expectedWaits(waits)]), args.join(" "));
  }
  assert.equal(engine.waits({ tiles: "123m" }).error, "13枚か14枚にしてください（いま3枚）");
});

test("a game's hand is counted with the table the game supplies, and pays what the game records", () => {
  const cases = [
    { name: "南1局 4本場 after four draws, a 南-seat hand with a 南 pon", players: ["A", "B", "C", "D"],
      events: Array.from({ length: 4 }, () => ({ kind: "draw", tenpai: [] })),
      winner: 1, discarder: 2, hand: { tiles: "234m567p789s11p", pon: "222z" }, han: 2, round: "南1局 4本場" },
    { name: "three players, a declared riichi counted by itself", players: ["A", "B", "C"],
      events: [{ kind: "draw", tenpai: [0] }, { kind: "riichi", player: 1 }],
      winner: 1, discarder: 2, hand: { tiles: "999m123p456p789s11z" }, han: 1, round: "東1局 1本場" },
  ];
  for (const { name, players, events, winner, discarder, hand, han, round } of cases) {
    let game = engine.gameStart(engine.gameDefaultRules(players.length), players, "", "2026-12-11T10:00:00Z");
    let view = engine.gameView(game.game);
    for (const event of events) {
      game = engine.gameAppend(game.game, JSON.stringify(event), view.position, "2026-12-11T10:30:00Z");
      view = game.view;
    }
    assert.equal(view.round, round, name);
    const context = engine.gameContext(game.game, winner, false, false);
    const count = engine.hand({ ...hand, ...context });
    assert.equal(count.han, han, name);
    const shown = count.payers.match(/放銃者の支払い (\S+)/)[1];
    const melds = hand.pon ? [{ kind: "pon", tiles: hand.pon }] : undefined;
    const ron = { kind: "ron", discarder, wins: [{ winner, hand: { tiles: hand.tiles, ...(melds && { melds }) } }] };
    const recorded = engine.gameAppend(game.game, JSON.stringify(ron), view.position, "2026-12-11T10:30:00Z");
    assert.equal(recorded.error, undefined, name);
    const row = recorded.view.history.at(-1);
    assert.deepEqual([row.wins[0].han, row.wins[0].fu], [count.han, count.fu], name);
    assert.equal(row.paid[discarder], `-${shown}`, name);
  }
  // The position guards against a second tap or another tab: an event for a position the game
  // has left is refused.
  const game = engine.gameStart(engine.gameDefaultRules(4), ["A", "B", "C", "D"], "", "2026-12-11T10:00:00Z");
  const once = engine.gameAppend(game.game, JSON.stringify({ kind: "riichi", player: 0 }), 0, "2026-12-11T10:30:00Z");
  assert.match(engine.gameAppend(once.game, JSON.stringify({ kind: "riichi", player: 1 }), 0, "2026-12-11T10:30:00Z").error, /^対局が先に進んでいます（いま1件目）/);
});
