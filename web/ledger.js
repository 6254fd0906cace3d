// 対局: a whole game kept on the phone. A game is held only as the exchange format's text, which the
// engine reads, extends and replays (game_bindings.cpp); this file stores that text in IndexedDB
// and shows what the engine says, so an export is the very text velmarto-score game imports. Each
// event goes to the engine in the exchange format too, with the position the page last showed.
const $ = (id) => document.getElementById(id);
const FU = [20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200];
const SEATS = ["東家", "南家", "西家", "北家"];
const MELD_KINDS = ["chi", "pon", "kan", "ankan"];
const TSUMO = "tsumo";
const DATABASE = "velmarto";
const STORE = "games";
const WHOLE = /^[0-9]+$/;
const UMA = /^-?[0-9]+(,-?[0-9]+)*$/;
// Now in UTC to the second, as the exchange format keeps a game's start and finish.
const utcNow = () => new Date().toISOString().replace(/\.\d+Z$/, "Z");

// The rules a new game can change, by their key in the exchange format; the engine gives their
// labels and defaults, and reads the result. The choices' words are the page's.
const RULES = [
  { key: "length", options: { east: "東風戦", "east-south": "半荘戦" } },
  { key: "starting_points", points: true },
  { key: "ron_honba", options: { "first-winner": "上家のみ", "each-winner": "各和了者" } },
  { key: "sanma_tsumo", options: { loss: "ツモ損", split: "北家折半" }, players: 3 },
  { key: "end_below_zero" },
  { key: "end_on_dealer_top" },
  { key: "sticks_to_top" },
  { key: "chombo_keeps_sticks" },
  { key: "oka_uma" },
  { key: "return_points", points: true },
  { key: "uma", uma: true, players: 4 },
  { key: "uma_three", uma: true, players: 3 },
  { key: "double_yakuman" },
  { key: "open_tanyao" },
];

let engine;
let handRequest;
let clearHand;
let setGameTable;
let database = null;
let current = null;   // the open game's stored record: {id, created, updated, label, players, game, deleted}
let view = null;      // what the engine says of it
let pendingWins = []; // the wins of a double ron added before the last one
let amending = null;  // the history row the next win or draw replaces
let busy = false;     // an event on its way: a second tap waits for it, never records twice
let confirming = null; // the player whose declared riichi a further tap takes back
let contexts = new Map(); // the table of a winner's hand, by position, winner, tsumo, double riichi
let server = false;   // the page came from velmarto-server, which can share a game
let stream = null;    // the open shared game's event stream
let flushing = false; // queued events on their way to the server, one at a time
let conflict = null;  // the server's game and what of ours can follow it, while the player decides
let latest = 0;       // the newest position the open shared game's stream has told of
let taking = false;   // the server's game on its way in place of ours

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

// The game as stored now: another tab may have recorded since this one read it.
async function storedGame(id) {
  if (!database || id === undefined) return null;
  return (await request(database.transaction(STORE).objectStore(STORE).get(id))) ?? null;
}

// Changes to the open game's stored record, one after another, each made from the record as the
// one before left it: the server's answer to an earlier event, saved while a tap records the next,
// would otherwise write back a copy taken before that tap, and the tap's event would be lost.
let changing = Promise.resolve();
function change(task) {
  const run = changing.then(task);
  changing = run.catch(() => {});
  return run;
}

// The open game's record with what `fields(current)` gives written over it, in its turn; nothing
// is written when it gives null. Says whether it wrote.
function changeCurrent(fields) {
  return change(async () => {
    const changes = fields(current);
    if (changes) current = await save({ ...current, ...changes });
    return changes !== null;
  });
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

// A figure in myriad units may break after a unit, never inside its digits; one too long for the
// units, written out in digits, between its groups of four.
function breakable(text) {
  return text.split(/(?<=[万億兆京垓杼穣溝澗正載極])|(?<=\d)(?=(?:\d{4})+(?!\d))/u)
    .flatMap((part) => [Object.assign(document.createElement("span"), { textContent: part }), document.createElement("wbr")]).slice(0, -1);
}

function cell(tag, content) {
  const element = document.createElement(tag);
  if (typeof content === "string") element.append(...breakable(content));
  else if (content) element.append(content);
  if (tag === "th") element.scope = "col";
  return element;
}

// A name on one line, cut with an ellipsis when long; a tap says it whole.
function nameCell(name) {
  const element = cell("td");
  element.className = "name";
  element.title = name;
  element.textContent = name;
  element.addEventListener("click", () => { $("game-note").textContent = name; });
  return element;
}

function tableRows(table, head, rows) {
  const header = document.createElement("tr");
  header.append(...head.map((text) => cell("th", text)));
  table.replaceChildren(header, ...rows);
}

function riichiButton(player, index) {
  const button = Object.assign(document.createElement("button"), { type: "button", className: "riichi" });
  button.textContent = confirming === index ? "取消" : player.declared ? "立直中" : "立直";
  button.setAttribute("aria-label", `${player.name} 立直`);
  button.setAttribute("aria-pressed", String(player.declared));
  button.disabled = view.finished;
  button.addEventListener("click", () => tapRiichi(index));
  return button;
}

// The open game's standings, seats and record, as the engine replays them.
function show() {
  $("game-play").hidden = current === null;
  $("game-manage").open = current === null || $("game-manage").open;
  contexts = new Map();
  showHandTable();
  if (current === null) return;
  if (view.error) {
    showError(view.error);
    return;
  }
  $("game-round").textContent = `${view.round}　供託${view.sticks}本${view.finished ? "　終局" : ""}`;
  tableRows($("game-standings"), ["風", "名前", "持ち点", "前回", "立直"], view.players.map((player, index) => {
    const row = document.createElement("tr");
    if (player.dealer) row.className = "dealer";
    row.append(cell("td", player.dealer ? `${player.wind}親` : player.wind), nameCell(player.name),
               cell("td", player.points), cell("td", player.change), cell("td", riichiButton(player, index)));
    row.cells[2].dataset.decimal = player.decimal;
    return row;
  }));
  $("game-final").hidden = !view.finished;
  tableRows($("game-final"), ["順位", "名前", "持ち点", "最終"], view.final.map((line, rank) => {
    const row = document.createElement("tr");
    row.append(cell("td", `${rank + 1}位`), nameCell(line.name), cell("td", line.points), cell("td", line.score));
    return row;
  }));
  $("game-record").replaceChildren(...view.history.map(historyItem));
  $("game-undo").disabled = !view.canUndo;
  showAmending();
  showPlayers(view.names);
  showSharing();
  showSeason();
}

// 成績: the season of the phone's games (those deleted aside) from the engine, as `game season`
// counts it, four- and three-player games in tables of their own; drawn while it is open.
async function showSeason() {
  if (!$("game-season-box").open) return;
  const season = engine.gameSeason((await allGames()).filter((game) => !game.deleted).map((game) => game.game));
  const tables = [["四人麻雀", season.four], ["三人麻雀", season.three]].filter(([, rows]) => rows.length).map(([title, rows]) => {
    const table = document.createElement("table");
    table.className = "standings season";
    // With oka and uma, the score goes under the points, in the same column: seven would not fit.
    tableRows(table, ["名前", "戦", "平均順位", rows.some((line) => line.score) ? "素点（ウマ込み）" : "素点", "和了", "放銃"], rows.map((line) => {
      const row = document.createElement("tr");
      row.append(nameCell(line.name), ...[String(line.games), line.average, line.points, String(line.wins), String(line.dealIns)]
        .map((text) => cell("td", text)));
      if (line.score) row.cells[3].append(document.createElement("br"), ...breakable(`（${line.score}）`));
      row.cells[3].dataset.decimal = line.decimal;
      return row;
    }));
    table.createCaption().textContent = title;
    return table;
  });
  $("game-season").replaceChildren(...(tables.length ? tables : [Object.assign(document.createElement("p"), { textContent: "終局した対局はまだありません" })]));
}

// A row of the history: the hand, what happened, who paid what, and each win's han, fu and yaku.
function historyItem(row) {
  const item = document.createElement("li");
  item.value = row.position;
  const button = Object.assign(document.createElement("button"), { type: "button", className: "event" });
  button.append(Object.assign(document.createElement("span"), { className: "line", textContent: row.line }),
                Object.assign(document.createElement("small"), { textContent: ` ${row.hand}` }));
  const paid = row.paid.map((change, p) => (change ? `${view.names[p]} ${change}` : "")).filter(Boolean);
  const details = [...row.wins.map((win) => `${win.winner} ${win.han}飜${win.fu}符${win.yaku.length ? `（${win.yaku.join("・")}）` : ""}`), paid.join("　")];
  for (const text of details.filter(Boolean)) button.append(Object.assign(document.createElement("span"), { className: "detail", textContent: text }));
  button.addEventListener("click", () => startAmend(row));
  item.append(button);
  return item;
}

// The winner, discarder and tenpai choices follow the game's players; neither tab chooses a
// winner or a way of winning by itself.
function showPlayers(names) {
  const key = names.join("\n");
  if ($("game-winner").dataset.names === key) return;
  $("game-winner").dataset.names = key;
  const options = () => names.map((name, i) => new Option(name, String(i)));
  $("game-winner").replaceChildren(...options());
  $("game-from").replaceChildren(new Option("選ぶ", ""), new Option("ツモ", TSUMO), ...options());
  $("hand-winner").replaceChildren(new Option("和了者", ""), ...options());
  $("hand-from").replaceChildren(new Option("ロン／ツモ", ""), new Option("ツモ", TSUMO),
                                 ...names.map((name, i) => new Option(`${name}から`, String(i))));
  $("game-tenpai").replaceChildren(...names.map((name, i) => {
    const label = document.createElement("label");
    const box = Object.assign(document.createElement("input"), { type: "checkbox", value: String(i) });
    label.append(box, ` ${name}`);
    return label;
  }));
}

function showError(text) {
  $("game-error").textContent = text;
  $("hand-note").textContent = text;
}

// One event, recorded only if the game is still where the page showed it.
async function record(event, { plain = false } = {}) {
  if (busy) return false;
  busy = true;
  try {
    return await change(() => recordNow(event, plain));
  } finally {
    busy = false;
  }
}

// The recording itself, in its turn among the changes to the stored game.
async function recordNow(event, plain) {
  try {
    const stored = (await storedGame(current.id)) ?? current;
    if (stored.server && !stored.server.key) {
      showError("見るためのリンクで開いた対局です。記録するには記録用のリンクで開いてください");
      return false;
    }
    if (conflict) {
      showError("サーバーとの食い違いを先に決めてください");
      return false;
    }
    const sent = amending && !plain ? { kind: "amend", position: amending.position, event } : event;
    const at = view.position;
    const next = engine.gameAppend(stored.game, JSON.stringify(sent), at, utcNow());
    if (next.error) {
      showError(next.error);
      if (stored.game !== current.game) {
        current = stored;
        view = engine.gameView(current.game);
        show();
      }
      return false;
    }
    showError("");
    // A shared game keeps what the server has not taken yet beside the game, in the same write.
    const queue = stored.server ? { queue: [...(stored.queue ?? []), { at, event: sent }] } : {};
    current = await save({ ...stored, game: next.game, ...summary(next.view), ...queue });
    view = next.view;
    amending = null;
    confirming = null;
    show();
    await showList();
    flush();
    return true;
  } catch (error) {
    showError(`保存できませんでした: ${error?.message ?? error}`);
    return false;
  }
}

// 立直: a tap declares; on a player who has declared, a tap offers to take it back and a further
// tap undoes it, when it is still the last event. Never a second stick.
function tapRiichi(index) {
  if (busy) return;
  if (!view.players[index].declared) {
    record({ kind: "riichi", player: index }, { plain: true });
    return;
  }
  const last = view.history.at(-1);
  const undoable = last?.kind === "riichi" && last.position === view.position && last.who.includes(index);
  if (!undoable) {
    showError(`${view.names[index]}の立直の後に記録があるので、ここでは取り消せません（記録から訂正してください）`);
    return;
  }
  if (confirming === index) {
    record({ kind: "undo" }, { plain: true });
    return;
  }
  confirming = index;
  $("game-note").textContent = `${view.names[index]}の立直を取り消すには、もう一度「取消」を押してください`;
  show();
}

// The win being entered as han and fu: whole numbers, as typed.
function currentWin() {
  const text = $("game-han").value.trim();
  if (!WHOLE.test(text)) return { error: `飜「${text}」は整数ではありません` };
  return { winner: Number($("game-winner").value), han: Number(text), fu: Number($("game-fu").value) };
}

function showPending() {
  $("game-pending").replaceChildren(...pendingWins.map((win, index) => {
    const item = Object.assign(document.createElement("li"), { textContent: `${view.names[win.winner]} ${win.han}飜${win.fu}符 ` });
    const drop = Object.assign(document.createElement("button"), { type: "button", textContent: "外す" });
    drop.addEventListener("click", () => { pendingWins.splice(index, 1); showPending(); });
    item.append(drop);
    return item;
  }));
}

$("game-add").addEventListener("click", () => {
  const from = $("game-from").value;
  if (from === TSUMO || from === "") {
    showError("ダブロンは放銃者を選んでから加えます");
    return;
  }
  const win = currentWin();
  if (win.error) {
    showError(win.error);
    return;
  }
  showError("");
  pendingWins.push(win);
  showPending();
});

$("game-win").addEventListener("click", async () => {
  const from = $("game-from").value;
  const win = currentWin();
  if (from === "") return showError("放銃者（またはツモ）を選んでください");
  if (win.error) return showError(win.error);
  if (from === TSUMO && pendingWins.length > 0) return showError("ツモの和了は1人です");
  const wins = [...pendingWins, win];
  const event = from === TSUMO ? { kind: "tsumo", wins } : { kind: "ron", discarder: Number(from), wins };
  if (await record(event)) {
    pendingWins = [];
    showPending();
  }
});

$("game-draw").addEventListener("click", async () => {
  const tenpai = [...$("game-tenpai").querySelectorAll("input:checked")].map((box) => Number(box.value));
  if (await record({ kind: "draw", tenpai })) for (const box of $("game-tenpai").querySelectorAll("input")) box.checked = false;
});
$("game-abort").addEventListener("click", () => record({ kind: "abort" }));
$("game-undo").addEventListener("click", () => record({ kind: "undo" }, { plain: true }));

// 記録: a tap on a row offers to amend it (the next win or draw entered takes its place), or to
// undo it when it is the last event.
function startAmend(row) {
  amending = row;
  showAmending();
  $("game-amending").scrollIntoView({ block: "nearest" });
}

function showAmending() {
  $("game-amending").hidden = amending === null;
  $("game-win-legend").textContent = amending ? `和了（${amending.position}番の訂正）` : "和了（飜・符）";
  if (!amending) return;
  $("game-amending-text").textContent = `${amending.position}番 ${amending.hand} ${amending.line} を訂正します。下で和了か流局を入力して記録してください。`;
  $("game-amend-undo").hidden = amending.position !== view.position;
}
$("game-amend-cancel").addEventListener("click", () => { amending = null; showAmending(); });
$("game-amend-undo").addEventListener("click", () => record({ kind: "undo" }, { plain: true }));

// 手牌 with a game open: the hand of this game. Its table comes from the engine for the winner
// chosen in its bar; the line above its palette says where the game stands.
function showHandTable() {
  const open = current !== null && view !== null && !view.error && !view.finished;
  $("hand-context").hidden = !open;
  if (!open) {
    setGameTable(null);
    return;
  }
  const declared = view.players.filter((player) => player.declared).map((player) => player.name);
  $("hand-context").textContent = `対局中　${view.round}　供託${view.sticks}本${declared.length ? `　立直 ${declared.join("・")}` : ""}`;
  setGameTable({ context: handContext });
}

function handContext(doubleRiichi) {
  const winner = $("hand-winner").value;
  const from = $("hand-from").value;
  if (winner === "" || from === "" || from === winner) return null;
  const key = [view.position, winner, from === TSUMO, doubleRiichi].join();
  if (!contexts.has(key)) contexts.set(key, engine.gameContext(current.game, Number(winner), from === TSUMO, doubleRiichi));
  const context = contexts.get(key);
  return context.error ? null : context;
}

// The hand on screen as the exchange format writes a hand: its tiles, called sets, indicators and
// what the player declares; a declared riichi is the game's, not the hand's.
function exchangeHand(hand) {
  const exchange = { tiles: hand.tiles };
  const melds = MELD_KINDS.flatMap((kind) => hand[kind].split(/\s+/).filter(Boolean).map((tiles) => ({ kind, tiles })));
  if (melds.length > 0) exchange.melds = melds;
  for (const key of ["dora", "ura"]) if (hand[key]) exchange[key] = hand[key];
  for (const { key } of engine.declaredFlags()) if (key !== "riichi" && hand[key]) exchange[key] = true;
  return exchange;
}

// 和了を記録 on 手牌: the hand on screen at this moment, for the winner and way chosen beside it;
// then the next hand starts empty.
async function recordHand() {
  const hand = handRequest();
  if (hand === null || current === null) return;
  const winner = Number($("hand-winner").value);
  const from = $("hand-from").value;
  const win = { winner, hand: exchangeHand(hand) };
  const event = from === TSUMO ? { kind: "tsumo", wins: [win] } : { kind: "ron", discarder: Number(from), wins: [win] };
  if (!await record(event, { plain: true })) return;
  $("hand-winner").value = "";
  $("hand-from").value = "";
  clearHand();
  $("hand-note").textContent = `記録しました: ${view.history.at(-1).line}`;
}

// A new game: the players' names and the rules, with their labels and defaults from the engine.
function showSetup() {
  const players = Number($("game-players").value);
  const defaults = JSON.parse(engine.gameDefaultRules(players));
  const labels = new Map(engine.gameRuleFields().map(({ key, label }) => [key, label]));
  const rows = [];
  for (let i = 0; i < players; ++i) {
    const label = Object.assign(document.createElement("label"), { htmlFor: `game-name-${i}`, textContent: SEATS[i] });
    const input = Object.assign(document.createElement("input"), { id: `game-name-${i}`, placeholder: `${SEATS[i]}の名前`, autocomplete: "off" });
    rows.push(label, input);
  }
  for (const rule of RULES.filter((r) => !r.players || r.players === players)) {
    const id = `game-rule-${rule.key}`;
    const label = Object.assign(document.createElement("label"), { htmlFor: id, textContent: labels.get(rule.key) });
    let control;
    if (rule.options) {
      control = document.createElement("select");
      for (const [value, text] of Object.entries(rule.options)) control.add(new Option(text, value, false, defaults[rule.key] === value));
    } else if (rule.points) {
      control = Object.assign(document.createElement("input"), { type: "text", inputMode: "numeric", value: defaults[rule.key] });
    } else if (rule.uma) {
      control = Object.assign(document.createElement("input"), { type: "text", inputMode: "text", value: defaults[rule.key].join(",") });
    } else {
      control = Object.assign(document.createElement("input"), { type: "checkbox", checked: defaults[rule.key] });
    }
    control.id = id;
    control.dataset.rule = rule.key;
    rows.push(label, control);
  }
  const keep = [...$("game-setup").children].slice(0, 4);
  $("game-setup").replaceChildren(...keep, ...rows);
}

$("game-players").addEventListener("change", showSetup);

// The rules as set, or the first field that does not read.
function setupRules(players) {
  const rules = JSON.parse(engine.gameDefaultRules(players));
  for (const control of $("game-setup").querySelectorAll("[data-rule]")) {
    const key = control.dataset.rule;
    const label = control.labels[0].textContent;
    const text = control.value.trim();
    if (control.type === "checkbox") {
      rules[key] = control.checked;
    } else if (RULES.find((rule) => rule.key === key).uma) {
      if (!UMA.test(text.replace(/\s/g, ""))) return { error: `${label}は「20,10,-10,-20」のように整数をコンマで区切ります` };
      rules[key] = text.replace(/\s/g, "").split(",").map(Number);
    } else if (control.tagName === "INPUT") {
      if (!WHOLE.test(text)) return { error: `${label}「${text}」は整数ではありません` };
      rules[key] = text;
    } else {
      rules[key] = control.value;
    }
  }
  return { rules };
}

$("game-new").addEventListener("click", async () => {
  const players = Number($("game-players").value);
  const { rules, error } = setupRules(players);
  if (error) {
    $("game-setup-error").textContent = error;
    return;
  }
  const names = [...$("game-setup").querySelectorAll('input[id^="game-name-"]')].map((input) => input.value.trim());
  const label = $("game-label").value.trim();
  const started = engine.gameStart(JSON.stringify(rules), names, label, utcNow());
  $("game-setup-error").textContent = started.error ?? "";
  if (started.error) return;
  await open({ created: new Date().toISOString(), label, players: names, game: started.game });
});

async function open(record) {
  const shown = engine.gameView(record.game);
  try {
    current = await change(() => save({ ...record, deleted: false, ...(shown.error ? {} : summary(shown)) }));
  } catch (error) {
    $("game-setup-error").textContent = `保存できませんでした: ${error?.message ?? error}`;
    return;
  }
  view = shown;
  pendingWins = [];
  amending = null;
  confirming = null;
  showPending();
  $("game-manage").open = false;
  $("game-export-text").value = "";
  conflict = null;
  show();
  await showList();
  follow();
}

// What the list of saved games shows of a game, kept with it so the list replays nothing.
const summary = (shown) => ({ top: shown.top, finished: shown.finished });

// Saved games, the most recently used first, each with its local start time, label and top.
function gameLabel(game) {
  const started = new Date(game.created).toLocaleString("ja-JP", { dateStyle: "short", timeStyle: "short" });
  const { top, finished } = game.top === undefined ? summary(engine.gameView(game.game)) : game;
  const state = top === undefined ? "" : `　${finished ? "終局" : "対局中"} トップ ${top}`;
  return `${game.players.join("・")}（${started}）${game.label ? `　${game.label}` : ""}${state}`;
}

async function showList() {
  const games = (await allGames()).sort((a, b) => b.updated - a.updated);
  const kept = games.filter((game) => !game.deleted);
  const deleted = games.filter((game) => game.deleted);
  $("game-list").replaceChildren(...kept.map((game) => new Option(gameLabel(game), String(game.id), false, game.id === current?.id)));
  $("game-deleted").replaceChildren(...deleted.map((game) => new Option(gameLabel(game), String(game.id))));
  $("game-open").disabled = $("game-delete").disabled = kept.length === 0;
  $("game-restore").disabled = deleted.length === 0;
  return kept;
}

const chosen = async (select) => (await allGames()).find((game) => String(game.id) === $(select).value);

$("game-open").addEventListener("click", async () => {
  const game = await chosen("game-list");
  if (game) await open(game);
});

// Deleting keeps the game, hidden, as `game delete` does; it comes back with 元に戻す.
$("game-delete").addEventListener("click", async () => {
  const game = await chosen("game-list");
  if (!game) return;
  await change(async () => save({ ...((await storedGame(game.id)) ?? game), deleted: true }));
  if (game.id === current?.id) {
    const rest = (await allGames()).filter((other) => !other.deleted).sort((a, b) => b.updated - a.updated);
    current = rest[0] ?? null;
    view = current && engine.gameView(current.game);
  }
  show();
  await showList();
});

$("game-restore").addEventListener("click", async () => {
  const game = await chosen("game-deleted");
  if (game) await open(game);
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
  const names = engine.gameView(imported.game).names;
  await open({ created: new Date().toISOString(), label: "", players: names, game: imported.game });
}

$("game-import").addEventListener("click", () => importText($("game-import-text").value));
$("game-import-file").addEventListener("change", async () => {
  const file = $("game-import-file").files[0];
  if (file) await importText(await file.text());
  $("game-import-file").value = "";
});

// 共有: with the page served by velmarto-server, the open game is created on the server, and the
// page shows a QR code and two links, one to watch it and one to record in it. A phone that opens
// a link keeps the game here as well, follows the server's events live, and records offline
// first: each event is kept with the position it was recorded at and sent in order when the
// server can be reached. When the server's game has moved on meanwhile, the page shows it and asks
// whether to record ours after it; the engine says which of them can still happen there.
const SHARED_LINK = /^#(watch|record)=([A-Za-z0-9_-]+)(?:\.([A-Za-z0-9_-]+))?$/;
// After a 503 or a failed connection, while events wait: soon, without hammering the server.
const RETRY_MILLISECONDS = 5000;

function showSharing() {
  $("game-share-box").hidden = !server;
  $("game-shared").hidden = !current?.server;
  const waiting = current?.queue?.length ?? 0;
  $("game-sync").textContent = !current?.server ? ""
    : waiting ? `サーバーに未送信の記録 ${waiting}件（つながると順に送ります）`
    : current.server.key ? "サーバーと同じです" : "見ています（記録はできません）";
  $("game-conflict").hidden = conflict === null;
}

function links(shared) {
  const base = `${location.origin}${location.pathname}`;
  return { watch: `${base}#watch=${shared.id}`, record: shared.key ? `${base}#record=${shared.id}.${shared.key}` : "" };
}

async function showLinks() {
  const { watch, record } = links(current.server);
  Object.assign($("game-watch-link"), { href: watch, textContent: watch });
  Object.assign($("game-record-link"), { href: record, textContent: record });
  $("game-record-link").parentElement.hidden = !record;
  const qr = await fetch("/api/qr", { method: "POST", body: watch }).then((r) => (r.ok ? r.text() : ""), () => "");
  $("game-share-qr").hidden = !qr;
  if (qr) $("game-share-qr").src = `data:image/svg+xml;base64,${btoa(qr)}`;
  showSharing();
}

$("game-share").addEventListener("click", async () => {
  if (current === null) return;
  if (current.server) return showLinks();
  const response = await fetch("/api/games", { method: "POST", headers: { "Content-Type": "application/json", ...clubHeaders() }, body: current.game })
    .catch(() => null);
  if (!response?.ok) {
    const answer = await response?.json().catch(() => null);
    return showError(`共有できませんでした: ${answer?.japanese ?? "サーバーにつながりません"}`);
  }
  const created = await response.json();
  await changeCurrent(() => ({ server: { id: created.id, key: created.write_key }, queue: [] }));
  await showLinks();
  follow();
});

// A link opened: the game kept here already, or the server's, kept here from now on.
async function openShared(id, key) {
  const known = (await allGames()).find((game) => game.server?.id === id);
  if (known) {
    await open({ ...known, server: { id, key: key ?? known.server.key } });
    return;
  }
  const response = await fetch(`/api/games/${id}/export`).catch(() => null);
  if (!response?.ok) {
    $("game-setup-error").textContent = response?.status === 404 ? "このリンクの対局はサーバーにありません" : "サーバーにつながりません";
    return;
  }
  const text = await response.text();
  const names = engine.gameView(text).names;
  await open({ created: new Date().toISOString(), label: "", players: names, game: text, server: { id, key }, queue: [] });
}

// The server's events for the open game: another phone's record is fetched and shown at once.
function follow() {
  stream?.close();
  stream = null;
  latest = 0;
  if (!server || !current?.server) return;
  const id = current.server.id;
  stream = new EventSource(`/api/games/${id}/events`);
  stream.onopen = flush;
  stream.onmessage = (message) => heard(id, JSON.parse(message.data).position);
  showLinks();
}

async function heard(id, position) {
  if (current?.server?.id !== id) return;
  latest = position;
  if (busy || flushing || conflict || current.queue?.length || position === view.position) return;
  await takeServerGame(id);
}

// The server's game in place of ours, when nothing of ours is waiting to be sent. One fetch at a
// time: two events heard in quick succession would otherwise race, and the older game, answered
// or saved last, would stay shown.
async function takeServerGame(id) {
  if (taking) return;
  taking = true;
  const from = view?.position;
  try {
    const text = await fetch(`/api/games/${id}/export`).then((r) => (r.ok ? r.text() : null), () => null);
    if (text === null || current?.server?.id !== id || current.queue?.length) return;
    const shown = engine.gameView(text);
    if (shown.error) return;
    const taken = await changeCurrent((now) => (now?.server?.id === id && !now.queue?.length ? { game: text, ...summary(shown) } : null));
    if (!taken) return;
    view = shown;
    show();
    await showList();
  } finally {
    taking = false;
  }
  // An event told of while this one was on its way; never again at once for an answer that
  // brought nothing newer.
  if (current?.server?.id === id && !conflict && !current.queue?.length && view.position > from && latest > view.position) {
    await takeServerGame(id);
  }
}

// Sends the queued events in order, each at the position it was recorded at.
async function flush() {
  if (flushing || conflict || !current?.server?.key || !current.queue?.length) return;
  flushing = true;
  const id = current.id;
  try {
    while (current?.id === id && current.queue.length > 0) {
      const response = await fetch(`/api/games/${current.server.id}/events`, {
        method: "POST",
        headers: { Authorization: `Bearer ${current.server.key}`, "Content-Type": "application/json" },
        body: JSON.stringify(current.queue[0]),
      }).catch(() => null);
      if (response?.status === 201) {
        await changeCurrent((now) => (now?.id === id ? { queue: now.queue.slice(1) } : null));
        continue;
      }
      if (response?.status === 409) return await showConflict();
      if (response === null || response.status >= 500) {
        setTimeout(flush, RETRY_MILLISECONDS);
        return;
      }
      const answer = await response.json().catch(() => null);
      showError(`サーバーが記録を受け付けません: ${answer?.japanese ?? response.status}`);
      return;
    }
  } finally {
    flushing = false;
    showSharing();
  }
  // Another phone's event heard while ours were on their way.
  if (current?.id === id && !conflict && !current.queue.length && latest > view.position) await takeServerGame(current.server.id);
}

// The server's game, shown, and ours after it as far as the engine lets them follow.
async function showConflict() {
  const text = await fetch(`/api/games/${current.server.id}/export`).then((r) => (r.ok ? r.text() : null), () => null);
  if (text === null) return;
  const theirs = engine.gameView(text);
  let game = text;
  let position = theirs.position;
  const results = current.queue.map(({ event }) => {
    const next = engine.gameAppend(game, JSON.stringify(event), position, utcNow());
    if (next.error) return { event, error: next.error };
    game = next.game;
    position = next.view.position;
    return { event, line: next.view.history.at(-1)?.line ?? event.kind };
  });
  conflict = { text, results };
  view = theirs;
  $("game-conflict-text").textContent = `サーバーの対局が先に進んでいました（${theirs.position}番まで）。上はサーバーの対局です。`
    + `送れなかったこちらの記録${results.length}件を、その後に続けて記録し直しますか？`;
  $("game-conflict-list").replaceChildren(...results.map((result) => Object.assign(document.createElement("li"), {
    textContent: result.error ? `記録できません: ${result.error}` : result.line,
  })));
  show();
}

async function settleConflict(reapply) {
  let game = conflict.text;
  let shown = engine.gameView(game);
  const queue = [];
  for (const { event, error } of reapply ? conflict.results : []) {
    if (error) continue;
    const next = engine.gameAppend(game, JSON.stringify(event), shown.position, utcNow());
    if (next.error) continue;
    queue.push({ at: shown.position, event });
    game = next.game;
    shown = next.view;
  }
  conflict = null;
  await changeCurrent(() => ({ game, ...summary(shown), queue }));
  view = shown;
  show();
  await showList();
  flush();
}
$("game-conflict-reapply").addEventListener("click", () => settleConflict(true));
$("game-conflict-drop").addEventListener("click", () => settleConflict(false));

// クラブ: a server with a club key wants it to create games and to show the season; the phone
// keeps it once typed.
const CLUB_KEY = "velmarto-club-key";
const clubKey = () => localStorage.getItem(CLUB_KEY) ?? "";
const clubHeaders = () => (clubKey() ? { Authorization: `Bearer ${clubKey()}` } : {});
$("club-key").addEventListener("change", () => localStorage.setItem(CLUB_KEY, $("club-key").value.trim()));

// The club's season over every finished game on the server, four-player rows first.
$("club-season-show").addEventListener("click", async () => {
  const response = await fetch("/api/season", { headers: clubHeaders() }).catch(() => null);
  const answer = await response?.json().catch(() => null);
  $("club-season").hidden = true;
  if (!response?.ok) {
    $("club-error").textContent = answer?.japanese ?? "サーバーにつながりません";
    return;
  }
  const rows = [...answer.four.map((row) => ["4人", row]), ...answer.three.map((row) => ["3人", row])];
  $("club-error").textContent = rows.length ? "" : "終わった対局がまだありません";
  tableRows($("club-season"), ["", "名前", "対局", "平均順位", "点数計", "最終計"], rows.map(([players, line]) => {
    const row = document.createElement("tr");
    row.append(cell("td", players), nameCell(line.name), cell("td", String(line.games)), cell("td", line.average_place),
               cell("td", line.points), cell("td", line.score ?? ""));
    return row;
  }));
  $("club-season").hidden = rows.length === 0;
});

async function start(detail) {
  ({ engine, handRequest, clearHand, setGameTable } = detail);
  for (const fu of FU) $("game-fu").add(new Option(`${fu}符`, String(fu), fu === 30, fu === 30));
  showSetup();
  $("hand-record").addEventListener("click", recordHand);
  try {
    database = await openDatabase();
  } catch {
    $("game-setup-error").textContent = "この環境では対局を保存できません（ページを閉じると消えます）";
  }
  server = await fetch("/healthz").then((response) => response.ok, () => false);
  $("game-club").hidden = !server;
  $("club-key").value = clubKey();
  $("game-season-box").addEventListener("toggle", showSeason);
  const games = await showList();
  current = games[0] ?? null;
  view = current && engine.gameView(current.game);
  show();
  follow();
  const link = SHARED_LINK.exec(location.hash);
  if (server && link) {
    await openShared(link[2], link[1] === "record" ? link[3] : undefined);
    $("tab-game").click();
  }
  addEventListener("online", flush);
  $("game").dataset.ready = "true";
}

globalThis.velmartoLedger = start;
document.dispatchEvent(new CustomEvent("velmarto-ledger", { detail: start }));
