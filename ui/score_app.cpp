// The one application object; the backend's entry point finds it and calls InitInstance.
#include "ui/score_app.h"

#include "ui/score_dialog.h"

namespace velmarto::ui {

bool CScoreApp::InitInstance() {
    CScoreDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

CScoreApp theApp;

}  // namespace velmarto::ui
