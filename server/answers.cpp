#include "server/answers.h"

#include <array>
#include <iostream>
#include <nlohmann/json.hpp>

#include "res/game_messages.h"
#include "server/limits.h"

namespace velmarto::server {
namespace {

namespace http = boost::beast::http;

struct Words {
    Refusal refusal;
    http::status status;
    std::string_view english;
    std::string_view japanese;
};
constexpr std::array kRefusals = {
    Words{Refusal::NoGame, http::status::not_found, "no such game", "その対局はありません"},
    Words{Refusal::NotFound, http::status::not_found, "not found", "見つかりません"},
    Words{Refusal::WrongMethod, http::status::method_not_allowed,
          "this address does not take that method", "このアドレスではその操作はできません"},
    Words{Refusal::WriteKey, http::status::forbidden, "the write key is missing or wrong",
          "記録用のキーがないか、違います"},
    Words{Refusal::ClubKey, http::status::forbidden, "the club key is missing or wrong",
          "クラブのキーがないか、違います"},
    Words{Refusal::NotJson, http::status::bad_request, "the body is not JSON",
          "本文がJSONとして読めません"},
    Words{Refusal::NotPosted, http::status::bad_request,
          "the body needs \"at\", a position, and \"event\"",
          "本文には at（位置の数）と event が必要です"},
    Words{Refusal::NoQrText, http::status::bad_request,
          "the body should be the text of the code, 1 to 1024 bytes",
          "本文はQRコードにする文字列です（1〜1024バイト）"},
    Words{Refusal::Failed, http::status::internal_server_error, "the server could not do that",
          "サーバーで処理できませんでした"},
};

std::string ErrorBody(std::string_view english, std::string_view japanese) {
    return nlohmann::json{{"error", english}, {"japanese", japanese}}.dump() + "\n";
}

}  // namespace

Response JsonAnswer(http::status status, std::string body) {
    Response response{status, 11};
    response.set(http::field::content_type, "application/json");
    response.body() = std::move(body);
    return response;
}

Response Refuse(Refusal refusal) {
    for (const Words& w : kRefusals) {
        if (w.refusal == refusal) {
            return JsonAnswer(w.status, ErrorBody(w.english, w.japanese));
        }
    }
    return JsonAnswer(http::status::internal_server_error, "{}\n");
}

Response Refuse(const game::GameError& error, const std::vector<std::string>& names) {
    return JsonAnswer(http::status::bad_request,
                      ErrorBody(res::DescribeGameError(error, res::Language::English, names),
                                res::DescribeGameError(error, res::Language::Japanese, names)));
}

Response MovedOn(std::size_t position, std::string_view show) {
    std::string body = nlohmann::json{
        {"error", "the game has moved on"},
        {"japanese", "対局が先に進んでいます"},
        {"position",
         position}}.dump();
    body.pop_back();
    body += ",\"game\":" + std::string(show) + "}\n";
    return JsonAnswer(http::status::conflict, std::move(body));
}

namespace {

Response Unavailable(std::string_view english, std::string_view japanese) {
    Response response = JsonAnswer(http::status::service_unavailable, ErrorBody(english, japanese));
    response.set(http::field::retry_after, std::to_string(kRetryAfterSeconds));
    return response;
}

}  // namespace

Response Overloaded() {
    return Unavailable("the server is busy; try again",
                       "サーバーが混み合っています。少し待ってからやり直してください");
}

Response StoreFailure(const store::StoreError& error) {
    using Kind = store::StoreError::Kind;
    if (error.kind == Kind::NotFound) {
        return Refuse(Refusal::NoGame);
    }
    if (error.kind != Kind::Busy) {
        // The operator reads the database's words; the client gets none of them.
        std::cerr << "velmarto-server: " << error.message << "\n";
        return Refuse(Refusal::Failed);
    }
    return Unavailable("the database cannot be reached; try again",
                       "データベースに接続できません。少し待ってからやり直してください");
}

}  // namespace velmarto::server
