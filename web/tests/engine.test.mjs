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

test("a bad hand is told in Japanese", () => {
  assert.deepEqual(engine.hand({ tiles: "5555m5m" }), {
    error: "14枚ではありません（5枚）",
    message: "5 tiles: a winning hand has 14, each called set counting 3 (quads too)",
  });
  assert.deepEqual(engine.parseTiles("10m7z"), [[0, false], [4, true], [33, false]]);
  assert.deepEqual(engine.parseTiles("12"), []);
});
