// The page: reads the controls, asks the engine, shows what it says. Every figure comes from the
// engine (velmarto.js), as in the window and the command line; a figure shown always belongs to
// what is on screen, and goes while the input does not read.
import { figurePieces } from "./figure_pieces.js";

const $ = (id) => document.getElementById(id);

// The engine, whose compiling the page's head started, is instantiated as soon as its script is
// there; the single-file page has both inside. This script stands after the page's markup, so
// everything it looks up is there when it runs.
const loading = (async () => {
  if (!globalThis.createVelmarto) {
    await new Promise((resolve) => $("engine-script").addEventListener("load", resolve, { once: true }));
  }
  const compiled = await globalThis.velmartoWasm;
  return globalThis.createVelmarto(compiled ? {
    instantiateWasm: (imports, done) => {
      WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled));
      return {};
    },
  } : {});
})();

// The 対局 tab (ledger.js) loads after the first screen and announces its start function, before
// or after this script runs; it starts once the engine is ready, shares it and takes its wins
// from this tab's hand.
const ledgerStart = globalThis.velmartoLedger ? Promise.resolve(globalThis.velmartoLedger)
  : new Promise((resolve) => document.addEventListener("velmarto-ledger", (event) => resolve(event.detail), { once: true }));

// Tabs, with the arrow keys moving between them; they work before the engine has loaded.
const tabs = [...document.querySelectorAll('[role="tab"]')];
// A tab's content is drawn when it is first shown, once the engine is there: the first screen
// waits for nothing it does not show.
const drawOnce = new Map();
function selectTab(tab) {
  for (const other of tabs) {
    const selected = other === tab;
    other.setAttribute("aria-selected", String(selected));
    other.tabIndex = selected ? 0 : -1;
    $(other.getAttribute("aria-controls")).hidden = !selected;
  }
  const draw = drawOnce.get(tab.id);
  drawOnce.delete(tab.id);
  draw?.();
  tab.focus();
}
for (const tab of tabs) {
  tab.addEventListener("click", () => selectTab(tab));
  tab.addEventListener("keydown", (event) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
    if (step) selectTab(tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length]);
  });
}

const engine = await loading;
performance.mark("velmarto-engine-loaded");

const SUITS = [
  { letter: "m", name: "萬", numbers: ["一", "二", "三", "四", "五", "六", "七", "八", "九"] },
  { letter: "p", name: "筒", numbers: ["1", "2", "3", "4", "5", "6", "7", "8", "9"] },
  { letter: "s", name: "索", numbers: ["1", "2", "3", "4", "5", "6", "7", "8", "9"] },
];
const HONOURS = ["東", "南", "西", "北", "白", "發", "中"];
const RED_MARK = "赤";
const FIRST_HONOUR = 27;
// Where a palette tap goes: the concealed tiles and the indicators are one notation each; a
// called set box holds sets of a fixed size separated by spaces.
const SET_SIZES = { chi: 3, pon: 3, kan: 4, ankan: 4 };
const TARGET_LABELS = { dora: "ドラ表示", ura: "裏表示", chi: "チー", pon: "ポン", kan: "明槓", ankan: "暗槓" };
const box = (name) => $(`hand-${name}`);

// A whole number within [low, high] from a box, or null.
function readWhole(input, low, high) {
  const text = input.value.trim();
  const value = Number(text);
  return text !== "" && Number.isInteger(value) && value >= low && value <= high ? value : null;
}

// A figure line in pieces that do not break inside (see figurePieces), with a break allowed
// between them.
function showBreakable(element, text) {
  element.replaceChildren(...figurePieces(text).flatMap((part, i) => {
    const piece = Object.assign(document.createElement("span"), { textContent: part });
    return i ? [document.createElement("wbr"), piece] : [piece];
  }));
}

function tileName(index, red) {
  if (index >= FIRST_HONOUR) return `${index - FIRST_HONOUR + 1}z`;
  return `${red ? 0 : (index % 9) + 1}${SUITS[Math.floor(index / 9)].letter}`;
}

function spokenName(index, red) {
  if (index >= FIRST_HONOUR) return HONOURS[index - FIRST_HONOUR];
  return `${red ? RED_MARK : ""}${(index % 9) + 1}${SUITS[Math.floor(index / 9)].name}`;
}

// A tile's face: its number over its suit, or its honour; a red five says 赤 where its suit is,
// so it differs by more than colour.
function faceOf(index, red) {
  if (index >= FIRST_HONOUR) return [HONOURS[index - FIRST_HONOUR]];
  const suit = SUITS[Math.floor(index / 9)];
  return [suit.numbers[index % 9], document.createElement("br"), red ? RED_MARK : suit.name];
}

function tileButton(index, red, label, onClick) {
  const button = document.createElement("button");
  button.type = "button";
  button.className = red ? "tile red" : "tile";
  button.setAttribute("aria-label", label);
  button.append(...faceOf(index, red));
  button.addEventListener("click", onClick);
  return button;
}

// 点数: fu, han and seat to the report.
function showScore() {
  const han = readWhole($("score-han"), 0, engine.maxHan);
  const dealer = document.querySelector('input[name="score-seat"]:checked').value === "dealer";
  $("score-han-error").textContent = han === null ? `飜は0〜${engine.maxHan}の整数です` : "";
  showBreakable($("score-report"), han === null ? "" : engine.report(han, Number($("score-fu").value), dealer));
}
function stepHan(by) {
  const typed = Math.trunc(Number($("score-han").value)) || 0;
  const han = readWhole($("score-han"), 0, engine.maxHan) ?? Math.min(engine.maxHan, Math.max(0, typed));
  $("score-han").value = Math.min(engine.maxHan, Math.max(0, han + by));
  showScore();
}
$("score-han-down").addEventListener("click", () => stepHan(-1));
$("score-han-up").addEventListener("click", () => stepHan(1));
for (const control of document.querySelectorAll("#score select, #score input")) control.addEventListener("input", showScore);

// 手牌: the palette, one block per suit and the honours, adds to the chosen box.
const target = () => document.querySelector('input[name="hand-target"]:checked').value;

// The winning tile is the last of the concealed tiles; once the hand has been whole, it stays
// the winning tile while other tiles are taken out and put in, until the player takes it out.
let winKept = false;

function tileNames(notation) {
  return engine.parseTiles(notation).map(([index, red]) => tileName(index, red));
}

function addTile(name) {
  addTileTo(target(), name);
}

function addTileTo(kind, name) {
  const input = box(kind);
  if (kind === "tiles" && winKept) {
    const tiles = tileNames(input.value);
    tiles.splice(tiles.length - 1, 0, name);
    input.value = tiles.join("");
    showHand();
    return;
  }
  const size = SET_SIZES[kind];
  const last = input.value.split(/\s+/).filter(Boolean).at(-1);
  const inLast = last === undefined ? 0 : engine.parseTiles(last).length;
  const continues = !size || (inLast > 0 && inLast < size);
  input.value = continues ? input.value.trimEnd() + name : `${input.value.trim()} ${name}`.trim();
  showHand();
}

function paletteBlock(label, tiles) {
  const block = document.createElement("div");
  block.className = "block";
  block.setAttribute("role", "group");
  block.setAttribute("aria-label", label);
  for (const [index, red] of tiles) {
    const name = tileName(index, red);
    const button = tileButton(index, red, spokenName(index, red), () => addTile(name));
    button.dataset.tile = name;
    block.append(button);
  }
  return block;
}
SUITS.forEach((suit, s) => {
  const tiles = Array.from({ length: 9 }, (_, n) => [s * 9 + n, false]);
  $("palette").append(paletteBlock(suit.name, [...tiles, [s * 9 + 4, true]]));
});
$("palette").append(paletteBlock("字牌", HONOURS.map((_, i) => [FIRST_HONOUR + i, false])));

// The groups a box holds as drawn: one for the concealed tiles or the indicators, one per set.
function groupsOf(kind) {
  const text = box(kind).value;
  return SET_SIZES[kind] ? text.split(/\s+/).filter(Boolean) : [text];
}

// A tap on a drawn tile takes it out of its box.
function removeTile(kind, group, position) {
  const groups = groupsOf(kind).map((notation, g) => {
    const tiles = tileNames(notation);
    if (g === group && kind === "tiles" && position === tiles.length - 1) winKept = false;
    return g === group ? tiles.filter((_, i) => i !== position).join("") : notation;
  });
  box(kind).value = groups.filter(Boolean).join(" ");
  showHand();
}

function drawnTiles(kind, group, notation) {
  return engine.parseTiles(notation).map(([index, red], i) =>
    tileButton(index, red, `${spokenName(index, red)}を外す`, () => removeTile(kind, group, i)));
}

// The concealed tiles as entered, the winning one (the last) set apart once the hand is whole.
function drawHand(whole) {
  const tiles = drawnTiles("tiles", 0, box("tiles").value);
  winKept = tiles.length > 0 && (winKept || whole);
  const win = winKept ? tiles.pop() : null;
  if (win) {
    const apart = document.createElement("span");
    apart.className = "win";
    apart.append(win, Object.assign(document.createElement("small"), { textContent: "和了牌" }));
    tiles.push(apart);
  }
  $("hand-row").replaceChildren(...tiles);
  const calls = Object.keys(TARGET_LABELS).flatMap((kind) => groupsOf(kind).map((notation, g) => {
    const drawn = drawnTiles(kind, g, notation);
    if (drawn.length === 0) return null;
    const set = document.createElement("span");
    set.className = "set";
    set.append(Object.assign(document.createElement("small"), { textContent: TARGET_LABELS[kind] }), ...drawn);
    return set;
  })).filter(Boolean);
  $("hand-calls").replaceChildren(...calls);
}

function countValue(input) {
  return input.value.trim() === "" ? null : Number(input.value);
}

// With a game open, the 対局 tab supplies the table of the hand (seat, round, honba, sticks, a
// declared riichi, three players) for the winner chosen in the bar: {context(doubleRiichi), …},
// its context null until a winner and ロン or ツモ are chosen. Without a game, the controls here.
let gameTable = null;

function setGameTable(table) {
  gameTable = table;
  $("hand").classList.toggle("in-game", table !== null);
  $("hand-win").hidden = table === null;
  showHand();
}

const OWN_FLAGS = ["double_riichi", "ippatsu", "rinshan", "chankan"];

// What the player entered: the tiles, calls and indicators, and what only the player can say.
function handEntry() {
  const entry = {};
  for (const kind of ["tiles", "dora", "ura", ...Object.keys(SET_SIZES)]) entry[kind] = box(kind).value;
  for (const flag of OWN_FLAGS) entry[flag] = box(flag).checked;
  return entry;
}

function freeTable() {
  return {
    round: Number($("hand-round").value), seat: Number($("hand-seat").value), tsumo: $("hand-tsumo").checked,
    riichi: $("hand-riichi").checked, honba: countValue($("hand-honba")), sticks: countValue($("hand-sticks")),
  };
}

// The hand and its table; null for a game's hand whose winner is not chosen yet.
function handRequest() {
  const entry = handEntry();
  const table = gameTable ? gameTable.context(entry.double_riichi) : freeTable();
  if (table === null) return null;
  return { ...entry, ...table, ...engine.momentFlags({ ...table, lastTile: $("hand-lastTile").checked, firstDraw: $("hand-firstDraw").checked }) };
}

// A tile drawn small in the bar with what it does, and the words beside it.
function barItem(index, red, label, onClick, words) {
  const item = document.createElement("li");
  const tile = tileButton(index, red, label, onClick);
  item.append(tile, ...words.map((text) => Object.assign(document.createElement("span"), { textContent: text })));
  return item;
}

// Before the win: each wait with what it pays; the tiles that bring the hand nearer; or, with a
// 14th tile that does not win, what each discard leaves. A tap completes the hand, adds the
// tile, or cuts it.
function beforeTheWin(analysis, pending) {
  const tiles = engine.parseTiles(box("tiles").value);
  if (analysis.discards.length > 0) {
    const cut = (index, red) => removeTile("tiles", 0, tiles.findLastIndex(([i, r]) => i === index && r === red));
    return { status: "和了の形ではありません　打牌の候補:", items: analysis.discards.map(({ tile: [index, red], words }) =>
      barItem(index, red, `${spokenName(index, red)}を切る`, () => cut(index, red), words)) };
  }
  const add = (index, red) => addTileTo("tiles", tileName(index, red));
  if (analysis.shanten === 0) {
    return { status: `聴牌　待ち${analysis.waits.length}種`, items: analysis.waits.map(({ tile: [index, red], words }) =>
      barItem(index, red, `${spokenName(index, red)}で和了`, () => add(index, red), pending ? words.slice(0, 1) : words)) };
  }
  return { status: `${analysis.shanten}向聴　有効牌${analysis.useful.length}種`, items: analysis.useful.map(({ tile: [index, red], left }) =>
    barItem(index, red, `${spokenName(index, red)}を加える`, () => add(index, red), [`残り${left}枚`])) };
}

// The bar at the bottom: how far the entry is, or the error, or the figures of this hand; before
// the win, its waits. In a game, nothing is counted until the winner and ロン or ツモ are chosen.
function showHand() {
  const request = handRequest();
  const pending = request === null;
  const asked = pending ? { ...handEntry(), ...freeTable() } : request;
  const count = engine.hand(asked);
  const scored = count.report !== undefined && !pending;
  const waits = !scored && !count.field && (count.toGo === 1 || count.error) ? engine.waits(asked) : null;
  const before = waits && waits.error === undefined ? beforeTheWin(waits, pending) : null;
  // Whole: a winning hand, or 14 tiles that do not win; its last tile is then the winning tile.
  drawHand(count.report !== undefined || (waits?.discards?.length ?? 0) > 0);
  for (const field of ["honba", "sticks"]) $(`hand-${field}-error`).textContent = count.field === field ? count.error : "";
  const status = before?.status ?? (count.toGo ? `あと${count.toGo}枚` : count.error ?? (pending ? CHOOSE_WIN : count.hanFu));
  $("hand-status").className = count.error && !before ? "status error" : "status";
  $("hand-status").textContent = status;
  $("hand-waits").replaceChildren(...(before?.items ?? []));
  showBreakable($("hand-report"), scored ? count.report : "");
  showBreakable($("hand-payers"), scored ? count.settlement || count.payers : "");
  $("hand-lines").replaceChildren(...(scored ? count.lines : [])
    .map((line) => Object.assign(document.createElement("li"), { textContent: line })));
  $("hand-record").disabled = !scored;
}
const CHOOSE_WIN = "和了者と、ロンかツモを選んでください";
for (const control of document.querySelectorAll("#hand input:not([name]), #hand select")) control.addEventListener("input", showHand);
$("hand-tiles").addEventListener("input", () => { winKept = false; });

// A new hand: every tile, call, indicator and situation of the last one goes.
function clearHand() {
  for (const kind of ["tiles", "dora", "ura", ...Object.keys(SET_SIZES)]) box(kind).value = "";
  for (const flag of ["tsumo", "riichi", ...OWN_FLAGS, "lastTile", "firstDraw"]) box(flag).checked = false;
  document.querySelector('input[name="hand-target"][value="tiles"]').checked = true;
  winKept = false;
  showHand();
}
$("hand-clear").addEventListener("click", clearHand);

// The page keeps its content above the bar, whatever the bar holds at this width.
new ResizeObserver(() => {
  $("hand").style.paddingBottom = `${$("hand-bar").offsetHeight + 8}px`;
}).observe($("hand-bar"));

// 表: velmarto-score --table for a seat and a han range.
function tableRow(cells, tag) {
  const row = document.createElement("tr");
  row.append(...cells.map((text) => Object.assign(document.createElement(tag), tag === "th" ? { textContent: text, scope: "col" } : { textContent: text })));
  return row;
}
function showTable() {
  const from = readWhole($("table-from"), 1, engine.maxHan);
  const to = readWhole($("table-to"), 1, engine.maxHan);
  const error = from === null || to === null ? `飜は1〜${engine.maxHan}の整数です`
    : from > to ? "「から」が「まで」より大きくなっています" : "";
  $("table-error").textContent = error;
  const tsv = error ? "" : engine.table($("table-seat").value === "dealer", from, to, false);
  $("table-tsv").textContent = tsv;
  if (!tsv) {
    $("table-view").replaceChildren();
    return;
  }
  const [head, ...rows] = tsv.trimEnd().split("\n").map((line) => line.split("\t"));
  const thead = document.createElement("thead");
  const tbody = document.createElement("tbody");
  thead.append(tableRow(head, "th"));
  tbody.append(...rows.map((cells) => tableRow(cells, "td")));
  $("table-view").replaceChildren(thead, tbody);
}
for (const control of document.querySelectorAll("#table input, #table select")) control.addEventListener("input", showTable);

// Copy: the same text the window copies.
for (const button of document.querySelectorAll("[data-copy]")) {
  button.addEventListener("click", async () => {
    const label = button.textContent;
    try {
      await navigator.clipboard.writeText($(button.dataset.copy).textContent);
      button.textContent = "コピーしました";
    } catch {
      button.textContent = "コピーできませんでした";
    }
    setTimeout(() => { button.textContent = label; }, 1500);
  });
}

showScore();
drawOnce.set("tab-hand", showHand);
drawOnce.set("tab-table", showTable);
document.documentElement.dataset.ready = "true";
performance.mark("velmarto-engine-ready");
ledgerStart.then((start) => start({ engine, handRequest, clearHand, setGameTable }));

// Offline once opened, where the page is served (not from a file).
if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("sw.js");
}
