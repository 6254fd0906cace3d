// The version notice, opened from the window menu of the score and hand dialogs.
#pragma once

#include "winsys/dialog.h"

namespace velmarto::ui {

class CAboutDialog : public winsys::Dialog {
public:
    // Centred on `parent`, or on the application's main dialog without one.
    explicit CAboutDialog(winsys::Dialog* parent = nullptr);
};

}  // namespace velmarto::ui
