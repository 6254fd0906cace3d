// The game ledger for the page, through embind. The page keeps a game only as the text of the
// exchange format and hands it back here for every step, so its standings come from the same
// replay, and its exports are the same bytes, as velmarto-score game's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <variant>
#include <vector>

#include "engine/game/game_json.h"
#include "engine/hand/hand_input.h"
#include "web/request_fields.h"

namespace velmarto::web {
namespace {

using emscripten::val;
using game::Event;
using game::EventKind;
using game::Game;
using game::GameError;
using game::HandDescription;
using game::PlayerIndex;
using game::Win;

// The situation a game keeps with a winning hand; tsumo is the event's kind, not a flag.
struct FlagField {
    const char* name;
    bool HandDescription::*flag;
};
constexpr FlagField kFlagFields[] = {
    {"riichi", &HandDescription::riichi},   {"doubleRiichi", &HandDescription::doubleRiichi},
    {"ippatsu", &HandDescription::ippatsu}, {"rinshan", &HandDescription::rinshan},
    {"chankan", &HandDescription::chankan}, {"haitei", &HandDescription::haitei},
    {"houtei", &HandDescription::houtei},   {"tenhou", &HandDescription::tenhou},
    {"chiihou", &HandDescription::chiihou},
};

struct KindName {
    const char* name;
    EventKind kind;
};
constexpr KindName kKindNames[] = {
    {"ron", EventKind::Ron},   {"tsumo", EventKind::Tsumo}, {"riichi", EventKind::Riichi},
    {"draw", EventKind::Draw}, {"abort", EventKind::Abort}, {"chombo", EventKind::FalseWin},
    {"undo", EventKind::Undo},
};

constexpr const char* kWinds[] = {"東", "南", "西", "北"};

// A whole number, or -1 (which no seat, han or fu is) for anything else.
int Whole(const val& object, const char* name) {
    const val field = object[name];
    if (!field.isNumber()) {
        return -1;
    }
    const double value = field.as<double>();
    return value >= 0 && value <= 1e6 && value == static_cast<int>(value) ? static_cast<int>(value)
                                                                          : -1;
}

std::vector<int> Wholes(const val& object, const char* name) {
    std::vector<int> out;
    const val list = object[name];
    if (!list.isArray()) {
        return out;
    }
    const int length = list["length"].as<int>();
    for (int i = 0; i < length; ++i) {
        out.push_back(list[i].isNumber() ? list[i].as<int>() : -1);
    }
    return out;
}

val Refusal(const std::string& japanese) {
    val out = val::object();
    out.set("error", japanese);
    return out;
}

val Refusal(const GameError& error) {
    return Refusal(error.japanese);
}

val GameText(const Game& game) {
    val out = val::object();
    out.set("game", game::ExportGame(game));
    return out;
}

HandDescription HandOf(const val& request) {
    HandDescription d;
    d.tiles = Text(request, "tiles");
    d.win = Text(request, "win");
    for (const MeldField& field : kMeldFields) {
        for (std::string& set : hand::SplitWords(Text(request, field.name))) {
            d.melds.emplace_back(field.kind, std::move(set));
        }
    }
    d.dora = Text(request, "dora");
    d.ura = Text(request, "ura");
    for (const FlagField& field : kFlagFields) {
        d.*field.flag = request[field.name].isTrue();
    }
    return d;
}

// {winner, han, fu} or {winner, hand: the hand tab's request}.
Win WinOf(const val& request) {
    Win win;
    win.winner = Whole(request, "winner");
    if (request["hand"].isUndefined()) {
        win.score = game::HanFu{Whole(request, "han"), Whole(request, "fu")};
    } else {
        win.score = HandOf(request["hand"]);
    }
    return win;
}

std::optional<Event> EventOf(const val& request) {
    const std::string kind = Text(request, "kind");
    for (const KindName& entry : kKindNames) {
        if (kind != entry.name) {
            continue;
        }
        Event event;
        event.kind = entry.kind;
        event.discarder = Whole(request, "discarder");
        event.player = Whole(request, "player");
        event.tenpai = Wholes(request, "tenpai");
        const val wins = request["wins"];
        const int count = wins.isArray() ? wins["length"].as<int>() : 0;
        for (int i = 0; i < count; ++i) {
            event.wins.push_back(WinOf(wins[i]));
        }
        return event;
    }
    return std::nullopt;
}

// An event as one line of the game's record, in the page's words.
std::string Describe(const Game& game, const Event& event) {
    const auto name = [&](PlayerIndex p) { return game.players[static_cast<std::size_t>(p)]; };
    const auto wins = [&] {
        std::string out;
        for (const Win& win : event.wins) {
            out += out.empty() ? "" : "、";
            out += name(win.winner);
            if (const auto* hanFu = std::get_if<game::HanFu>(&win.score)) {
                out += " " + std::to_string(hanFu->han) + "飜" + std::to_string(hanFu->fu) + "符";
            } else {
                out += " " + std::get<HandDescription>(win.score).tiles;
            }
        }
        return out;
    };
    switch (event.kind) {
        case EventKind::Ron:
            return "ロン " + wins() + "（" + name(event.discarder) + "から）";
        case EventKind::Tsumo:
            return "ツモ " + wins();
        case EventKind::Riichi:
            return "立直 " + name(event.player);
        case EventKind::Draw: {
            std::string tenpai;
            for (const PlayerIndex p : event.tenpai) {
                tenpai += (tenpai.empty() ? "" : "・") + name(p);
            }
            return "流局 聴牌: " + (tenpai.empty() ? std::string("なし") : tenpai);
        }
        case EventKind::Abort:
            return "途中流局";
        case EventKind::FalseWin:
            return "錯和 " + name(event.player);
        case EventKind::Undo:
            break;
    }
    return {};
}

// A signed change in myriad units, "+1万2000点", or empty for none.
std::string Change(const game::Points& points) {
    if (points.IsZero()) {
        return {};
    }
    return (points.IsNegative() ? "" : "+") + points.Myriad();
}

val PlayerRows(const Game& game, const game::Standings& s) {
    val rows = val::array();
    const int players = game.rules.players;
    for (int p = 0; p < players; ++p) {
        const auto i = static_cast<std::size_t>(p);
        val row = val::object();
        row.set("name", game.players[i]);
        row.set("points", s.points[i].Myriad());
        row.set("decimal", s.points[i].Decimal());
        row.set("change", Change(s.lastPaid[i]));
        row.set("wind", std::string(kWinds[(p - s.hand + players) % players]));
        row.set("dealer", p == s.Dealer());
        rows.call<void>("push", row);
    }
    return rows;
}

val FinalRows(const Game& game, const game::Standings& s) {
    val rows = val::array();
    for (const game::FinalStanding& f : s.final) {
        val row = val::object();
        row.set("name", game.players[static_cast<std::size_t>(f.player)]);
        row.set("points", f.points.Myriad());
        row.set("score", f.score ? f.score->Decimal() : std::string());
        rows.call<void>("push", row);
    }
    return rows;
}

}  // namespace

// The rules a new game starts with, for the number of players, in the exchange format's words.
std::string GameDefaultRules(int players) {
    return game::RulesToJson(game::DefaultRules(players));
}

// A new game from its rules (the exchange format's words, as GameDefaultRules gives them) and the
// players' names in seat order: {game} or {error}.
val GameStart(const std::string& rulesJson, val names) {
    const auto rules = game::RulesFromJson(rulesJson);
    if (const auto* error = std::get_if<GameError>(&rules)) {
        return Refusal(*error);
    }
    Game game;
    game.rules = std::get<game::Rules>(rules);
    game.players = emscripten::vecFromJSArray<std::string>(names);
    if (auto error = game::CheckSetup(game.rules, game.players)) {
        return Refusal(*error);
    }
    return GameText(game);
}

// The game with one more event: {kind: ron|tsumo|riichi|draw|abort|chombo|undo, discarder,
// player, tenpai: [players], wins: [{winner, han, fu} or {winner, hand}]}. {game} or {error}.
val GameAppend(const std::string& text, val request) {
    auto read = game::ImportGame(text);
    if (const auto* error = std::get_if<GameError>(&read)) {
        return Refusal(*error);
    }
    const std::optional<Event> event = EventOf(request);
    if (!event) {
        return Refusal("記録の種類が読めません");
    }
    Game& game = std::get<Game>(read);
    if (auto error = game::Append(game, *event)) {
        return Refusal(*error);
    }
    return GameText(game);
}

// A game brought in from a file: {game} (as this page writes it) or {error}.
val GameImport(const std::string& text) {
    const auto read = game::ImportGame(text);
    if (const auto* error = std::get_if<GameError>(&read)) {
        return Refusal(*error);
    }
    return GameText(std::get<Game>(read));
}

// What the page shows of a game: {players: [{name, points, decimal, change, wind, dealer}],
// round, honba, sticks, finished, final: [{name, points, score}], record: [lines], canUndo}.
val GameView(const std::string& text) {
    const auto read = game::ImportGame(text);
    if (const auto* error = std::get_if<GameError>(&read)) {
        return Refusal(*error);
    }
    const Game& game = std::get<Game>(read);
    const game::Standings s = std::get<game::Standings>(game::Replay(game));
    val record = val::array();
    for (const std::size_t i : s.live) {
        record.call<void>("push", Describe(game, game.events[i]));
    }
    val out = val::object();
    out.set("players", PlayerRows(game, s));
    out.set("round", game::RoundName(s));
    out.set("honba", s.honba);
    out.set("sticks", s.sticks);
    out.set("finished", s.finished);
    out.set("final", FinalRows(game, s));
    out.set("record", record);
    out.set("canUndo", !s.live.empty());
    return out;
}

EMSCRIPTEN_BINDINGS(velmarto_game) {
    emscripten::function("gameDefaultRules", &GameDefaultRules);
    emscripten::function("gameStart", &GameStart);
    emscripten::function("gameAppend", &GameAppend);
    emscripten::function("gameImport", &GameImport);
    emscripten::function("gameView", &GameView);
}

}  // namespace velmarto::web
