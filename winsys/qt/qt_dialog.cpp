// The Qt backend of Dialog: template controls mapped to Qt widgets, laid out in dialog units.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <iterator>
#include <vector>

#include "winsys/dialog_layout.h"
#include "winsys/qt/dialog_window.h"
#include "winsys/qt/qt_app.h"
#include "winsys/qt/tile_row.h"
#include "winsys/tile_grid.h"

namespace velmarto::winsys {
namespace {

// Left and Up go back through a group, Right and Down on.
struct ArrowStep {
    int key;
    int direction;
};

// What QLineEdit keeps free on each side of its text, inside the frame.
constexpr int kLineEditTextMargin = 2;

constexpr ArrowStep kArrowSteps[] = {
    {Qt::Key_Left, -1}, {Qt::Key_Up, -1}, {Qt::Key_Right, 1}, {Qt::Key_Down, 1}};

// The keys that move by rows in a grid of tile buttons.
struct GridStep {
    int key;
    GridKey gridKey;
};
constexpr GridStep kGridSteps[] = {{Qt::Key_Up, GridKey::Up},
                                   {Qt::Key_Down, GridKey::Down},
                                   {Qt::Key_Home, GridKey::Home},
                                   {Qt::Key_End, GridKey::End}};

bool IsEnter(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Windows' dialog base units: the rounded average width of the 52 Latin letters, and the height.
BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(letters / 26 + 1) / 2, metrics.height()};
}

// What Qt's own style needs to show a control's text unclipped.
MinimumSize MinimumSizeOf(const ControlTemplate& control, const QWidget* widget) {
    switch (control.kind) {
        case ControlKind::DropDownList:
            return {widget->sizeHint().width(), widget->sizeHint().height()};
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::AutoRadio:
        case ControlKind::CheckBox:
        case ControlKind::StaticText:
            return {widget->sizeHint().width(), 0};
        case ControlKind::Edit:
        case ControlKind::StaticIcon:
        case ControlKind::TileButton:
        case ControlKind::TileRow:
            break;
    }
    return {};
}

// Whether the edit box shows all of `text` without scrolling.
bool FitsIn(const QLineEdit& edit, const QString& text) {
    const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
    const int room = edit.contentsRect().width() - 2 * (frame + kLineEditTextMargin);
    return edit.fontMetrics().horizontalAdvance(text) <= room;
}

// A text too wide for its box, for a tooltip: lines break only before a full-width space or a
// slash, which is where a report passes to its next payment, never inside a figure.
QString ToolTipLines(const QString& text) {
    QString lines = text.toHtmlEscaped();
    for (const QString& breakBefore : {QStringLiteral("　"), QStringLiteral("／")}) {
        lines.replace(breakBefore, "<br>" + breakBefore);
    }
    return "<p style=\"white-space:pre\">" + lines + "</p>";
}

bool TypedEdit(const ControlTemplate& control) {
    return control.kind == ControlKind::Edit && !(control.style & kReadOnly);
}

// Tab visits tab stops only; the arrow keys and the mouse reach every button, as on Windows.
Qt::FocusPolicy FocusPolicyOf(const ControlTemplate& control) {
    if (control.style & kTabStop) {
        return Qt::StrongFocus;
    }
    const bool button =
        control.kind == ControlKind::AutoRadio || control.kind == ControlKind::CheckBox ||
        control.kind == ControlKind::PushButton || control.kind == ControlKind::TileButton;
    return button ? Qt::ClickFocus : Qt::NoFocus;
}

}  // namespace

DialogWindow::DialogWindow(Dialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {
    const DialogTemplate& dialog = owner.Template();
    setWindowTitle(qt::ToQt(dialog.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialog.style & kAppWindow) {
        flags = (flags & ~Qt::Dialog) | Qt::Window;
    }
    if (dialog.style & kMinimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    setWindowFlags(flags);
    setSizeGripEnabled(false);
    CreateControls();
}

QWidget* DialogWindow::CreateControl(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::DropDownList: {
            auto* combo = new QComboBox(this);
            for (std::string_view item : control.items) {
                combo->addItem(qt::ToQt(item));
            }
            combo->setCurrentIndex(-1);
            return combo;
        }
        case ControlKind::AutoRadio:
            return new QRadioButton(qt::ToQt(control.text), this);
        case ControlKind::DefPushButton:
        case ControlKind::PushButton: {
            auto* button = new QPushButton(qt::ToQt(control.text), this);
            // Only the template's default button answers Enter from elsewhere, as on Windows:
            // Qt would otherwise make the first button of a dialog without one its default.
            button->setAutoDefault(false);
            button->setDefault(control.kind == ControlKind::DefPushButton);
            return button;
        }
        case ControlKind::Edit:
            return CreateEdit(control);
        case ControlKind::CheckBox:
            return new QCheckBox(qt::ToQt(control.text), this);
        case ControlKind::TileButton: {
            auto* button =
                new qt::TileButton(qt::ToQt(control.text), (control.style & kRed) != 0, this);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::TileRow:
            return new qt::TileRow(this);
        case ControlKind::StaticText: {
            auto* label = new QLabel(qt::ToQt(control.text), this);
            label->setTextFormat(Qt::PlainText);
            // Windows draws a static text from the top of its rectangle; the template relies on it.
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::StaticIcon: {
            auto* label = new QLabel(this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
    }
    return nullptr;
}

QWidget* DialogWindow::CreateEdit(const ControlTemplate& control) {
    const int id = control.id;
    if (control.style & kMultiLine) {
        auto* text = new QPlainTextEdit(this);
        text->setReadOnly(control.style & kReadOnly);
        // A caret shows where the focus is, and the keys select and scroll as in any text.
        text->setTextInteractionFlags(text->textInteractionFlags() | Qt::TextSelectableByKeyboard);
        text->setTabChangesFocus(true);
        if (!text->isReadOnly()) {
            connect(text, &QPlainTextEdit::textChanged, this, [this, id] { m_owner.OnChange(id); });
        }
        return text;
    }
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(control.style & kReadOnly);
    edit->setFrame(control.style & kBorder);
    // A read-only box changes only when the dialog sets it, and the dialog knows when it does.
    if (!edit->isReadOnly()) {
        connect(edit, &QLineEdit::textChanged, this, [this, id] { m_owner.OnChange(id); });
        edit->installEventFilter(this);  // for Backspace at the end
    }
    return edit;
}

void DialogWindow::CreateControls() {
    const DialogTemplate& dialog = m_owner.Template();
    std::vector<MinimumSize> minimum;
    QButtonGroup* radioGroup = nullptr;
    int group = 0;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control);
        if (control.style & kGroup) {
            radioGroup = nullptr;
            ++group;
        }
        m_groupOf.push_back(group);
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!radioGroup) {
                radioGroup = new QButtonGroup(this);
            }
            radioGroup->addButton(radio);
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const int id = control.id;
            connect(combo, &QComboBox::currentIndexChanged, this,
                    [this, id] { m_owner.OnChange(id); });
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { m_owner.Command(id); });
            // Arrow keys on a button move through its group; lists and edit boxes keep theirs.
            button->installEventFilter(this);
        }
        widget->setFocusPolicy(FocusPolicyOf(control));
        // A box the user types in keeps its edit menu; every other control leaves its right
        // click to the dialog, which opens the window menu.
        widget->setContextMenuPolicy(TypedEdit(control) ? Qt::DefaultContextMenu
                                                        : Qt::NoContextMenu);
        m_idOf.insert(widget, control.id);
        widget->setEnabled(!(control.style & kDisabled));
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(qt::ToQt(control.accessibleName));
        }
        if (!control.toolTip.empty()) {
            widget->setToolTip(qt::ToQt(control.toolTip));
        }
        if (control.style & kTabStop) {
            m_tabStops.append(widget);
        }
        if (control.id != -1) {
            m_controls.insert(control.id, widget);
        }
        m_widgets.push_back(widget);
        minimum.push_back(MinimumSizeOf(control, widget));
    }
    const Layout layout = LayOutDialog(dialog, BaseUnitsOf(font()), minimum);
    for (std::size_t i = 0; i < m_widgets.size(); ++i) {
        const PixelRect& rect = layout.controls[i];
        m_widgets[i]->setGeometry(rect.x, rect.y, rect.width, rect.height);
        const ControlTemplate& control = dialog.controls[i];
        if (control.kind == ControlKind::StaticIcon) {
            const int side = std::min(rect.width, rect.height);
            static_cast<QLabel*>(m_widgets[i])
                ->setPixmap(qt::LoadIcon({control.iconId}).pixmap(side, side));
        }
    }
    for (qsizetype i = 1; i < m_tabStops.size(); ++i) {
        setTabOrder(m_tabStops[i - 1], m_tabStops[i]);
    }
    setFixedSize(layout.width, layout.height);
}

void DialogWindow::AddSystemMenuItem(unsigned command, const QString& text, bool separator) {
    // The context menu holds only the dialog's own items: a separator goes between two of them.
    if (separator && !m_systemMenu.isEmpty()) {
        m_systemMenu.append({kSeparator, QString()});
    }
    m_systemMenu.append({command, text});
}

void DialogWindow::EnableSystemMenuItem(unsigned command, bool enable) {
    if (enable) {
        m_disabledCommands.remove(command);
    } else {
        m_disabledCommands.insert(command);
    }
}

void DialogWindow::FocusFirstTabStop() {
    for (QWidget* widget : m_tabStops) {
        if (widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void DialogWindow::reject() {
    m_owner.OnCancel();
}

// A dialog takes the keyboard as it opens, also where no window manager hands it over.
void DialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu.isEmpty()) {
        QDialog::contextMenuEvent(event);
        return;
    }
    ShowSystemMenu(event->globalPos(), event->reason() == QContextMenuEvent::Mouse
                                           ? MenuOpenedBy::Mouse
                                           : MenuOpenedBy::Keyboard);
}

// The Menu key and Shift+F10 open the menu below the focused control.
void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier) ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    QWidget* focus = focusWidget() ? focusWidget() : this;
    // A box the user types in opens its own edit menu, at the caret, as a right click does.
    if (auto* edit = qobject_cast<QLineEdit*>(focus);
        menuKey && edit && edit->contextMenuPolicy() == Qt::DefaultContextMenu) {
        const QPoint at = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &menu);
        return;
    }
    if (menuKey && !m_systemMenu.isEmpty()) {
        ShowSystemMenu(focus->mapToGlobal(QPoint(0, focus->height())), MenuOpenedBy::Keyboard);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Tab and Shift+Tab as the Windows dialog manager has them: the next tab stop in template order
// from the focused control, wherever it is, a button reached by arrows included; of a group of
// radio buttons only the checked one.
bool DialogWindow::focusNextPrevChild(bool next) {
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), focusWidget());
    if (found == m_widgets.end()) {
        return QDialog::focusNextPrevChild(next);
    }
    const std::span<const ControlTemplate> controls = m_owner.Template().controls;
    const auto count = static_cast<std::ptrdiff_t>(m_widgets.size());
    const std::ptrdiff_t start = found - m_widgets.begin();
    for (std::ptrdiff_t n = 1; n <= count; ++n) {
        const auto i =
            static_cast<std::size_t>(((start + (next ? n : -n)) % count + count) % count);
        QWidget* candidate = m_widgets[i];
        const auto* radio = qobject_cast<const QRadioButton*>(candidate);
        const bool passedOver =
            radio && !radio->isChecked() && radio->group() && radio->group()->checkedButton();
        if ((controls[i].style & kTabStop) && candidate->isVisible() && candidate->isEnabled() &&
            !passedOver) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        const bool atEnd =
            !edit->hasSelectedText() && edit->cursorPosition() == edit->text().size();
        const bool backspace =
            key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier;
        return backspace && atEnd && m_owner.OnEditBackspace(m_idOf.value(edit));
    }
    auto* watchedWidget = static_cast<QWidget*>(watched);
    // Enter on a button presses it, a tile button too; elsewhere Enter is the default button's.
    if (auto* push = qobject_cast<QPushButton*>(watched); push && IsEnter(*key)) {
        push->click();
        return true;
    }
    if (MoveInGrid(watchedWidget, *key)) {
        return true;
    }
    const auto step = std::find_if(std::begin(kArrowSteps), std::end(kArrowSteps),
                                   [&](const ArrowStep& entry) { return entry.key == key->key(); });
    if (step == std::end(kArrowSteps) || key->modifiers() != Qt::NoModifier) {
        return QDialog::eventFilter(watched, event);
    }
    MoveInGroup(watchedWidget, step->direction);
    return true;
}

bool DialogWindow::MoveInGrid(QWidget* from, const QKeyEvent& key) {
    const auto step = std::find_if(std::begin(kGridSteps), std::end(kGridSteps),
                                   [&](const GridStep& entry) { return entry.key == key.key(); });
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), from);
    if (step == std::end(kGridSteps) || key.modifiers() != Qt::NoModifier ||
        found == m_widgets.end()) {
        return false;
    }
    const DialogTemplate& dialog = m_owner.Template();
    const auto index = static_cast<std::size_t>(found - m_widgets.begin());
    if (dialog.controls[index].kind != ControlKind::TileButton) {
        return false;
    }
    if (const auto target = GridTarget(dialog, index, step->gridKey)) {
        m_widgets[*target]->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

// As the Windows dialog manager does: the next control of the group that can take the focus,
// wrapping at the group's ends; a radio button reached this way is checked, as if clicked.
void DialogWindow::MoveInGroup(QWidget* from, int direction) {
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), from);
    if (found == m_widgets.end()) {
        return;
    }
    const auto count = static_cast<std::ptrdiff_t>(m_widgets.size());
    const std::ptrdiff_t start = found - m_widgets.begin();
    for (std::ptrdiff_t n = 1; n < count; ++n) {
        const std::ptrdiff_t i = ((start + direction * n) % count + count) % count;
        QWidget* candidate = m_widgets[static_cast<std::size_t>(i)];
        if (m_groupOf[static_cast<std::size_t>(i)] != m_groupOf[static_cast<std::size_t>(start)]) {
            continue;
        }
        if (candidate->focusPolicy() == Qt::NoFocus || !candidate->isEnabled()) {
            continue;
        }
        candidate->setFocus(Qt::OtherFocusReason);
        if (auto* radio = qobject_cast<QRadioButton*>(candidate); radio && !radio->isChecked()) {
            radio->click();
        }
        return;
    }
}

void DialogWindow::ShowSystemMenu(const QPoint& globalPos, MenuOpenedBy openedBy) {
    QMenu menu(this);
    for (const auto& [command, text] : m_systemMenu) {
        const unsigned id = command;
        if (id == kSeparator) {
            menu.addSeparator();
        } else {
            menu.addAction(text, this, [this, id] { m_owner.OnSysCommand(id, 0); })
                ->setEnabled(!m_disabledCommands.contains(id));
        }
    }
    // From the keyboard the first item that can be chosen is highlighted, so Enter chooses it.
    if (openedBy == MenuOpenedBy::Keyboard) {
        const QList<QAction*> actions = menu.actions();
        const auto first = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
            return action->isEnabled() && !action->isSeparator();
        });
        menu.setActiveAction(first != actions.end() ? *first : nullptr);
    }
    menu.exec(globalPos);
}

Dialog::Dialog(const DialogTemplate& dialogTemplate, Dialog* parent)
    : m_template(dialogTemplate), m_parent(parent) {}

Dialog::~Dialog() = default;

int Dialog::DoModal() {
    Dialog* owner = Owner();
    m_window = std::make_unique<DialogWindow>(*this, owner ? owner->Window() : nullptr);
    m_window->setWindowModality(Qt::ApplicationModal);
    if (OnInitDialog()) {
        m_window->FocusFirstTabStop();
    }
    const int result = m_window->exec();
    m_window.reset();
    // The owner takes the keyboard back, as Windows hands activation back to it.
    if (owner && owner->Window()) {
        owner->Window()->activateWindow();
    }
    return result;
}

void Dialog::EndDialog(int result) {
    if (m_window) {
        m_window->done(result);
    }
}

// Qt's window menu belongs to the window manager; nothing of it reaches the dialog.
void Dialog::Default() {}

int Dialog::GetCurSel(int id) const {
    const auto* combo = qobject_cast<const QComboBox*>(m_window->Control(id));
    return combo ? combo->currentIndex() : -1;
}

void Dialog::SetCurSel(int id, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(m_window->Control(id))) {
        combo->setCurrentIndex(index);
    }
}

int Dialog::GetCheck(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(m_window->Control(id));
    return button && button->isChecked() ? 1 : 0;
}

void Dialog::SetCheck(int id, int check) {
    auto* button = qobject_cast<QAbstractButton*>(m_window->Control(id));
    if (!button) {
        return;
    }
    // An exclusive group refuses to uncheck its checked button directly.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive) {
        group->setExclusive(false);
    }
    button->setChecked(check > 0);
    if (exclusive) {
        group->setExclusive(true);
    }
}

void Dialog::EnableControl(int id, bool enable) {
    if (QWidget* widget = m_window->Control(id)) {
        widget->setEnabled(enable);
    }
}

void Dialog::ShowControl(int id, bool show) {
    if (QWidget* widget = m_window->Control(id)) {
        widget->setVisible(show);
    }
}

void Dialog::SetDlgItemText(int id, std::string_view text) {
    QWidget* widget = m_window->Control(id);
    const QString qtext = qt::ToQt(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(qtext);
        // A report is read from its start; typed text goes on at its end.
        edit->setCursorPosition(edit->isReadOnly() ? 0 : edit->text().size());
        edit->setToolTip(FitsIn(*edit, qtext) ? QString() : ToolTipLines(qtext));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setPlainText(qtext);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qtext);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(qtext);
    }
}

std::string Dialog::GetDlgItemText(int id) const {
    const QWidget* widget = m_window->Control(id);
    QString text;
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        text = edit->text();
    } else if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        text = plain->toPlainText();
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        text = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text = button->text();
    }
    return text.toStdString();
}

void Dialog::SetTileRow(int id, std::span<const TileFace> tiles) {
    if (auto* row = qobject_cast<qt::TileRow*>(m_window->Control(id))) {
        row->SetTiles({tiles.begin(), tiles.end()});
    }
}

bool Dialog::AppendSystemMenuItem(unsigned command, std::string_view text, bool separator) {
    m_window->AddSystemMenuItem(command, qt::ToQt(text), separator);
    return true;
}

void Dialog::EnableSystemMenuItem(unsigned command, bool enable) {
    m_window->EnableSystemMenuItem(command, enable);
}

void Dialog::SetIcon(Icon icon) {
    m_window->setWindowIcon(qt::LoadIcon(icon));
}

}  // namespace velmarto::winsys
