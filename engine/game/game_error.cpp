// Refusals are built here so that a cause is always shared, never copied deep.
#include "engine/game/game_error.h"

namespace velmarto::game {

GameError Refuse(ErrorCode code, std::vector<std::string> args) {
    return {code, std::move(args), nullptr};
}

GameError Because(ErrorCode code, std::vector<std::string> args, GameError cause) {
    return {code, std::move(args), std::make_shared<const GameError>(std::move(cause))};
}

}  // namespace velmarto::game
