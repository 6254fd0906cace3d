// The dialog templates and the string table.
#pragma once

#include <string_view>

#include "winsys/dialog_template.h"

namespace velmarto::res {

const winsys::DialogTemplate& ScoreDialogTemplate();
const winsys::DialogTemplate& AboutDialogTemplate();
const winsys::DialogTemplate& HandDialogTemplate();

// A string of the string table, or empty when there is none with that id.
std::string_view LoadString(int id);

}  // namespace velmarto::res
