// Start-up of a Qt program built on the window-system layer.
#pragma once

#include <QIcon>

#include "winsys/dialog.h"

namespace velmarto::winsys::qt {

// The dialog font, application-wide, so every dialog and message shares it.
void ApplyApplicationLook();

// The image of an icon resource.
QIcon LoadIcon(Icon icon);

}  // namespace velmarto::winsys::qt
