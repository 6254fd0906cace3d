// The score window: fu, han and seat in, the exact report out, and a copy to the clipboard.
#pragma once

#include <span>
#include <string>

#include "engine/digit_register.h"
#include "engine/myriad.h"
#include "engine/score_report.h"
#include "res/resource.h"
#include "ui/hand_dialog.h"
#include "winsys/dialog.h"

namespace velmarto::ui {

class CScoreDialog : public winsys::Dialog {
public:
    explicit CScoreDialog(winsys::Dialog* parent = nullptr);

    const std::string& Result() const { return m_result; }

protected:
    bool OnInitDialog() override;
    // Enter and "計算！" calculate; the dialog stays open.
    void OnOK() override;
    void OnCommand(int id) override;
    void OnSysCommand(unsigned id, long param) override;

private:
    static std::span<const winsys::CommandEntry<CScoreDialog>> MessageMap();
    void OnCalculate();
    void OnCopyResult();
    void OnHand();
    // Sets the selectors to a counted hand and calculates it.
    void ApplyHand(const Hand& hand);

    winsys::Button m_dealer{*this, res::IDC_DEALER};
    winsys::Button m_nonDealer{*this, res::IDC_NONDEALER};
    winsys::ComboBox m_hanUnits{*this, res::IDC_HAN_UNITS};
    winsys::ComboBox m_hanTens{*this, res::IDC_HAN_TENS};
    winsys::ComboBox m_fu{*this, res::IDC_FU};
    std::string m_result;
    HandDialogMemory m_handMemory;
    winsys::Icon m_hIcon{res::IDI_APP};
    DigitRegister m_registerA{};
    DigitRegister m_registerB{};
    DigitRegister m_registerC{};
    UnitNames m_unitNames{};
};

}  // namespace velmarto::ui
