// Every line here is built from the standings the engine replayed; nothing is added up here.
#include "cli/game_text.h"

#include <algorithm>
#include <ctime>
#include <nlohmann/json.hpp>

namespace velmarto::cli {
namespace {

using game::Points;
using Json = nlohmann::ordered_json;

// Adds `item` to a list in words, after `separator` unless it is the first.
void AppendItem(std::string& list, std::string_view separator, std::string_view item) {
    if (!list.empty()) {
        list += separator;
    }
    list += item;
}

std::string Figure(const Points& points, bool plain) {
    return plain ? points.Decimal() + "点" : points.Myriad();
}

std::string Signed(const Points& points, bool plain) {
    return (points.IsNegative() || points.IsZero() ? "" : "+") + Figure(points, plain);
}

std::string SignedSticks(int sticks) {
    return "供託 " + std::string(sticks > 0 ? "+" : "") + std::to_string(sticks) + "本";
}

// A name or label as one field of a tab-separated row, whatever an older file holds.
std::string OneField(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

std::string NameOf(const game::Standings& s, game::PlayerIndex p) {
    return s.names[static_cast<std::size_t>(p)];
}

// "Chika（Dai から）3飜30符", "テンパイ Aiko Chika", "Ben".
std::string Who(const game::Standings& s, const game::Effect& e) {
    std::string out;
    if (!e.wins.empty()) {
        for (const game::WinFigures& w : e.wins) {
            AppendItem(out, "、",
                       NameOf(s, w.winner) + " " + std::to_string(w.han) + "飜" +
                           std::to_string(w.fu) + "符");
        }
        if (const auto discarder = game::DiscarderOf(e.event)) {
            out += "（" + NameOf(s, *discarder) + "から）";
        }
        return out;
    }
    const std::vector<game::PlayerIndex> actors = game::ActorsOf(e.event);
    if (e.event.Kind() == game::EventKind::Draw) {
        out = actors.empty() ? "全員ノーテン" : "テンパイ";
    }
    for (const game::PlayerIndex p : actors) {
        AppendItem(out, " ", NameOf(s, p));
    }
    return out;
}

std::string Payments(const game::Standings& s, const game::Effect& e, bool plain) {
    std::string line;
    for (std::size_t p = 0; p < e.paid.size(); ++p) {
        if (!e.paid[p].IsZero()) {
            line += " " + s.names[p] + " " + Signed(e.paid[p], plain);
        }
    }
    if (e.sticks != 0) {
        line += " " + SignedSticks(e.sticks);
    }
    return line.empty() ? " 支払いなし" : line;
}

std::string Yaku(const game::Effect& e) {
    std::string out;
    for (const game::WinFigures& w : e.wins) {
        for (const std::string& yaku : w.yaku) {
            AppendItem(out, "、", yaku);
        }
    }
    return out;
}

std::string Label(const game::Effect& e) {
    return std::string(game::InfoOf(e.event.Kind()).label);
}

std::string StandingLines(const game::Standings& s, bool plain) {
    std::string out;
    for (std::size_t p = 0; p < s.points.size(); ++p) {
        out += std::string(game::RoundWindName(s.SeatWindOf(static_cast<game::PlayerIndex>(p)))) +
               " " + s.names[p] + "　" + Figure(s.points[p], plain) + "\n";
    }
    return out;
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its quotes doubled.
std::string Csv(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string out = "\"";
    for (char c : field) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        row += i ? "," : "";
        row += Csv(fields[i]);
    }
    return row + "\r\n";
}

}  // namespace

std::string ShowText(const game::Game& game, const game::Standings& s, std::int64_t id,
                     bool plain) {
    std::string out = "対局 " + std::to_string(id) +
                      (game.label.empty() ? "" : "「" + OneField(game.label) + "」") + "　" +
                      game::RoundName(s) + "　供託 " + std::to_string(s.sticks) + "本" +
                      (s.finished ? "　終局" : "") + "\n";
    out += StandingLines(s, plain);
    const game::Effect* last = s.Last();
    out += last ? "直前の記録（" + Label(*last) + "）:" + Payments(s, *last, plain) + "\n"
                : "まだ記録がありません\n";
    for (std::size_t rank = 0; rank < s.final.size(); ++rank) {
        const game::FinalStanding& f = s.final[rank];
        out +=
            std::to_string(rank + 1) + "位 " + NameOf(s, f.player) + "　" + Figure(f.points, plain);
        if (f.score) {
            out += "（オカ・ウマ込み " + Signed(*f.score, plain) + "）";
        }
        out += "\n";
    }
    return out;
}

std::string HistoryText(const game::Standings& s, bool plain) {
    std::string out;
    for (const game::Effect& e : s.history) {
        out += "#" + std::to_string(e.position) + "　" + game::RoundName(e.round, e.hand, e.honba) +
               "　" + Label(e);
        const std::string who = Who(s, e);
        out += who.empty() ? "" : "　" + who;
        const std::string yaku = Yaku(e);
        out += yaku.empty() ? "" : "　" + yaku;
        out += "　→" + Payments(s, e, plain) + "\n";
    }
    out += "現在（" + (s.finished ? std::string("終局") : game::RoundName(s)) + "　供託 " +
           std::to_string(s.sticks) + "本）\n";
    return out + StandingLines(s, plain);
}

std::string HistoryCsv(const game::Standings& s) {
    std::vector<std::string> header = {"position", "hand", "kind", "who"};
    header.insert(header.end(), s.names.begin(), s.names.end());
    header.insert(header.end(), {"sticks", "han", "fu", "yaku"});
    std::string out = CsvRow(header);
    for (const game::Effect& e : s.history) {
        std::vector<std::string> row = {std::to_string(e.position),
                                        game::RoundName(e.round, e.hand, e.honba),
                                        std::string(game::InfoOf(e.event.Kind()).key), Who(s, e)};
        for (const Points& p : e.paid) {
            row.push_back(p.Decimal());
        }
        std::string han, fu;
        for (const game::WinFigures& w : e.wins) {
            AppendItem(han, " ", std::to_string(w.han));
            AppendItem(fu, " ", std::to_string(w.fu));
        }
        row.insert(row.end(), {std::to_string(e.sticks), han, fu, Yaku(e)});
        out += CsvRow(row);
    }
    // The standings after the last row: each total, and the sticks left on the table.
    std::vector<std::string> totals = {"", s.finished ? "終局" : game::RoundName(s), "standings",
                                       ""};
    for (const Points& p : s.points) {
        totals.push_back(p.Decimal());
    }
    totals.insert(totals.end(), {std::to_string(s.sticks), "", "", ""});
    return out + CsvRow(totals);
}

std::string LocalTime(std::string_view utc) {
    std::tm tm{};
    const std::string text(utc);
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                    &tm.tm_hour, &tm.tm_min, &tm.tm_sec) != 6) {
        return text;
    }
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
#ifdef _WIN32
    const std::time_t when = _mkgmtime(&tm);
    std::tm local{};
    const bool ok = when != -1 && localtime_s(&local, &when) == 0;
#else
    const std::time_t when = timegm(&tm);
    std::tm local{};
    const bool ok = when != -1 && localtime_r(&when, &local) != nullptr;
#endif
    char out[sizeof "2026-12-11 01:05"];
    if (!ok || std::strftime(out, sizeof out, "%Y-%m-%d %H:%M", &local) == 0) {
        return text;
    }
    return out;
}

std::string ListText(const std::vector<store::GameSummary>& games) {
    if (games.empty()) {
        return "対局はまだありません\n";
    }
    std::string text;
    for (const store::GameSummary& g : games) {
        std::string names;
        for (const std::string& name : g.names) {
            AppendItem(names, " ", OneField(name));
        }
        const std::string state = g.over ? "終局" : game::RoundName(g.round, g.hand, g.honba);
        text += std::to_string(g.id) + "\t" + LocalTime(g.started) + "\t" + names + "\t" + state +
                "\t" + OneField(g.label) + (g.deleted ? "\t削除済み" : "") + "\n";
    }
    return text;
}

std::string ListJson(const std::vector<store::GameSummary>& games) {
    Json rows = Json::array();
    for (const store::GameSummary& g : games) {
        rows.push_back({{"id", std::to_string(g.id)},
                        {"started", g.started},
                        {"finished", g.finished.empty() ? Json() : Json(g.finished)},
                        {"label", g.label},
                        {"players", g.names},
                        {"round", std::string(game::RoundWindName(g.round))},
                        {"hand", g.hand + 1},
                        {"honba", g.honba},
                        {"finished_game", g.over},
                        {"position", g.position},
                        {"deleted", g.deleted}});
    }
    return rows.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

std::string Places(const game::PlayerSeason& row) {
    std::string out;
    for (std::size_t i = 0; i < row.places.size(); ++i) {
        AppendItem(out, " ", std::to_string(i + 1) + "位" + std::to_string(row.places[i]));
    }
    return out;
}

std::string Largest(const game::PlayerSeason& row, bool plain) {
    return row.largest
               ? Figure(row.largest->points, plain) + "（" + std::to_string(row.largest->han) +
                     "飜" + std::to_string(row.largest->fu) + "符）"
               : "-";
}

std::string SeasonRows(std::string_view title, const std::vector<game::PlayerSeason>& rows,
                       bool plain) {
    if (rows.empty()) {
        return "";
    }
    std::string out = std::string(title) + "\n";
    for (const game::PlayerSeason& r : rows) {
        out += OneField(r.name) + "　" + std::to_string(r.games) + "戦　" + Places(r) +
               "　平均順位 " + r.AveragePlace() + "　" + Signed(r.points, plain);
        if (r.score) {
            out += "（オカ・ウマ込み " + Signed(*r.score, plain) + "）";
        }
        out += "　和了 " + std::to_string(r.wins) + "　放銃 " + std::to_string(r.dealIns) +
               "　立直 " + std::to_string(r.riichi) + "　チョンボ " + std::to_string(r.falseWins) +
               "　最大の和了 " + Largest(r, plain) + "　飛び " + std::to_string(r.belowZero) + "\n";
    }
    return out;
}

void SeasonCsvRows(std::string_view table, const std::vector<game::PlayerSeason>& rows,
                   std::string& out) {
    for (const game::PlayerSeason& r : rows) {
        std::string places;
        for (const int count : r.places) {
            AppendItem(places, " ", std::to_string(count));
        }
        out +=
            CsvRow({std::string(table), r.name, std::to_string(r.games), places, r.AveragePlace(),
                    r.points.Decimal(), r.score ? r.score->Decimal() : "", std::to_string(r.wins),
                    std::to_string(r.dealIns), std::to_string(r.riichi),
                    std::to_string(r.falseWins), r.largest ? r.largest->points.Decimal() : "",
                    r.largest ? std::to_string(r.largest->han) : "",
                    r.largest ? std::to_string(r.largest->fu) : "", std::to_string(r.belowZero)});
    }
}

}  // namespace

std::string SeasonText(const game::Season& season, bool plain) {
    const std::string out =
        SeasonRows("四人麻雀", season.four, plain) + SeasonRows("三人麻雀", season.three, plain);
    return out.empty() ? "終局した対局はまだありません\n" : out;
}

std::string SeasonCsv(const game::Season& season) {
    std::string out = CsvRow({"table", "name", "games", "places", "average_place", "points",
                              "score", "wins", "deal_ins", "riichi", "false_wins", "largest_win",
                              "largest_han", "largest_fu", "below_zero"});
    SeasonCsvRows("4", season.four, out);
    SeasonCsvRows("3", season.three, out);
    return out;
}

}  // namespace velmarto::cli
