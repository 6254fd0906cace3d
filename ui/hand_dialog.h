// The hand dialog: tiles in by keyboard or palette, the yaku, fu and exact report out, counted
// again on every change; the count can be copied or handed to the score window.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_input.h"
#include "engine/score_report.h"
#include "res/resource.h"
#include "winsys/dialog.h"

namespace velmarto::ui {

// What the dialog keeps of its last use, so that it opens again as it was left: each box's text,
// check and selection, by control id.
struct HandDialogMemory {
    std::map<int, std::string> texts;
    std::map<int, int> checks;
    std::map<int, int> selections;
};

class CHandDialog : public winsys::Dialog {
public:
    // With `memory`, the dialog opens as it was last left and keeps what it is left with.
    explicit CHandDialog(winsys::Dialog* parent, HandDialogMemory* memory = nullptr);

    // What DoModal returns when "点数画面に反映" closed the dialog.
    static constexpr int kApplied = res::IDC_HAND_APPLY;

    // The hand for the score window's selectors, when it has at most 119 han (0 without yaku).
    const std::optional<Hand>& ToApply() const { return m_toApply; }
    // What the copy button puts on the clipboard: the report line, then the settlement line when
    // there are honba or sticks.
    const std::string& CopyText() const { return m_copyText; }

protected:
    bool OnInitDialog() override;
    // Enter in a box adds nothing and closes nothing; on a button, the button acts.
    void OnOK() override {}
    void OnCommand(int id) override;
    void OnChange(int id) override;
    bool OnEditBackspace(int id) override;
    // The window menu: the dialog's actions and the version notice.
    void OnSysCommand(unsigned id, long param) override;

private:
    static std::span<const winsys::CommandEntry<CHandDialog>> MessageMap();
    // A called set as written in its box.
    using CalledSet = std::pair<hand::MeldKind, std::string>;

    void Recount();
    void ShowTiles(const std::string& tiles, const std::vector<CalledSet>& sets);
    void ShowError(std::string_view japanese);
    void ShowScore(const hand::HandScore& score);
    // The waits of 13 tiles, or the discards of 14 that do not win; false when they win.
    bool ShowAnalysis(const hand::HandText& text);
    void ShowWaitButtons(const std::vector<hand::Tile>& tiles, bool discards);
    void OnWait(std::size_t index);
    void Remember() const;
    void Restore();
    // The situation the boxes describe; `countError` says which count box holds no count.
    hand::Situation ReadSituation(std::string& countError) const;
    void AddMenuItems();
    // The copy and apply buttons and their menu items, together.
    void EnableActions(bool copy, bool apply);
    void OnCopy();
    void OnApply();

    HandDialogMemory* m_memory;
    std::string m_copyText;
    std::optional<Hand> m_toApply;
    bool m_restoring = false;
    std::vector<hand::Tile> m_waitTiles;  // on the wait buttons, in order
    bool m_waitsAreDiscards = false;
};

}  // namespace velmarto::ui
