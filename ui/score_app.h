// The application: one score dialog, and the program ends when it closes.
#pragma once

#include "winsys/dialog.h"

namespace velmarto::ui {

class CScoreApp : public winsys::App {
public:
    bool InitInstance() override;
};

}  // namespace velmarto::ui
