// The refusals in English, for the command line. Patterns as res/message_pattern.h reads them.
#include "res/game_messages.h"

#include <array>

#include "res/message_pattern.h"

namespace velmarto::res {
namespace {

using game::ErrorCode;

constexpr std::array kMessages = {
    MessagePattern{ErrorCode::PlayerCount, "a game has 3 or 4 players"},
    MessagePattern{ErrorCode::NameCount, "a game of {1} players needs {1} names, not {2}"},
    MessagePattern{ErrorCode::NameEmpty, "a player's name is empty"},
    MessagePattern{ErrorCode::NameTooLong, "the name '{1}' is longer than {2} characters"},
    MessagePattern{ErrorCode::NameControl,
                   "a name cannot hold a tab, a line break or another control character"},
    MessagePattern{ErrorCode::NameTaken,
                   "player names must differ from each other and from E, S, W, N: '{1}'"},
    MessagePattern{ErrorCode::StartNotPositive, "the starting points must be above zero"},
    MessagePattern{ErrorCode::ReturnBelowStart, "--return {1} is below the starting points {2}"},
    MessagePattern{ErrorCode::UmaCount, "--uma needs one figure per player ({1}), not {2}"},
    MessagePattern{ErrorCode::UmaNotZero, "the uma must sum to zero, not {1}"},
    MessagePattern{ErrorCode::UmaWithoutOkaUma, "--uma and --return go with --oka-uma"},
    MessagePattern{ErrorCode::ThreePlayerRule, "{1} is a rule of three-player games"},
    MessagePattern{ErrorCode::NotSeated, "player {1} is not at the table"},
    MessagePattern{ErrorCode::GameOver, "the game is over"},
    MessagePattern{ErrorCode::RonWinnerCount,
                   "a ron needs one winner or more, fewer than the players"},
    MessagePattern{ErrorCode::RonOwnDiscard, "a player cannot ron their own discard"},
    MessagePattern{ErrorCode::WinnerTwice, "the same winner twice: {P1}"},
    MessagePattern{ErrorCode::TenpaiTwice, "a tenpai player named twice: {P1}"},
    MessagePattern{ErrorCode::NoSuchHanFu,
                   "{1} han {2} fu is no win (han 1-119; fu 20, 25, 30, 40 ... 200)"},
    MessagePattern{ErrorCode::ImpossibleHanFu,
                   "no hand has {1} han {2} fu this way (20 fu is a self-drawn 平和 of 2 han or "
                   "more; 25 fu is 七対子, 2 han on a discard and 3 on a self-draw)"},
    MessagePattern{ErrorCode::HandNotation, "{1}"},
    MessagePattern{ErrorCode::NoYaku, "the hand has no yaku: record it as a false win"},
    MessagePattern{ErrorCode::TooLarge, "{1} han pays 10^59 or more, beyond the register"},
    MessagePattern{ErrorCode::LiableSelf, "the winner cannot be liable for their own win"},
    MessagePattern{ErrorCode::LiableDiscarder,
                   "the discarder already pays a ron; the liable player is another ({P1})"},
    MessagePattern{ErrorCode::LiableNotYakuman,
                   "a liable player answers for a yakuman: 13 han or more, not {1}"},
    MessagePattern{ErrorCode::LiableYaku,
                   "a liable player needs 大三元, 大四喜 or 四槓子 in the hand"},
    MessagePattern{
        ErrorCode::LiableNotCalled,
        "a liable player fed a call: the {1} has none of its sets called (pon or open kan)"},
    MessagePattern{ErrorCode::RiichiTwice, "{P1} has already declared riichi in this hand"},
    MessagePattern{ErrorCode::RiichiBelowZero,
                   "{P1} cannot pay the riichi stick without going below zero"},
    MessagePattern{ErrorCode::RiichiNotDeclared,
                   "{P1} did not declare riichi in this hand, so the hand cannot count {2}"},
    MessagePattern{ErrorCode::NothingToUndo, "nothing to undo"},
    MessagePattern{ErrorCode::NoEventAt, "no event of a hand stands at position {1} (see history)"},
    MessagePattern{ErrorCode::AmendWithKind, "a {1} cannot stand in place of an event of a hand"},
    MessagePattern{ErrorCode::SameName, "the player is already called '{1}'"},
    MessagePattern{ErrorCode::AtEvent, "event {1}"},
    MessagePattern{ErrorCode::LaterEventBreaks, "the later event {1} could no longer happen"},
    MessagePattern{ErrorCode::NotJson, "not JSON (line {1})"},
    MessagePattern{ErrorCode::Malformed, "not a velmarto game"},
    MessagePattern{ErrorCode::NewerFormat, "format version {1} (this velmarto reads up to {2})"},
    MessagePattern{ErrorCode::NotWhole, "{1} is not a whole number in range"},
    MessagePattern{ErrorCode::NotList, "{1} is not a list"},
    MessagePattern{ErrorCode::NotObject, "{1} is not an object"},
    MessagePattern{ErrorCode::UnknownKey, "unknown key '{1}' in {2}"},
    MessagePattern{ErrorCode::UnknownWord, "unknown {1} '{2}'"},
    MessagePattern{ErrorCode::NotDecimal, "{1} is not a decimal integer in a string"},
    MessagePattern{ErrorCode::LedgerVersion, "unknown ledger version {1}"},
    MessagePattern{ErrorCode::WinShape, "a win has either a hand or han and fu"},
    MessagePattern{ErrorCode::TsumoWinners, "a tsumo has one winner"},
    MessagePattern{ErrorCode::OtherFormat, "format is not {1}"},
    MessagePattern{ErrorCode::WrongType, "a field has the wrong type or is missing"},
};

static_assert(kMessages.size() == static_cast<std::size_t>(ErrorCode::WrongType) + 1);

}  // namespace

std::string DescribeGameErrorInEnglish(const game::GameError& error,
                                       const std::vector<std::string>& names) {
    return DescribeWith(kMessages, error, names);
}

}  // namespace velmarto::res
