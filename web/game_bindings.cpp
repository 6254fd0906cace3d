// The game ledger for the page, through embind. The page keeps a game only as the text of the
// exchange format and hands it back here for every step, with each event in the same format, so
// its standings come from the same replay, and its exports are the same bytes, as
// velmarto-score game's. Refusals are said in Japanese from the engine's codes.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <variant>
#include <vector>

#include "engine/game/checks.h"
#include "engine/game/game_json.h"
#include "engine/game/season.h"
#include "res/game_messages.h"

namespace velmarto::web {
namespace {

using emscripten::val;
using game::Effect;
using game::Event;
using game::Game;
using game::GameError;
using game::HandDescription;
using game::PlayerIndex;
using game::Standings;
using game::Win;

// A game read from its text and replayed.
struct Opened {
    Game game;
    Standings standings;
};

std::variant<Opened, GameError> Open(const std::string& text) {
    auto read = game::ImportGame(text);
    if (auto* error = std::get_if<GameError>(&read)) {
        return *error;
    }
    Opened opened{std::move(std::get<Game>(read)), {}};
    auto replayed = game::Replay(opened.game);
    if (auto* error = std::get_if<GameError>(&replayed)) {
        return *error;
    }
    opened.standings = std::move(std::get<Standings>(replayed));
    return opened;
}

val Refusal(const GameError& error, const std::vector<std::string>& names = {}) {
    val out = val::object();
    out.set("error", res::DescribeGameErrorInJapanese(error, names));
    return out;
}

// A signed change in myriad units, "+1万2000", or empty for none.
std::string Change(const game::Points& points) {
    if (points.IsZero()) {
        return {};
    }
    return (points.IsNegative() ? "" : "+") + points.Myriad();
}

std::string_view LabelOf(const Event& event) {
    return game::InfoOf(event.Kind()).label;
}

// A hand's event as one line of the game's record, in the page's words.
std::string Describe(const Standings& s, const Event& event) {
    const auto name = [&](PlayerIndex p) { return s.names[static_cast<std::size_t>(p)]; };
    const auto win = [&](const Win& w) {
        if (const auto* hanFu = std::get_if<game::HanFu>(&w.score)) {
            return name(w.winner) + " " + std::to_string(hanFu->han) + "飜" +
                   std::to_string(hanFu->fu) + "符";
        }
        return name(w.winner) + " " + std::get<HandDescription>(w.score).tiles;
    };
    std::string line(LabelOf(event));
    if (const auto* ron = event.As<game::Ron>()) {
        std::string wins;
        for (const Win& w : ron->wins) {
            wins += (wins.empty() ? "" : "、") + win(w);
        }
        return line + " " + wins + "（" + name(ron->discarder) + "から）";
    }
    if (const auto* tsumo = event.As<game::Tsumo>()) {
        return line + " " + win(tsumo->win);
    }
    if (const auto* draw = event.As<game::Draw>()) {
        std::string tenpai;
        for (const PlayerIndex p : draw->tenpai) {
            tenpai += (tenpai.empty() ? "" : "・") + name(p);
        }
        return line + " 聴牌: " + (tenpai.empty() ? std::string("なし") : tenpai);
    }
    for (const PlayerIndex p : game::ActorsOf(event)) {
        line += " " + name(p);
    }
    return line;
}

val PlayerRows(const Standings& s) {
    const game::Effect* last = s.Last();
    val rows = val::array();
    for (std::size_t i = 0; i < s.names.size(); ++i) {
        const auto p = static_cast<PlayerIndex>(i);
        val row = val::object();
        row.set("name", s.names[i]);
        row.set("points", s.points[i].Myriad());
        row.set("decimal", s.points[i].Decimal());
        row.set("change", last ? Change(last->paid[i]) : std::string());
        row.set("seat", s.SeatWindOf(p));
        row.set("wind", std::string(game::RoundWindName(s.SeatWindOf(p))));
        row.set("dealer", p == s.Dealer());
        row.set("declared", static_cast<bool>(s.declared[i]));
        rows.call<void>("push", row);
    }
    return rows;
}

val FinalRows(const Standings& s) {
    val rows = val::array();
    for (const game::FinalStanding& f : s.final) {
        val row = val::object();
        row.set("name", s.names[static_cast<std::size_t>(f.player)]);
        row.set("points", f.points.Myriad());
        row.set("score", f.score ? f.score->Decimal() : std::string());
        rows.call<void>("push", row);
    }
    return rows;
}

// One row of the history: which hand, what happened and who it was about (by seat), who paid what
// (myriad units, signed), the sticks moved, and each win's han, fu and yaku; with the event itself,
// for an amend.
val HistoryRow(const Standings& s, const Effect& e) {
    val row = val::object();
    row.set("position", static_cast<double>(e.position));
    row.set("hand", game::RoundName(e.round, e.hand, e.honba));
    row.set("kind", std::string(game::InfoOf(e.event.Kind()).key));
    row.set("label", std::string(LabelOf(e.event)));
    row.set("line", Describe(s, e.event));
    val who = val::array();
    for (const PlayerIndex p : game::ActorsOf(e.event)) {
        who.call<void>("push", p);
    }
    row.set("who", who);
    row.set("event", game::EventToJson(e.event));
    val paid = val::array();
    for (const game::Points& p : e.paid) {
        paid.call<void>("push", Change(p));
    }
    row.set("paid", paid);
    row.set("sticks", e.sticks);
    val wins = val::array();
    for (const game::WinFigures& w : e.wins) {
        val item = val::object();
        item.set("winner", s.names[static_cast<std::size_t>(w.winner)]);
        item.set("han", w.han);
        item.set("fu", w.fu);
        item.set("yaku", val::array(w.yaku));
        wins.call<void>("push", item);
    }
    row.set("wins", wins);
    return row;
}

// "Ben 3万2700点": the top now, or at the end; a tie goes to the earlier seat, as the final ranks.
std::string TopOf(const Standings& s) {
    if (!s.final.empty()) {
        const game::FinalStanding& top = s.final.front();
        return s.names[static_cast<std::size_t>(top.player)] + " " + top.points.Myriad();
    }
    std::size_t top = 0;
    for (std::size_t p = 1; p < s.points.size(); ++p) {
        if (s.points[top] < s.points[p]) {
            top = p;
        }
    }
    return s.names[top] + " " + s.points[top].Myriad();
}

val View(const Standings& s) {
    val history = val::array();
    for (const Effect& e : s.history) {
        history.call<void>("push", HistoryRow(s, e));
    }
    val out = val::object();
    out.set("names", val::array(s.names));
    out.set("players", PlayerRows(s));
    out.set("round", game::RoundName(s));
    out.set("honba", s.honba);
    out.set("sticks", s.sticks);
    out.set("dealer", s.Dealer());
    out.set("finished", s.finished);
    out.set("final", FinalRows(s));
    out.set("top", TopOf(s));
    out.set("position", static_cast<double>(s.position));
    out.set("history", history);
    out.set("canUndo", !s.history.empty());
    return out;
}

// A season's total: signed in myriad units, "0" for none.
std::string Total(const game::Points& points) {
    return points.IsZero() ? std::string("0") : Change(points);
}

// A season's rows as the page shows them: {name, games, average, points, decimal, score, wins,
// dealIns}, the figures signed in myriad units (the score empty without oka and uma).
val SeasonRows(const std::vector<game::PlayerSeason>& rows) {
    val out = val::array();
    for (const game::PlayerSeason& r : rows) {
        val row = val::object();
        row.set("name", r.name);
        row.set("games", r.games);
        row.set("average", r.AveragePlace());
        row.set("points", Total(r.points));
        row.set("decimal", r.points.Decimal());
        row.set("score", r.score ? Total(*r.score) : std::string());
        row.set("wins", r.wins);
        row.set("dealIns", r.dealIns);
        out.call<void>("push", row);
    }
    return out;
}

val GameText(const Game& game) {
    val out = val::object();
    out.set("game", game::ExportGame(game));
    return out;
}

}  // namespace

// The rules a new game starts with, for the number of players, in the exchange format's words.
std::string GameDefaultRules(int players) {
    return game::RulesToJson(game::DefaultRules(players));
}

// A new game from its rules (the exchange format's words, as GameDefaultRules gives them), the
// players' names in seat order, a label and the time it starts (UTC, "2026-12-10T16:05:38Z"):
// {game} or {error}.
val GameStart(const std::string& rulesJson, val names, const std::string& label,
              const std::string& now) {
    const auto rules = game::RulesFromJson(rulesJson);
    if (const auto* error = std::get_if<GameError>(&rules)) {
        return Refusal(*error);
    }
    Game game;
    game.rules = std::get<game::Rules>(rules);
    game.players = emscripten::vecFromJSArray<std::string>(names);
    game.label = label;
    game.started = now;
    if (auto error = game::CheckSetup(game.rules, game.players)) {
        return Refusal(*error);
    }
    return GameText(game);
}

// The game with one more event, given in the exchange format ({"kind": "ron", "discarder": 0,
// "wins": [...]} …), recorded only while the game is at position `at` (the events it has
// accepted, as the page last showed it): {game, view} or {error}. A game that ends at `now`
// keeps that time as its finish, as the command line's store does; one opened again loses it.
val GameAppend(const std::string& text, const std::string& eventJson, double at,
               const std::string& now) {
    auto opened = Open(text);
    if (const auto* error = std::get_if<GameError>(&opened)) {
        return Refusal(*error);
    }
    auto& [game, standings] = std::get<Opened>(opened);
    if (at != static_cast<double>(standings.position)) {
        val out = val::object();
        out.set("error", "対局が先に進んでいます（いま" + std::to_string(standings.position) +
                             "件目）。表示を確かめてください");
        return out;
    }
    const auto event = game::EventFromJson(eventJson);
    if (const auto* error = std::get_if<GameError>(&event)) {
        return Refusal(*error, standings.names);
    }
    if (auto error = game::Append(game, standings, std::get<Event>(event))) {
        return Refusal(*error, standings.names);
    }
    if (standings.finished == game.finished.empty()) {
        game.finished = standings.finished ? now : std::string();
    }
    val out = GameText(game);
    out.set("view", View(standings));
    return out;
}

// A game brought in from a file: {game} (as this page writes it) or {error}.
val GameImport(const std::string& text) {
    const auto read = game::ImportGame(text);
    if (const auto* error = std::get_if<GameError>(&read)) {
        return Refusal(*error);
    }
    return GameText(std::get<Game>(read));
}

// What the page shows of a game: {names, players: [{name, points, decimal, change, seat, wind,
// dealer, declared}], round, honba, sticks, dealer, finished, final: [{name, points, score}],
// position, history: [rows], canUndo}; or {error}.
val GameView(const std::string& text) {
    const auto opened = Open(text);
    if (const auto* error = std::get_if<GameError>(&opened)) {
        return Refusal(*error);
    }
    return View(std::get<Opened>(opened).standings);
}

// The table a winning hand of `winner` meets in the game as it stands, as the hand request takes
// it: {round, seat, honba, sticks, tsumo, riichi, players, noDoubleYakuman, noOpenTanyao}. A
// declared riichi counts by itself unless the hand says double riichi, as the ledger counts it.
val GameContext(const std::string& text, int winner, bool tsumo, bool doubleRiichi) {
    const auto opened = Open(text);
    if (const auto* error = std::get_if<GameError>(&opened)) {
        return Refusal(*error);
    }
    const auto& [game, s] = std::get<Opened>(opened);
    if (auto error = game::CheckSeated(s, winner)) {
        return Refusal(*error, s.names);
    }
    val out = val::object();
    out.set("round", s.round);
    out.set("seat", s.SeatWindOf(winner));
    out.set("honba", s.honba);
    out.set("sticks", s.sticks);
    out.set("tsumo", tsumo);
    out.set("riichi", s.declared[static_cast<std::size_t>(winner)] && !doubleRiichi);
    out.set("players", game.rules.players);
    out.set("noDoubleYakuman", !game.rules.hand.doubleYakuman);
    out.set("noOpenTanyao", !game.rules.hand.openTanyao);
    return out;
}

// The season over the given games (their texts), as velmarto-score game season counts it: only
// finished games count, and one that does not read counts nothing: {four, three}, the rows of
// each table.
val GameSeason(val texts) {
    std::vector<Opened> games;
    for (const std::string& text : emscripten::vecFromJSArray<std::string>(texts)) {
        auto opened = Open(text);
        if (auto* read = std::get_if<Opened>(&opened)) {
            games.push_back(std::move(*read));
        }
    }
    std::vector<game::SeasonGame> selected;
    for (const Opened& g : games) {
        selected.push_back({&g.game, &g.standings});
    }
    const game::Season season = game::SeasonOf(selected);
    val out = val::object();
    out.set("four", SeasonRows(season.four));
    out.set("three", SeasonRows(season.three));
    return out;
}

// The rules a new game can set, as the exchange format names them, with their labels:
// [{key, label}].
val GameRuleFields() {
    val fields = val::array();
    for (const game::RuleField& field : game::kRuleFields) {
        val item = val::object();
        item.set("key", std::string(field.key));
        item.set("label", std::string(field.label));
        fields.call<void>("push", item);
    }
    return fields;
}

// Each event kind's word in the exchange format and its label: [{key, label}].
val GameEventKinds() {
    val kinds = val::array();
    for (const game::KindInfo& info : game::kEventKinds) {
        val item = val::object();
        item.set("key", std::string(info.key));
        item.set("label", std::string(info.label));
        kinds.call<void>("push", item);
    }
    return kinds;
}

EMSCRIPTEN_BINDINGS(velmarto_game) {
    emscripten::function("gameDefaultRules", &GameDefaultRules);
    emscripten::function("gameStart", &GameStart);
    emscripten::function("gameAppend", &GameAppend);
    emscripten::function("gameImport", &GameImport);
    emscripten::function("gameView", &GameView);
    emscripten::function("gameEventKinds", &GameEventKinds);
    emscripten::function("gameContext", &GameContext);
    emscripten::function("gameRuleFields", &GameRuleFields);
    emscripten::function("gameSeason", &GameSeason);
}

}  // namespace velmarto::web
