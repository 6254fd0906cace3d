// The engine for the web page, through embind: the page computes nothing itself, so the browser,
// the window and the command line agree to the last digit.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "cli/score_table.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"
#include "engine/score_report.h"
#include "web/request_fields.h"

namespace velmarto::web {
namespace {

using emscripten::val;

constexpr int kMaxCount = 1000000;  // honba and sticks, as the command line takes them

struct FlagField {
    const char* name;
    bool hand::Situation::*flag;
};
constexpr FlagField kFlagFields[] = {
    {"tsumo", &hand::Situation::tsumo},
    {"riichi", &hand::Situation::riichi},
    {"doubleRiichi", &hand::Situation::doubleRiichi},
    {"ippatsu", &hand::Situation::ippatsu},
    {"rinshan", &hand::Situation::rinshan},
    {"chankan", &hand::Situation::chankan},
    {"haitei", &hand::Situation::haitei},
    {"houtei", &hand::Situation::houtei},
    {"tenhou", &hand::Situation::tenhou},
    {"chiihou", &hand::Situation::chiihou},
};

bool Flag(const val& request, const char* name) {
    return request[name].isTrue();
}

// A whole number within [low, high]; anything else counts as `low`.
int Number(const val& request, const char* name, int low, int high) {
    const val field = request[name];
    const double value = field.isNumber() ? field.as<double>() : low;
    return value >= low && value <= high ? static_cast<int>(value) : low;
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
    out.set("yaku", yaku);
    out.set("noYaku", result.NoYaku());
    out.set("han", result.han);
    out.set("fu", result.fu.total);
    out.set("fuItems", fuItems);
    out.set("totals",
            result.NoYaku() ? std::string() : hand::Totals(result) + hand::FuSummary(result.fu));
    out.set("dealer", score.seat == Seat::Dealer);
    out.set("payments", payments);
    out.set("report", score.report);
    out.set("settlement", score.settlementLine);
    return out;
}

}  // namespace

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

// A hand described as velmarto-score hand takes it: {tiles, win, chi, pon, kan, ankan (sets
// separated by spaces), dora, ura, round, seat (0-3), honba, sticks, the situation flags,
// noDoubleYakuman, noOpenTanyao}. The count, or {error, message}.
val Hand(val request) {
    const std::string tiles = Text(request, "tiles");
    const std::string win = Text(request, "win");
    const std::string dora = Text(request, "dora");
    const std::string ura = Text(request, "ura");
    std::vector<std::vector<std::string>> melds;
    hand::HandText text;
    text.tiles = tiles;
    if (!win.empty()) {
        text.win = win;
    }
    for (const MeldField& field : kMeldFields) {
        melds.push_back(hand::SplitWords(Text(request, field.name)));
    }
    for (std::size_t i = 0; i < melds.size(); ++i) {
        for (const std::string& set : melds[i]) {
            text.melds.emplace_back(kMeldFields[i].kind, set);
        }
    }
    text.dora = dora;
    text.ura = ura;
    for (const FlagField& field : kFlagFields) {
        text.situation.*field.flag = Flag(request, field.name);
    }
    text.situation.roundWind = Number(request, "round", 0, hand::kWinds - 1);
    text.situation.seatWind = Number(request, "seat", 0, hand::kWinds - 1);
    text.situation.honba = Number(request, "honba", 0, kMaxCount);
    text.situation.sticks = Number(request, "sticks", 0, kMaxCount);
    text.rules.doubleYakuman = !Flag(request, "noDoubleYakuman");
    text.rules.openTanyao = !Flag(request, "noOpenTanyao");
    const auto input = hand::ReadHand(text);
    if (const auto* error = std::get_if<hand::NotationError>(&input)) {
        return Error(*error);
    }
    const auto score = hand::ScoreHand(std::get<hand::HandInput>(input), hand::Figures::Myriad);
    if (const auto* error = std::get_if<hand::NotationError>(&score)) {
        return Error(*error);
    }
    return Scored(std::get<hand::HandScore>(score));
}

// The tiles of a notation as [index, red] pairs, for drawing; empty when it does not read.
val ParseTiles(const std::string& notation) {
    val tiles = val::array();
    const auto parsed = hand::ParseTiles(notation);
    if (const auto* list = std::get_if<std::vector<hand::Tile>>(&parsed)) {
        for (const hand::Tile& tile : *list) {
            val pair = val::array();
            pair.call<void>("push", tile.index);
            pair.call<void>("push", tile.red);
            tiles.call<void>("push", pair);
        }
    }
    return tiles;
}

EMSCRIPTEN_BINDINGS(velmarto) {
    emscripten::function("parseTiles", &ParseTiles);
    emscripten::function("report", &Report);
    emscripten::function("table", &Table);
    emscripten::function("hand", &Hand);
}

}  // namespace velmarto::web
