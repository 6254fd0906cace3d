// A refusal as a code with its arguments: the engine says what is wrong, each front end says it
// in its own words (one message table per language), and a store or a server can tell one kind
// of refusal from another without reading text.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace velmarto::game {

enum class ErrorCode {
    // The game's setup. Arguments in brackets.
    PlayerCount,       // a game has 3 or 4 players
    NameCount,         // [players, names given]
    NameEmpty,         //
    NameTooLong,       // [name, most characters]
    NameControl,       // [name]: a tab, a line break or another control character
    NameTaken,         // [name]: twice at the table, or a seat letter
    StartNotPositive,  //
    ReturnBelowStart,  // [return, start]
    UmaCount,          // [players, figures given]
    UmaNotZero,        // [sum]
    UmaWithoutOkaUma,  //
    ThreePlayerRule,   // [rule]: a three-player rule in a four-player game
    // Events.
    NotSeated,          // [seat]
    GameOver,           //
    RonWinnerCount,     //
    RonOwnDiscard,      // [player]
    WinnerTwice,        // [player]
    TenpaiTwice,        // [player]
    NoSuchHanFu,        // [han, fu]: outside 1-119 han, or a fu count no hand has
    ImpossibleHanFu,    // [han, fu]: 1 han 20 or 25 fu, 20 fu on a ron, 25 fu tsumo under 3 han
    HandNotation,       // [english, japanese]: the hand engine's own words
    NoYaku,             //
    TooLarge,           // [han]
    LiableSelf,         // [player]
    LiableDiscarder,    // [player]
    LiableNotYakuman,   // [han]
    LiableYaku,         //
    LiableNotCalled,    // [yaku]
    RiichiTwice,        // [player]
    RiichiBelowZero,    // [player]
    RiichiNotDeclared,  // [player, flag]: the hand claims riichi or ippatsu
    NothingToUndo,      //
    NoEventAt,          // [position]: no event of a hand stands there
    AmendWithKind,      // [kind]: an undo, an amend or a rename cannot replace an event
    SameName,           // [name]
    AtEvent,            // [position] + cause: a stored event that cannot happen
    LaterEventBreaks,   // [position] + cause: an amend a later event does not survive
    NotJson,            // [line]: the text does not read as JSON
    Malformed,          // + cause, one of the faults below: JSON, but not a game in the format
    NewerFormat,        // [version, known]
    // What in a file is not the exchange format, named by the format's own words (its keys and
    // values), which read alike in every language.
    NotWhole,       // [key]: a fraction, or a number out of range
    NotList,        // [key]
    NotObject,      // [key]
    UnknownKey,     // [key, where]
    UnknownWord,    // [key, word]
    NotDecimal,     // [key]: points are written as a decimal string
    LedgerVersion,  // [version]
    WinShape,       //: a win has a hand, or han and fu
    TsumoWinners,   //
    OtherFormat,    // [format]
    WrongType,      //: a field of the wrong type, or a missing one
};

struct GameError {
    ErrorCode code;
    std::vector<std::string> args;
    std::shared_ptr<const GameError> cause;  // what went wrong inside, for AtEvent and the like
};

GameError Refuse(ErrorCode code, std::vector<std::string> args = {});
GameError Because(ErrorCode code, std::vector<std::string> args, GameError cause);

}  // namespace velmarto::game
