// The extended dialog template that Windows builds a dialog from, made from our template data.
#pragma once

#include <windows.h>

#include <vector>

#include "winsys/dialog_template.h"

namespace velmarto::winsys {

// The DLGTEMPLATEEX block with one DLGITEMTEMPLATEEX per control, in template order.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog);

// The window and control styles a template stands for.
DWORD DialogWindowStyle(const DialogTemplate& dialog);
DWORD ControlWindowStyle(const ControlTemplate& control);

}  // namespace velmarto::winsys
