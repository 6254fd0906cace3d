// The page: reads the controls, asks the engine, shows what it says. Every figure comes from the
// engine (velmarto.js), as in the window and the command line.
const engine = await globalThis.createVelmarto();

const $ = (id) => document.getElementById(id);
const FU = [20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200];
const WINDS = ["東", "南", "西", "北"];
const SUITS = [
  { letter: "m", name: "萬", numbers: ["一", "二", "三", "四", "伍", "六", "七", "八", "九"] },
  { letter: "p", name: "筒", numbers: ["1", "2", "3", "4", "5", "6", "7", "8", "9"] },
  { letter: "s", name: "索", numbers: ["1", "2", "3", "4", "5", "6", "7", "8", "9"] },
];
const HONOURS = ["東", "南", "西", "北", "白", "發", "中"];

// A tile drawn as a tile: its number over its suit, or its honour; red fives in red.
function tileFace(index, red) {
  const face = document.createElement("span");
  face.className = red ? "tile red" : "tile";
  if (index >= 27) {
    face.textContent = HONOURS[index - 27];
  } else {
    const suit = SUITS[Math.floor(index / 9)];
    face.append(suit.numbers[index % 9], document.createElement("br"), suit.name);
  }
  return face;
}

function tileName(index, red) {
  if (index >= 27) return `${index - 26}z`;
  return `${red ? 0 : (index % 9) + 1}${SUITS[Math.floor(index / 9)].letter}`;
}

function spokenName(index, red) {
  if (index >= 27) return HONOURS[index - 27];
  return `${red ? "赤" : ""}${(index % 9) + 1}${SUITS[Math.floor(index / 9)].name}`;
}

// Tabs, with the arrow keys moving between them.
const tabs = [...document.querySelectorAll('[role="tab"]')];
function selectTab(tab) {
  for (const other of tabs) {
    const selected = other === tab;
    other.setAttribute("aria-selected", String(selected));
    other.tabIndex = selected ? 0 : -1;
    $(other.getAttribute("aria-controls")).hidden = !selected;
  }
  tab.focus();
}
for (const tab of tabs) {
  tab.addEventListener("click", () => selectTab(tab));
  tab.addEventListener("keydown", (event) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
    if (step) selectTab(tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length]);
  });
}
tabs.forEach((tab, i) => { tab.tabIndex = i === 0 ? 0 : -1; });

// 点数: fu, han and seat to the report.
for (const fu of FU) $("score-fu").add(new Option(String(fu), String(fu), fu === 30, fu === 30));
function clampHan(value) {
  const han = Math.trunc(Number(value));
  return Number.isFinite(han) ? Math.min(119, Math.max(0, han)) : 1;
}
function showScore() {
  const han = clampHan($("score-han").value);
  const dealer = document.querySelector('input[name="score-seat"]:checked').value === "dealer";
  $("score-report").textContent = engine.report(han, Number($("score-fu").value), dealer);
}
function stepHan(by) {
  $("score-han").value = clampHan(clampHan($("score-han").value) + by);
  showScore();
}
$("score-han-down").addEventListener("click", () => stepHan(-1));
$("score-han-up").addEventListener("click", () => stepHan(1));
$("score-han").addEventListener("change", () => { $("score-han").value = clampHan($("score-han").value); showScore(); });
for (const control of document.querySelectorAll("#score select, #score input")) control.addEventListener("input", showScore);

// 手牌: the palette, the hand drawn, and the count.
const PALETTE = [];
for (let suit = 0; suit < 3; ++suit) {
  for (let n = 0; n < 9; ++n) PALETTE.push([suit * 9 + n, false]);
  PALETTE.push([suit * 9 + 4, true]);
}
for (let index = 27; index < 34; ++index) PALETTE.push([index, false]);
for (const [index, red] of PALETTE) {
  const button = document.createElement("button");
  button.type = "button";
  button.className = red ? "tile red" : "tile";
  button.setAttribute("aria-label", spokenName(index, red));
  button.dataset.tile = tileName(index, red);
  button.append(...tileFace(index, red).childNodes);
  button.addEventListener("click", () => { $("hand-tiles").value += button.dataset.tile; showHand(); });
  $("palette").append(button);
}
for (const id of ["hand-round", "hand-seat"]) WINDS.forEach((wind, i) => $(id).add(new Option(wind, String(i))));

// The tiles the engine reads in the box, or null while the notation is half written.
function readTiles(text) {
  const tiles = engine.parseTiles(text);
  return tiles.length === 0 && text !== "" ? null : tiles;
}

$("hand-back").addEventListener("click", () => {
  const tiles = readTiles($("hand-tiles").value);
  if (tiles === null || tiles.length === 0) return;
  $("hand-tiles").value = tiles.slice(0, -1).map(([index, red]) => tileName(index, red)).join("");
  showHand();
});

function handRequest() {
  const seat = Number($("hand-seat").value);
  const tsumo = $("hand-tsumo").checked;
  const lastTile = $("hand-lastTile").checked;
  const firstDraw = $("hand-firstDraw").checked;
  const request = {
    tiles: $("hand-tiles").value.trim(), dora: $("hand-dora").value.trim(), ura: $("hand-ura").value.trim(),
    round: Number($("hand-round").value), seat, honba: Number($("hand-honba").value) || 0,
    sticks: Number($("hand-sticks").value) || 0, tsumo,
    haitei: lastTile && tsumo, houtei: lastTile && !tsumo,
    tenhou: firstDraw && seat === 0, chiihou: firstDraw && seat !== 0,
  };
  for (const kind of ["chi", "pon", "kan", "ankan"]) request[kind] = $(`hand-${kind}`).value;
  for (const flag of ["riichi", "doubleRiichi", "ippatsu", "rinshan", "chankan"]) request[flag] = $(`hand-${flag}`).checked;
  return request;
}

function showHand() {
  const request = handRequest();
  const tiles = readTiles(request.tiles);
  if (tiles !== null) $("hand-row").replaceChildren(...tiles.map(([index, red]) => tileFace(index, red)));
  if (request.tiles === "") {
    $("hand-error").textContent = "";
    return;
  }
  const count = engine.hand(request);
  // A mistake is said; the last count stays.
  $("hand-error").textContent = count.error ?? "";
  if (count.error) return;
  $("hand-yaku").replaceChildren(...(count.noYaku ? ["役なし"] : count.yaku.map((y) => `${y.name} ${y.han}飜`))
    .map((text) => Object.assign(document.createElement("li"), { textContent: text })));
  $("hand-totals").textContent = count.totals ? `計 ${count.totals}` : "";
  $("hand-report").textContent = count.report;
  $("hand-settlement").textContent = count.settlement;
}
for (const control of document.querySelectorAll("#hand input, #hand select")) control.addEventListener("input", showHand);

// 表: velmarto-score --table for a seat and a han range.
function showTable() {
  const from = Math.min(119, Math.max(1, Math.trunc(Number($("table-from").value)) || 1));
  const to = Math.min(119, Math.max(from, Math.trunc(Number($("table-to").value)) || from));
  const tsv = engine.table($("table-seat").value === "dealer", from, to, false);
  $("table-tsv").textContent = tsv;
  const rows = tsv.trimEnd().split("\n").map((line) => line.split("\t"));
  const head = document.createElement("tr");
  head.append(...rows[0].map((text) => Object.assign(document.createElement("th"), { textContent: text, scope: "col" })));
  $("table-view").replaceChildren(head, ...rows.slice(1).map((cells) => {
    const row = document.createElement("tr");
    row.append(...cells.map((text) => Object.assign(document.createElement("td"), { textContent: text })));
    return row;
  }));
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
performance.mark("velmarto-first-result");
showTable();
// The 対局 tab (ledger.js) shares the engine and takes its wins from this tab's hand.
document.dispatchEvent(new CustomEvent("velmarto-ready", { detail: { engine, handRequest } }));
document.documentElement.dataset.ready = "true";

// Offline once opened, where the page is served (not from a file).
if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("sw.js");
}
