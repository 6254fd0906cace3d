// The Qt window behind a winsys::Dialog.
#pragma once

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <vector>

#include "winsys/dialog.h"

class QContextMenuEvent;
class QKeyEvent;

namespace velmarto::winsys {

class DialogWindow : public QDialog {
    Q_OBJECT

public:
    DialogWindow(Dialog& owner, QWidget* parent);

    QWidget* Control(int id) const { return m_controls.value(id); }
    void AddSystemMenuItem(unsigned command, const QString& text, bool separator);
    void EnableSystemMenuItem(unsigned command, bool enable);
    // The command of a separator among the system menu's items.
    static constexpr unsigned kSeparator = 0;
    // The items that the context menu offers for the system menu X11 and Wayland lack.
    const QList<QPair<unsigned, QString>>& SystemMenuItems() const { return m_systemMenu; }
    void FocusFirstTabStop();

    void reject() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class MenuOpenedBy { Mouse, Keyboard };
    void ShowSystemMenu(const QPoint& globalPos, MenuOpenedBy openedBy);
    void MoveInGroup(QWidget* from, int direction);
    // Up, Down, Home and End in a grid of tile buttons; false for any other key or control.
    bool MoveInGrid(QWidget* from, const QKeyEvent& key);
    void CreateControls();
    QWidget* CreateControl(const ControlTemplate& control);
    QWidget* CreateEdit(const ControlTemplate& control);

    Dialog& m_owner;
    QHash<int, QWidget*> m_controls;
    std::vector<QWidget*> m_widgets;  // in template order
    std::vector<int> m_groupOf;       // each control's arrow-key group, in template order
    QHash<const QObject*, int> m_idOf;
    QList<QWidget*> m_tabStops;
    QList<QPair<unsigned, QString>> m_systemMenu;
    QSet<unsigned> m_disabledCommands;
};

}  // namespace velmarto::winsys
