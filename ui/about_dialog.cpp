// The About box: its template does everything; OK and Esc close it.
#include "ui/about_dialog.h"

#include "res/dialogs.h"

namespace velmarto::ui {

CAboutDialog::CAboutDialog(winsys::Dialog* parent)
    : winsys::Dialog(res::AboutDialogTemplate(), parent) {}

}  // namespace velmarto::ui
