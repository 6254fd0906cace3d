// The exchange format: every enum as a word, every figure of points as a decimal string (no
// reader of JSON keeps them exact as numbers), and a hand as the same notation the command uses.
#include "engine/game/game_json.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>

namespace velmarto::game {
namespace {

using Json = nlohmann::ordered_json;

// A refusal while reading: what was wrong, in the format's own words.
struct ReadError {
    ErrorCode code;
    std::vector<std::string> args;
};

// A whole number that fits T. The library's own conversion would read 2.5 as 2 and wrap
// 4294967296 round to 0, recording a figure nobody wrote.
template <typename T>
T WholeOf(const Json& json, std::string_view what) {
    if (json.is_number_unsigned() && std::in_range<T>(json.get<std::uint64_t>())) {
        return static_cast<T>(json.get<std::uint64_t>());
    }
    if (json.is_number_integer() && !json.is_number_unsigned() &&
        std::in_range<T>(json.get<std::int64_t>())) {
        return static_cast<T>(json.get<std::int64_t>());
    }
    throw ReadError{ErrorCode::NotWhole, {std::string(what)}};
}

int IntOf(const Json& json, std::string_view what) {
    return WholeOf<int>(json, what);
}

int IntOr(const Json& json, const char* key, int absent) {
    return json.contains(key) ? IntOf(json[key], key) : absent;
}

std::vector<int> IntsOf(const Json& json, std::string_view what) {
    if (!json.is_array()) {
        throw ReadError{ErrorCode::NotList, {std::string(what)}};
    }
    std::vector<int> values;
    for (const Json& value : json) {
        values.push_back(IntOf(value, what));
    }
    return values;
}

template <typename T>
struct Named {
    T value;
    std::string_view name;
};

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
    throw ReadError{ErrorCode::UnknownWord, {std::string(what), word}};
}

// Only the keys a reader knows are accepted, so a misspelt field is never silently a default.
void OnlyKeys(const Json& json, const std::vector<std::string_view>& known, std::string_view what) {
    if (!json.is_object()) {
        throw ReadError{ErrorCode::NotObject, {std::string(what)}};
    }
    for (const auto& [key, value] : json.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            throw ReadError{ErrorCode::UnknownKey, {key, std::string(what)}};
        }
    }
}

Points PointsOf(const Json& json, std::string_view what) {
    auto points = Points::Parse(json.get<std::string>());
    if (!points) {
        throw ReadError{ErrorCode::NotDecimal, {std::string(what)}};
    }
    return *points;
}

// A rule's value as JSON, and back; a choice by its word.
template <typename T>
Json RuleValue(const T& value, RuleMember member) {
    if constexpr (std::is_enum_v<T>) {
        return ChoiceKeys(member)[static_cast<std::size_t>(value)];
    } else if constexpr (std::is_same_v<T, Points>) {
        return value.Decimal();
    } else {
        return value;
    }
}

template <typename T>
void ReadRuleValue(const Json& json, T& value, RuleMember member, std::string_view key) {
    if constexpr (std::is_enum_v<T>) {
        const auto keys = ChoiceKeys(member);
        const std::string word = json.get<std::string>();
        const auto found = std::find(keys.begin(), keys.end(), word);
        if (found == keys.end()) {
            throw ReadError{ErrorCode::UnknownWord, {std::string(key), word}};
        }
        value = static_cast<T>(found - keys.begin());
    } else if constexpr (std::is_same_v<T, Points>) {
        value = PointsOf(json, key);
    } else if constexpr (std::is_same_v<T, int>) {
        value = IntOf(json, key);
    } else {
        value = json.get<T>();
    }
}

// The member a field names, in the rules or in the hand engine's rules inside them.
template <typename Member>
auto& Field(Rules& rules, Member member) {
    if constexpr (std::is_same_v<Member, bool hand::Rules::*>) {
        return rules.hand.*member;
    } else {
        return rules.*member;
    }
}

Json RulesJson(const Rules& r) {
    Json json = {{"players", r.players}, {"ledger", r.ledger}};
    Rules copy = r;
    for (const RuleField& field : kRuleFields) {
        std::visit(
            [&](auto member) {
                json[std::string(field.key)] = RuleValue(Field(copy, member), field.member);
            },
            field.member);
    }
    return json;
}

Rules RulesOf(const Json& json) {
    std::vector<std::string_view> known = {"players", "ledger"};
    for (const RuleField& field : kRuleFields) {
        known.push_back(field.key);
    }
    OnlyKeys(json, known, "rules");
    const int players = IntOr(json, "players", kMaxPlayers);
    if (players != kThreePlayers && players != kMaxPlayers) {
        throw ReadError{ErrorCode::PlayerCount, {}};
    }
    Rules r = DefaultRules(players);
    // Rules from before the ledger's checks: a false win left its sticks on the table then.
    r.ledger = IntOr(json, "ledger", kLegacyLedger);
    if (r.ledger < kLegacyLedger || r.ledger > kLedger) {
        throw ReadError{ErrorCode::LedgerVersion, {std::to_string(r.ledger)}};
    }
    r.chomboKeepsSticks = r.Legacy();
    for (const RuleField& field : kRuleFields) {
        const std::string key(field.key);
        if (json.contains(key)) {
            std::visit(
                [&](auto member) { ReadRuleValue(json[key], Field(r, member), field.member, key); },
                field.member);
        }
    }
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
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        if (d.declared.*flag.flag) {
            json[std::string(flag.key)] = true;
        }
    }
    if (d.kita > 0) {
        json["kita"] = d.kita;
    }
    return json;
}

HandDescription HandOf(const Json& json) {
    std::vector<std::string_view> known = {"tiles", "win", "melds", "dora", "ura", "kita"};
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        known.push_back(flag.key);
    }
    OnlyKeys(json, known, "hand");
    HandDescription d;
    d.tiles = json.at("tiles").get<std::string>();
    d.win = json.value("win", "");
    for (const Json& meld : json.value("melds", Json::array())) {
        OnlyKeys(meld, {"kind", "tiles"}, "melds");
        d.melds.emplace_back(ValueOf(kMeldKinds, meld.at("kind"), "kind"),
                             meld.at("tiles").get<std::string>());
    }
    d.dora = json.value("dora", "");
    d.ura = json.value("ura", "");
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        d.declared.*flag.flag = json.value(std::string(flag.key), false);
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
    OnlyKeys(json, {"winner", "han", "fu", "hand", "liable"}, "wins");
    Win win;
    win.winner = IntOf(json.at("winner"), "winner");
    if (json.contains("hand") == (json.contains("han") || json.contains("fu"))) {
        throw ReadError{ErrorCode::WinShape, {}};
    }
    if (json.contains("hand")) {
        win.score = HandOf(json["hand"]);
    } else {
        win.score = HanFu{IntOf(json.at("han"), "han"), IntOf(json.at("fu"), "fu")};
    }
    if (json.contains("liable")) {
        win.liable = IntOf(json["liable"], "liable");
    }
    return win;
}

Json WinsJson(const std::vector<Win>& wins) {
    Json json = Json::array();
    for (const Win& win : wins) {
        json.push_back(WinJson(win));
    }
    return json;
}

// Each kind's fields; the kind's word is written by EventJson.
Json Fields(const Ron& e) {
    return {{"discarder", e.discarder}, {"wins", WinsJson(e.wins)}};
}
Json Fields(const Tsumo& e) {
    return {{"wins", WinsJson({e.win})}};
}
Json Fields(const Riichi& e) {
    return {{"player", e.player}};
}
Json Fields(const Draw& e) {
    return {{"tenpai", e.tenpai}};
}
Json Fields(const Abort&) {
    return Json::object();
}
Json Fields(const FalseWin& e) {
    return {{"player", e.player}};
}
Json Fields(const Undo&) {
    return Json::object();
}
Json EventJson(const Event& event);
Json Fields(const Amend& e) {
    return {{"position", e.position}, {"event", EventJson(*e.replacement)}};
}
Json Fields(const Rename& e) {
    return {{"player", e.player}, {"name", e.name}};
}

Json EventJson(const Event& event) {
    Json json = {{"kind", InfoOf(event.Kind()).key}};
    json.update(std::visit([](const auto& e) { return Fields(e); }, event.value));
    return json;
}

std::vector<Win> WinsOf(const Json& json) {
    std::vector<Win> wins;
    for (const Json& win : json.at("wins")) {
        wins.push_back(WinOf(win));
    }
    return wins;
}

Event EventOf(const Json& json);

// Each kind read with exactly its own fields.
Event ReadKind(EventKind kind, const Json& json) {
    const std::string_view word = InfoOf(kind).key;
    switch (kind) {
        case EventKind::Ron:
            OnlyKeys(json, {"kind", "discarder", "wins"}, word);
            return {Ron{IntOf(json.at("discarder"), "discarder"), WinsOf(json)}};
        case EventKind::Tsumo: {
            OnlyKeys(json, {"kind", "wins"}, word);
            std::vector<Win> wins = WinsOf(json);
            if (wins.size() != 1) {
                throw ReadError{ErrorCode::TsumoWinners, {}};
            }
            return {Tsumo{std::move(wins.front())}};
        }
        case EventKind::Riichi:
            OnlyKeys(json, {"kind", "player"}, word);
            return {Riichi{IntOf(json.at("player"), "player")}};
        case EventKind::Draw:
            OnlyKeys(json, {"kind", "tenpai"}, word);
            return {Draw{IntsOf(json.at("tenpai"), "tenpai")}};
        case EventKind::Abort:
            OnlyKeys(json, {"kind"}, word);
            return {Abort{}};
        case EventKind::FalseWin:
            OnlyKeys(json, {"kind", "player"}, word);
            return {FalseWin{IntOf(json.at("player"), "player")}};
        case EventKind::Undo:
            OnlyKeys(json, {"kind"}, word);
            return {Undo{}};
        case EventKind::Amend:
            OnlyKeys(json, {"kind", "position", "event"}, word);
            return {AmendOf(WholeOf<std::size_t>(json.at("position"), "position"),
                            EventOf(json.at("event")))};
        case EventKind::Rename:
            OnlyKeys(json, {"kind", "player", "name"}, word);
            return {Rename{IntOf(json.at("player"), "player"), json.at("name").get<std::string>()}};
    }
    throw ReadError{ErrorCode::UnknownWord, {"kind", ""}};
}

Event EventOf(const Json& json) {
    if (!json.is_object()) {
        throw ReadError{ErrorCode::NotObject, {"events"}};
    }
    const std::string word = json.at("kind").get<std::string>();
    const auto kind = KindOfKey(word);
    if (!kind) {
        throw ReadError{ErrorCode::UnknownWord, {"kind", word}};
    }
    return ReadKind(*kind, json);
}

// The line of a byte offset, for a person to find the mistake.
std::string LineOf(std::string_view text, std::size_t offset) {
    const std::size_t end = std::min(offset, text.size());
    return std::to_string(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n') +
                          1);
}

// The document, or a parse_error thrown. The plain DOM builder: Json::parse would also build the
// one for a filtering callback, which the game never passes, and the page pays for every byte.
Json Parse(std::string_view text) {
    Json json;
    nlohmann::detail::json_sax_dom_parser<Json> builder(json, true);
    Json::sax_parse(text, &builder);
    return json;
}

// Runs a reader, turning every way JSON can be wrong into one GameError.
template <typename Read>
auto Guarded(std::string_view text, Read read) -> std::variant<decltype(read(Json())), GameError> {
    try {
        return read(Parse(text));
    } catch (const ReadError& e) {
        return Because(ErrorCode::Malformed, {}, Refuse(e.code, e.args));
    } catch (const Json::parse_error& e) {
        return Refuse(ErrorCode::NotJson, {LineOf(text, e.byte == 0 ? 0 : e.byte - 1)});
    } catch (const Json::exception& e) {
        // The library's own words name its types, not the game's.
        return Because(ErrorCode::Malformed, {}, Refuse(ErrorCode::WrongType));
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
    Json json = {{"format", kFormatName},
                 {"version", kFormatVersion},
                 {"rules", RulesJson(game.rules)},
                 {"players", game.players},
                 {"events", events}};
    for (const auto& [key, value] :
         {std::pair{"label", &game.label}, std::pair{"started", &game.started},
          std::pair{"finished", &game.finished}}) {
        if (!value->empty()) {
            json[key] = *value;
        }
    }
    return json.dump(2) + "\n";
}

std::variant<Game, GameError> ImportGame(std::string_view text) {
    auto read = Guarded(text, [](const Json& json) -> std::variant<Game, GameError> {
        OnlyKeys(
            json,
            {"format", "version", "rules", "players", "events", "label", "started", "finished"},
            kFormatName);
        if (json.at("format").get<std::string>() != kFormatName) {
            throw ReadError{ErrorCode::OtherFormat, {std::string(kFormatName)}};
        }
        const int version = IntOf(json.at("version"), "version");
        if (version > kFormatVersion || version < 1) {
            return Refuse(ErrorCode::NewerFormat,
                          {std::to_string(version), std::to_string(kFormatVersion)});
        }
        Game game;
        game.rules = RulesOf(json.at("rules"));
        game.players = json.at("players").get<std::vector<std::string>>();
        for (const Json& event : json.at("events")) {
            game.events.push_back(EventOf(event));
        }
        game.label = json.value("label", "");
        game.started = json.value("started", "");
        game.finished = json.value("finished", "");
        return game;
    });
    if (auto* error = std::get_if<GameError>(&read)) {
        return *error;
    }
    auto game = std::get<std::variant<Game, GameError>>(std::move(read));
    if (auto* ok = std::get_if<Game>(&game)) {
        const auto replayed = Replay(*ok);
        if (const auto* error = std::get_if<GameError>(&replayed)) {
            return *error;
        }
    }
    return game;
}

std::string StandingsToJson(const Game& game, const Standings& s, std::string_view id) {
    const Effect* last = s.Last();
    Json players = Json::array();
    for (std::size_t p = 0; p < s.names.size(); ++p) {
        players.push_back({{"name", s.names[p]},
                           {"points", s.points[p].Decimal()},
                           {"last_paid", last ? last->paid[p].Decimal() : "0"}});
    }
    Json events = Json::array();
    for (const Effect& effect : s.history) {
        events.push_back(EventJson(effect.event));
    }
    Json json = {{"id", id},           {"position", s.position},
                 {"players", players}, {"round", std::string(RoundWindName(s.round))},
                 {"hand", s.hand + 1}, {"honba", s.honba},
                 {"sticks", s.sticks}, {"finished", s.finished},
                 {"events", events}};
    if (!game.label.empty()) {
        json["label"] = game.label;
    }
    if (s.finished) {
        Json final = Json::array();
        for (const FinalStanding& f : s.final) {
            Json row = {{"name", s.names[static_cast<std::size_t>(f.player)]},
                        {"points", f.points.Decimal()}};
            if (f.score) {
                row["score"] = f.score->Decimal();
            }
            final.push_back(row);
        }
        json["final"] = final;
    }
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string HistoryToJson(const Standings& s) {
    const auto names = [&s](const std::vector<PlayerIndex>& players) {
        Json out = Json::array();
        for (const PlayerIndex p : players) {
            out.push_back(s.names[static_cast<std::size_t>(p)]);
        }
        return out;
    };
    Json rows = Json::array();
    for (const Effect& e : s.history) {
        const std::optional<PlayerIndex> discarder = DiscarderOf(e.event);
        Json paid = Json::array();
        for (const Points& p : e.paid) {
            paid.push_back(p.Decimal());
        }
        Json wins = Json::array();
        for (const WinFigures& w : e.wins) {
            wins.push_back({{"winner", s.names[static_cast<std::size_t>(w.winner)]},
                            {"han", w.han},
                            {"fu", w.fu},
                            {"yaku", w.yaku}});
        }
        rows.push_back({{"position", e.position},
                        {"hand", RoundName(e.round, e.hand, e.honba)},
                        {"kind", InfoOf(e.event.Kind()).key},
                        {"label", InfoOf(e.event.Kind()).label},
                        {"who", names(ActorsOf(e.event))},
                        {"discarder",
                         discarder ? Json(s.names[static_cast<std::size_t>(*discarder)]) : Json()},
                        {"paid", paid},
                        {"sticks", e.sticks},
                        {"wins", wins}});
    }
    return rows.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

Json SeasonRows(const std::vector<PlayerSeason>& rows) {
    Json out = Json::array();
    for (const PlayerSeason& row : rows) {
        Json json = {{"name", row.name},
                     {"games", row.games},
                     {"places", row.places},
                     {"average_place", row.AveragePlace()},
                     {"points", row.points.Decimal()},
                     {"score", row.score ? Json(row.score->Decimal()) : Json()},
                     {"wins", row.wins},
                     {"deal_ins", row.dealIns},
                     {"riichi", row.riichi},
                     {"false_wins", row.falseWins},
                     {"largest_win", Json()},
                     {"below_zero", row.belowZero}};
        if (row.largest) {
            json["largest_win"] = {{"points", row.largest->points.Decimal()},
                                   {"han", row.largest->han},
                                   {"fu", row.largest->fu}};
        }
        out.push_back(json);
    }
    return out;
}

}  // namespace

std::string SeasonToJson(const Season& season) {
    const Json json = {{"four", SeasonRows(season.four)}, {"three", SeasonRows(season.three)}};
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace velmarto::game
