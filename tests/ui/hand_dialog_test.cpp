// The hand dialog on the Qt backend: typed and clicked hands, errors, Backspace, copy and apply.
#include "ui/hand_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "res/resource.h"
#include "tests/ui/qt_test_support.h"
#include "ui/score_dialog.h"
#include "winsys/qt/dialog_window.h"
#include "winsys/qt/tile_row.h"

namespace velmarto::ui {
namespace {

using winsys::DialogWindow;
using namespace test;

constexpr const char* kPinfuTiles = "234067m234p6799s8s";
constexpr const char* kPinfuReport = "点数＝2900点　子の支払い 1000点オール";

QString Text(DialogWindow& window, int id) {
    QWidget* widget = window.Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        return plain->toPlainText();
    }
    return qobject_cast<QLabel*>(widget)->text();
}

void Type(DialogWindow& window, int id, const QString& text) {
    window.Control(id)->setFocus();
    QTest::keyClicks(window.Control(id), text);
}

TEST(HandDialog, ATypedHandIsCountedAsYouType) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        EXPECT_EQ(window.windowTitle(), "手牌から計算");
        EXPECT_EQ(QApplication::focusWidget(), window.Control(res::IDC_HAND_TILES));
        EXPECT_FALSE(window.Control(res::IDC_HAND_COPY)->isEnabled());
        QTest::keyClicks(window.Control(res::IDC_HAND_TILES), kPinfuTiles);
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "");
        EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), kPinfuReport);
        EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL),
                  "平和 1飜\n赤ドラ 1飜\n計 2飜 30符（副底 20、門前ロン 10）");
        EXPECT_TRUE(window.Control(res::IDC_HAND_COPY)->isEnabled());
        EXPECT_TRUE(window.Control(res::IDC_HAND_APPLY)->isEnabled());
        const auto& row =
            qobject_cast<winsys::qt::TileRow*>(window.Control(res::IDC_HAND_ROW))->Tiles();
        ASSERT_EQ(row.size(), 14u);
        EXPECT_EQ(row[3], (winsys::TileFace{0x1F00B, true})) << "the red five of characters";
        EXPECT_EQ(row[13], (winsys::TileFace{0x1F017})) << "8 of bamboo";
        // The situation counts too: tsumo and riichi, a ura indicator, the seat.
        QTest::mouseClick(window.Control(res::IDC_TSUMO), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseClick(window.Control(res::IDC_RIICHI), Qt::LeftButton, {}, QPoint(4, 4));
        Type(window, res::IDC_URA, "3p");
        qobject_cast<QComboBox*>(window.Control(res::IDC_SEAT_WIND))->setCurrentIndex(2);
        EXPECT_EQ(Text(window, res::IDC_HAND_REPORT),
                  "点数＝1万0300点　親の支払い 5200点／子の支払い 2600点");
    });
}

TEST(HandDialog, APaletteClickAddsItsTileAndBackspaceTakesOne) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        const int kPalette0m = res::IDC_TILE_FIRST + 9;
        const int kPalette7z = res::IDC_TILE_FIRST + 36;
        const int clicks[] = {res::IDC_TILE_FIRST + 1, kPalette0m, kPalette7z, kPalette7z};
        for (int id : clicks) {
            QTest::mouseClick(window.Control(id), Qt::LeftButton);
        }
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "2m0m7z7z");
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "14枚ではありません（4枚）");
        Type(window, res::IDC_HAND_TILES, "");
        QTest::keyClick(window.Control(res::IDC_HAND_TILES), Qt::Key_Backspace);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "20m7z") << "one tile less, written compactly";
        // From the keyboard: Tab to the palette, arrows along it, Enter adds the tile.
        QTest::keyClick(window.Control(res::IDC_HAND_TILES), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window.Control(res::IDC_TILE_FIRST));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "20m7z3m");
        EXPECT_TRUE(window.isVisible()) << "Enter never closes the dialog";
    });
}

TEST(HandDialog, BadInputSaysWhyAndKeepsTheLastCount) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        const QString detail = Text(window, res::IDC_HAND_DETAIL);
        const std::pair<int, QString> cases[] = {
            {res::IDC_DORA, "5m5m5m5m"},
            {res::IDC_PON, "123m"},
            {res::IDC_HONBA, "99999"},
        };
        const QString messages[] = {"5mが5枚あります", "ポン 123m は3枚の同じ牌ではありません",
                                    "本場と供託は0〜999の数で入れてください"};
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            // Pasted whole: typed, its first characters would make hands of their own.
            qobject_cast<QLineEdit*>(window.Control(cases[i].first))->setText(cases[i].second);
            EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), messages[i]);
            EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), kPinfuReport);
            EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL), detail);
            EXPECT_FALSE(window.Control(res::IDC_HAND_COPY)->isEnabled());
            EXPECT_FALSE(window.Control(res::IDC_HAND_APPLY)->isEnabled());
            qobject_cast<QLineEdit*>(window.Control(cases[i].first))->clear();
        }
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "");
        EXPECT_TRUE(window.Control(res::IDC_HAND_COPY)->isEnabled());
    });
}

TEST(HandDialog, CopyPutsTheReportOnTheClipboard) {
    QApplication::clipboard()->setText("before");
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        QTest::mouseClick(window.Control(res::IDC_HAND_COPY), Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), kPinfuReport);
    });
}

TEST(HandDialog, ApplyIsOnlyForHandsTheScoreWindowShows) {
    const struct {
        const char* tiles;
        bool applies;
    } cases[] = {
        {"123m456p789s23455s", false},  // no yaku
        {"111z222z333z444z55z", true},  // 65 han
    };
    for (const auto& c : cases) {
        CHandDialog dialog(nullptr);
        RunModal(dialog, [&](DialogWindow& window) {
            Type(window, res::IDC_HAND_TILES, c.tiles);
            EXPECT_EQ(window.Control(res::IDC_HAND_APPLY)->isEnabled(), c.applies) << c.tiles;
        });
    }
}

TEST(HandDialog, OpensFromTheScoreWindowsMenuAndAppliesItsCount) {
    CScoreDialog score;
    TestApp app(score);
    RunModal(score, [](DialogWindow& window) {
        ASSERT_EQ(window.SystemMenuItems().size(), 2);
        EXPECT_EQ(window.SystemMenuItems()[0].second, "手牌から計算(&H)...");
        // Shift+F10 opens the menu with its first item, the hand dialog, highlighted; Enter opens
        // it.
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QTimer::singleShot(0, [] {
                auto* hand = qobject_cast<DialogWindow*>(QApplication::activeModalWidget());
                ASSERT_NE(hand, nullptr);
                ASSERT_TRUE(QTest::qWaitForWindowActive(hand));
                QTest::keyClicks(hand->Control(res::IDC_HAND_TILES), "123m456p789s11122z");
                QTest::mouseClick(hand->Control(res::IDC_TSUMO), Qt::LeftButton, {}, QPoint(4, 4));
                QTest::mouseClick(hand->Control(res::IDC_HAND_APPLY), Qt::LeftButton);
            });
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        QApplication::processEvents();
        // 場風 自風 門前清自摸和: 3 han, 40 fu, for the dealer.
        EXPECT_EQ(qobject_cast<QComboBox*>(window.Control(res::IDC_HAN_TENS))->currentIndex(), 0);
        EXPECT_EQ(qobject_cast<QComboBox*>(window.Control(res::IDC_HAN_UNITS))->currentIndex(), 3);
        EXPECT_EQ(qobject_cast<QComboBox*>(window.Control(res::IDC_FU))->currentIndex(), 2);
        EXPECT_EQ(qobject_cast<QLineEdit*>(window.Control(res::IDC_RESULT))->text(),
                  "点数＝7700点　子の支払い 2600点オール");
    });
}

}  // namespace
}  // namespace velmarto::ui
