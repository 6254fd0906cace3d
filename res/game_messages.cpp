// Each message is a pattern: {1} is the first argument as it stands, {P1} the first argument as a
// player's name, and the cause, when there is one, follows after ": ".
#include "res/game_messages.h"

#include <algorithm>
#include <array>

namespace velmarto::res {
namespace {

using game::ErrorCode;

struct Message {
    ErrorCode code;
    std::string_view english;
    std::string_view japanese;
};

constexpr std::array kMessages = {
    Message{ErrorCode::PlayerCount, "a game has 3 or 4 players", "対局は3人か4人です"},
    Message{ErrorCode::NameCount, "a game of {1} players needs {1} names, not {2}",
            "{1}人の名前が必要です（いま{2}人）"},
    Message{ErrorCode::NameEmpty, "a player's name is empty", "名前が空です"},
    Message{ErrorCode::NameTooLong, "the name '{1}' is longer than {2} characters",
            "名前「{1}」が{2}文字を超えています"},
    Message{ErrorCode::NameControl,
            "a name cannot hold a tab, a line break or another control character",
            "名前にタブや改行は使えません"},
    Message{ErrorCode::NameTaken,
            "player names must differ from each other and from E, S, W, N: '{1}'",
            "名前が重複しています: {1}"},
    Message{ErrorCode::StartNotPositive, "the starting points must be above zero",
            "持ち点は正の数です"},
    Message{ErrorCode::ReturnBelowStart, "--return {1} is below the starting points {2}",
            "返し（{1}）が持ち点（{2}）より少なくなっています"},
    Message{ErrorCode::UmaCount, "--uma needs one figure per player ({1}), not {2}",
            "ウマは{1}人分必要です（いま{2}個）"},
    Message{ErrorCode::UmaNotZero, "the uma must sum to zero, not {1}",
            "ウマの合計が0になりません（{1}）"},
    Message{ErrorCode::UmaWithoutOkaUma, "--uma and --return go with --oka-uma",
            "ウマと返しはオカ・ウマありのときだけです"},
    Message{ErrorCode::ThreePlayerRule, "{1} is a rule of three-player games",
            "三人麻雀のルールです（{1}）"},
    Message{ErrorCode::NotSeated, "player {1} is not at the table",
            "その席のプレイヤーはいません（{1}）"},
    Message{ErrorCode::GameOver, "the game is over", "対局は終了しています"},
    Message{ErrorCode::RonWinnerCount, "a ron needs one winner or more, fewer than the players",
            "ロンの和了者の数が正しくありません"},
    Message{ErrorCode::RonOwnDiscard, "a player cannot ron their own discard",
            "自分の捨て牌ではロンできません"},
    Message{ErrorCode::WinnerTwice, "the same winner twice: {P1}", "同じ和了者が2回あります: {P1}"},
    Message{ErrorCode::TenpaiTwice, "a tenpai player named twice: {P1}",
            "テンパイのプレイヤーが重複しています: {P1}"},
    Message{ErrorCode::NoSuchHanFu,
            "{1} han {2} fu is no win (han 1-119; fu 20, 25, 30, 40 ... 200)",
            "{1}飜{2}符の和了はありません"},
    Message{ErrorCode::ImpossibleHanFu,
            "no hand has {1} han {2} fu this way (20 fu is a self-drawn 平和 of 2 han or more; "
            "25 fu is 七対子, 2 han on a discard and 3 on a self-draw)",
            "{1}飜{2}符になる手はありません（20符は2飜以上のツモ平和、25符は七対子です）"},
    Message{ErrorCode::HandNotation, "{1}", "{2}"},
    Message{ErrorCode::NoYaku, "the hand has no yaku: record it as a false win",
            "役がありません（チョンボとして記録してください）"},
    Message{ErrorCode::TooLarge, "{1} han pays 10^59 or more, beyond the register",
            "点数が大きすぎて計算できません（{1}飜）"},
    Message{ErrorCode::LiableSelf, "the winner cannot be liable for their own win",
            "和了者は責任払いになりません"},
    Message{ErrorCode::LiableDiscarder,
            "the discarder already pays a ron; the liable player is another ({P1})",
            "放銃者は責任払いの相手になりません（{P1}）"},
    Message{ErrorCode::LiableNotYakuman,
            "a liable player answers for a yakuman: 13 han or more, not {1}",
            "責任払いは役満（13飜以上）のときだけです（いま{1}飜）"},
    Message{ErrorCode::LiableYaku, "a liable player needs 大三元, 大四喜 or 四槓子 in the hand",
            "責任払いは大三元・大四喜・四槓子のときだけです"},
    Message{ErrorCode::LiableNotCalled,
            "a liable player fed a call: the {1} has none of its sets called (pon or open kan)",
            "{1}の牌が鳴かれていないので責任払いになりません"},
    Message{ErrorCode::RiichiTwice, "{P1} has already declared riichi in this hand",
            "{P1}はこの局ですでに立直しています"},
    Message{ErrorCode::RiichiBelowZero, "{P1} cannot pay the riichi stick without going below zero",
            "{P1}は供託を出すと持ち点がマイナスになるので立直できません"},
    Message{ErrorCode::RiichiNotDeclared,
            "{P1} did not declare riichi in this hand, so the hand cannot count {2}",
            "{P1}はこの局で立直していないので{2}は数えられません"},
    Message{ErrorCode::NothingToUndo, "nothing to undo", "取り消す記録がありません"},
    Message{ErrorCode::NoEventAt, "no event of a hand stands at position {1} (see history)",
            "{1}番の記録はありません（記録を確認してください）"},
    Message{ErrorCode::AmendWithKind, "a {1} cannot stand in place of an event of a hand",
            "{1}は局の記録の代わりになりません"},
    Message{ErrorCode::SameName, "the player is already called '{1}'",
            "すでに「{1}」という名前です"},
    Message{ErrorCode::AtEvent, "event {1}", "{1}番目の記録"},
    Message{ErrorCode::LaterEventBreaks, "the later event {1} could no longer happen",
            "後の{1}番目の記録が成り立たなくなります"},
    Message{ErrorCode::NotJson, "not JSON (line {1})", "JSONとして読めません（{1}行目）"},
    Message{ErrorCode::Malformed, "not a velmarto game: {1}", "対局の記録として読めません（{1}）"},
    Message{ErrorCode::NewerFormat, "format version {1} (this velmarto reads up to {2})",
            "新しいvelmartoの記録です（形式{1}、このvelmartoは{2}まで）"},
};

static_assert(kMessages.size() == static_cast<std::size_t>(ErrorCode::NewerFormat) + 1);

std::string PlayerName(const std::string& seat, const std::vector<std::string>& names) {
    const std::size_t index = seat.empty() ? names.size() : std::stoul(seat);
    return index < names.size() ? names[index] : seat;
}

std::string Fill(std::string_view pattern, const std::vector<std::string>& args,
                 const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool player = pattern.substr(i, 2) == "{P";
        const std::size_t digit = i + (player ? 2 : 1);
        const bool placeholder = pattern[i] == '{' && digit + 1 < pattern.size() &&
                                 pattern[digit] >= '1' && pattern[digit] <= '9' &&
                                 pattern[digit + 1] == '}';
        if (!placeholder) {
            out += pattern[i];
            continue;
        }
        const auto arg = static_cast<std::size_t>(pattern[digit] - '1');
        const std::string value = arg < args.size() ? args[arg] : std::string();
        out += player ? PlayerName(value, names) : value;
        i = digit + 1;
    }
    return out;
}

}  // namespace

std::string DescribeGameError(const game::GameError& error, Language language,
                              const std::vector<std::string>& names) {
    const auto* message = std::find_if(kMessages.begin(), kMessages.end(),
                                       [&](const Message& m) { return m.code == error.code; });
    const std::string_view pattern =
        language == Language::English ? message->english : message->japanese;
    std::string out = Fill(pattern, error.args, names);
    if (error.cause) {
        out += ": " + DescribeGameError(*error.cause, language, names);
    }
    return out;
}

}  // namespace velmarto::res
