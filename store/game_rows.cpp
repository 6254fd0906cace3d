// Prepared statements only; names and events travel as bound values, never inside the SQL.
#include "store/game_rows.h"

#include <ctime>
#include <nlohmann/json.hpp>

#include "engine/game/game_json.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[sizeof "2026-12-10T16:05:38Z"];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

StoreError Damaged(std::int64_t id, const game::GameError& error) {
    std::string why = "its rules or players cannot stand";
    if (error.code == game::ErrorCode::AtEvent && !error.args.empty()) {
        why = "its event " + error.args.front() + " cannot happen";
    } else if (error.code == game::ErrorCode::NotJson || error.code == game::ErrorCode::Malformed) {
        why = "a row does not read";
    }
    return {StoreError::Kind::Failed,
            "game " + std::to_string(id) + " is damaged in the database: " + why};
}

// The names as renamed, as the summary keeps them; nullopt for text that does not read.
std::optional<std::vector<std::string>> NamesFromJson(const std::string& text) {
    const auto json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const auto& name : json) {
        if (!name.is_string()) {
            return std::nullopt;
        }
        names.push_back(name.get<std::string>());
    }
    return names;
}

GameSummary SummaryOf(const StoredGame& stored) {
    const game::Standings& s = stored.standings;
    return {stored.id,
            stored.game.started,
            stored.game.finished,
            stored.game.label,
            s.names,
            s.round,
            s.hand,
            s.honba,
            s.finished,
            s.position,
            stored.deleted};
}

// The game from its row (rules, label, started, finished) and its players' and events' rows.
std::variant<game::Game, game::GameError> ReadRows(Connection& c, std::int64_t id,
                                                   const Statement& row) {
    game::Game game;
    auto rules = game::RulesFromJson(row.Text(0));
    if (auto* error = std::get_if<game::GameError>(&rules)) {
        return *error;
    }
    game.rules = std::get<game::Rules>(rules);
    game.label = row.Text(1);
    game.started = row.Text(2);
    game.finished = row.Text(3);
    Statement players(c, "SELECT name FROM players WHERE game = ? ORDER BY seat");
    players.Bind(1, id);
    while (players.Step()) {
        game.players.push_back(players.Text(0));
    }
    Statement events(c, "SELECT event FROM events WHERE game = ? ORDER BY seq");
    events.Bind(1, id);
    while (events.Step()) {
        auto event = game::EventFromJson(events.Text(0));
        if (auto* error = std::get_if<game::GameError>(&event)) {
            return *error;
        }
        game.events.push_back(std::get<game::Event>(std::move(event)));
    }
    return game;
}

}  // namespace

std::variant<StoredGame, StoreError> LoadGame(Connection& c, std::int64_t id) {
    Statement row(c, "SELECT rules, label, started, finished, deleted FROM games WHERE id = ?");
    if (!row.Bind(1, id).Step()) {
        return StoreError{StoreError::Kind::NotFound, "no game " + std::to_string(id)};
    }
    auto read = ReadRows(c, id, row);
    if (auto* error = std::get_if<game::GameError>(&read)) {
        return Damaged(id, *error);
    }
    StoredGame stored{id, std::get<game::Game>(std::move(read)), {}, row.Integer(4) != 0};
    auto replayed = game::Replay(stored.game);
    if (auto* error = std::get_if<game::GameError>(&replayed)) {
        return Damaged(id, *error);
    }
    stored.standings = std::get<game::Standings>(std::move(replayed));
    return stored;
}

std::int64_t InsertGame(Connection& c, const game::Game& game, const game::Standings& standings) {
    const std::string started = game.started.empty() ? UtcNow() : game.started;
    const std::string finished =
        !standings.finished ? "" : (game.finished.empty() ? UtcNow() : game.finished);
    Statement(c, "INSERT INTO games(rules, label, started, finished) VALUES(?, ?, ?, ?)")
        .Bind(1, game::RulesToJson(game.rules))
        .Bind(2, game.label)
        .Bind(3, started)
        .Bind(4, finished)
        .Step();
    const std::int64_t id = c.LastInsertId();
    Statement player(c, "INSERT INTO players(game, seat, name) VALUES(?, ?, ?)");
    for (std::size_t seat = 0; seat < game.players.size(); ++seat) {
        player.Bind(1, id).Bind(2, static_cast<std::int64_t>(seat)).Bind(3, game.players[seat]);
        player.Step();
        player.Reset();
    }
    Statement event(c, "INSERT INTO events(game, seq, event) VALUES(?, ?, ?)");
    for (std::size_t seq = 0; seq < game.events.size(); ++seq) {
        event.Bind(1, id).Bind(2, static_cast<std::int64_t>(seq));
        event.Bind(3, game::EventToJson(game.events[seq]));
        event.Step();
        event.Reset();
    }
    SaveSummary(c, id, standings);
    return id;
}

void InsertLastEvent(Connection& c, StoredGame& stored) {
    game::Game& game = stored.game;
    // The (game, seq) key refuses a second event at the same place, whatever the caller checked.
    Statement(c, "INSERT INTO events(game, seq, event) VALUES(?, ?, ?)")
        .Bind(1, stored.id)
        .Bind(2, static_cast<std::int64_t>(game.events.size() - 1))
        .Bind(3, game::EventToJson(game.events.back()))
        .Step();
    SaveSummary(c, stored.id, stored.standings);
    const bool over = stored.standings.finished;
    if (over == game.finished.empty()) {
        game.finished = over ? UtcNow() : "";
        Statement(c, "UPDATE games SET finished = ? WHERE id = ?")
            .Bind(1, game.finished)
            .Bind(2, stored.id)
            .Step();
    }
}

void SaveSummary(Connection& c, std::int64_t id, const game::Standings& s) {
    Statement(c,
              R"(INSERT INTO summaries(game, position, names, round, hand, honba, over)
                 VALUES(?, ?, ?, ?, ?, ?, ?)
                 ON CONFLICT(game) DO UPDATE SET
                     position = excluded.position, names = excluded.names,
                     round = excluded.round, hand = excluded.hand, honba = excluded.honba,
                     over = excluded.over)")
        .Bind(1, id)
        .Bind(2, static_cast<std::int64_t>(s.position))
        .Bind(3, nlohmann::json(s.names).dump())
        .Bind(4, s.round)
        .Bind(5, s.hand)
        .Bind(6, s.honba)
        .Bind(7, s.finished ? 1 : 0)
        .Step();
}

std::variant<std::vector<GameSummary>, StoreError> ReadSummaries(Connection& c, bool withDeleted) {
    Statement rows(c, R"(SELECT g.id, g.started, g.finished, g.label, g.deleted, s.position,
                                s.names, s.round, s.hand, s.honba, s.over,
                                (SELECT count(*) FROM events e WHERE e.game = g.id)
                         FROM games g LEFT JOIN summaries s ON s.game = g.id
                         WHERE ? OR g.deleted = 0
                         ORDER BY g.id)");
    rows.Bind(1, withDeleted ? 1 : 0);
    std::vector<GameSummary> games;
    while (rows.Step()) {
        const std::int64_t id = rows.Integer(0);
        const auto names = rows.IsNull(6) ? std::nullopt : NamesFromJson(rows.Text(6));
        if (!names || rows.IsNull(5) || rows.Integer(5) != rows.Integer(11)) {
            auto loaded = LoadGame(c, id);
            if (auto* error = std::get_if<StoreError>(&loaded)) {
                return *error;
            }
            games.push_back(SummaryOf(std::get<StoredGame>(loaded)));
            continue;
        }
        games.push_back({id, rows.Text(1), rows.Text(2), rows.Text(3), *names,
                         static_cast<int>(rows.Integer(7)), static_cast<int>(rows.Integer(8)),
                         static_cast<int>(rows.Integer(9)), rows.Integer(10) != 0,
                         static_cast<std::size_t>(rows.Integer(5)), rows.Integer(4) != 0});
    }
    return games;
}

std::vector<std::int64_t> MaybeFinishedIds(Connection& c) {
    Statement rows(c, R"(SELECT g.id FROM games g LEFT JOIN summaries s ON s.game = g.id
                         WHERE g.deleted = 0 AND (s.over IS NOT 0 OR s.position IS NOT
                             (SELECT count(*) FROM events e WHERE e.game = g.id))
                         ORDER BY g.id)");
    std::vector<std::int64_t> ids;
    while (rows.Step()) {
        ids.push_back(rows.Integer(0));
    }
    return ids;
}

std::vector<std::int64_t> GameIds(Connection& c) {
    Statement rows(c, "SELECT id FROM games ORDER BY id");
    std::vector<std::int64_t> ids;
    while (rows.Step()) {
        ids.push_back(rows.Integer(0));
    }
    return ids;
}

}  // namespace velmarto::store
