// The subcommands gather what happened and hand it to the store, which checks it against the
// game as stored; every figure printed comes from the engine's replay of the stored events.
#include "cli/game_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/game_text.h"
#include "cli/hand_command.h"
#include "engine/game/game_json.h"
#include "res/game_messages.h"
#include "store/database_path.h"
#include "store/sqlite_game_store.h"

namespace velmarto::cli {
namespace {

using game::Event;
using game::Game;
using game::PlayerIndex;
using game::Standings;

constexpr std::string_view kProgram = "velmarto-score game";
constexpr std::string_view kSeatLetters = "ESWN";

constexpr std::string_view kFooter = R"(
Players are named by name or by their seat at the start: E S W N.
A win's SCORE is HAN FU (two numbers), or one quoted word with the hand as
'velmarto-score hand' reads it: "234567m234p6799s8s --dora 1m". The game supplies
the seat, round, tsumo, honba, sticks and a declared riichi.
A recording subcommand with --at N records only while the game is at position N
(show --json gives it), so the same event sent twice is recorded once.

Examples:
  velmarto-score game new Aiko Ben Chika Dai          (prints the game's id)
  velmarto-score game riichi 1 S
  velmarto-score game ron 1 Dai Chika 3 30            (Chika wins on Dai's discard)
  velmarto-score game ron 1 E S 2 30 N 3 40           (a double ron on East's discard)
  velmarto-score game tsumo 1 Aiko "123p777z99m --pon 555z --pon 666z" --pao Ben
  velmarto-score game draw 1 Aiko Chika               (the tenpai players)
  velmarto-score game history 1
  velmarto-score game amend 1 7 ron Dai Ben 3 30      (replaces the event at #7)
  velmarto-score game export 1 > game.json; velmarto-score game import game.json

Exit status: 0 done; 1 the database could not be read or written, or the output failed
with nothing recorded; 2 a bad command line or an event that cannot happen (nothing
recorded); 3 the database stayed busy with another velmarto (nothing recorded: try
again); 4 the game has moved on from --at (nothing recorded); 5 recorded, but the
standings could not be printed.)";

// Everything the command line says; each subcommand reads its own part.
struct GameOptions {
    std::string db;
    bool dbGiven = false;
    std::vector<std::string> words;  // the positional arguments of the subcommand
    std::string pao;
    std::string at;
    bool json = false;
    bool csv = false;
    bool plain = false;
    bool all = false;
    std::string label;
    std::string since;
    std::string until;
    bool east = false;
    std::array<std::string, game::kRuleFields.size()> ruleValues;
    std::array<bool, game::kRuleFields.size()> ruleFlags{};
};

enum class Kind { Records, Reads, Other };
struct Subcommand {
    std::string_view name;
    std::string_view words;  // how the positional arguments read
    std::string_view help;
    Kind kind;
};
constexpr std::array kSubcommands = {
    Subcommand{"new", "NAME NAME NAME [NAME]", "start a game of 3 or 4 players; prints its id",
               Kind::Other},
    Subcommand{"ron", "GAME DISCARDER WINNER SCORE [WINNER SCORE ...]",
               "a win on a discard; several winners for a double or triple ron", Kind::Records},
    Subcommand{"tsumo", "GAME WINNER SCORE", "a win on a self-draw", Kind::Records},
    Subcommand{"riichi", "GAME PLAYER", "a riichi: 1,000 from the player onto the table",
               Kind::Records},
    Subcommand{"draw", "GAME [TENPAI ...]",
               "an exhaustive draw, with the players in tenpai (a riichi player is tenpai)",
               Kind::Records},
    Subcommand{"abort", "GAME", "an abortive draw", Kind::Records},
    Subcommand{"chombo", "GAME PLAYER", "a false win: the player pays, the hand is played again",
               Kind::Records},
    Subcommand{"undo", "GAME", "take back the latest event, amend or rename", Kind::Records},
    Subcommand{"amend", "GAME POSITION EVENT ...",
               "replace the event at POSITION (see history) with another, e.g. ron Dai Ben 3 30",
               Kind::Records},
    Subcommand{"rename", "GAME PLAYER NEW-NAME", "rename a player", Kind::Records},
    Subcommand{"delete", "GAME", "hide a game from list and season (kept; restore shows it)",
               Kind::Other},
    Subcommand{"restore", "GAME", "show a deleted game again", Kind::Other},
    Subcommand{"show", "GAME", "the round, the sticks, each total and what the last event paid",
               Kind::Reads},
    Subcommand{"history", "GAME", "every standing event with what it paid, then the standings",
               Kind::Reads},
    Subcommand{"list", "", "every game in the database", Kind::Reads},
    Subcommand{"export", "GAME", "the game as JSON on standard output", Kind::Reads},
    Subcommand{"import", "FILE", "a game from its JSON (- for standard input); prints its id",
               Kind::Other},
    Subcommand{"season", "", "every finished game's players: places, points, wins and more",
               Kind::Reads},
};

const Subcommand* Find(std::string_view name) {
    const auto* found = std::find_if(kSubcommands.begin(), kSubcommands.end(),
                                     [name](const Subcommand& s) { return s.name == name; });
    return found == kSubcommands.end() ? nullptr : found;
}

// The event subcommands amend takes in its EVENT.
bool IsEventWord(std::string_view name) {
    const Subcommand* s = Find(name);
    return s && s->kind == Kind::Records && name != "undo" && name != "amend" && name != "rename";
}

void DescribeNew(CLI::App& sub, GameOptions& o) {
    sub.add_flag("--east", o.east, "East round only (the same as --length east)");
    sub.add_option("--label", o.label, "a label for the game, e.g. the club and the date");
    for (std::size_t i = 0; i < game::kRuleFields.size(); ++i) {
        const game::RuleField& field = game::kRuleFields[i];
        if (field.option.empty()) {
            continue;
        }
        const std::string option(field.option);
        if (std::holds_alternative<bool game::Rules::*>(field.member) ||
            std::holds_alternative<bool hand::Rules::*>(field.member)) {
            sub.add_flag(option, o.ruleFlags[i], std::string(field.help));
            continue;
        }
        CLI::Option* added = sub.add_option(option, o.ruleValues[i], std::string(field.help));
        const auto words = game::ChoiceWords(field.member);
        if (!words.empty()) {
            added->check(CLI::IsMember(std::vector<std::string>(words.begin(), words.end())));
        }
    }
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
        if (s.name == "ron" || s.name == "tsumo" || s.name == "amend") {
            sub->add_option(
                "--pao", o.pao,
                "the player liable (責任払い) for 大三元, 大四喜 or 四槓子; one winner");
        }
        if (s.kind == Kind::Records) {
            sub->add_option("--at", o.at,
                            "record only while the game is at this position (show --json)");
        }
        if (s.kind == Kind::Reads && s.name != "export") {
            sub->add_flag("--json", o.json, "JSON, with points as exact decimal strings");
        }
        if (s.name == "history" || s.name == "season") {
            sub->add_flag("--csv", o.csv, "CSV with a header row (UTF-8, RFC 4180)");
        }
        if (s.name == "show" || s.name == "history" || s.name == "season") {
            sub->add_flag("--plain", o.plain, "plain digits instead of myriad units");
        }
        if (s.name == "list") {
            sub->add_flag("--all", o.all, "deleted games too");
        }
        if (s.name == "season") {
            sub->add_option("--since", o.since, "games started on or after DATE (YYYY-MM-DD)");
            sub->add_option("--until", o.until, "games started on or before DATE (YYYY-MM-DD)");
            sub->add_option("--label", o.label, "only the games with this label");
        }
        if (s.name == "new") {
            DescribeNew(*sub, o);
        }
    }
}

// A refusal of the command line or of the event: one line, nothing recorded.
struct Refusal {
    std::string message;
    int exitCode = kExitUsage;
};

constexpr int kExitStore = 1;
constexpr int kExitMovedOn = 4;

Refusal FromStore(const store::StoreError& error) {
    using K = store::StoreError::Kind;
    switch (error.kind) {
        case K::Busy:
            return {error.message, kExitBusy};
        case K::Foreign:
        case K::NotFound:
            return {error.message};
        case K::ReadOnly:
        case K::Failed:
            break;
    }
    return {error.message, kExitStore};
}

template <typename T>
T Take(std::variant<T, store::StoreError>&& result) {
    if (auto* error = std::get_if<store::StoreError>(&result)) {
        throw FromStore(*error);
    }
    return std::get<T>(std::move(result));
}

// Full-width digits read as their ASCII ones, as the tile notation reads them.
std::string AsciiDigits(std::string_view word) {
    constexpr std::string_view kFullWidthLead = "\xEF\xBC";
    constexpr unsigned char kFullWidthZero = 0x90;
    constexpr unsigned char kFullWidthNine = 0x99;
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool fullWidthDigit = word.substr(i, 2) == kFullWidthLead && i + 2 < word.size() &&
                                    static_cast<unsigned char>(word[i + 2]) >= kFullWidthZero &&
                                    static_cast<unsigned char>(word[i + 2]) <= kFullWidthNine;
        if (fullWidthDigit) {
            out +=
                static_cast<char>('0' + (static_cast<unsigned char>(word[i + 2]) - kFullWidthZero));
            i += 2;
        } else {
            out += word[i];
        }
    }
    return out;
}

bool AllDigits(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A word meant as a number: it has no suit letter, so it is no hand either.
bool LooksNumeric(std::string_view word) {
    return !word.empty() && word.find_first_of("mpszMPSZ ") == std::string_view::npos &&
           std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t Number(std::string_view word, std::string_view what, std::size_t maxDigits) {
    const std::string digits = AsciiDigits(word);
    if (!AllDigits(digits) || digits.size() > maxDigits) {
        throw Refusal{"'" + std::string(word) + "' is not a " + std::string(what)};
    }
    return std::stoll(digits);
}

std::int64_t GameId(std::string_view word) {
    constexpr std::size_t kMaxIdDigits = 15;
    return Number(word, "game's id (velmarto-score game list)", kMaxIdDigits);
}

int SmallNumber(std::string_view word, std::string_view what) {
    constexpr std::size_t kMaxDigits = 6;
    return static_cast<int>(Number(word, what, kMaxDigits));
}

PlayerIndex Player(const Standings& s, std::string_view word) {
    for (std::size_t i = 0; i < s.names.size(); ++i) {
        if (s.names[i] == word || (word.size() == 1 && kSeatLetters[i] == word[0])) {
            return static_cast<PlayerIndex>(i);
        }
    }
    if (LooksNumeric(word)) {
        throw Refusal{"expected a player, not '" + std::string(word) +
                      "' (a win's score is two numbers, HAN FU)"};
    }
    std::string names;
    for (std::size_t i = 0; i < s.names.size(); ++i) {
        names += (i ? ", " : "") + s.names[i] + " (" + kSeatLetters[i] + ")";
    }
    throw Refusal{"unknown player '" + std::string(word) + "'; the players are " + names};
}

// Reads the words one at a time, naming what is missing.
class Words {
public:
    explicit Words(const std::vector<std::string>& words, std::size_t from = 0)
        : m_words(words), m_next(from) {}
    bool Done() const { return m_next == m_words.size(); }
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
game::Win ReadWin(const Standings& s, Words& words) {
    game::Win win;
    win.winner = Player(s, words.Next("WINNER"));
    const std::string_view first = words.Next("the winner's HAN FU or hand");
    if (LooksNumeric(first)) {
        const int han = SmallNumber(first, "han count");
        win.score = game::HanFu{han, SmallNumber(words.Next("FU"), "fu count")};
        return win;
    }
    auto hand = ReadGameHand(first);
    if (auto* error = std::get_if<std::string>(&hand)) {
        throw Refusal{"the hand '" + std::string(first) + "': " + *error};
    }
    win.score = std::get<game::HandDescription>(std::move(hand));
    return win;
}

std::vector<game::Win> ReadWins(const Standings& s, Words& words) {
    std::vector<game::Win> wins{ReadWin(s, words)};
    while (!words.Done()) {
        wins.push_back(ReadWin(s, words));
    }
    return wins;
}

void SetLiable(std::vector<game::Win*> wins, const Standings& s, const GameOptions& o) {
    if (o.pao.empty()) {
        return;
    }
    if (wins.size() != 1) {
        throw Refusal{"--pao goes with a win of one winner"};
    }
    wins.front()->liable = Player(s, o.pao);
}

// A hand's event in the words of its own subcommand.
Event ReadTableEvent(std::string_view command, const Standings& s, Words& words,
                     const GameOptions& o) {
    Event event;
    if (command == "ron") {
        game::Ron ron{Player(s, words.Next("DISCARDER")), ReadWins(s, words)};
        std::vector<game::Win*> wins;
        for (game::Win& win : ron.wins) {
            wins.push_back(&win);
        }
        SetLiable(wins, s, o);
        event.value = std::move(ron);
    } else if (command == "tsumo") {
        game::Tsumo tsumo{ReadWin(s, words)};
        SetLiable({&tsumo.win}, s, o);
        event.value = std::move(tsumo);
    } else if (command == "riichi") {
        event.value = game::Riichi{Player(s, words.Next("PLAYER"))};
    } else if (command == "chombo") {
        event.value = game::FalseWin{Player(s, words.Next("PLAYER"))};
    } else if (command == "draw") {
        game::Draw draw;
        while (!words.Done()) {
            draw.tenpai.push_back(Player(s, words.Next("TENPAI")));
        }
        event.value = std::move(draw);
    } else {
        event.value = game::Abort{};
    }
    words.End();
    if (!o.pao.empty() && command != "ron" && command != "tsumo") {
        throw Refusal{"--pao goes with a ron or a tsumo"};
    }
    return event;
}

Event ReadEvent(std::string_view command, const Standings& s, Words& words, const GameOptions& o) {
    if (command == "undo") {
        words.End();
        return {game::Undo{}};
    }
    if (command == "rename") {
        const PlayerIndex player = Player(s, words.Next("PLAYER"));
        game::Rename rename{player, std::string(words.Next("NEW-NAME"))};
        words.End();
        return {std::move(rename)};
    }
    if (command == "amend") {
        const auto position =
            static_cast<std::size_t>(Number(words.Next("POSITION"), "position", 9));
        const std::string_view kind = words.Next("EVENT");
        if (!IsEventWord(kind)) {
            throw Refusal{"'" + std::string(kind) +
                          "' is not an event to amend with: ron, tsumo, riichi, draw, abort or "
                          "chombo"};
        }
        return {game::AmendOf(position, ReadTableEvent(kind, s, words, o))};
    }
    return ReadTableEvent(command, s, words, o);
}

std::string Describe(const game::GameError& error, const std::vector<std::string>& names = {}) {
    return res::DescribeGameErrorInEnglish(error, names);
}

game::Points PointsOption(const std::string& text, std::string_view option) {
    auto points = game::Points::Parse(AsciiDigits(text));
    if (!points) {
        throw Refusal{std::string(option) + " '" + text + "' is not a whole number of points"};
    }
    return *points;
}

void SetUma(game::Rules& r, const std::string& text) {
    std::vector<int> uma;
    std::stringstream list(text);
    for (std::string figure; std::getline(list, figure, ',');) {
        const bool negative = !figure.empty() && figure[0] == '-';
        const int value = SmallNumber(negative ? figure.substr(1) : figure, "figure of --uma");
        uma.push_back(negative ? -value : value);
    }
    if (static_cast<int>(uma.size()) != r.players) {
        throw Refusal{Describe(game::Refuse(
            game::ErrorCode::UmaCount, {std::to_string(r.players), std::to_string(uma.size())}))};
    }
    std::copy(uma.begin(), uma.end(),
              r.players == game::kThreePlayers ? r.umaThree.begin() : r.uma.begin());
}

// A rule given on the command line, by its field in the table.
void SetRule(game::Rules& r, const game::RuleField& field, const std::string& text, bool flag) {
    const game::Rules defaults = game::DefaultRules(r.players);
    std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, bool game::Rules::*>) {
                r.*member = flag ? !(defaults.*member) : r.*member;
            } else if constexpr (std::is_same_v<Member, bool hand::Rules::*>) {
                r.hand.*member = flag ? !(defaults.hand.*member) : r.hand.*member;
            } else if constexpr (std::is_same_v<Member, game::Points game::Rules::*>) {
                r.*member = PointsOption(text, field.option);
            } else if constexpr (std::is_same_v<Member, game::Uma game::Rules::*>) {
                SetUma(r, text);
            } else if constexpr (std::is_same_v<Member, int game::Rules::*> ||
                                 std::is_same_v<Member, game::UmaThree game::Rules::*>) {
                throw Refusal{std::string(field.option) + " is not an option of new"};
            } else {
                const auto words = game::ChoiceWords(field.member);
                const auto found = std::find(words.begin(), words.end(), text);
                r.*member = static_cast<std::remove_reference_t<decltype(r.*member)>>(
                    found - words.begin());
            }
        },
        field.member);
}

Game NewGame(const GameOptions& o) {
    const int players = static_cast<int>(o.words.size());
    Game game{game::DefaultRules(players == game::kThreePlayers ? players : game::kMaxPlayers),
              o.words,
              {},
              o.label,
              {},
              {}};
    game.rules.players = players;
    for (std::size_t i = 0; i < game::kRuleFields.size(); ++i) {
        if (o.ruleFlags[i] || !o.ruleValues[i].empty()) {
            SetRule(game.rules, game::kRuleFields[i], o.ruleValues[i], o.ruleFlags[i]);
        }
    }
    if (o.east) {
        game.rules.length = game::Length::East;
    }
    if (auto error = game::CheckSetup(game.rules, game.players)) {
        throw Refusal{Describe(*error)};
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

std::string DatabasePath(const GameOptions& o) {
    if (o.dbGiven && o.db.empty()) {
        throw Refusal{"--db is empty: give the database's file"};
    }
    const std::string path = o.db.empty() ? store::DefaultDatabasePath() : o.db;
    if (path.empty()) {
        throw Refusal{"no database: set " + std::string(store::kDatabaseFolderVariables) +
                      ", or give --db FILE"};
    }
    return path;
}

std::unique_ptr<store::GameStore> OpenStore(const GameOptions& o,
                                            store::SqliteGameStore::Mode mode) {
    const std::string path = DatabasePath(o);
    if (mode == store::SqliteGameStore::Mode::CreateIfMissing && o.db.empty()) {
        if (auto error = store::EnsureFolder(path)) {
            throw FromStore(*error);
        }
    }
    return Take(store::SqliteGameStore::Open(path, mode));
}

// The season over the games the options select: by start date and label.
game::Season SeasonOf(const std::vector<store::StoredGame>& games, const GameOptions& o) {
    std::vector<game::SeasonGame> selected;
    for (const store::StoredGame& g : games) {
        const std::string day = g.game.started.substr(0, std::string_view("YYYY-MM-DD").size());
        const bool inRange =
            (o.since.empty() || day >= o.since) && (o.until.empty() || day <= o.until);
        if (inRange && (o.label.empty() || g.game.label == o.label)) {
            selected.push_back({&g.game, &g.standings});
        }
    }
    return game::SeasonOf(selected);
}

std::string Reading(std::string_view command, const GameOptions& o) {
    using Mode = store::SqliteGameStore::Mode;
    if (command == "list") {
        Words(o.words).End();
        // No database yet is a list of no games.
        std::vector<store::GameSummary> games;
        if (std::filesystem::exists(store::PathFromUtf8(DatabasePath(o)))) {
            games = Take(OpenStore(o, Mode::ReadOnly)->List(o.all));
        }
        return o.json ? ListJson(games) : ListText(games);
    }
    if (command == "season") {
        Words(o.words).End();
        const game::Season season =
            SeasonOf(Take(OpenStore(o, Mode::ReadOnly)->FinishedGames()), o);
        return o.json  ? game::SeasonToJson(season)
               : o.csv ? SeasonCsv(season)
                       : SeasonText(season, o.plain);
    }
    Words words(o.words);
    const std::int64_t id = GameId(words.Next("GAME"));
    words.End();
    const store::StoredGame stored = Take(OpenStore(o, Mode::ReadOnly)->Load(id));
    if (command == "export") {
        return game::ExportGame(stored.game);
    }
    if (command == "history") {
        return o.json  ? game::HistoryToJson(stored.standings)
               : o.csv ? HistoryCsv(stored.standings)
                       : HistoryText(stored.standings, o.plain);
    }
    return o.json ? game::StandingsToJson(stored.game, stored.standings, std::to_string(id))
                  : ShowText(stored.game, stored.standings, id, o.plain);
}

// What was recorded, as `show` prints it.
std::string Shown(const store::StoredGame& g, const GameOptions& o) {
    return o.json ? game::StandingsToJson(g.game, g.standings, std::to_string(g.id))
                  : ShowText(g.game, g.standings, g.id, o.plain);
}

std::string Recording(std::string_view command, const GameOptions& o) {
    using Mode = store::SqliteGameStore::Mode;
    Words words(o.words);
    const std::int64_t id = GameId(words.Next("GAME"));
    std::unique_ptr<store::GameStore> db = OpenStore(o, Mode::ExistingOnly);
    const store::StoredGame before = Take(db->Load(id));
    std::optional<std::size_t> at;
    if (!o.at.empty()) {
        at = static_cast<std::size_t>(Number(o.at, "position for --at", 9));
    }
    const Event event = ReadEvent(command, before.standings, words, o);
    store::Recorded recorded = db->Record(id, at, event);
    if (auto* error = std::get_if<store::StoreError>(&recorded)) {
        throw FromStore(*error);
    }
    if (auto* conflict = std::get_if<store::Conflict>(&recorded)) {
        throw Refusal{"the game has moved on (now at " +
                          std::to_string(conflict->current.standings.position) + "): check `show`",
                      kExitMovedOn};
    }
    if (auto* refused = std::get_if<game::GameError>(&recorded)) {
        throw Refusal{Describe(*refused, before.standings.names)};
    }
    return Shown(std::get<store::StoredGame>(recorded), o);
}

std::string Creating(std::string_view command, const GameOptions& o, std::istream& input) {
    using Mode = store::SqliteGameStore::Mode;
    Game game;
    if (command == "new") {
        game = NewGame(o);
    } else {
        Words words(o.words);
        const std::string path(words.Next("FILE"));
        words.End();
        auto imported = game::ImportGame(ReadAll(path, input));
        if (auto* error = std::get_if<game::GameError>(&imported)) {
            throw Refusal{Describe(*error)};
        }
        game = std::get<Game>(std::move(imported));
    }
    return std::to_string(Take(OpenStore(o, Mode::CreateIfMissing)->Create(game))) + "\n";
}

std::string Hiding(std::string_view command, const GameOptions& o) {
    Words words(o.words);
    const std::int64_t id = GameId(words.Next("GAME"));
    words.End();
    const bool deleted = command == "delete";
    auto db = OpenStore(o, store::SqliteGameStore::Mode::ExistingOnly);
    if (auto error = db->SetDeleted(id, deleted)) {
        throw FromStore(*error);
    }
    return deleted ? "対局 " + std::to_string(id) + " を一覧から外しました（restore で戻せます）\n"
                   : "対局 " + std::to_string(id) + " を一覧に戻しました\n";
}

std::string SubcommandList();

// The parser's own errors, in the words of this command: what it names comes before its first
// ": " (an option) or after it (the words it did not expect).
std::string ParserMessage(const CLI::ParseError& e) {
    const std::string message = e.what();
    const std::size_t colon = message.find(": ");
    const std::string before = message.substr(0, colon);
    const std::string after = colon == std::string::npos ? "" : message.substr(colon + 2);
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        return "unexpected '" + after + "'";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        return before + " needs a value";
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e)) {
        return before + " does not take '" + after.substr(0, after.find(' ')) + "'; see --help";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        return "a subcommand is needed: " + SubcommandList();
    }
    return "the command line does not read (see --help)";
}

std::string SubcommandList() {
    std::string names;
    for (const Subcommand& s : kSubcommands) {
        names += names.empty() ? "" : ", ";
        names += s.name;
    }
    return names;
}

// The first word that is not --db or its value: the subcommand, when there is one.
std::optional<std::string_view> FirstWord(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--db") {
            ++i;
        } else if (!args[i].starts_with("-")) {
            return args[i];
        }
    }
    return std::nullopt;
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
    if (const auto first = FirstWord(args); first && !Find(*first)) {
        return fail({"unknown subcommand '" + std::string(*first) + "'; the subcommands are " +
                     SubcommandList()});
    }
    options.dbGiven = std::any_of(args.begin(), args.end(), [](std::string_view arg) {
        return arg == "--db" || arg.starts_with("--db=");
    });
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {0, app.help(), ""};
    } catch (const CLI::ParseError& e) {
        return fail({ParserMessage(e)});
    }
    const std::string command = app.get_subcommands().front()->get_name();
    try {
        const Subcommand& s = *Find(command);
        if (s.kind == Kind::Records) {
            CliResult result{0, Recording(command, options), ""};
            result.recorded = true;
            return result;
        }
        if (s.kind == Kind::Reads) {
            return {0, Reading(command, options), ""};
        }
        if (command == "delete" || command == "restore") {
            CliResult result{0, Hiding(command, options), ""};
            result.recorded = true;
            return result;
        }
        CliResult result{0, Creating(command, options, input), ""};
        result.recorded = true;
        return result;
    } catch (const Refusal& refusal) {
        return fail(refusal);
    }
}

}  // namespace velmarto::cli
