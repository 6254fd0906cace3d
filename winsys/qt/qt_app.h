// Start-up of a Qt program built on the window-system layer.
#pragma once

#include <QIcon>
#include <QString>
#include <string_view>

#include "winsys/dialog.h"

namespace velmarto::winsys::qt {

// The dialog font and the style with its focus marks, application-wide, so every dialog and
// message shares them.
void ApplyApplicationLook();

// UTF-8 text as a Qt string.
QString ToQt(std::string_view text);

// The image of an icon resource.
QIcon LoadIcon(Icon icon);

}  // namespace velmarto::winsys::qt
