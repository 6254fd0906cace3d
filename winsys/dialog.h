// The small window-system layer the dialogs are written against: a modal dialog built from a
// template, its handlers, and the control operations the dialogs use. Backends implement it.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "winsys/dialog_template.h"

namespace velmarto::winsys {

class DialogWindow;  // the backend's window behind a Dialog

// System-menu commands keep their low four bits for the system's own use.
inline constexpr unsigned kSysCommandMask = 0xFFF0;
// The window system's own Close command: a dialog that offers it in its menu gets the one the
// system menu already has, where there is one.
inline constexpr unsigned kSysClose = 0xF060;

// An icon resource, by id; the backend loads the image.
struct Icon {
    int resourceId = 0;
};

class Dialog {
public:
    Dialog(const DialogTemplate& dialogTemplate, Dialog* parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Builds the window, runs it until EndDialog, and returns the code given there. The parent,
    // or the application's main dialog when there is none, is disabled meanwhile.
    int DoModal();
    void EndDialog(int result);

    // Control operations; `id` is a control id of the template.
    int GetCurSel(int id) const;  // -1 when nothing is selected
    void SetCurSel(int id, int index);
    int GetCheck(int id) const;  // 1 checked, 0 not
    void SetCheck(int id, int check);
    void EnableControl(int id, bool enable);
    void ShowControl(int id, bool show);
    void SetDlgItemText(int id, std::string_view text);
    // An edit box's text ("\n" between lines), or a label's or button's.
    std::string GetDlgItemText(int id) const;
    // The tiles a tile row shows, left to right; a face with glyph 0 leaves a gap.
    void SetTileRow(int id, std::span<const TileFace> tiles);

    // Appends an item that delivers `command` to OnSysCommand, after a separator unless
    // `separator` is false. Returns false when the window has no system menu. The menu opens
    // from the title bar where the window system has one, and by right click, Shift+F10 and the
    // Menu key from every control but a box the user types in, which keeps its own edit menu.
    bool AppendSystemMenuItem(unsigned command, std::string_view text, bool separator = true);
    // Greys out an item added by AppendSystemMenuItem, or makes it available again.
    void EnableSystemMenuItem(unsigned command, bool enable);
    void SetIcon(Icon icon);

    const DialogTemplate& Template() const { return m_template; }
    DialogWindow* Window() const { return m_window.get(); }

protected:
    // Called once the controls exist; returning true gives the first tab stop the focus.
    virtual bool OnInitDialog() { return true; }
    // Enter or the default button.
    virtual void OnOK();
    // Esc or the close box.
    virtual void OnCancel();
    // A control's command (a button click), other than OK and Cancel.
    virtual void OnCommand(int /*id*/) {}
    // A typed edit box's text or a list's selection changed, by the user or by the program.
    virtual void OnChange(int /*id*/) {}
    // Backspace in an edit box with the caret after the last character and nothing selected;
    // returning true means the dialog has handled it, and the character stays.
    virtual bool OnEditBackspace(int /*id*/) { return false; }
    // A system-menu command; by default the window system handles it (move, minimize, close).
    virtual void OnSysCommand(unsigned /*id*/, long /*param*/) { Default(); }
    // Lets the window system's own handling run for the message being handled.
    void Default();

private:
    friend class DialogWindow;
    // Routes a button's command: OK and Cancel to their handlers, the rest to OnCommand.
    void Command(int id);

    // The dialog disabled while this one runs: the parent, else the application's main dialog.
    Dialog* Owner() const;

    const DialogTemplate& m_template;
    Dialog* m_parent;
    std::unique_ptr<DialogWindow> m_window;
};

// A control of a dialog, as a member object bound to its id.
class Control {
public:
    Control(Dialog& dialog, int id) : m_dialog(dialog), m_id(id) {}

protected:
    Dialog& m_dialog;
    int m_id;
};

class ComboBox : public Control {
public:
    using Control::Control;
    int GetCurSel() const { return m_dialog.GetCurSel(m_id); }
    void SetCurSel(int index) { m_dialog.SetCurSel(m_id, index); }
};

class Button : public Control {
public:
    using Control::Control;
    int GetCheck() const { return m_dialog.GetCheck(m_id); }
    void SetCheck(int check) { m_dialog.SetCheck(m_id, check); }
};

// A derived dialog's command handlers, bound to control ids by a table.
template <typename D>
struct CommandEntry {
    int id;
    void (D::*handler)();
};

template <typename D>
bool DispatchCommand(D& dialog, std::span<const CommandEntry<D>> map, int id) {
    for (const CommandEntry<D>& entry : map) {
        if (entry.id == id) {
            (dialog.*entry.handler)();
            return true;
        }
    }
    return false;
}

// The application: the backend's entry point calls InitInstance of the one instance.
class App {
public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Runs the program; returns false to end it.
    virtual bool InitInstance() = 0;

    static App* Instance();

    // The dialog that owns dialogs opened without a parent.
    Dialog* m_pMainWnd = nullptr;
};

// Puts UTF-8 text on the system clipboard as the platform's plain text. Returns false when the
// clipboard could not be taken.
bool SetClipboardText(std::string_view text);

}  // namespace velmarto::winsys
