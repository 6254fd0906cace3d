// velmarto-server: the page and the JSON API over one database, on one thread that serves every
// client, with the database's work on a few threads beside it.
#include <CLI/CLI.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/address.hpp>
#include <boost/asio/signal_set.hpp>
#include <fstream>
#include <iostream>

#include "server/api.h"
#include "server/backend.h"
#include "server/limits.h"
#include "server/listener.h"
#include "server/secrets.h"
#include "store/postgres_listener.h"

namespace {

namespace asio = boost::asio;
using namespace velmarto::server;
using velmarto::store::PostgresListener;

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;

struct Options {
    std::string listen = "127.0.0.1:8080";
    std::string db;
    std::string clubKeyFile;
    std::string site;
    int readTimeoutMs = static_cast<int>(kReadTimeout.count());
    int writeTimeoutMs = static_cast<int>(kWriteTimeout.count());
};

int Fail(int status, const std::string& message) {
    std::cerr << "velmarto-server: " << message << "\n";
    return status;
}

std::optional<asio::ip::tcp::endpoint> EndpointOf(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    boost::system::error_code error;
    const auto address = asio::ip::make_address(host, error);
    const std::string port = text.substr(colon + 1);
    if (error || port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos || std::stoi(port) > 65535) {
        return std::nullopt;
    }
    return asio::ip::tcp::endpoint(address, static_cast<unsigned short>(std::stoi(port)));
}

// The club key's digest, from a file holding the key on its first line.
std::optional<std::string> ClubKeyDigest(const std::string& path) {
    std::ifstream in(path);
    std::string key;
    if (!in || !std::getline(in, key)) {
        return std::nullopt;
    }
    while (!key.empty() && (key.back() == '\r' || key.back() == ' ')) {
        key.pop_back();
    }
    return key.empty() ? std::nullopt : std::optional(Sha256Hex(key));
}

int Serve(const Options& o, const char* program) {
    const auto at = EndpointOf(o.listen);
    if (!at) {
        return Fail(kExitUsage, "--listen wants HOST:PORT, e.g. 127.0.0.1:8080: " + o.listen);
    }
    std::optional<std::string> club;
    if (!o.clubKeyFile.empty() && !(club = ClubKeyDigest(o.clubKeyFile))) {
        return Fail(kExitUsage, "no key on the first line of " + o.clubKeyFile);
    }
    auto opened = OpenBackend(o.db);
    if (auto* error = std::get_if<velmarto::store::StoreError>(&opened)) {
        return Fail(kExitFailed, error->message);
    }
    Backend& backend = std::get<Backend>(opened);
    const Site site(o.site.empty() ? DefaultSite(program) : std::filesystem::path(o.site));

    asio::io_context io(1);
    StoreWorkers workers(io, std::move(backend.workers));
    Followers followers(workers);
    Api api{workers, followers, site, club};
    std::optional<Listener> listener;
    try {
        listener.emplace(io, *at, RouterOf(api),
                         Timeouts{std::chrono::milliseconds(o.readTimeoutMs),
                                  std::chrono::milliseconds(o.writeTimeoutMs)});
    } catch (const boost::system::system_error& error) {
        return Fail(kExitFailed, "cannot listen on " + o.listen + ": " + error.code().message());
    }
    std::optional<PostgresListener> heard;
    if (!backend.listenUrl.empty()) {
        heard.emplace(
            backend.listenUrl,
            [&](std::int64_t game, std::size_t position) {
                asio::post(io, [&followers, game, position] { followers.Heard(game, position); });
            },
            [&] { asio::post(io, [&followers] { followers.HeardAll(); }); });
    }
    asio::signal_set stop(io, SIGINT, SIGTERM);
    stop.async_wait([&io](boost::system::error_code, int) { io.stop(); });
    listener->Start();
    const auto bound = listener->Bound();
    std::cout << "velmarto-server: listening on http://" << bound.address().to_string() << ":"
              << bound.port() << "/" << (site.Empty() ? " (API only: no page found)" : "")
              << std::endl;
    io.run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"velmarto-server: games shared live, with the page and a JSON API"};
    Options o;
    app.add_option("--listen", o.listen, "HOST:PORT to serve on (default 127.0.0.1:8080)");
    app.add_option("--db", o.db,
                   "SQLite file, or postgresql://… (default: velmarto-score game's database)");
    app.add_option("--club-key-file", o.clubKeyFile,
                   "file whose first line is the key that creating games and the season need");
    app.add_option("--site", o.site, "folder of the built page (default: the installed one)");
    // For the tests: a slow client is cut in a moment, not in seconds.
    app.add_option("--read-timeout-ms", o.readTimeoutMs)->group("")->check(CLI::PositiveNumber);
    app.add_option("--write-timeout-ms", o.writeTimeoutMs)->group("")->check(CLI::PositiveNumber);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Fail(kExitUsage, e.what());
    }
    try {
        return Serve(o, argv[0]);
    } catch (const std::exception& e) {
        return Fail(kExitFailed, e.what());
    }
}
