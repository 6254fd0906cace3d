// The refusals in Japanese, for the page. Patterns as res/message_pattern.h reads them; a table of
// its own, so that the page links no other language.
#include "res/game_messages.h"

#include <array>

#include "res/message_pattern.h"

namespace velmarto::res {
namespace {

using game::ErrorCode;

constexpr std::array kMessages = {
    MessagePattern{ErrorCode::PlayerCount, "対局は3人か4人です"},
    MessagePattern{ErrorCode::NameCount, "{1}人の名前が必要です（いま{2}人）"},
    MessagePattern{ErrorCode::NameEmpty, "名前が空です"},
    MessagePattern{ErrorCode::NameTooLong, "名前「{1}」が{2}文字を超えています"},
    MessagePattern{ErrorCode::NameControl, "名前にタブや改行は使えません"},
    MessagePattern{ErrorCode::NameTaken, "名前が重複しています: {1}"},
    MessagePattern{ErrorCode::StartNotPositive, "持ち点は正の数です"},
    MessagePattern{ErrorCode::ReturnBelowStart, "返し（{1}）が持ち点（{2}）より少なくなっています"},
    MessagePattern{ErrorCode::UmaCount, "ウマは{1}人分必要です（いま{2}個）"},
    MessagePattern{ErrorCode::UmaNotZero, "ウマの合計が0になりません（{1}）"},
    MessagePattern{ErrorCode::UmaWithoutOkaUma, "ウマと返しはオカ・ウマありのときだけです"},
    MessagePattern{ErrorCode::ThreePlayerRule, "三人麻雀のルールです（{1}）"},
    MessagePattern{ErrorCode::NotSeated, "その席のプレイヤーはいません（{1}）"},
    MessagePattern{ErrorCode::GameOver, "対局は終了しています"},
    MessagePattern{ErrorCode::RonWinnerCount, "ロンの和了者の数が正しくありません"},
    MessagePattern{ErrorCode::RonOwnDiscard, "自分の捨て牌ではロンできません"},
    MessagePattern{ErrorCode::WinnerTwice, "同じ和了者が2回あります: {P1}"},
    MessagePattern{ErrorCode::TenpaiTwice, "テンパイのプレイヤーが重複しています: {P1}"},
    MessagePattern{ErrorCode::NoSuchHanFu, "{1}飜{2}符の和了はありません"},
    MessagePattern{ErrorCode::ImpossibleHanFu,
                   "{1}飜{2}符になる手はありません（20符は2飜以上のツモ平和、25符は七対子です）"},
    MessagePattern{ErrorCode::HandNotation, "{2}"},
    MessagePattern{ErrorCode::NoYaku, "役がありません（チョンボとして記録してください）"},
    MessagePattern{ErrorCode::TooLarge, "点数が大きすぎて計算できません（{1}飜）"},
    MessagePattern{ErrorCode::LiableSelf, "和了者は責任払いになりません"},
    MessagePattern{ErrorCode::LiableDiscarder, "放銃者は責任払いの相手になりません（{P1}）"},
    MessagePattern{ErrorCode::LiableNotYakuman,
                   "責任払いは役満（13飜以上）のときだけです（いま{1}飜）"},
    MessagePattern{ErrorCode::LiableYaku, "責任払いは大三元・大四喜・四槓子のときだけです"},
    MessagePattern{ErrorCode::LiableNotCalled, "{1}の牌が鳴かれていないので責任払いになりません"},
    MessagePattern{ErrorCode::RiichiTwice, "{P1}はこの局ですでに立直しています"},
    MessagePattern{ErrorCode::RiichiBelowZero,
                   "{P1}は供託を出すと持ち点がマイナスになるので立直できません"},
    MessagePattern{ErrorCode::RiichiNotDeclared,
                   "{P1}はこの局で立直していないので{2}は数えられません"},
    MessagePattern{ErrorCode::NothingToUndo, "取り消す記録がありません"},
    MessagePattern{ErrorCode::NoEventAt, "{1}番の記録はありません（記録を確認してください）"},
    MessagePattern{ErrorCode::AmendWithKind, "{1}は局の記録の代わりになりません"},
    MessagePattern{ErrorCode::SameName, "すでに「{1}」という名前です"},
    MessagePattern{ErrorCode::AtEvent, "{1}番目の記録"},
    MessagePattern{ErrorCode::LaterEventBreaks, "後の{1}番目の記録が成り立たなくなります"},
    MessagePattern{ErrorCode::NotJson, "JSONとして読めません（{1}行目）"},
    MessagePattern{ErrorCode::Malformed, "対局の記録として読めません"},
    MessagePattern{ErrorCode::NewerFormat,
                   "新しいvelmartoの記録です（形式{1}、このvelmartoは{2}まで）"},
    MessagePattern{ErrorCode::NotWhole, "「{1}」が範囲内の整数ではありません"},
    MessagePattern{ErrorCode::NotList, "「{1}」が配列ではありません"},
    MessagePattern{ErrorCode::NotObject, "「{1}」がオブジェクトではありません"},
    MessagePattern{ErrorCode::UnknownKey, "「{2}」に「{1}」という項目はありません"},
    MessagePattern{ErrorCode::UnknownWord, "「{1}」に「{2}」は使えません"},
    MessagePattern{ErrorCode::NotDecimal, "「{1}」が整数を書いた文字列ではありません"},
    MessagePattern{ErrorCode::LedgerVersion, "ledgerの版{1}は読めません"},
    MessagePattern{ErrorCode::WinShape, "和了には手牌か、飜と符のどちらか一方を書きます"},
    MessagePattern{ErrorCode::TsumoWinners, "ツモの和了者は1人です"},
    MessagePattern{ErrorCode::OtherFormat, "formatが「{1}」ではありません"},
    MessagePattern{ErrorCode::WrongType, "項目の型が違うか、項目が足りません"},
};

static_assert(kMessages.size() == static_cast<std::size_t>(ErrorCode::WrongType) + 1);

}  // namespace

std::string DescribeGameErrorInJapanese(const game::GameError& error,
                                        const std::vector<std::string>& names) {
    return DescribeWith(kMessages, error, names);
}

}  // namespace velmarto::res
