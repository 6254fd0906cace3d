// Each handler parses, asks the store on a worker, and answers: the engine and the store decide
// every question of the game; a handler only turns their answer into a status.
#include "server/api.h"

#include <array>
#include <nlohmann/json.hpp>

#include "engine/game/game_json.h"
#include "engine/game/season.h"
#include "server/answers.h"
#include "server/qr_svg.h"
#include "server/secrets.h"
#include "server/shows.h"

namespace velmarto::server {
namespace {

namespace http = boost::beast::http;
using Asking = std::shared_ptr<Exchange>;
using Handler = void (*)(Api&, const Asking&, const std::string& id);

void CreateGame(Api&, const Asking&, const std::string&);
void ShowGame(Api&, const Asking&, const std::string&);
void ExportOne(Api&, const Asking&, const std::string&);
void HistoryOf(Api&, const Asking&, const std::string&);
void RecordEvent(Api&, const Asking&, const std::string&);
void FollowGame(Api&, const Asking&, const std::string&);
void SeasonOfClub(Api&, const Asking&, const std::string&);
void Health(Api&, const Asking&, const std::string&);
void QrCode(Api&, const Asking&, const std::string&);

struct Route {
    http::verb method;
    std::string_view path;  // "{id}" stands for a game's shared address
    Handler handler;
};
constexpr std::array kRoutes = {
    Route{http::verb::post, "/api/games", CreateGame},
    Route{http::verb::get, "/api/games/{id}", ShowGame},
    Route{http::verb::get, "/api/games/{id}/export", ExportOne},
    Route{http::verb::get, "/api/games/{id}/history", HistoryOf},
    Route{http::verb::post, "/api/games/{id}/events", RecordEvent},
    Route{http::verb::get, "/api/games/{id}/events", FollowGame},
    Route{http::verb::get, "/api/season", SeasonOfClub},
    Route{http::verb::get, "/healthz", Health},
    // POST, so a link with a write key in it stays out of the access logs of a proxy.
    Route{http::verb::post, "/api/qr", QrCode},
};

bool UrlSafe(std::string_view id) {
    return !id.empty() && id.find_first_not_of(
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                              "0123456789-_") == std::string_view::npos;
}

// The path matches the pattern; `id` gets what stood for "{id}".
bool Matches(std::string_view pattern, std::string_view path, std::string& id) {
    const std::size_t brace = pattern.find("{id}");
    if (brace == std::string_view::npos) {
        return pattern == path;
    }
    const std::string_view tail = pattern.substr(brace + 4);
    if (path.substr(0, brace) != pattern.substr(0, brace) || path.size() < brace + tail.size() ||
        !path.ends_with(tail)) {
        return false;
    }
    const std::string_view middle = path.substr(brace, path.size() - brace - tail.size());
    if (!UrlSafe(middle)) {
        return false;
    }
    id = middle;
    return true;
}

std::string_view Bearer(const Request& request) {
    constexpr std::string_view kScheme = "Bearer ";
    const std::string_view value = request[http::field::authorization];
    return value.starts_with(kScheme) ? value.substr(kScheme.size()) : std::string_view();
}

bool HoldsKey(const Request& request, std::string_view keySha256) {
    const std::string_view key = Bearer(request);
    return !key.empty() && SameDigest(Sha256Hex(key), keySha256);
}

bool ClubMember(const Api& api, const Request& request) {
    return !api.clubKeySha256 || HoldsKey(request, *api.clubKeySha256);
}

// Runs `work` on a database worker and `done` with its result, or answers 503 when too many
// requests are waiting already.
template <typename Work, typename Done>
void Ask(Api& api, const Asking& asking, Work work, Done done) {
    if (!api.workers.Run(std::move(work), std::move(done))) {
        asking->Reply(Overloaded());
    }
}

void Answer(Api& api, const Asking& asking, std::function<Response(Stores&)> work) {
    Ask(api, asking, std::move(work), [asking](Response r) { asking->Reply(std::move(r)); });
}

// The game shared under `id`, or the answer that it is not there (or cannot be read now).
std::variant<store::ServerGame, Response> SharedGame(Stores& s, const std::string& id) {
    auto found = s.shared->Find(id);
    if (auto* error = std::get_if<store::StoreError>(&found)) {
        return StoreFailure(*error);
    }
    const auto& shared = std::get<std::optional<store::ServerGame>>(found);
    if (!shared) {
        return Refuse(Refusal::NoGame);
    }
    return *shared;
}

std::variant<store::StoredGame, Response> LoadShared(Stores& s, const std::string& id) {
    auto shared = SharedGame(s, id);
    if (auto* refused = std::get_if<Response>(&shared)) {
        return std::move(*refused);
    }
    auto loaded = s.games->Load(std::get<store::ServerGame>(shared).game);
    if (auto* error = std::get_if<store::StoreError>(&loaded)) {
        return StoreFailure(*error);
    }
    return std::get<store::StoredGame>(std::move(loaded));
}

// A read of one game: `say` turns it into the body.
void Read(Api& api, const Asking& asking, const std::string& id,
          std::string (*say)(const store::StoredGame&, const std::string& id)) {
    Answer(api, asking, [id, say](Stores& s) {
        auto loaded = LoadShared(s, id);
        if (auto* refused = std::get_if<Response>(&loaded)) {
            return std::move(*refused);
        }
        return JsonAnswer(http::status::ok, say(std::get<store::StoredGame>(loaded), id));
    });
}

void ShowGame(Api& api, const Asking& asking, const std::string& id) {
    Read(api, asking, id,
         [](const store::StoredGame& g, const std::string& id) { return Show(g, id) + "\n"; });
}

void ExportOne(Api& api, const Asking& asking, const std::string& id) {
    Read(api, asking, id,
         [](const store::StoredGame& g, const std::string&) { return game::ExportGame(g.game); });
}

void HistoryOf(Api& api, const Asking& asking, const std::string& id) {
    Read(api, asking, id, [](const store::StoredGame& g, const std::string&) {
        return game::HistoryToJson(g.standings);
    });
}

void CreateGame(Api& api, const Asking& asking, const std::string&) {
    if (!ClubMember(api, asking->Incoming())) {
        return asking->Reply(Refuse(Refusal::ClubKey));
    }
    Answer(api, asking, [body = asking->Incoming().body()](Stores& s) {
        auto imported = game::ImportGame(body);
        if (auto* error = std::get_if<game::GameError>(&imported)) {
            return Refuse(*error, {});
        }
        auto created = s.games->Create(std::get<game::Game>(imported));
        if (auto* error = std::get_if<store::StoreError>(&created)) {
            return StoreFailure(*error);
        }
        const std::int64_t game = std::get<std::int64_t>(created);
        const std::string id = RandomToken(kGameIdBytes);
        const std::string key = RandomToken(kWriteKeyBytes);
        if (auto error = s.shared->Add(id, {game, Sha256Hex(key)})) {
            return StoreFailure(*error);
        }
        auto loaded = s.games->Load(game);
        if (auto* error = std::get_if<store::StoreError>(&loaded)) {
            return StoreFailure(*error);
        }
        const std::string head = nlohmann::json{{"id", id}, {"write_key", key}}.dump();
        return JsonAnswer(http::status::created,
                          head.substr(0, head.size() - 1) +
                              ",\"game\":" + Show(std::get<store::StoredGame>(loaded), id) + "}\n");
    });
}

struct Posted {
    std::size_t at = 0;
    game::Event event;
};

// {"at": POSITION, "event": EVENT}, or the answer that says why not.
std::variant<Posted, Response> ReadPosted(const std::string& body) {
    const auto json = nlohmann::json::parse(body, nullptr, false);
    if (json.is_discarded()) {
        return Refuse(Refusal::NotJson);
    }
    if (!json.is_object() || !json.contains("at") || !json["at"].is_number_unsigned() ||
        !json.contains("event")) {
        return Refuse(Refusal::NotPosted);
    }
    auto event = game::EventFromJson(json["event"].dump());
    if (auto* error = std::get_if<game::GameError>(&event)) {
        return Refuse(*error, {});
    }
    return Posted{json["at"].get<std::size_t>(), std::get<game::Event>(std::move(event))};
}

// The answer, and the game as recorded for the followers.
using Outcome = std::pair<Response, std::optional<store::StoredGame>>;

Outcome Recording(Stores& s, const std::string& id, const Request& request) {
    auto shared = SharedGame(s, id);
    if (auto* refused = std::get_if<Response>(&shared)) {
        return {std::move(*refused), std::nullopt};
    }
    const store::ServerGame& game = std::get<store::ServerGame>(shared);
    if (!HoldsKey(request, game.writeKeySha256)) {
        return {Refuse(Refusal::WriteKey), std::nullopt};
    }
    auto posted = ReadPosted(request.body());
    if (auto* refused = std::get_if<Response>(&posted)) {
        return {std::move(*refused), std::nullopt};
    }
    const Posted& p = std::get<Posted>(posted);
    store::Recorded recorded = s.games->Record(game.game, p.at, p.event);
    if (auto* stored = std::get_if<store::StoredGame>(&recorded)) {
        return {JsonAnswer(http::status::created, Show(*stored, id) + "\n"), std::move(*stored)};
    }
    if (auto* conflict = std::get_if<store::Conflict>(&recorded)) {
        return {MovedOn(conflict->current.standings.position, Show(conflict->current, id)),
                std::nullopt};
    }
    if (auto* error = std::get_if<store::StoreError>(&recorded)) {
        return {StoreFailure(*error), std::nullopt};
    }
    // Refused: the players are named as the game names them now.
    auto now = s.games->Load(game.game);
    const auto* current = std::get_if<store::StoredGame>(&now);
    return {Refuse(std::get<game::GameError>(recorded),
                   current ? current->standings.names : std::vector<std::string>{}),
            std::nullopt};
}

void RecordEvent(Api& api, const Asking& asking, const std::string& id) {
    Ask(
        api, asking,
        [id, request = asking->Incoming()](Stores& s) { return Recording(s, id, request); },
        [&api, asking](Outcome outcome) {
            asking->Reply(std::move(outcome.first));
            if (outcome.second) {
                api.followers.Publish(*outcome.second);
            }
        });
}

std::optional<std::size_t> LastEventId(const Request& request) {
    const std::string_view value = request["Last-Event-ID"];
    if (value.empty() || value.size() > 18 ||
        value.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::stoull(std::string(value));
}

void FollowGame(Api& api, const Asking& asking, const std::string& id) {
    using Loaded = std::variant<store::StoredGame, Response>;
    Ask(
        api, asking, [id](Stores& s) { return LoadShared(s, id); },
        [&api, asking, id](Loaded loaded) {
            if (auto* refused = std::get_if<Response>(&loaded)) {
                return asking->Reply(std::move(*refused));
            }
            asking->OpenStream();
            api.followers.Add(std::get<store::StoredGame>(loaded), id, asking,
                              LastEventId(asking->Incoming()));
        });
}

void SeasonOfClub(Api& api, const Asking& asking, const std::string&) {
    if (!ClubMember(api, asking->Incoming())) {
        return asking->Reply(Refuse(Refusal::ClubKey));
    }
    Answer(api, asking, [](Stores& s) {
        auto finished = s.games->FinishedGames();
        if (auto* error = std::get_if<store::StoreError>(&finished)) {
            return StoreFailure(*error);
        }
        std::vector<game::SeasonGame> games;
        for (const store::StoredGame& g : std::get<std::vector<store::StoredGame>>(finished)) {
            games.push_back({&g.game, &g.standings});
        }
        return JsonAnswer(http::status::ok, game::SeasonToJson(game::SeasonOf(games)));
    });
}

void Health(Api&, const Asking& asking, const std::string&) {
    asking->Reply(JsonAnswer(http::status::ok, "{\"status\":\"ok\"}\n"));
}

// The body is the text; the answer its QR code as SVG.
void QrCode(Api&, const Asking& asking, const std::string&) {
    auto svg = QrSvg(asking->Incoming().body());
    if (!svg) {
        return asking->Reply(Refuse(Refusal::NoQrText));
    }
    Response response{http::status::ok, 11};
    response.set(http::field::content_type, "image/svg+xml");
    response.body() = std::move(*svg);
    asking->Reply(std::move(response));
}

void Route(Api& api, const Asking& asking) {
    const Request& request = asking->Incoming();
    const std::string_view target = request.target();
    const std::string_view path = target.substr(0, target.find('?'));
    bool pathKnown = false;
    for (const auto& route : kRoutes) {
        std::string id;
        if (Matches(route.path, path, id)) {
            pathKnown = true;
            if (route.method == request.method()) {
                return route.handler(api, asking, id);
            }
        }
    }
    if (pathKnown) {
        return asking->Reply(Refuse(Refusal::WrongMethod));
    }
    if (request.method() == http::verb::get && !path.starts_with("/api/")) {
        if (auto file = api.site.Serve(request)) {
            return asking->Reply(std::move(*file));
        }
    }
    asking->Reply(Refuse(Refusal::NotFound));
}

}  // namespace

Router RouterOf(Api& api) {
    return [&api](std::shared_ptr<Exchange> asking) { Route(api, asking); };
}

}  // namespace velmarto::server
