// The hand dialog: tiles in by keyboard or palette, the yaku, fu and exact report out, counted
// again on every change; the count can be copied or handed to the score window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/hand/hand_input.h"
#include "engine/score_report.h"
#include "res/resource.h"
#include "winsys/dialog.h"

namespace velmarto::ui {

class CHandDialog : public winsys::Dialog {
public:
    explicit CHandDialog(winsys::Dialog* parent);

    // What DoModal returns when "点数画面に反映" closed the dialog.
    static constexpr int kApplied = res::IDC_HAND_APPLY;

    // The hand for the score window's selectors, when it has 1-119 han and a yaku.
    const std::optional<Hand>& ToApply() const { return m_toApply; }
    const std::string& Report() const { return m_report; }

protected:
    bool OnInitDialog() override;
    // Enter in a box adds nothing and closes nothing; on a button, the button acts.
    void OnOK() override {}
    void OnCommand(int id) override;
    void OnChange(int id) override;
    bool OnEditBackspace(int id) override;

private:
    static std::span<const winsys::CommandEntry<CHandDialog>> MessageMap();
    // A called set as written in its box.
    using CalledSet = std::pair<hand::MeldKind, std::string>;

    void Recount();
    void ShowTiles(const std::string& tiles, const std::vector<CalledSet>& sets);
    void ShowError(std::string_view japanese);
    hand::Situation ReadSituation(bool& numbersOk) const;
    void OnCopy();
    void OnApply();

    std::string m_report;
    std::optional<Hand> m_toApply;
};

}  // namespace velmarto::ui
