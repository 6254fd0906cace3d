// The parts of Dialog and App that every backend shares.
#include "winsys/dialog.h"

namespace velmarto::winsys {
namespace {

App* g_instance = nullptr;

}  // namespace

Dialog* Dialog::Owner() const {
    if (m_parent) {
        return m_parent;
    }
    // Dialogs opened without a parent belong to the application's main dialog.
    App* app = App::Instance();
    return app && app->m_pMainWnd != this ? app->m_pMainWnd : nullptr;
}

void Dialog::Command(int id) {
    if (id == kIdOk) {
        OnOK();
    } else if (id == kIdCancel) {
        OnCancel();
    } else {
        OnCommand(id);
    }
}

void Dialog::OnOK() {
    EndDialog(kIdOk);
}
void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

App::App() {
    g_instance = this;
}

App::~App() {
    if (g_instance == this) {
        g_instance = nullptr;
    }
}

App* App::Instance() {
    return g_instance;
}

}  // namespace velmarto::winsys
