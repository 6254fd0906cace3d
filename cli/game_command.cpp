// The subcommands gather what happened and hand it to the store, which checks it against the
// game as stored; every figure printed comes from the engine's replay of the stored events.
#include "cli/game_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/hand_command.h"
#include "engine/game/game_json.h"
#include "store/database_path.h"
#include "store/game_store.h"

namespace velmarto::cli {
namespace {

using game::Event;
using game::Game;
using game::PlayerIndex;
using game::Standings;
using Json = nlohmann::ordered_json;

constexpr std::string_view kProgram = "velmarto-score game";
constexpr std::string_view kSeatLetters = "ESWN";

constexpr std::string_view kFooter = R"(
Players are named by name or by their seat at the start: E S W N.
A win's SCORE is HAN FU (two numbers), or one quoted word with the hand as
'velmarto-score hand' reads it: "234567m234p6799s8s --riichi --dora 1m".
The game supplies the seat, round, tsumo, honba and sticks.

Examples:
  velmarto-score game new Aiko Ben Chika Dai          (prints the game's id)
  velmarto-score game riichi 1 S
  velmarto-score game ron 1 Dai Chika 3 30            (Chika wins on Dai's discard)
  velmarto-score game ron 1 E S 2 30 N 3 40           (a double ron on East's discard)
  velmarto-score game tsumo 1 Aiko "123p777z99m --pon 555z --pon 666z" --pao Ben
  velmarto-score game draw 1 Aiko Chika               (the tenpai players)
  velmarto-score game show 1
  velmarto-score game export 1 > game.json; velmarto-score game import game.json

Exit status: 0 when done (an event is then recorded); 2 for a bad command line or an event
that cannot happen, with nothing recorded; 3 when the database stayed busy with another
velmarto (nothing recorded: try again); 1 when the database or the output fails.)";

// Everything the command line says; each subcommand reads its own part.
struct GameOptions {
    std::string db;
    std::vector<std::string> words;  // the positional arguments of the subcommand
    std::string pao;
    bool json = false;
    bool plain = false;
    // new
    bool east = false;
    std::string start;
    std::string returnPoints;
    std::string ronHonba = "first";
    std::string sanmaTsumo = "loss";
    bool endBelowZero = false;
    bool noEndOnTop = false;
    bool noSticksToTop = false;
    bool okaUma = false;
    std::vector<int> uma;
    bool noDoubleYakuman = false;
    bool noOpenTanyao = false;
};

struct Subcommand {
    std::string_view name;
    std::string_view words;  // how the positional arguments read
    std::string_view help;
};
constexpr std::array kSubcommands = {
    Subcommand{"new", "NAME NAME NAME [NAME]", "start a game of 3 or 4 players; prints its id"},
    Subcommand{"ron", "GAME DISCARDER WINNER SCORE [WINNER SCORE ...]",
               "a win on a discard; several winners for a double or triple ron"},
    Subcommand{"tsumo", "GAME WINNER SCORE", "a win on a self-draw"},
    Subcommand{"riichi", "GAME PLAYER", "a riichi: 1,000 from the player onto the table"},
    Subcommand{"draw", "GAME [TENPAI ...]", "an exhaustive draw, with the players in tenpai"},
    Subcommand{"abort", "GAME", "an abortive draw"},
    Subcommand{"chombo", "GAME PLAYER", "a false win: the player pays the penalty"},
    Subcommand{"undo", "GAME", "take back the latest event (recorded as an undo)"},
    Subcommand{"show", "GAME", "the round, the sticks, each total and what the last event paid"},
    Subcommand{"list", "", "every game in the database"},
    Subcommand{"export", "GAME", "the game as JSON on standard output"},
    Subcommand{"import", "FILE", "a game from its JSON (- for standard input); prints its id"},
};

void DescribeNew(CLI::App& sub, GameOptions& o) {
    sub.add_flag("--east", o.east, "East round only (default: East and South)");
    sub.add_option("--start", o.start, "starting points (default 25000; 35000 for three)");
    sub.add_option("--ron-honba", o.ronHonba,
                   "who takes the honba on a double ron: first (in turn after the discarder, "
                   "default) or each")
        ->check(CLI::IsMember({"first", "each"}));
    sub.add_option("--sanma-tsumo", o.sanmaTsumo,
                   "three players' tsumo: loss (the North share is not paid, default) or split")
        ->check(CLI::IsMember({"loss", "split"}));
    sub.add_flag("--end-below-zero", o.endBelowZero, "end the game when a total goes below zero");
    sub.add_flag("--no-end-on-top", o.noEndOnTop,
                 "play on after the dealer wins the last hand on top");
    sub.add_flag("--no-sticks-to-top", o.noSticksToTop,
                 "leave the sticks on the table at the end with nobody");
    sub.add_flag("--oka-uma", o.okaUma, "final scores with oka and uma");
    sub.add_option("--return", o.returnPoints,
                   "with --oka-uma, the points each pays back (default 30000; 40000 for three)");
    sub.add_option("--uma", o.uma,
                   "with --oka-uma, the uma in thousands by rank, e.g. 20,10,-10,-20")
        ->delimiter(',');
    sub.add_flag("--no-double-yakuman", o.noDoubleYakuman, "count the double yakuman 13 han");
    sub.add_flag("--no-open-tanyao", o.noOpenTanyao, "断幺九 only in a closed hand");
}

void Describe(CLI::App& app, GameOptions& o) {
    app.allow_windows_style_options(false);
    app.footer(std::string(kFooter));
    app.require_subcommand(1);
    app.add_option("--db", o.db,
                   "the database (default " + std::string(store::kDefaultDatabase) + ")");
    for (const Subcommand& s : kSubcommands) {
        CLI::App* sub = app.add_subcommand(std::string(s.name), std::string(s.help));
        sub->fallthrough();
        sub->allow_windows_style_options(false);
        if (!s.words.empty()) {
            sub->add_option("WORDS", o.words, std::string(s.words));
        }
        if (s.name == "ron" || s.name == "tsumo") {
            sub->add_option(
                "--pao", o.pao,
                "the player liable (責任払い) for 大三元, 大四喜 or 四槓子; one winner");
        }
        if (s.name == "show" || s.name == "list") {
            sub->add_flag("--json", o.json, "JSON, with points as exact decimal strings");
        }
        if (s.name == "show") {
            sub->add_flag("--plain", o.plain, "plain digits instead of myriad units");
        }
        if (s.name == "new") {
            DescribeNew(*sub, o);
        }
    }
}

// A refusal of the command line or of the event: one line, status 2, nothing recorded.
struct Refusal {
    std::string message;
    int exitCode = kExitUsage;
};

Refusal FromStore(const store::StoreError& error) {
    switch (error.kind) {
        case store::StoreError::Kind::Busy:
            return {error.message, kExitBusy};
        case store::StoreError::Kind::Failed:
            return {error.message, 1};
        case store::StoreError::Kind::Refused:
        case store::StoreError::Kind::NotFound:
            break;
    }
    return {error.message};
}

template <typename T>
T Take(std::variant<T, store::StoreError>&& result) {
    if (auto* error = std::get_if<store::StoreError>(&result)) {
        throw FromStore(*error);
    }
    return std::get<T>(std::move(result));
}

bool AllDigits(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t GameId(std::string_view word) {
    constexpr std::size_t kMaxIdDigits = 15;
    if (!AllDigits(word) || word.size() > kMaxIdDigits) {
        throw Refusal{"'" + std::string(word) + "' is not a game's id (velmarto-score game list)"};
    }
    return std::stoll(std::string(word));
}

int SmallNumber(std::string_view word, std::string_view what) {
    constexpr std::size_t kMaxDigits = 6;
    if (!AllDigits(word) || word.size() > kMaxDigits) {
        throw Refusal{"'" + std::string(word) + "' is not a " + std::string(what)};
    }
    return std::stoi(std::string(word));
}

PlayerIndex Player(const Game& game, std::string_view word) {
    for (std::size_t i = 0; i < game.players.size(); ++i) {
        if (game.players[i] == word || (word.size() == 1 && kSeatLetters[i] == word[0])) {
            return static_cast<PlayerIndex>(i);
        }
    }
    std::string names;
    for (std::size_t i = 0; i < game.players.size(); ++i) {
        names += (i ? ", " : "") + game.players[i] + " (" + kSeatLetters[i] + ")";
    }
    throw Refusal{"unknown player '" + std::string(word) + "'; the players are " + names};
}

// Reads the words one at a time, naming what is missing.
class Words {
public:
    explicit Words(const std::vector<std::string>& words) : m_words(words) {}
    bool Done() const { return m_next == m_words.size(); }
    std::string_view Peek() const { return Done() ? std::string_view() : m_words[m_next]; }
    std::string_view Next(std::string_view what) {
        if (Done()) {
            throw Refusal{std::string(what) + " is missing"};
        }
        return m_words[m_next++];
    }
    void End() const {
        if (!Done()) {
            throw Refusal{"unexpected '" + m_words[m_next] + "'"};
        }
    }

private:
    const std::vector<std::string>& m_words;
    std::size_t m_next = 0;
};

// WINNER then HAN FU, or one word with the hand.
game::Win ReadWin(const Game& game, Words& words) {
    game::Win win;
    win.winner = Player(game, words.Next("WINNER"));
    const std::string_view first = words.Next("the winner's HAN FU or hand");
    if (AllDigits(first)) {
        win.score = game::HanFu{SmallNumber(first, "han"), SmallNumber(words.Next("FU"), "fu")};
        return win;
    }
    auto hand = ReadGameHand(first);
    if (auto* error = std::get_if<std::string>(&hand)) {
        throw Refusal{"the hand '" + std::string(first) + "': " + *error};
    }
    win.score = std::get<game::HandDescription>(std::move(hand));
    return win;
}

Event ReadEvent(std::string_view command, const Game& game, Words& words, const GameOptions& o) {
    Event event;
    if (command == "ron") {
        const PlayerIndex discarder = Player(game, words.Next("DISCARDER"));
        std::vector<game::Win> wins{ReadWin(game, words)};
        while (!words.Done()) {
            wins.push_back(ReadWin(game, words));
        }
        event = game::RonEvent(discarder, std::move(wins));
    } else if (command == "tsumo") {
        event = game::TsumoEvent(ReadWin(game, words));
    } else if (command == "riichi") {
        event = game::RiichiEvent(Player(game, words.Next("PLAYER")));
    } else if (command == "chombo") {
        event = game::FalseWinEvent(Player(game, words.Next("PLAYER")));
    } else if (command == "draw") {
        std::vector<PlayerIndex> tenpai;
        while (!words.Done()) {
            tenpai.push_back(Player(game, words.Next("TENPAI")));
        }
        event = game::DrawEvent(std::move(tenpai));
    } else if (command == "abort") {
        event = game::AbortEvent();
    } else {
        event = game::UndoEvent();
    }
    words.End();
    if (!o.pao.empty()) {
        if (event.wins.size() != 1) {
            throw Refusal{"--pao goes with a win of one winner"};
        }
        event.wins.front().liable = Player(game, o.pao);
    }
    return event;
}

Standings Replayed(const Game& game) {
    auto standings = game::Replay(game);
    if (auto* error = std::get_if<game::GameError>(&standings)) {
        throw Refusal{error->message, 1};
    }
    return std::get<Standings>(std::move(standings));
}

std::string Figure(const game::Points& points, bool plain) {
    return plain ? points.Decimal() + "点" : points.Myriad();
}

std::string Signed(const game::Points& points, bool plain) {
    return (points.IsNegative() || points.IsZero() ? "" : "+") + Figure(points, plain);
}

constexpr std::array<std::string_view, 7> kKindWords = {"ロン",     "ツモ",     "立直",    "流局",
                                                        "途中流局", "チョンボ", "取り消し"};

std::string LastLine(const Game& game, const Standings& s, bool plain) {
    if (!s.lastKind) {
        return "まだ記録がありません";
    }
    std::string line =
        "直前の記録（" + std::string(kKindWords[static_cast<std::size_t>(*s.lastKind)]) + "）:";
    for (std::size_t p = 0; p < s.lastPaid.size(); ++p) {
        if (!s.lastPaid[p].IsZero()) {
            line += " " + game.players[p] + " " + Signed(s.lastPaid[p], plain);
        }
    }
    if (s.lastSticks != 0) {
        line += " 供託 " + std::string(s.lastSticks > 0 ? "+" : "") + std::to_string(s.lastSticks) +
                "本";
    }
    const bool nothingMoved =
        s.lastSticks == 0 && std::all_of(s.lastPaid.begin(), s.lastPaid.end(),
                                         [](const game::Points& p) { return p.IsZero(); });
    return nothingMoved ? line + " 支払いなし" : line;
}

std::string ShowText(const Game& game, const Standings& s, std::int64_t id, bool plain) {
    std::string out = "対局 " + std::to_string(id) + "　" + game::RoundName(s) + "　供託 " +
                      std::to_string(s.sticks) + "本" + (s.finished ? "　終局" : "") + "\n";
    const int players = static_cast<int>(game.players.size());
    for (int p = 0; p < players; ++p) {
        const int wind = (p - s.Dealer() + players) % players;
        out += std::string(game::RoundWindName(wind)) + " " +
               game.players[static_cast<std::size_t>(p)] + "　" +
               Figure(s.points[static_cast<std::size_t>(p)], plain) + "\n";
    }
    out += LastLine(game, s, plain) + "\n";
    for (std::size_t rank = 0; rank < s.final.size(); ++rank) {
        const game::FinalStanding& f = s.final[rank];
        out += std::to_string(rank + 1) + "位 " + game.players[static_cast<std::size_t>(f.player)] +
               "　" + Figure(f.points, plain);
        if (f.score) {
            out += "（オカ・ウマ込み " + Signed(*f.score, plain) + "）";
        }
        out += "\n";
    }
    return out;
}

game::Points PointsOption(const std::string& text, std::string_view option) {
    auto points = game::Points::Parse(text);
    if (!points) {
        throw Refusal{std::string(option) + " '" + text + "' is not a whole number of points"};
    }
    return *points;
}

Game NewGame(const GameOptions& o) {
    const int players = static_cast<int>(o.words.size());
    Game game{game::DefaultRules(players == game::kThreePlayers ? players : game::kMaxPlayers),
              o.words,
              {}};
    game.rules.players = players;
    game::Rules& r = game.rules;
    r.length = o.east ? game::Length::East : game::Length::EastSouth;
    if (!o.start.empty()) {
        r.startingPoints = PointsOption(o.start, "--start");
    }
    if (!o.returnPoints.empty()) {
        r.returnPoints = PointsOption(o.returnPoints, "--return");
    }
    r.ronHonba = o.ronHonba == "each" ? game::RonHonba::EachWinner : game::RonHonba::FirstWinner;
    r.sanmaTsumo = o.sanmaTsumo == "split" ? game::SanmaTsumo::Split : game::SanmaTsumo::Loss;
    r.endBelowZero = o.endBelowZero;
    r.endOnDealerTop = !o.noEndOnTop;
    r.sticksToTop = !o.noSticksToTop;
    r.okaUma = o.okaUma;
    if (!o.uma.empty()) {
        if (static_cast<int>(o.uma.size()) != players) {
            throw Refusal{"--uma needs one figure per player"};
        }
        std::copy(o.uma.begin(), o.uma.end(),
                  players == game::kThreePlayers ? r.umaThree.begin() : r.uma.begin());
    }
    r.hand.doubleYakuman = !o.noDoubleYakuman;
    r.hand.openTanyao = !o.noOpenTanyao;
    if (auto error = game::CheckSetup(r, game.players)) {
        throw Refusal{error->message};
    }
    return game;
}

std::string ReadAll(const std::string& path, std::istream& input) {
    std::ostringstream text;
    if (path == "-") {
        text << input.rdbuf();
        return text.str();
    }
    std::ifstream file(store::PathFromUtf8(path), std::ios::binary);
    if (!file) {
        throw Refusal{"cannot read " + path};
    }
    text << file.rdbuf();
    return text.str();
}

std::string ListText(const std::vector<store::GameSummary>& games, bool json) {
    Json rows = Json::array();
    std::string text;
    for (const store::GameSummary& g : games) {
        const Standings s = Replayed(g.game);
        const std::string state = s.finished ? "終局" : game::RoundName(s);
        std::string names;
        for (const std::string& name : g.game.players) {
            names += (names.empty() ? "" : " ") + name;
        }
        text += std::to_string(g.id) + "\t" + g.created + "\t" + names + "\t" + state + "\n";
        rows.push_back({{"id", std::to_string(g.id)},
                        {"created", g.created},
                        {"players", g.game.players},
                        {"round", std::string(game::RoundWindName(s.round))},
                        {"hand", s.hand + 1},
                        {"finished", s.finished}});
    }
    return json ? rows.dump() + "\n" : text;
}

store::GameStore OpenStore(const GameOptions& o, store::GameStore::Open open) {
    const std::string path = o.db.empty() ? store::DefaultDatabasePath() : o.db;
    if (path.empty()) {
        throw Refusal{"no database: set " + std::string(store::kDatabaseFolderVariables) +
                      ", or give --db FILE"};
    }
    return Take(store::GameStore::OpenFile(path, open));
}

std::string Run(std::string_view command, const GameOptions& o, std::istream& input) {
    using Open = store::GameStore::Open;
    if (command == "new") {
        const Game game = NewGame(o);
        store::GameStore db = OpenStore(o, Open::CreateIfMissing);
        return std::to_string(Take(db.Create(game))) + "\n";
    }
    if (command == "import") {
        Words words(o.words);
        const std::string path(words.Next("FILE"));
        words.End();
        auto imported = game::ImportGame(ReadAll(path, input));
        if (auto* error = std::get_if<game::GameError>(&imported)) {
            throw Refusal{error->message};
        }
        store::GameStore db = OpenStore(o, Open::CreateIfMissing);
        return std::to_string(Take(db.Create(std::get<Game>(imported)))) + "\n";
    }
    if (command == "list") {
        Words(o.words).End();
        store::GameStore db = OpenStore(o, Open::ExistingOnly);
        return ListText(Take(db.List()), o.json);
    }
    Words words(o.words);
    const std::int64_t id = GameId(words.Next("GAME"));
    const bool reading = command == "show" || command == "export";
    store::GameStore db = OpenStore(o, Open::ExistingOnly);
    Game game = Take(db.Load(id));
    if (!reading) {
        const Event event = ReadEvent(command, game, words, o);
        game = Take(db.Append(id, event));
    }
    words.End();
    if (command == "export") {
        return game::ExportGame(game);
    }
    const Standings s = Replayed(game);
    if (o.json) {
        return game::StandingsToJson(game, s, std::to_string(id));
    }
    return ShowText(game, s, id, o.plain);
}

}  // namespace

CliResult RunGameCommand(std::span<const std::string_view> args, std::istream& input) {
    CLI::App app("Keep a whole no-limit game, exactly: record what happened and read the totals.",
                 std::string(kProgram));
    GameOptions options;
    Describe(app, options);
    const auto fail = [](const Refusal& refusal) {
        return CliResult{refusal.exitCode, "", "velmarto-score: game: " + refusal.message + "\n"};
    };
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {0, app.help(), ""};
    } catch (const CLI::ParseError& e) {
        return fail({e.what()});
    }
    const std::string command = app.get_subcommands().front()->get_name();
    try {
        return {0, Run(command, options, input), ""};
    } catch (const Refusal& refusal) {
        return fail(refusal);
    }
}

}  // namespace velmarto::cli
