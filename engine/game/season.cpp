// Everything a season counts is read from the games' histories, so it agrees with every
// game's own standings.
#include "engine/game/season.h"

#include <algorithm>
#include <numeric>

namespace velmarto::game {
namespace {

constexpr int kHundredths = 100;

// The row of a name, added when new; an index, since adding a row moves the others.
std::size_t RowOf(std::vector<PlayerSeason>& rows, const std::string& name, int players) {
    auto found = std::find_if(rows.begin(), rows.end(),
                              [&](const PlayerSeason& row) { return row.name == name; });
    if (found != rows.end()) {
        return static_cast<std::size_t>(found - rows.begin());
    }
    PlayerSeason row;
    row.name = name;
    row.places.assign(static_cast<std::size_t>(players), 0);
    rows.push_back(std::move(row));
    return rows.size() - 1;
}

void CountEvents(const Game& game, const Standings& s, std::vector<PlayerSeason*>& rows) {
    std::vector<Points> running(rows.size(), game.rules.startingPoints);
    std::vector<char> below(rows.size(), 0);  // not vector<bool>: its code is the page's bytes
    for (const Effect& effect : s.history) {
        for (std::size_t p = 0; p < rows.size(); ++p) {
            running[p] += effect.paid[p];
        }
        const EventKind kind = effect.event.Kind();
        if (kind == EventKind::Riichi) {
            ++rows[static_cast<std::size_t>(ActorsOf(effect.event).front())]->riichi;
        } else if (kind == EventKind::FalseWin) {
            ++rows[static_cast<std::size_t>(ActorsOf(effect.event).front())]->falseWins;
        } else if (const auto discarder = DiscarderOf(effect.event)) {
            ++rows[static_cast<std::size_t>(*discarder)]->dealIns;
        }
        for (const WinFigures& win : effect.wins) {
            PlayerSeason& row = *rows[static_cast<std::size_t>(win.winner)];
            ++row.wins;
            const Points& took = effect.paid[static_cast<std::size_t>(win.winner)];
            if (!row.largest || took > row.largest->points) {
                row.largest = LargestWin{took, win.han, win.fu};
            }
        }
        for (std::size_t p = 0; p < rows.size(); ++p) {
            below[p] = static_cast<char>(below[p] || running[p].IsNegative());
        }
    }
    for (std::size_t p = 0; p < rows.size(); ++p) {
        rows[p]->belowZero += below[p] ? 1 : 0;
    }
}

void AddGame(std::vector<PlayerSeason>& table, const Game& game, const Standings& s) {
    std::vector<std::size_t> indices;
    for (const std::string& name : s.names) {
        indices.push_back(RowOf(table, name, game.rules.players));
    }
    std::vector<PlayerSeason*> rows;
    for (const std::size_t index : indices) {
        rows.push_back(&table[index]);
    }
    for (std::size_t rank = 0; rank < s.final.size(); ++rank) {
        const FinalStanding& f = s.final[rank];
        PlayerSeason& row = *rows[static_cast<std::size_t>(f.player)];
        ++row.games;
        ++row.places[rank];
        row.placeSum += static_cast<int>(rank) + 1;
        row.points += f.points - game.rules.startingPoints;
        if (f.score) {
            row.score = row.score.value_or(Points()) + *f.score;
        }
    }
    CountEvents(game, s, rows);
}

// Rows that tie keep the order they were met in. The rows are sorted by index, with the index
// last in the comparison: a stable sort of the rows themselves costs the page kilobytes.
void Sort(std::vector<PlayerSeason>& rows) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
        const PlayerSeason& a = rows[i];
        const PlayerSeason& b = rows[j];
        // a.placeSum / a.games against b's, without leaving the integers.
        const long left = static_cast<long>(a.placeSum) * b.games;
        const long right = static_cast<long>(b.placeSum) * a.games;
        if (left != right) {
            return left < right;
        }
        return a.points != b.points ? a.points > b.points : i < j;
    });
    std::vector<PlayerSeason> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

}  // namespace

std::string PlayerSeason::AveragePlace() const {
    if (games == 0) {
        return "-";
    }
    const long hundredths = (static_cast<long>(placeSum) * kHundredths * 2 + games) / (2L * games);
    const long fraction = hundredths % kHundredths;
    return std::to_string(hundredths / kHundredths) + "." + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}

Season SeasonOf(const std::vector<SeasonGame>& games) {
    Season season;
    for (const SeasonGame& g : games) {
        if (!g.standings->finished) {
            continue;
        }
        AddGame(g.game->rules.players == kThreePlayers ? season.three : season.four, *g.game,
                *g.standings);
    }
    Sort(season.four);
    Sort(season.three);
    return season;
}

}  // namespace velmarto::game
