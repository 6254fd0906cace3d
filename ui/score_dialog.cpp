// Score dialog handlers. The engine does the arithmetic; this file only reads and shows.
#include "ui/score_dialog.h"

#include "engine/score_report.h"
#include "res/dialogs.h"
#include "ui/about_dialog.h"
#include "ui/hand_dialog.h"

namespace velmarto::ui {
namespace {

constexpr std::string_view kPrompt = "ここに点数が表示されます";

// Defaults: 1 han (tens 0, units 1), 30 fu, dealer.
constexpr int kDefaultTens = 0;
constexpr int kDefaultUnits = 1;
constexpr int kDefaultFuIndex = 1;

}  // namespace

CScoreDialog::CScoreDialog(winsys::Dialog* parent)
    : winsys::Dialog(res::ScoreDialogTemplate(), parent) {}

bool CScoreDialog::OnInitDialog() {
    // The box starts from the still empty report, as a data exchange would show it.
    SetDlgItemText(res::IDC_RESULT, m_result);
    // The hand item goes before the About item, both after one separator.
    const std::string_view handItem = res::LoadString(res::IDS_HAND_ITEM);
    if (!handItem.empty()) {
        AppendSystemMenuItem(res::IDM_HAND, handItem);
    }
    const std::string_view aboutItem = res::LoadString(res::IDS_ABOUT_ITEM);
    if (!aboutItem.empty()) {
        AppendSystemMenuItem(res::IDM_ABOUT, aboutItem, handItem.empty());
    }
    SetIcon(m_hIcon);
    m_hanTens.SetCurSel(kDefaultTens);
    m_hanUnits.SetCurSel(kDefaultUnits);
    m_fu.SetCurSel(kDefaultFuIndex);
    m_dealer.SetCheck(1);
    m_nonDealer.SetCheck(0);
    m_result = kPrompt;
    SetDlgItemText(res::IDC_RESULT, m_result);
    m_unitNames = kUnitNames;
    Clear(m_registerA);
    Clear(m_registerB);
    Clear(m_registerC);
    return true;
}

void CScoreDialog::OnOK() {
    OnCalculate();
}

std::span<const winsys::CommandEntry<CScoreDialog>> CScoreDialog::MessageMap() {
    static constexpr winsys::CommandEntry<CScoreDialog> kMap[] = {
        {res::IDC_COPY, &CScoreDialog::OnCopyResult},
    };
    return kMap;
}

void CScoreDialog::OnCommand(int id) {
    winsys::DispatchCommand(*this, MessageMap(), id);
}

void CScoreDialog::OnCalculate() {
    EnableControl(res::IDC_COPY, true);
    const ScoreSelection selection{m_hanTens.GetCurSel(), m_hanUnits.GetCurSel(), m_fu.GetCurSel(),
                                   m_dealer.GetCheck()};
    m_result = ComposeScoreReport(selection, m_registerA, m_registerB, m_registerC, m_unitNames);
    SetDlgItemText(res::IDC_RESULT, m_result);
}

void CScoreDialog::OnCopyResult() {
    if (!m_result.empty()) {
        winsys::SetClipboardText(m_result);
    }
}

void CScoreDialog::OnHand() {
    CHandDialog dialog(this, &m_handMemory);
    if (dialog.DoModal() == CHandDialog::kApplied && dialog.ToApply()) {
        ApplyHand(*dialog.ToApply());
    }
}

void CScoreDialog::ApplyHand(const Hand& hand) {
    m_hanTens.SetCurSel(hand.han / 10);
    m_hanUnits.SetCurSel(hand.han % 10);
    m_fu.SetCurSel(FuIndexOf(hand.fu).value_or(kDefaultFuIndex));
    m_dealer.SetCheck(hand.seat == Seat::Dealer ? 1 : 0);
    m_nonDealer.SetCheck(hand.seat == Seat::Dealer ? 0 : 1);
    OnCalculate();
}

void CScoreDialog::OnSysCommand(unsigned id, long param) {
    if ((id & winsys::kSysCommandMask) == res::IDM_ABOUT) {
        CAboutDialog about(this);
        about.DoModal();
        return;
    }
    if ((id & winsys::kSysCommandMask) == res::IDM_HAND) {
        OnHand();
        return;
    }
    winsys::Dialog::OnSysCommand(id, param);
}

}  // namespace velmarto::ui
