// Where games are kept, as one interface: create, load, record an event at the position the
// caller expects, list, hide and restore, and the finished games for a season. The command line
// and a server talk to this, not to a database; SQLite is the backend beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/game/replay.h"

namespace velmarto::store {

// A failure of the store itself, as opposed to an event the game refuses.
struct StoreError {
    enum class Kind {
        Foreign,   // not a velmarto database, or one of a newer velmarto: left as it is
        Busy,      // another writer held it too long: nothing recorded, try again
        NotFound,  // no such game, or no database yet
        ReadOnly,  // the database (or its folder) cannot be written
        Failed,    // anything else the database reported
    };
    Kind kind = Kind::Failed;
    std::string message;
};

struct StoredGame {
    std::int64_t id = 0;
    game::Game game;
    game::Standings standings;
    bool deleted = false;
};

// The game has moved on since the caller looked: nothing was recorded.
struct Conflict {
    StoredGame current;
};

// What `list` shows of a game, kept beside its events so a list needs no replay.
struct GameSummary {
    std::int64_t id = 0;
    std::string started;   // UTC, "2026-12-10T16:05:38Z"
    std::string finished;  // empty while playing
    std::string label;
    std::vector<std::string> names;  // as renamed
    int round = 0;
    int hand = 0;
    int honba = 0;
    bool over = false;
    std::size_t position = 0;
    bool deleted = false;
};

using Recorded = std::variant<StoredGame, Conflict, game::GameError, StoreError>;

class GameStore {
public:
    virtual ~GameStore() = default;

    // Stores a new game (with its events, for an import) and returns its id. The game's start
    // time is now unless the game brings its own.
    virtual std::variant<std::int64_t, StoreError> Create(const game::Game& game) = 0;
    virtual std::variant<StoredGame, StoreError> Load(std::int64_t id) = 0;
    // Checks the event against the game as stored, inside the transaction that appends it: with
    // `expected`, only while the game is still at that position. The game's finish time is kept
    // as it ends (and cleared if an undo reopens it).
    virtual Recorded Record(std::int64_t id, std::optional<std::size_t> expected,
                            const game::Event& event) = 0;
    virtual std::variant<std::vector<GameSummary>, StoreError> List(bool withDeleted) = 0;
    // Hides a game from the list and the season, or shows it again; its events stay.
    virtual std::optional<StoreError> SetDeleted(std::int64_t id, bool deleted) = 0;
    // The finished games that are not deleted, for a season.
    virtual std::variant<std::vector<StoredGame>, StoreError> FinishedGames() = 0;
};

}  // namespace velmarto::store
