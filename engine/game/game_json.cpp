// The exchange format: every enum as a word, every figure of points as a decimal string (no
// reader of JSON keeps them exact as numbers), and a hand as the same notation the command uses.
#include "engine/game/game_json.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

namespace velmarto::game {
namespace {

using Json = nlohmann::ordered_json;

// A refusal while reading, with the JSON path of what was wrong.
struct ReadError {
    std::string message;
};

template <typename T>
struct Named {
    T value;
    std::string_view name;
};

constexpr std::array kLengths = {Named<Length>{Length::East, "east"},
                                 Named<Length>{Length::EastSouth, "east-south"}};
constexpr std::array kRonHonbas = {Named<RonHonba>{RonHonba::FirstWinner, "first-winner"},
                                   Named<RonHonba>{RonHonba::EachWinner, "each-winner"}};
constexpr std::array kSanmaTsumos = {Named<SanmaTsumo>{SanmaTsumo::Loss, "loss"},
                                     Named<SanmaTsumo>{SanmaTsumo::Split, "split"}};
constexpr std::array kKinds = {
    Named<EventKind>{EventKind::Ron, "ron"},       Named<EventKind>{EventKind::Tsumo, "tsumo"},
    Named<EventKind>{EventKind::Riichi, "riichi"}, Named<EventKind>{EventKind::Draw, "draw"},
    Named<EventKind>{EventKind::Abort, "abort"},   Named<EventKind>{EventKind::FalseWin, "chombo"},
    Named<EventKind>{EventKind::Undo, "undo"}};
constexpr std::array kMeldKinds = {Named<hand::MeldKind>{hand::MeldKind::Chi, "chi"},
                                   Named<hand::MeldKind>{hand::MeldKind::Pon, "pon"},
                                   Named<hand::MeldKind>{hand::MeldKind::Kan, "kan"},
                                   Named<hand::MeldKind>{hand::MeldKind::Ankan, "ankan"}};

template <typename T, std::size_t N>
std::string_view NameOf(const std::array<Named<T>, N>& table, T value) {
    return std::find_if(table.begin(), table.end(), [&](const auto& n) { return n.value == value; })
        ->name;
}

template <typename T, std::size_t N>
T ValueOf(const std::array<Named<T>, N>& table, const Json& json, std::string_view what) {
    const std::string word = json.get<std::string>();
    for (const Named<T>& n : table) {
        if (n.name == word) {
            return n.value;
        }
    }
    throw ReadError{"unknown " + std::string(what) + " '" + word + "'"};
}

// The hand's flags, one table for writing and reading.
struct HandFlag {
    std::string_view key;
    bool HandDescription::*flag;
};
constexpr std::array kHandFlags = {
    HandFlag{"riichi", &HandDescription::riichi},
    HandFlag{"double_riichi", &HandDescription::doubleRiichi},
    HandFlag{"ippatsu", &HandDescription::ippatsu},
    HandFlag{"rinshan", &HandDescription::rinshan},
    HandFlag{"chankan", &HandDescription::chankan},
    HandFlag{"haitei", &HandDescription::haitei},
    HandFlag{"houtei", &HandDescription::houtei},
    HandFlag{"tenhou", &HandDescription::tenhou},
    HandFlag{"chiihou", &HandDescription::chiihou},
};

struct RuleFlag {
    std::string_view key;
    bool Rules::*flag;
};
constexpr std::array kRuleFlags = {
    RuleFlag{"end_below_zero", &Rules::endBelowZero},
    RuleFlag{"end_on_dealer_top", &Rules::endOnDealerTop},
    RuleFlag{"sticks_to_top", &Rules::sticksToTop},
    RuleFlag{"oka_uma", &Rules::okaUma},
};

// Only the keys a reader knows are accepted, so a misspelt rule is never silently a default.
void OnlyKeys(const Json& json, std::initializer_list<std::string_view> known,
              std::string_view what) {
    if (!json.is_object()) {
        throw ReadError{std::string(what) + " is not an object"};
    }
    for (const auto& [key, value] : json.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            throw ReadError{"unknown key '" + key + "' in " + std::string(what)};
        }
    }
}

Points PointsOf(const Json& json, std::string_view what) {
    auto points = Points::Parse(json.get<std::string>());
    if (!points) {
        throw ReadError{std::string(what) + " is not a decimal integer"};
    }
    return *points;
}

Json RulesJson(const Rules& r) {
    Json json = {{"players", r.players},
                 {"length", NameOf(kLengths, r.length)},
                 {"starting_points", r.startingPoints.Decimal()},
                 {"ron_honba", NameOf(kRonHonbas, r.ronHonba)},
                 {"sanma_tsumo", NameOf(kSanmaTsumos, r.sanmaTsumo)}};
    for (const RuleFlag& flag : kRuleFlags) {
        json[std::string(flag.key)] = r.*flag.flag;
    }
    json["return_points"] = r.returnPoints.Decimal();
    json["uma"] = r.uma;
    json["uma_three"] = r.umaThree;
    json["double_yakuman"] = r.hand.doubleYakuman;
    json["open_tanyao"] = r.hand.openTanyao;
    return json;
}

Rules RulesOf(const Json& json) {
    OnlyKeys(json,
             {"players", "length", "starting_points", "ron_honba", "sanma_tsumo", "end_below_zero",
              "end_on_dealer_top", "sticks_to_top", "oka_uma", "return_points", "uma", "uma_three",
              "double_yakuman", "open_tanyao"},
             "rules");
    const int players = json.value("players", kMaxPlayers);
    if (players != kThreePlayers && players != kMaxPlayers) {
        throw ReadError{"a game has 3 or 4 players"};
    }
    Rules r = DefaultRules(players);
    if (json.contains("length")) {
        r.length = ValueOf(kLengths, json["length"], "length");
    }
    if (json.contains("starting_points")) {
        r.startingPoints = PointsOf(json["starting_points"], "starting_points");
    }
    if (json.contains("ron_honba")) {
        r.ronHonba = ValueOf(kRonHonbas, json["ron_honba"], "ron_honba");
    }
    if (json.contains("sanma_tsumo")) {
        r.sanmaTsumo = ValueOf(kSanmaTsumos, json["sanma_tsumo"], "sanma_tsumo");
    }
    for (const RuleFlag& flag : kRuleFlags) {
        r.*flag.flag = json.value(std::string(flag.key), r.*flag.flag);
    }
    if (json.contains("return_points")) {
        r.returnPoints = PointsOf(json["return_points"], "return_points");
    }
    r.uma = json.value("uma", r.uma);
    r.umaThree = json.value("uma_three", r.umaThree);
    r.hand.doubleYakuman = json.value("double_yakuman", r.hand.doubleYakuman);
    r.hand.openTanyao = json.value("open_tanyao", r.hand.openTanyao);
    return r;
}

Json HandJson(const HandDescription& d) {
    Json json = {{"tiles", d.tiles}};
    if (!d.win.empty()) {
        json["win"] = d.win;
    }
    if (!d.melds.empty()) {
        Json melds = Json::array();
        for (const auto& [kind, tiles] : d.melds) {
            melds.push_back({{"kind", NameOf(kMeldKinds, kind)}, {"tiles", tiles}});
        }
        json["melds"] = melds;
    }
    for (const auto& [key, value] : {std::pair{"dora", &d.dora}, std::pair{"ura", &d.ura}}) {
        if (!value->empty()) {
            json[key] = *value;
        }
    }
    for (const HandFlag& flag : kHandFlags) {
        if (d.*flag.flag) {
            json[std::string(flag.key)] = true;
        }
    }
    if (d.kita > 0) {
        json["kita"] = d.kita;
    }
    return json;
}

HandDescription HandOf(const Json& json) {
    OnlyKeys(json,
             {"tiles", "win", "melds", "dora", "ura", "riichi", "double_riichi", "ippatsu",
              "rinshan", "chankan", "haitei", "houtei", "tenhou", "chiihou", "kita"},
             "hand");
    HandDescription d;
    d.tiles = json.at("tiles").get<std::string>();
    d.win = json.value("win", "");
    for (const Json& meld : json.value("melds", Json::array())) {
        OnlyKeys(meld, {"kind", "tiles"}, "meld");
        d.melds.emplace_back(ValueOf(kMeldKinds, meld.at("kind"), "meld kind"),
                             meld.at("tiles").get<std::string>());
    }
    d.dora = json.value("dora", "");
    d.ura = json.value("ura", "");
    for (const HandFlag& flag : kHandFlags) {
        d.*flag.flag = json.value(std::string(flag.key), false);
    }
    d.kita = json.value("kita", 0);
    return d;
}

Json WinJson(const Win& win) {
    Json json = {{"winner", win.winner}};
    if (const auto* hanFu = std::get_if<HanFu>(&win.score)) {
        json["han"] = hanFu->han;
        json["fu"] = hanFu->fu;
    } else {
        json["hand"] = HandJson(std::get<HandDescription>(win.score));
    }
    if (win.liable) {
        json["liable"] = *win.liable;
    }
    return json;
}

Win WinOf(const Json& json) {
    OnlyKeys(json, {"winner", "han", "fu", "hand", "liable"}, "win");
    Win win;
    win.winner = json.at("winner").get<int>();
    if (json.contains("hand") == (json.contains("han") || json.contains("fu"))) {
        throw ReadError{"a win has either a hand or han and fu"};
    }
    if (json.contains("hand")) {
        win.score = HandOf(json["hand"]);
    } else {
        win.score = HanFu{json.at("han").get<int>(), json.at("fu").get<int>()};
    }
    if (json.contains("liable")) {
        win.liable = json["liable"].get<int>();
    }
    return win;
}

Json EventJson(const Event& event) {
    Json json = {{"kind", NameOf(kKinds, event.kind)}};
    switch (event.kind) {
        case EventKind::Ron:
            json["discarder"] = event.discarder;
            [[fallthrough]];
        case EventKind::Tsumo: {
            Json wins = Json::array();
            for (const Win& win : event.wins) {
                wins.push_back(WinJson(win));
            }
            json["wins"] = wins;
            break;
        }
        case EventKind::Riichi:
        case EventKind::FalseWin:
            json["player"] = event.player;
            break;
        case EventKind::Draw:
            json["tenpai"] = event.tenpai;
            break;
        case EventKind::Abort:
        case EventKind::Undo:
            break;
    }
    return json;
}

Event EventOf(const Json& json) {
    OnlyKeys(json, {"kind", "discarder", "wins", "player", "tenpai"}, "event");
    Event event;
    event.kind = ValueOf(kKinds, json.at("kind"), "event kind");
    switch (event.kind) {
        case EventKind::Ron:
            event.discarder = json.at("discarder").get<int>();
            [[fallthrough]];
        case EventKind::Tsumo:
            for (const Json& win : json.at("wins")) {
                event.wins.push_back(WinOf(win));
            }
            break;
        case EventKind::Riichi:
        case EventKind::FalseWin:
            event.player = json.at("player").get<int>();
            break;
        case EventKind::Draw:
            event.tenpai = json.at("tenpai").get<std::vector<int>>();
            break;
        case EventKind::Abort:
        case EventKind::Undo:
            break;
    }
    return event;
}

GameError Malformed(const std::string& why) {
    return {"not a velmarto game: " + why, "対局の記録として読めません: " + why};
}

// Runs a reader, turning every way JSON can be wrong into one GameError.
template <typename Read>
auto Guarded(std::string_view text, Read read) -> std::variant<decltype(read(Json())), GameError> {
    try {
        return read(Json::parse(text));
    } catch (const ReadError& e) {
        return Malformed(e.message);
    } catch (const Json::exception& e) {
        return Malformed(e.what());
    }
}

}  // namespace

std::string RulesToJson(const Rules& rules) {
    return RulesJson(rules).dump();
}

std::variant<Rules, GameError> RulesFromJson(std::string_view text) {
    return Guarded(text, [](const Json& json) { return RulesOf(json); });
}

std::string EventToJson(const Event& event) {
    return EventJson(event).dump();
}

std::variant<Event, GameError> EventFromJson(std::string_view text) {
    return Guarded(text, [](const Json& json) { return EventOf(json); });
}

std::string ExportGame(const Game& game) {
    Json events = Json::array();
    for (const Event& event : game.events) {
        events.push_back(EventJson(event));
    }
    const Json json = {{"format", kFormatName},
                       {"version", kFormatVersion},
                       {"rules", RulesJson(game.rules)},
                       {"players", game.players},
                       {"events", events}};
    return json.dump(2) + "\n";
}

std::variant<Game, GameError> ImportGame(std::string_view text) {
    auto read = Guarded(text, [](const Json& json) {
        OnlyKeys(json, {"format", "version", "rules", "players", "events"}, "the game");
        if (json.at("format").get<std::string>() != kFormatName) {
            throw ReadError{"format is not " + std::string(kFormatName)};
        }
        const int version = json.at("version").get<int>();
        if (version != kFormatVersion) {
            throw ReadError{"format version " + std::to_string(version) + " (this velmarto reads " +
                            std::to_string(kFormatVersion) + ")"};
        }
        Game game;
        game.rules = RulesOf(json.at("rules"));
        game.players = json.at("players").get<std::vector<std::string>>();
        for (const Json& event : json.at("events")) {
            game.events.push_back(EventOf(event));
        }
        return game;
    });
    if (auto* game = std::get_if<Game>(&read)) {
        const auto replayed = Replay(*game);
        if (const auto* error = std::get_if<GameError>(&replayed)) {
            return *error;
        }
    }
    return read;
}

std::string StandingsToJson(const Game& game, const Standings& s, std::string_view id) {
    Json players = Json::array();
    for (std::size_t p = 0; p < game.players.size(); ++p) {
        players.push_back({{"name", game.players[p]},
                           {"points", s.points[p].Decimal()},
                           {"last_paid", s.lastPaid[p].Decimal()}});
    }
    Json events = Json::array();
    for (const std::size_t i : s.live) {
        events.push_back(EventJson(game.events[i]));
    }
    Json json = {{"id", id},
                 {"players", players},
                 {"round", std::string(RoundWindName(s.round))},
                 {"hand", s.hand + 1},
                 {"honba", s.honba},
                 {"sticks", s.sticks},
                 {"finished", s.finished},
                 {"events", events}};
    if (s.finished) {
        Json final = Json::array();
        for (const FinalStanding& f : s.final) {
            Json row = {{"name", game.players[static_cast<std::size_t>(f.player)]},
                        {"points", f.points.Decimal()}};
            if (f.score) {
                row["score"] = f.score->Decimal();
            }
            final.push_back(row);
        }
        json["final"] = final;
    }
    return json.dump() + "\n";
}

}  // namespace velmarto::game
