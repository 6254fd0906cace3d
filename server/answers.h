// The API's answers: JSON bodies, and each refusal the server itself makes in English and
// Japanese ({"error", "japanese"}), so the page can show it as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/game/game_error.h"
#include "server/exchange.h"
#include "store/game_store.h"

namespace velmarto::server {

enum class Refusal {
    NoGame,
    NotFound,
    WrongMethod,
    WriteKey,
    ClubKey,
    NotJson,
    NotPosted,
    NoQrText,
    Failed,
};

Response JsonAnswer(boost::beast::http::status status, std::string body);
Response Refuse(Refusal refusal);
// 400 with the engine's reason in both languages, naming players as the game does.
Response Refuse(const game::GameError& error, const std::vector<std::string>& names);
// 409: the position the game is at and the game as it stands.
Response MovedOn(std::size_t position, std::string_view show);
// 503 with a retry hint for a database that is busy or away, 404 for a game that is not there,
// 500 for anything else; never the database's own words.
Response StoreFailure(const store::StoreError& error);
// 503 with a retry hint: more requests are waiting for the database than it can take.
Response Overloaded();

}  // namespace velmarto::server
