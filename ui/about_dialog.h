// The version notice, opened from the score dialog's system menu.
#pragma once

#include "winsys/dialog.h"

namespace velmarto::ui {

class CAboutDialog : public winsys::Dialog {
public:
    CAboutDialog();
};

}  // namespace velmarto::ui
