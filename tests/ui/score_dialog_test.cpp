// The score dialog on the Qt backend, driven with the mouse and keyboard inside its modal loop.
#include "ui/score_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "res/resource.h"
#include "tests/ui/qt_test_support.h"
#include "winsys/qt/dialog_window.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace velmarto::ui {
namespace {

using winsys::DialogWindow;
using namespace test;
namespace res = velmarto::res;

constexpr const char* kPrompt = "ここに点数が表示されます";
constexpr const char* kDefaultReport = "点数＝1500点　子の支払い 500点オール";

QString Text(DialogWindow& window, int id) {
    return qobject_cast<QLineEdit*>(window.Control(id))->text();
}

QComboBox* Combo(DialogWindow& window, int id) {
    return qobject_cast<QComboBox*>(window.Control(id));
}

void Click(DialogWindow& window, int id) {
    QTest::mouseClick(window.Control(id), Qt::LeftButton);
}

TEST(ScoreDialog, OpensOnTheDefaults) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        EXPECT_EQ(window.windowTitle(), "velmarto計算 Ver0.1");
        EXPECT_EQ(Combo(window, res::IDC_HAN_TENS)->currentIndex(), 0);
        EXPECT_EQ(Combo(window, res::IDC_HAN_UNITS)->currentIndex(), 1);
        EXPECT_EQ(Combo(window, res::IDC_FU)->currentIndex(), 1);
        EXPECT_EQ(Combo(window, res::IDC_FU)->count(), 19);
        EXPECT_EQ(Combo(window, res::IDC_FU)->itemText(18), "200");
        EXPECT_EQ(Combo(window, res::IDC_HAN_TENS)->itemText(11), " 11");
        EXPECT_TRUE(qobject_cast<QRadioButton*>(window.Control(res::IDC_DEALER))->isChecked());
        EXPECT_FALSE(qobject_cast<QRadioButton*>(window.Control(res::IDC_NONDEALER))->isChecked());
        EXPECT_EQ(Text(window, res::IDC_RESULT), kPrompt);
        EXPECT_FALSE(window.Control(res::IDC_COPY)->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), window.Control(res::IDC_HAN_TENS));
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
        EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_EQ(window.Control(res::IDC_RESULT)->accessibleName(), "点数");
        EXPECT_EQ(window.Control(res::IDC_FU)->accessibleName(), "符");
    });
}

TEST(ScoreDialog, NoTextIsClippedAndTheRowReadsLeftToRight) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        const QList<QWidget*> row = {
            window.Control(res::IDC_FU),        window.Control(res::IDC_HAN_TENS),
            window.Control(res::IDC_HAN_UNITS), window.Control(res::IDC_DEALER),
            window.Control(res::IDC_NONDEALER), window.Control(res::IDOK),
            window.Control(res::IDC_COPY)};
        for (qsizetype i = 0; i < row.size(); ++i) {
            EXPECT_GE(row[i]->width(), row[i]->sizeHint().width()) << i;
            if (i > 0) {
                EXPECT_LE(row[i - 1]->geometry().right(), row[i]->x()) << i;
            }
            EXPECT_LE(row[i]->geometry().right(), window.width()) << i;
        }
        for (QLabel* label : window.findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    });
}

// The first row of pixels, from the top, that differs from the widget's background.
int FirstInkRow(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                return y;
            }
        }
    }
    return image.height();
}

TEST(ScoreDialog, LabelsDrawFromTheTopOfTheirRectangle) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue;  // the About box's icon
            }
            EXPECT_LE(FirstInkRow(*label), label->fontMetrics().ascent() / 3)
                << label->text().toStdString() << " is " << label->height() << " px tall";
        }
    });
}

TEST(ScoreDialog, ArrowKeysMoveThroughTheButtonGroup) {
    // The seat buttons, the two push buttons and the result box are one group, wrapping at its
    // ends; a seat button reached by an arrow is checked. The copy button is still disabled.
    const struct {
        int from;
        Qt::Key key;
        int to;
        int checkedSeat;
    } cases[] = {
        {res::IDC_DEALER, Qt::Key_Right, res::IDC_NONDEALER, res::IDC_NONDEALER},
        {res::IDC_NONDEALER, Qt::Key_Right, res::IDOK, res::IDC_NONDEALER},
        {res::IDOK, Qt::Key_Down, res::IDC_RESULT, res::IDC_NONDEALER},
        {res::IDOK, Qt::Key_Left, res::IDC_NONDEALER, res::IDC_NONDEALER},
        {res::IDC_NONDEALER, Qt::Key_Up, res::IDC_DEALER, res::IDC_DEALER},
        {res::IDC_DEALER, Qt::Key_Left, res::IDC_RESULT, res::IDC_DEALER},
    };
    CScoreDialog dialog;
    RunModal(dialog, [&](DialogWindow& window) {
        for (const auto& c : cases) {
            window.Control(c.from)->setFocus();
            QTest::keyClick(window.Control(c.from), c.key);
            EXPECT_EQ(QApplication::focusWidget(), window.Control(c.to)) << c.from << " " << c.key;
            EXPECT_TRUE(qobject_cast<QRadioButton*>(window.Control(c.checkedSeat))->isChecked())
                << c.from << " " << c.key;
        }
    });
}

TEST(ScoreDialog, TooltipShowsOnlyAReportWiderThanTheBoxInWholeFigures) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        Combo(window, res::IDC_HAN_TENS)->setCurrentIndex(11);
        Combo(window, res::IDC_HAN_UNITS)->setCurrentIndex(9);
        Combo(window, res::IDC_FU)->setCurrentIndex(18);
        Click(window, res::IDC_NONDEALER);
        Click(window, res::IDOK);
        QTextDocument tooltip;
        tooltip.setHtml(window.Control(res::IDC_RESULT)->toolTip());
        EXPECT_EQ(tooltip.toPlainText().split(QChar::ParagraphSeparator).join("\n"),
                  "点数＝2126澗7647溝9325穣5865杼3966垓4609京1296兆4485億5132万1600点\n"
                  "　親の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点\n"
                  "／子の支払い 531澗6911溝9831穣3966杼3491垓6152京2824兆1121億3783万0400点");
        Combo(window, res::IDC_HAN_TENS)->setCurrentIndex(0);
        Click(window, res::IDOK);
        EXPECT_EQ(window.Control(res::IDC_RESULT)->toolTip(), "");
    });
}

TEST(ScoreDialog, EnterCalculatesAndKeepsTheDialogOpen) {
    CScoreDialog dialog;
    RunModal(dialog, [&](DialogWindow& window) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Text(window, res::IDC_RESULT), kDefaultReport);
        EXPECT_EQ(window.Control(res::IDC_RESULT)->toolTip(), "") << "the report fits the box";
        EXPECT_EQ(dialog.Result(), kDefaultReport);
        EXPECT_TRUE(window.Control(res::IDC_COPY)->isEnabled());
    });
}

TEST(ScoreDialog, SelectionsGiveTheirReports) {
    const struct {
        int tens, units, fuIndex;
        bool dealer;
        const char* report;
    } cases[] = {
        {0, 1, 1, false, "点数＝1000点　親の支払い 500点／子の支払い 300点"},
        {0, 4, 1, true, "点数＝1万1600点　子の支払い 3900点オール"},
        {1, 3, 1, false, "点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点"},
        {0, 0, 5, true, "役無しチョンボ！ 子への支払い オール4000点"},
        {0, 0, 5, false, "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"},
        {11, 9, 18, true,
         "点数＝3190澗1471溝8988穣3798杼0949垓6913京6944兆6728億2698万2400点"
         "　子の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点オール"},
    };
    CScoreDialog dialog;
    RunModal(dialog, [&](DialogWindow& window) {
        for (const auto& c : cases) {
            Combo(window, res::IDC_HAN_TENS)->setCurrentIndex(c.tens);
            Combo(window, res::IDC_HAN_UNITS)->setCurrentIndex(c.units);
            Combo(window, res::IDC_FU)->setCurrentIndex(c.fuIndex);
            Click(window, c.dealer ? res::IDC_DEALER : res::IDC_NONDEALER);
            Click(window, res::IDOK);
            EXPECT_EQ(Text(window, res::IDC_RESULT), c.report);
            EXPECT_TRUE(window.Control(res::IDC_COPY)->isEnabled());
        }
    });
}

TEST(ScoreDialog, KeyboardChangesSelectionsAndSeat) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // han tens 0 -> 1
        QTest::keyClick(&window, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // han units 1 -> 2
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Text(window, res::IDC_RESULT), "点数＝294万9200点　子の支払い 98万3100点オール");
        window.Control(res::IDC_DEALER)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);  // to 子, checking it
        EXPECT_TRUE(qobject_cast<QRadioButton*>(window.Control(res::IDC_NONDEALER))->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Text(window, res::IDC_RESULT),
                  "点数＝196万6100点　親の支払い 98万3100点／子の支払い 49万1600点");
    });
}

TEST(ScoreDialog, TabFollowsTheTemplateOrder) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // enables the copy button
        const int expected[] = {res::IDC_HAN_UNITS, res::IDC_FU,     res::IDC_DEALER,  res::IDOK,
                                res::IDC_COPY,      res::IDC_RESULT, res::IDC_HAN_TENS};
        for (int id : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), window.Control(id)) << id;
        }
    });
}

TEST(ScoreDialog, CopyPutsTheReportOnTheClipboard) {
    QApplication::clipboard()->setText("before");
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        Click(window, res::IDC_COPY);  // disabled: nothing happens
        EXPECT_EQ(QApplication::clipboard()->text(), "before");
        Click(window, res::IDOK);
        Click(window, res::IDC_COPY);
        EXPECT_EQ(QApplication::clipboard()->text(), kDefaultReport);
        Combo(window, res::IDC_HAN_UNITS)->setCurrentIndex(0);
        Combo(window, res::IDC_HAN_TENS)->setCurrentIndex(0);
        Click(window, res::IDOK);
        Click(window, res::IDC_COPY);
        EXPECT_EQ(QApplication::clipboard()->text(), "役無しチョンボ！ 子への支払い オール4000点");
    });
}

TEST(ScoreDialog, EnterOnTheCopyButtonCopiesInsteadOfCalculating) {
    CScoreDialog dialog;
    RunModal(dialog, [](DialogWindow& window) {
        Click(window, res::IDOK);
        Combo(window, res::IDC_FU)->setCurrentIndex(18);
        window.Control(res::IDC_COPY)->setFocus();
        QTest::keyClick(window.Control(res::IDC_COPY), Qt::Key_Return);
        EXPECT_EQ(Text(window, res::IDC_RESULT), kDefaultReport) << "no new calculation";
        EXPECT_EQ(QApplication::clipboard()->text(), kDefaultReport);
    });
}

TEST(ScoreDialog, EscClosesAtAnyTime) {
    CScoreDialog dialog;
    const int result = RunModal(dialog, [](DialogWindow& window) {
        Click(window, res::IDOK);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(result, res::IDCANCEL);
}

TEST(ScoreDialog, AboutBoxOpensFromTheMenuAndLeavesTheStateAlone) {
    CScoreDialog dialog;
    TestApp app(dialog);
    RunModal(dialog, [](DialogWindow& window) {
        Combo(window, res::IDC_FU)->setCurrentIndex(4);
        Click(window, res::IDOK);
        const QString report = Text(window, res::IDC_RESULT);
        ASSERT_EQ(window.SystemMenuItems().size(), 2);
        EXPECT_EQ(window.SystemMenuItems()[0].first, res::IDM_HAND);
        EXPECT_EQ(window.SystemMenuItems()[1].first, res::IDM_ABOUT);
        bool aboutSeen = false;
        OnNextModal([&](QWidget& popup) {
            auto* menu = qobject_cast<QMenu*>(&popup);
            ASSERT_NE(menu, nullptr);
            ASSERT_EQ(menu->actions().size(), 2);
            EXPECT_EQ(menu->actions()[0]->text(), "手牌から計算(&H)...");
            EXPECT_EQ(menu->actions()[1]->text(), "velmarto のﾊﾞｰｼﾞｮﾝ情報(&A)...");
            OnNextModal([&](QWidget& about) {
                aboutSeen = true;
                EXPECT_EQ(about.windowTitle(), "velmartoのﾊﾞｰｼﾞｮﾝ情報");
                EXPECT_EQ(about.parentWidget(), &window) << "owned by the score dialog";
                QStringList texts;
                for (QLabel* label : about.findChildren<QLabel*>()) {
                    texts << label->text();
                }
                EXPECT_TRUE(texts.contains("velmarto計算 Version 0.1"));
                QTest::keyClick(&about, Qt::Key_Escape);
            });
            QTest::keyClick(menu, Qt::Key_A);  // the item's mnemonic
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_TRUE(aboutSeen);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Text(window, res::IDC_RESULT), report);
        EXPECT_EQ(Combo(window, res::IDC_FU)->currentIndex(), 4);
    });
}

TEST(ScoreDialog, MenuKeyAndShiftF10OpenTheWindowMenu) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Menu, Qt::NoModifier},
        {Qt::Key_F10, Qt::ShiftModifier},
    };
    CScoreDialog dialog;
    RunModal(dialog, [&](DialogWindow& window) {
        // From every kind of control: the selectors, where the window opens, and the result box.
        for (const auto& [key, modifiers] : keys) {
            for (int id : {res::IDC_HAN_TENS, res::IDC_FU, res::IDC_DEALER, res::IDC_RESULT}) {
                window.Control(id)->setFocus();
                QString item;
                bool highlighted = false;
                QTimer::singleShot(0, [&] {
                    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                        item = menu->actions().value(0)->text();
                        highlighted = menu->activeAction() == menu->actions().value(0);
                        menu->close();
                    }
                });
                QTest::keyClick(window.focusWidget(), key, modifiers);
                EXPECT_EQ(item, "手牌から計算(&H)...") << key << " from control " << id;
                EXPECT_TRUE(highlighted) << "Enter chooses the first item at once";
                EXPECT_TRUE(window.isVisible());
            }
        }
    });
}

}  // namespace
}  // namespace velmarto::ui
