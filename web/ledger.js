// 対局: a whole game kept on the phone. A game is held only as the exchange format's text, which the
// engine reads, extends and replays (game_bindings.cpp); this file stores that text in IndexedDB
// and shows what the engine says, so an export is the very text velmarto-score game imports.
const $ = (id) => document.getElementById(id);
const FU = [20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200];
const SEATS = ["東家", "南家", "西家", "北家"];
const MELD_KINDS = ["chi", "pon", "kan", "ankan"];
const TSUMO = "tsumo";
const DATABASE = "velmarto";
const STORE = "games";

// The rules a new game can change, by their key in the exchange format; the engine gives the
// defaults and reads the result.
const RULES = [
  { key: "length", label: "長さ", options: { east: "東風戦", "east-south": "半荘戦" } },
  { key: "starting_points", label: "持ち点", points: true },
  { key: "ron_honba", label: "ダブロンの本場", options: { "first-winner": "上家のみ", "each-winner": "各和了者" } },
  { key: "sanma_tsumo", label: "三人のツモ", options: { loss: "ツモ損", split: "北家折半" }, players: 3 },
  { key: "end_below_zero", label: "箱下で終了" },
  { key: "end_on_dealer_top", label: "オーラス親トップで終了" },
  { key: "sticks_to_top", label: "残った供託はトップへ" },
  { key: "oka_uma", label: "オカ・ウマ" },
  { key: "return_points", label: "返し点", points: true },
  { key: "double_yakuman", label: "ダブル役満" },
  { key: "open_tanyao", label: "喰いタン" },
];

let engine;
let handRequest;
let database = null;
let current = null;      // the open game's stored record: {id, created, updated, players, game}
let pendingHand = null;  // a hand brought from the 手牌 tab, scored when recorded
let pendingWins = [];    // the wins of a double ron added before the last one

// IndexedDB, wrapped in promises; every write is one transaction that has reached the disk.
function request(operation) {
  return new Promise((resolve, reject) => {
    operation.onsuccess = () => resolve(operation.result);
    operation.onerror = () => reject(operation.error);
  });
}

function openDatabase() {
  const opening = indexedDB.open(DATABASE, 1);
  opening.onupgradeneeded = () => opening.result.createObjectStore(STORE, { keyPath: "id", autoIncrement: true });
  return request(opening);
}

async function allGames() {
  if (!database) return current ? [current] : [];
  return request(database.transaction(STORE).objectStore(STORE).getAll());
}

async function save(record) {
  record.updated = Date.now();
  if (!database) return record;
  const transaction = database.transaction(STORE, "readwrite", { durability: "strict" });
  const id = await request(transaction.objectStore(STORE).put(record));
  await new Promise((resolve, reject) => {
    transaction.oncomplete = resolve;
    transaction.onerror = transaction.onabort = () => reject(transaction.error);
  });
  return { ...record, id };
}

// A figure in myriad units may break after a unit, never inside its digits.
function breakable(text) {
  return text.split(/(?<=[万億兆京垓杼穣溝澗正載極])/u).flatMap((part) => [part, document.createElement("wbr")]).slice(0, -1);
}

// The open game's standings, seats and record, as the engine replays them.
function show() {
  $("game-play").hidden = current === null;
  $("game-manage").open = current === null || $("game-manage").open;
  if (current === null) return;
  const view = engine.gameView(current.game);
  if (view.error) {
    $("game-error").textContent = view.error;
    return;
  }
  $("game-round").textContent = `${view.round}　供託${view.sticks}本${view.finished ? "　終局" : ""}`;
  const head = document.createElement("tr");
  head.append(...["風", "名前", "持ち点", "前回", ""].map((text) => Object.assign(document.createElement("th"), { textContent: text, scope: "col" })));
  $("game-standings").replaceChildren(head, ...view.players.map((player, index) => {
    const row = document.createElement("tr");
    if (player.dealer) row.className = "dealer";
    const riichi = Object.assign(document.createElement("button"), { type: "button", textContent: "立直", className: "riichi" });
    riichi.setAttribute("aria-label", `${player.name} 立直`);
    riichi.disabled = view.finished;
    riichi.addEventListener("click", () => record({ kind: "riichi", player: index }));
    const cells = [player.dealer ? `${player.wind}親` : player.wind, player.name, player.points, player.change];
    row.append(...cells.map((text) => {
      const cell = document.createElement("td");
      cell.append(...breakable(text));
      return cell;
    }), document.createElement("td"));
    row.lastChild.append(riichi);
    row.cells[2].dataset.decimal = player.decimal;
    return row;
  }));
  if (view.finished) {
    const ranks = view.final.map((line, rank) => `${rank + 1}位 ${line.name} ${line.points}${line.score ? `（${line.score}）` : ""}`);
    $("game-round").textContent += `　${ranks.join("　")}`;
  }
  $("game-record").replaceChildren(...view.history.map((row) => Object.assign(document.createElement("li"), { textContent: row.line })));
  $("game-undo").disabled = !view.canUndo;
  showPlayers(view.players);
}

// The winner, discarder and tenpai choices follow the game's players.
function showPlayers(players) {
  const names = players.map((player) => player.name);
  if ($("game-winner").options.length !== names.length || [...$("game-winner").options].some((o, i) => o.text !== names[i])) {
    $("game-winner").replaceChildren(...names.map((name, i) => new Option(name, String(i))));
    $("game-from").replaceChildren(new Option("ツモ", TSUMO), ...names.map((name, i) => new Option(name, String(i))));
    $("game-tenpai").replaceChildren(...names.map((name, i) => {
      const label = document.createElement("label");
      const box = Object.assign(document.createElement("input"), { type: "checkbox", value: String(i) });
      label.append(box, ` ${name}`);
      return label;
    }));
  }
}

// Events go to the engine in the exchange format, read there by the same reader as an import.
async function record(event) {
  const next = engine.gameAppend(current.game, JSON.stringify(event));
  $("game-error").textContent = next.error ?? "";
  if (next.error) return false;
  try {
    current = await save({ ...current, game: next.game });
  } catch (error) {
    $("game-error").textContent = `保存できませんでした: ${error?.message ?? error}`;
    return false;
  }
  show();
  await showList();
  return true;
}

// The 手牌 tab's hand as the exchange format writes a hand: its tiles, called sets, indicators and
// what the player declares; the table's part (seat, round, honba, sticks) is the game's.
function exchangeHand(request) {
  const hand = { tiles: request.tiles };
  const melds = MELD_KINDS.flatMap((kind) => request[kind].split(/\s+/).filter(Boolean).map((tiles) => ({ kind, tiles })));
  if (melds.length > 0) hand.melds = melds;
  for (const key of ["win", "dora", "ura"]) if (request[key]) hand[key] = request[key];
  for (const { key } of engine.declaredFlags()) if (request[key]) hand[key] = true;
  return hand;
}

// The win being entered: from the hand tab's hand, or han and fu.
function currentWin() {
  const winner = Number($("game-winner").value);
  if (pendingHand) return { winner, hand: exchangeHand(pendingHand) };
  return { winner, han: Number($("game-han").value), fu: Number($("game-fu").value) };
}

function describeWin(win) {
  const name = $("game-winner").options[win.winner].text;
  return win.hand ? `${name} ${win.hand.tiles}` : `${name} ${win.han}飜${win.fu}符`;
}

function showPending() {
  $("game-hand").hidden = pendingHand === null;
  $("game-hanfu").hidden = pendingHand !== null;
  $("game-hand-tiles").textContent = pendingHand?.tiles ?? "";
  $("game-pending").replaceChildren(...pendingWins.map((win, index) => {
    const item = Object.assign(document.createElement("li"), { textContent: `${describeWin(win)} ` });
    const drop = Object.assign(document.createElement("button"), { type: "button", textContent: "外す" });
    drop.addEventListener("click", () => { pendingWins.splice(index, 1); showPending(); });
    item.append(drop);
    return item;
  }));
}

function clearWin() {
  pendingHand = null;
  pendingWins = [];
  showPending();
}

$("game-add").addEventListener("click", () => {
  if ($("game-from").value === TSUMO) {
    $("game-error").textContent = "ダブロンは放銃者を選んでから加えます";
    return;
  }
  $("game-error").textContent = "";
  pendingWins.push(currentWin());
  pendingHand = null;
  showPending();
});

$("game-win").addEventListener("click", async () => {
  const from = $("game-from").value;
  const wins = [...pendingWins, currentWin()];
  const event = from === TSUMO ? { kind: "tsumo", wins } : { kind: "ron", discarder: Number(from), wins };
  if (from === TSUMO && pendingWins.length > 0) {
    $("game-error").textContent = "ツモの和了は1人です";
    return;
  }
  if (await record(event)) clearWin();
});

$("game-hand-clear").addEventListener("click", () => { pendingHand = null; showPending(); });

$("game-draw").addEventListener("click", () => {
  const tenpai = [...$("game-tenpai").querySelectorAll("input:checked")].map((box) => Number(box.value));
  record({ kind: "draw", tenpai }).then((done) => {
    if (done) for (const box of $("game-tenpai").querySelectorAll("input")) box.checked = false;
  });
});
$("game-abort").addEventListener("click", () => record({ kind: "abort" }));
$("game-undo").addEventListener("click", () => record({ kind: "undo" }));

// 手牌 → 対局: the hand on the 手牌 tab as a win; the winner is the player sitting in its seat wind.
function takeHand() {
  const hand = handRequest();
  pendingHand = hand;
  pendingWins = [];
  if (current !== null) {
    const view = engine.gameView(current.game);
    const seated = view.players?.findIndex((player) => player.seat === hand.seat);
    if (seated >= 0) $("game-winner").value = String(seated);
    if (hand.tsumo) $("game-from").value = TSUMO;
    else if ($("game-from").value === TSUMO || $("game-from").value === $("game-winner").value) $("game-from").selectedIndex = 0;
  }
  showPending();
  $("tab-game").click();
  if (!$("game-from").disabled && current !== null && !hand.tsumo) $("game-from").focus();
}

// A new game: the players' names and the rules, the defaults coming from the engine.
function showSetup() {
  const players = Number($("game-players").value);
  const defaults = JSON.parse(engine.gameDefaultRules(players));
  const rows = [];
  for (let i = 0; i < players; ++i) {
    const label = Object.assign(document.createElement("label"), { htmlFor: `game-name-${i}`, textContent: SEATS[i] });
    const input = Object.assign(document.createElement("input"), { id: `game-name-${i}`, value: ["A", "B", "C", "D"][i], autocomplete: "off" });
    rows.push(label, input);
  }
  for (const rule of RULES.filter((r) => !r.players || r.players === players)) {
    const id = `game-rule-${rule.key}`;
    const label = Object.assign(document.createElement("label"), { htmlFor: id, textContent: rule.label });
    let control;
    if (rule.options) {
      control = document.createElement("select");
      for (const [value, text] of Object.entries(rule.options)) control.add(new Option(text, value, false, defaults[rule.key] === value));
    } else if (rule.points) {
      control = Object.assign(document.createElement("input"), { type: "number", inputmode: "numeric", min: "100", step: "100", value: defaults[rule.key] });
    } else {
      control = Object.assign(document.createElement("input"), { type: "checkbox", checked: defaults[rule.key] });
    }
    control.id = id;
    control.dataset.rule = rule.key;
    rows.push(label, control);
  }
  $("game-setup").replaceChildren($("game-setup").firstElementChild, $("game-players"), ...rows);
}

$("game-players").addEventListener("change", showSetup);

$("game-new").addEventListener("click", async () => {
  const players = Number($("game-players").value);
  const rules = JSON.parse(engine.gameDefaultRules(players));
  for (const control of $("game-setup").querySelectorAll("[data-rule]")) {
    const key = control.dataset.rule;
    if (control.type === "checkbox") {
      rules[key] = control.checked;
    } else if (control.type === "number" && !/^[0-9]+$/.test(control.value)) {
      $("game-setup-error").textContent = `${control.labels[0].textContent}は整数で入力してください`;
      return;
    } else {
      rules[key] = control.value;
    }
  }
  const names = [...$("game-setup").querySelectorAll('input[id^="game-name-"]')].map((input) => input.value.trim());
  const started = engine.gameStart(JSON.stringify(rules), names, "");
  $("game-setup-error").textContent = started.error ?? "";
  if (started.error) return;
  await open({ created: new Date().toISOString(), players: names, game: started.game });
});

async function open(record) {
  try {
    current = await save(record);
  } catch (error) {
    $("game-setup-error").textContent = `保存できませんでした: ${error?.message ?? error}`;
    return;
  }
  clearWin();
  $("game-manage").open = false;
  $("game-export-text").value = "";
  show();
  await showList();
}

// Saved games, the most recently used first.
async function showList() {
  const games = (await allGames()).sort((a, b) => b.updated - a.updated);
  $("game-list").replaceChildren(...games.map((game) =>
    new Option(`${game.players.join("・")}（${game.created.slice(0, 16).replace("T", " ")}）`, String(game.id), false, game.id === current?.id)));
  $("game-open").disabled = games.length === 0;
  return games;
}

$("game-open").addEventListener("click", async () => {
  const chosen = (await allGames()).find((game) => String(game.id) === $("game-list").value);
  if (chosen) await open(chosen);
});

// Export: the stored text as it is, in the box and as a file.
$("game-export").addEventListener("click", () => {
  if (current === null) return;
  $("game-export-text").value = current.game;
  const link = Object.assign(document.createElement("a"), {
    href: URL.createObjectURL(new Blob([current.game], { type: "application/json" })),
    download: `velmarto-game-${current.created.slice(0, 10)}.json`,
  });
  link.click();
  URL.revokeObjectURL(link.href);
});

async function importText(text) {
  const imported = engine.gameImport(text);
  $("game-import-error").textContent = imported.error ?? "";
  if (imported.error) return;
  const players = engine.gameView(imported.game).players.map((player) => player.name);
  await open({ created: new Date().toISOString(), players, game: imported.game });
}

$("game-import").addEventListener("click", () => importText($("game-import-text").value));
$("game-import-file").addEventListener("change", async () => {
  const file = $("game-import-file").files[0];
  if (file) await importText(await file.text());
  $("game-import-file").value = "";
});

async function start(detail) {
  ({ engine, handRequest } = detail);
  for (const fu of FU) $("game-fu").add(new Option(`${fu}符`, String(fu), fu === 30, fu === 30));
  showSetup();
  $("hand-to-game").addEventListener("click", takeHand);
  try {
    database = await openDatabase();
  } catch {
    $("game-setup-error").textContent = "この環境では対局を保存できません（ページを閉じると消えます）";
  }
  const games = await showList();
  current = games[0] ?? null;
  show();
  $("game").dataset.ready = "true";
}

document.dispatchEvent(new CustomEvent("velmarto-ledger", { detail: start }));
