// The engine for the web page, through embind: the page computes nothing itself, so the browser,
// the window and the command line agree to the last digit.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/score_table.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"
#include "engine/hand/situation.h"
#include "engine/hand/waits.h"
#include "engine/hand/waits_summary.h"
#include "engine/score_report.h"
#include "web/request_fields.h"

namespace velmarto::web {
namespace {

using emscripten::val;

// A three-player table is asked for with players: 3; anything else is four.
constexpr int kFourPlayers = 4;
constexpr int kThreePlayers = 3;
constexpr int kMostKita = 4;  // 北 set aside: there are four

bool Flag(const val& request, const char* name) {
    return request[name].isTrue();
}

// The boxes for counts, each with its name in the request and on the page.
struct CountField {
    const char* name;
    const char* label;
    int hand::Situation::*count;
};
constexpr CountField kCountFields[] = {
    {"honba", "本場", &hand::Situation::honba},
    {"sticks", "供託", &hand::Situation::sticks},
};

// A whole number within [low, high], `low` when the field is left out, or nothing.
std::optional<int> Number(const val& request, const char* name, int low, int high) {
    const val field = request[name];
    if (field.isUndefined()) {
        return low;
    }
    if (!field.isNumber()) {
        return std::nullopt;
    }
    const double value = field.as<double>();
    if (value < low || value > high || value != static_cast<double>(static_cast<int>(value))) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// "本場は0〜1000000の整数です", said beside the box it belongs to.
val CountError(const CountField& field) {
    val result = val::object();
    result.set("error", hand::CountOutOfRangeJapanese(field.label));
    result.set("field", std::string(field.name));
    return result;
}

val Error(const hand::NotationError& error) {
    val result = val::object();
    result.set("error", error.japanese);
    result.set("message", error.message);
    return result;
}

val Scored(const hand::HandScore& score) {
    const hand::HandResult& result = score.result;
    val out = val::object();
    val yaku = val::array();
    for (const hand::HanLine& line : hand::HanLines(result)) {
        val item = val::object();
        item.set("name", std::string(line.name));
        item.set("han", line.han);
        yaku.call<void>("push", item);
    }
    val fuItems = val::array();
    for (const hand::FuItem& entry : result.fu.View()) {
        val item = val::object();
        item.set("name", std::string(entry.name));
        item.set("fu", entry.fu);
        fuItems.call<void>("push", item);
    }
    val payments = val::object();
    if (score.payments) {
        const auto keys = hand::PaymentKeys(score.seat);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            payments.set(std::string(keys[i]), hand::DecimalString(score.payments->figures[i]));
        }
    }
    out.set("lines", val::array(hand::SummaryLines(result)));
    out.set("yaku", yaku);
    out.set("noYaku", result.NoYaku());
    out.set("han", result.han);
    out.set("fu", result.fu.total);
    out.set("fuItems", fuItems);
    out.set("hanFu", result.NoYaku() ? std::string() : hand::Totals(result));
    out.set("totals",
            result.NoYaku() ? std::string() : hand::Totals(result) + hand::FuSummary(result.fu));
    out.set("dealer", score.seat == Seat::Dealer);
    out.set("payments", payments);
    out.set("report", score.report);
    out.set("settlement", score.settlementLine);
    out.set("payers", hand::PayersLine(score, hand::Figures::Myriad));
    return out;
}

// The score window's report for han 0-119, a fu of its list and the seat; empty for anything
// else.
std::string Report(int han, int fu, bool dealer) {
    const std::optional<int> fuIndex = FuIndexOf(fu);
    if (han < 0 || han > kMaxHan || !fuIndex) {
        return {};
    }
    DigitRegister a{}, b{}, c{};
    return ComposeScoreReport({han / 10, han % 10, *fuIndex, dealer ? 1 : 0}, a, b, c, kUnitNames);
}

// velmarto-score --table for the seat and han range, tab-separated; empty for a bad range.
std::string Table(bool dealer, int fromHan, int toHan, bool plain) {
    if (fromHan < 1 || toHan > kMaxHan || fromHan > toHan) {
        return {};
    }
    return cli::FormatScoreTable({.seat = dealer ? Seat::Dealer : Seat::NonDealer,
                                  .fromHan = fromHan,
                                  .toHan = toHan,
                                  .plain = plain});
}

// A request's text, kept alive for the views HandText holds into it.
struct RequestText {
    std::string tiles, win, dora, ura;
    std::vector<std::vector<std::string>> melds;
    hand::HandText text;
};

// Reads a request into `read`; an {error, field} for a count out of range.
std::optional<val> ReadRequest(const val& request, RequestText& read) {
    read.tiles = Text(request, "tiles");
    read.win = Text(request, "win");
    read.dora = Text(request, "dora");
    read.ura = Text(request, "ura");
    hand::HandText& text = read.text;
    text.tiles = read.tiles;
    if (!read.win.empty()) {
        text.win = read.win;
    }
    for (const MeldField& field : kMeldFields) {
        read.melds.push_back(hand::SplitWords(Text(request, field.name)));
    }
    for (std::size_t i = 0; i < read.melds.size(); ++i) {
        for (const std::string& set : read.melds[i]) {
            text.melds.emplace_back(kMeldFields[i].kind, set);
        }
    }
    text.dora = read.dora;
    text.ura = read.ura;
    // The declared flags under the exchange format's keys ("double_riichi"); tsumo is the table's.
    for (const hand::DeclaredFlag& field : hand::kDeclaredFlags) {
        text.situation.*field.flag = Flag(request, std::string(field.key).c_str());
    }
    text.situation.tsumo = Flag(request, "tsumo");
    text.situation.roundWind = Number(request, "round", 0, hand::kWinds - 1).value_or(0);
    text.situation.seatWind = Number(request, "seat", 0, hand::kWinds - 1).value_or(0);
    for (const CountField& field : kCountFields) {
        const std::optional<int> count = Number(request, field.name, 0, hand::kMaxHonbaOrSticks);
        if (!count) {
            return CountError(field);
        }
        text.situation.*field.count = *count;
    }
    text.rules.doubleYakuman = !Flag(request, "noDoubleYakuman");
    text.rules.openTanyao = !Flag(request, "noOpenTanyao");
    const val players = request["players"];
    text.rules.players =
        players.isNumber() && players.as<double>() == kThreePlayers ? kThreePlayers : kFourPlayers;
    text.situation.kita = Number(request, "kita", 0, kMostKita).value_or(0);
    return std::nullopt;
}

val TilePair(const hand::Tile& tile) {
    val pair = val::array();
    pair.call<void>("push", tile.index);
    pair.call<void>("push", tile.red);
    return pair;
}

val TilesLeft(const std::vector<hand::TileLeft>& tiles) {
    val list = val::array();
    for (const hand::TileLeft& entry : tiles) {
        val item = val::object();
        item.set("tile", TilePair(entry.tile));
        item.set("left", entry.left);
        list.call<void>("push", item);
    }
    return list;
}

val Waits(const std::vector<hand::WaitResult>& waits) {
    val list = val::array();
    for (const hand::WaitResult& wait : waits) {
        val item = val::object();
        item.set("tile", TilePair(wait.tile));
        item.set("left", wait.left);
        item.set("ron", wait.ron ? Scored(*wait.ron) : val::null());
        item.set("tsumo", Scored(wait.tsumo));
        item.set("words", val::array(hand::WaitParts(wait)));
        list.call<void>("push", item);
    }
    return list;
}

}  // namespace

// A hand described as velmarto-score hand takes it: {tiles, win, chi, pon, kan, ankan (sets
// separated by spaces), dora, ura, round, seat (0-3), honba, sticks, tsumo, the declared flags
// under their keys (double_riichi …), noDoubleYakuman, noOpenTanyao, players (3 or 4), kita}.
// The count; {toGo} for a hand still short of tiles; {error, message} for a hand that does not
// read; {error, field} for a count out of range.
val Hand(val request) {
    RequestText read;
    if (auto error = ReadRequest(request, read)) {
        return *error;
    }
    const hand::HandText& text = read.text;
    const auto input = hand::ReadHand(text);
    if (const auto* error = std::get_if<hand::NotationError>(&input)) {
        // A hand still being entered is not wrong: it says how many tiles are still to come.
        if (const int toGo = hand::TilesToGo(text); toGo > 0) {
            val progress = val::object();
            progress.set("toGo", toGo);
            return progress;
        }
        return Error(*error);
    }
    const auto score = hand::ScoreHand(std::get<hand::HandInput>(input), hand::Figures::Myriad);
    if (const auto* error = std::get_if<hand::NotationError>(&score)) {
        return Error(*error);
    }
    return Scored(std::get<hand::HandScore>(score));
}

// The same request before its win, as velmarto-score waits reads it: with 13 tiles {shanten,
// waits: [{tile, left, ron (null when furiten), tsumo, words}], useful: [{tile, left}]}; with 14
// that do not win {shanten, discards: [{tile, shanten, waits, words}]}; or {error, message}. The
// words are each wait's and each discard's line in parts, as velmarto-score waits prints them.
val WaitsOf(val request) {
    RequestText read;
    if (auto error = ReadRequest(request, read)) {
        return *error;
    }
    const auto analysed = hand::AnalyzeWaits(read.text, "", hand::Figures::Myriad);
    if (const auto* error = std::get_if<hand::NotationError>(&analysed)) {
        return Error(*error);
    }
    const hand::WaitAnalysis& analysis = std::get<hand::WaitAnalysis>(analysed);
    val out = val::object();
    out.set("shanten", analysis.shanten);
    out.set("waits", Waits(analysis.waits));
    out.set("useful", TilesLeft(analysis.useful));
    val discards = val::array();
    for (const hand::DiscardResult& discard : analysis.discards) {
        val item = val::object();
        item.set("tile", TilePair(discard.tile));
        item.set("shanten", discard.shanten);
        item.set("words", val::array(hand::DiscardParts(discard)));
        item.set("waits", Waits(discard.waits));
        discards.call<void>("push", item);
    }
    out.set("discards", discards);
    out.set("wins", analysis.win.has_value());
    return out;
}

// The page's two boxes as the window reads them: {lastTile, firstDraw, tsumo, seat} gives the
// declared flags they make under their keys ({haitei: true} …).
val MomentFlags(val request) {
    hand::Situation situation;
    situation.tsumo = Flag(request, "tsumo");
    situation.seatWind = Number(request, "seat", 0, hand::kWinds - 1).value_or(0);
    hand::DeclareMoments(situation, {Flag(request, "lastTile"), Flag(request, "firstDraw")});
    val flags = val::object();
    for (const hand::DeclaredFlag& field : hand::kDeclaredFlags) {
        if (situation.*field.flag) {
            flags.set(std::string(field.key), true);
        }
    }
    return flags;
}

// The tiles of a notation as [index, red] pairs, for drawing; empty when it does not read.
val ParseTiles(const std::string& notation) {
    val tiles = val::array();
    const auto parsed = hand::ParseTiles(notation);
    if (const auto* list = std::get_if<std::vector<hand::Tile>>(&parsed)) {
        for (const hand::Tile& tile : *list) {
            tiles.call<void>("push", TilePair(tile));
        }
    }
    return tiles;
}

// What a player can declare about a win, once each: [{key, label}], the key as a request and the
// exchange format name it.
val DeclaredFlags() {
    val flags = val::array();
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        val item = val::object();
        item.set("key", std::string(flag.key));
        item.set("label", std::string(flag.label));
        flags.call<void>("push", item);
    }
    return flags;
}

EMSCRIPTEN_BINDINGS(velmarto) {
    emscripten::function("declaredFlags", &DeclaredFlags);
    emscripten::function("parseTiles", &ParseTiles);
    emscripten::function("report", &Report);
    emscripten::function("table", &Table);
    emscripten::function("hand", &Hand);
    emscripten::function("waits", &WaitsOf);
    emscripten::function("momentFlags", &MomentFlags);
    emscripten::constant("maxHan", kMaxHan);
}

}  // namespace velmarto::web
