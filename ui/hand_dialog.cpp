// Hand dialog handlers: the engine reads, checks and counts the hand; this file gathers what the
// controls say and shows what came of it.
#include "ui/hand_dialog.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"
#include "engine/hand/situation.h"
#include "engine/hand/waits.h"
#include "engine/hand/waits_summary.h"
#include "res/dialogs.h"
#include "res/hand_palette.h"
#include "ui/about_dialog.h"

namespace velmarto::ui {
namespace {

using hand::MeldKind;

struct MeldBox {
    int id;
    MeldKind kind;
};
constexpr std::array kMeldBoxes = {
    MeldBox{res::IDC_CHI, MeldKind::Chi}, MeldBox{res::IDC_PON, MeldKind::Pon},
    MeldBox{res::IDC_KAN, MeldKind::Kan}, MeldBox{res::IDC_ANKAN, MeldKind::Ankan}};

// Boxes in tile notation, where Backspace at the end takes away a whole tile.
constexpr std::array kTileBoxes = {res::IDC_HAND_TILES, res::IDC_DORA, res::IDC_URA};

struct SituationBox {
    int id;
    bool hand::Situation::*flag;
};
constexpr std::array kSituationBoxes = {
    SituationBox{res::IDC_TSUMO, &hand::Situation::tsumo},
    SituationBox{res::IDC_RIICHI, &hand::Situation::riichi},
    SituationBox{res::IDC_DOUBLE_RIICHI, &hand::Situation::doubleRiichi},
    SituationBox{res::IDC_IPPATSU, &hand::Situation::ippatsu},
    SituationBox{res::IDC_RINSHAN, &hand::Situation::rinshan},
    SituationBox{res::IDC_CHANKAN, &hand::Situation::chankan},
};

constexpr int kEastIndex = 0;

// The dialog's own items of its window menu, before the version notice.
struct MenuItem {
    unsigned command;
    std::string_view text;
};
constexpr std::array kMenuItems = {MenuItem{res::IDM_HAND_COPY, "結果をコピー(&C)"},
                                   MenuItem{res::IDM_HAND_APPLY, "点数画面に反映(&S)"},
                                   MenuItem{winsys::kSysClose, "閉じる(&X)"}};

// What the result area says while the hand box is empty: how hands are written.
constexpr std::string_view kHowToWrite = "入力例 123m456p789s11z55s（赤五は0、字牌は1z〜7z）";

// The faces of tiles in notation; nothing while the text does not read yet.
std::optional<std::vector<winsys::TileFace>> FacesOf(std::string_view notation) {
    auto parsed = hand::ParseTiles(notation);
    const auto* tiles = std::get_if<std::vector<hand::Tile>>(&parsed);
    if (tiles == nullptr) {
        return std::nullopt;
    }
    std::vector<winsys::TileFace> faces;
    for (const hand::Tile& tile : *tiles) {
        faces.push_back({hand::TileCodePoint(tile.index), tile.red});
    }
    return faces;
}

// The faces of the longest beginning of the notation that reads: the tiles written so far, and
// none that are no longer there.
std::vector<winsys::TileFace> FacesReadSoFar(std::string_view notation) {
    for (std::size_t end = notation.size(); end > 0; --end) {
        if (auto faces = FacesOf(notation.substr(0, end))) {
            return *faces;
        }
    }
    return {};
}

// A closed quad shows its two end tiles face down.
void TurnEndsDown(std::vector<winsys::TileFace>& faces) {
    faces.front() = {hand::kTileBackCodePoint};
    faces.back() = {hand::kTileBackCodePoint};
}

// The boxes of counts, each with the field of the situation it sets.
struct CountBox {
    int id;
    std::string_view name;
    int hand::Situation::*count;
};
constexpr std::array kCountBoxes = {CountBox{res::IDC_HONBA, "本場", &hand::Situation::honba},
                                    CountBox{res::IDC_STICKS, "供託", &hand::Situation::sticks}};

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text.append(text.empty() ? "" : "\n").append(line);
    }
    return text;
}

// A report or settlement line in lines, broken where it passes to its next payment: at a
// full-width space, which goes, and after a slash.
std::string Wrapped(std::string_view line) {
    constexpr std::string_view kSpace = "　";
    constexpr std::string_view kSlash = "／";
    std::string text;
    for (std::size_t i = 0; i < line.size();) {
        if (line.substr(i).starts_with(kSpace)) {
            text += '\n';
            i += kSpace.size();
        } else if (line.substr(i).starts_with(kSlash)) {
            text.append(kSlash).push_back('\n');
            i += kSlash.size();
        } else {
            text += line[i++];
        }
    }
    return text;
}

// What the line above the result says while it lists waits or discards.
constexpr std::string_view kWaitsHint = "待ちのボタンで和了牌を加えます";
constexpr std::string_view kDiscardsHint = "和了の形ではありません。打牌のボタンで手牌から除きます";

// A wait or a discard in the engine's words, each part a line of its own, after a blank line.
void AddParts(std::vector<std::string>& lines, const std::vector<std::string>& parts) {
    lines.emplace_back();
    for (const std::string& part : parts) {
        lines.push_back(Wrapped(part));
    }
}

void AddWaits(std::vector<std::string>& lines, const std::vector<hand::WaitResult>& waits) {
    for (const hand::WaitResult& wait : waits) {
        AddParts(lines, hand::WaitParts(wait));
    }
}

// The tiles of the hand box and its called sets counted as a hand counts them, or nothing
// while the notation does not read.
std::optional<std::size_t> TileCount(const std::string& tiles, std::size_t sets) {
    auto parsed = hand::ParseTiles(tiles);
    const auto* read = std::get_if<std::vector<hand::Tile>>(&parsed);
    if (read == nullptr) {
        return std::nullopt;
    }
    return read->size() + hand::kSetTiles * sets;
}

// Whether the dialog keeps this control's state: what the user sets, not what it is shown.
bool Kept(const winsys::ControlTemplate& control) {
    using winsys::ControlKind;
    return (control.kind == ControlKind::Edit && !(control.style & winsys::kReadOnly)) ||
           control.kind == ControlKind::CheckBox || control.kind == ControlKind::DropDownList;
}

}  // namespace

CHandDialog::CHandDialog(winsys::Dialog* parent, HandDialogMemory* memory)
    : winsys::Dialog(res::HandDialogTemplate(), parent), m_memory(memory) {}

// Each change counts the hand again and would remember a half-set dialog: the count waits.
bool CHandDialog::OnInitDialog() {
    AddMenuItems();
    m_restoring = true;
    SetCurSel(res::IDC_ROUND_WIND, kEastIndex);
    SetCurSel(res::IDC_SEAT_WIND, kEastIndex);
    Restore();
    m_restoring = false;
    Recount();
    return true;
}

void CHandDialog::AddMenuItems() {
    bool first = true;
    for (const MenuItem& item : kMenuItems) {
        AppendSystemMenuItem(item.command, item.text, first);
        first = false;
    }
    if (const std::string_view about = res::LoadString(res::IDS_ABOUT_ITEM); !about.empty()) {
        AppendSystemMenuItem(res::IDM_ABOUT, about);
    }
}

void CHandDialog::OnSysCommand(unsigned id, long param) {
    switch (id & winsys::kSysCommandMask) {
        case res::IDM_HAND_COPY:
            OnCopy();
            return;
        case res::IDM_HAND_APPLY:
            OnApply();
            return;
        case winsys::kSysClose:
            OnCancel();
            return;
        case res::IDM_ABOUT: {
            CAboutDialog about(this);
            about.DoModal();
            return;
        }
        default:
            winsys::Dialog::OnSysCommand(id, param);
            return;
    }
}

void CHandDialog::EnableActions(bool copy, bool apply) {
    EnableControl(res::IDC_HAND_COPY, copy);
    EnableControl(res::IDC_HAND_APPLY, apply);
    EnableSystemMenuItem(res::IDM_HAND_COPY, copy);
    EnableSystemMenuItem(res::IDM_HAND_APPLY, apply);
}

void CHandDialog::Remember() const {
    if (!m_memory || m_restoring) {
        return;
    }
    for (const winsys::ControlTemplate& control : Template().controls) {
        if (!Kept(control)) {
            continue;
        }
        switch (control.kind) {
            case winsys::ControlKind::Edit:
                m_memory->texts[control.id] = GetDlgItemText(control.id);
                break;
            case winsys::ControlKind::CheckBox:
                m_memory->checks[control.id] = GetCheck(control.id);
                break;
            default:
                m_memory->selections[control.id] = GetCurSel(control.id);
                break;
        }
    }
}

void CHandDialog::Restore() {
    if (!m_memory) {
        return;
    }
    for (const auto& [id, selection] : m_memory->selections) {
        SetCurSel(id, selection);
    }
    for (const auto& [id, check] : m_memory->checks) {
        SetCheck(id, check);
    }
    for (const auto& [id, text] : m_memory->texts) {
        SetDlgItemText(id, text);
    }
}

std::span<const winsys::CommandEntry<CHandDialog>> CHandDialog::MessageMap() {
    static constexpr winsys::CommandEntry<CHandDialog> kMap[] = {
        {res::IDC_HAND_COPY, &CHandDialog::OnCopy},
        {res::IDC_HAND_APPLY, &CHandDialog::OnApply},
    };
    return kMap;
}

void CHandDialog::OnCommand(int id) {
    if (winsys::DispatchCommand(*this, MessageMap(), id)) {
        return;
    }
    const int palette = id - res::IDC_TILE_FIRST;
    if (palette >= 0 && palette < static_cast<int>(res::kPalette.size())) {
        // The text changes, and the change counts the hand again.
        SetDlgItemText(res::IDC_HAND_TILES,
                       GetDlgItemText(res::IDC_HAND_TILES) +
                           hand::TileName(res::kPalette[static_cast<std::size_t>(palette)]));
        return;
    }
    const int wait = id - res::IDC_WAIT_FIRST;
    if (wait >= 0 && static_cast<std::size_t>(wait) < m_waitTiles.size()) {
        OnWait(static_cast<std::size_t>(wait));
        return;
    }
    Recount();  // a check box
}

void CHandDialog::OnChange(int /*id*/) {
    if (!m_restoring) {
        Recount();
    }
}

bool CHandDialog::OnEditBackspace(int id) {
    if (std::find(kTileBoxes.begin(), kTileBoxes.end(), id) == kTileBoxes.end()) {
        return false;
    }
    auto parsed = hand::ParseTiles(GetDlgItemText(id));
    auto* tiles = std::get_if<std::vector<hand::Tile>>(&parsed);
    if (tiles == nullptr) {
        return false;  // half-written notation: Backspace takes a character
    }
    tiles->pop_back();
    SetDlgItemText(id, hand::CompactNotation(*tiles));
    return true;
}

void CHandDialog::ShowTiles(const std::string& tiles, const std::vector<CalledSet>& sets) {
    std::vector<winsys::TileFace> melds;
    for (const auto& [kind, set] : sets) {
        // Only a set that reads as its kind is drawn: "679s" is no chi.
        if (!std::holds_alternative<hand::Meld>(hand::ReadMeld(kind, set))) {
            continue;
        }
        if (auto faces = FacesOf(set)) {
            if (kind == MeldKind::Ankan) {
                TurnEndsDown(*faces);
            }
            melds.push_back({0});  // a gap before each set
            melds.insert(melds.end(), faces->begin(), faces->end());
        }
    }
    SetTileRow(res::IDC_MELD_ROW, melds);
    if (auto faces = FacesOf(tiles)) {
        // A whole hand's winning tile, the last one written, stands a little apart.
        const auto total = faces->size() + hand::kSetTiles * sets.size();
        if (total == hand::kHandTiles && faces->size() > 1) {
            faces->insert(faces->end() - 1, {0});
        }
        SetTileRow(res::IDC_HAND_ROW, *faces);
    } else {
        SetTileRow(res::IDC_HAND_ROW, FacesReadSoFar(tiles));
    }
}

hand::Situation CHandDialog::ReadSituation(std::string& countError) const {
    hand::Situation situation;
    for (const SituationBox& box : kSituationBoxes) {
        situation.*box.flag = GetCheck(box.id) > 0;
    }
    situation.roundWind = std::max(GetCurSel(res::IDC_ROUND_WIND), 0);
    situation.seatWind = std::max(GetCurSel(res::IDC_SEAT_WIND), 0);
    hand::DeclareMoments(situation, {.lastTile = GetCheck(res::IDC_LAST_TILE) > 0,
                                     .firstDraw = GetCheck(res::IDC_FIRST_DRAW) > 0});
    for (const CountBox& box : kCountBoxes) {
        const std::optional<int> count =
            hand::ParseCount(GetDlgItemText(box.id), hand::kMaxHonbaOrSticks);
        if (!count && countError.empty()) {
            countError = hand::CountOutOfRangeJapanese(box.name);
        }
        situation.*box.count = count.value_or(0);
    }
    return situation;
}

// A message beside the box, and no figure: a count belongs only to the hand it counts.
void CHandDialog::ShowError(std::string_view japanese) {
    SetDlgItemText(res::IDC_HAND_ERROR, japanese);
    SetDlgItemText(res::IDC_HAND_DETAIL, "");
    SetDlgItemText(res::IDC_HAND_REPORT, "");
    SetDlgItemText(res::IDC_HAND_APPLY_NOTE, "");
    ShowWaitButtons({}, false);
    EnableActions(false, false);
    m_copyText.clear();
    m_toApply.reset();
}

void CHandDialog::ShowScore(const hand::HandScore& score) {
    std::vector<std::string> lines = hand::SummaryLines(score.result);
    lines.emplace_back();
    lines.push_back(Wrapped(score.report));
    m_copyText = score.report;
    if (!score.settlementLine.empty()) {
        lines.push_back(Wrapped(score.settlementLine));
        m_copyText += "\n" + score.settlementLine;
    }
    SetDlgItemText(res::IDC_HAND_ERROR, "");
    SetDlgItemText(res::IDC_HAND_DETAIL, Joined(lines));
    SetDlgItemText(res::IDC_HAND_REPORT, score.report);
    ShowWaitButtons({}, false);
    // A hand without yaku goes over as 0 han: the score window shows the same penalty.
    const int han = score.result.NoYaku() ? 0 : score.result.han;
    m_toApply.reset();
    if (han <= kMaxHan) {
        m_toApply = Hand{han, score.result.fu.total, score.seat};
    }
    SetDlgItemText(res::IDC_HAND_APPLY_NOTE, m_toApply ? std::string()
                                                       : "点数画面は" + std::to_string(kMaxHan) +
                                                             "飜までです（この手は" +
                                                             std::to_string(han) + "飜）");
    EnableActions(true, m_toApply.has_value());
}

void CHandDialog::Recount() {
    Remember();
    const std::string tiles = GetDlgItemText(res::IDC_HAND_TILES);
    std::vector<CalledSet> sets;
    for (const MeldBox& box : kMeldBoxes) {
        for (std::string& set : hand::SplitWords(GetDlgItemText(box.id))) {
            sets.emplace_back(box.kind, std::move(set));
        }
    }
    ShowTiles(tiles, sets);
    if (hand::SplitWords(tiles).empty()) {
        ShowError(kHowToWrite);
        return;
    }
    hand::HandText text;
    text.tiles = tiles;
    for (const auto& [kind, set] : sets) {
        text.melds.emplace_back(kind, set);
    }
    const std::string dora = GetDlgItemText(res::IDC_DORA);
    const std::string ura = GetDlgItemText(res::IDC_URA);
    text.dora = dora;
    text.ura = ura;
    std::string countError;
    text.situation = ReadSituation(countError);
    if (!countError.empty()) {
        ShowError(countError);
        return;
    }
    const std::optional<std::size_t> count = TileCount(tiles, sets.size());
    if (count == static_cast<std::size_t>(hand::kWaitingTiles)) {
        ShowAnalysis(text);
        return;
    }
    const auto input = hand::ReadHand(text);
    if (const auto* error = std::get_if<hand::NotationError>(&input)) {
        ShowError(error->japanese);
        return;
    }
    const auto scored = hand::ScoreHand(std::get<hand::HandInput>(input), hand::Figures::Myriad);
    if (const auto* error = std::get_if<hand::NotationError>(&scored)) {
        // 14 tiles that do not win: what each discard leaves.
        if (!ShowAnalysis(text)) {
            ShowError(error->japanese);
        }
        return;
    }
    ShowScore(std::get<hand::HandScore>(scored));
}

bool CHandDialog::ShowAnalysis(const hand::HandText& text) {
    const auto analysed = hand::AnalyzeWaits(text, "", hand::Figures::Myriad);
    if (const auto* error = std::get_if<hand::NotationError>(&analysed)) {
        ShowError(error->japanese);
        return true;
    }
    const hand::WaitAnalysis& analysis = std::get<hand::WaitAnalysis>(analysed);
    if (analysis.win) {
        return false;
    }
    std::vector<std::string> lines;
    std::vector<hand::Tile> buttons;
    const bool discards = !analysis.discards.empty();
    if (discards) {
        for (const hand::DiscardResult& discard : analysis.discards) {
            AddParts(lines, hand::DiscardParts(discard));
            AddWaits(lines, discard.waits);
            buttons.push_back(discard.tile);
        }
        lines.erase(lines.begin());
    } else {
        lines.push_back(Wrapped(hand::WaitsHead(analysis)));
        AddWaits(lines, analysis.waits);
        for (const hand::WaitResult& wait : analysis.waits) {
            buttons.push_back(wait.tile);
        }
    }
    ShowError("");
    SetDlgItemText(res::IDC_HAND_ERROR,
                   discards ? kDiscardsHint : (buttons.empty() ? "" : kWaitsHint));
    SetDlgItemText(res::IDC_HAND_DETAIL, Joined(lines));
    ShowWaitButtons(buttons, discards);
    return true;
}

void CHandDialog::ShowWaitButtons(const std::vector<hand::Tile>& tiles, bool discards) {
    m_waitTiles.assign(tiles.begin(),
                       tiles.begin() + static_cast<std::ptrdiff_t>(
                                           std::min(tiles.size(), std::size_t{res::kWaitButtons})));
    m_waitsAreDiscards = discards;
    for (int i = 0; i < res::kWaitButtons; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool shown = at < m_waitTiles.size();
        if (shown) {
            const res::Utf8Glyph glyph = res::TileUtf8(hand::TileCodePoint(m_waitTiles[at].index));
            SetDlgItemText(res::IDC_WAIT_FIRST + i, {glyph.data(), glyph.size()});
        }
        ShowControl(res::IDC_WAIT_FIRST + i, shown);
    }
}

// A wait goes into the hand as its winning tile; a discard leaves it.
void CHandDialog::OnWait(std::size_t index) {
    const hand::Tile tile = m_waitTiles[index];
    const std::string written = GetDlgItemText(res::IDC_HAND_TILES);
    if (!m_waitsAreDiscards) {
        SetDlgItemText(res::IDC_HAND_TILES, written + hand::TileName(tile));
        return;
    }
    auto parsed = hand::ParseTiles(written);
    auto* tiles = std::get_if<std::vector<hand::Tile>>(&parsed);
    if (tiles == nullptr) {
        return;
    }
    const auto found = std::find(tiles->begin(), tiles->end(), tile);
    if (found != tiles->end()) {
        tiles->erase(found);
        SetDlgItemText(res::IDC_HAND_TILES, hand::CompactNotation(*tiles));
    }
}

void CHandDialog::OnCopy() {
    if (!m_copyText.empty()) {
        winsys::SetClipboardText(m_copyText);
    }
}

void CHandDialog::OnApply() {
    if (m_toApply) {
        EndDialog(kApplied);
    }
}

}  // namespace velmarto::ui
