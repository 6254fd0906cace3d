// The hand dialog on the Qt backend: typed and clicked hands, errors, Backspace, copy and apply.
#include "ui/hand_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "res/hand_palette.h"
#include "res/resource.h"
#include "tests/ui/qt_test_support.h"
#include "ui/score_dialog.h"
#include "winsys/qt/dialog_window.h"
#include "winsys/qt/tile_row.h"
#include "winsys/tile_faces.h"

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
                  "平和 1飜\n赤ドラ 1飜\n計 2飜 30符（副底 20、門前ロン 10）\n\n点数＝2900点\n"
                  "子の支払い 1000点オール");
        EXPECT_TRUE(window.Control(res::IDC_HAND_COPY)->isEnabled());
        EXPECT_TRUE(window.Control(res::IDC_HAND_APPLY)->isEnabled());
        const auto& row =
            qobject_cast<winsys::qt::TileRow*>(window.Control(res::IDC_HAND_ROW))->Tiles();
        ASSERT_EQ(row.size(), 15u) << "14 tiles, the last one set apart";
        EXPECT_EQ(row[3], (winsys::TileFace{0x1F00B, true})) << "the red five of characters";
        EXPECT_EQ(row[13], (winsys::TileFace{0}));
        EXPECT_EQ(row[14], (winsys::TileFace{0x1F017})) << "8 of bamboo";
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
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "13枚か14枚にしてください（いま4枚）");
        Type(window, res::IDC_HAND_TILES, "");
        QTest::keyClick(window.Control(res::IDC_HAND_TILES), Qt::Key_Backspace);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "20m7z") << "one tile less, written compactly";
        // From the keyboard: Tab to the palette, arrows along it, Enter adds the tile.
        QTest::keyClick(window.Control(res::IDC_HAND_TILES), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window.Control(res::IDC_TILE_FIRST));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "20m7z3m3m");
        EXPECT_TRUE(window.isVisible()) << "Enter never closes the dialog";
    });
}

TEST(HandDialog, UpDownHomeAndEndMoveByPaletteRows) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        window.Control(res::IDC_TILE_FIRST)->setFocus();
        // Rows: 1m-9m 0m, 1p-9p 0p, 1s-9s 0s, 1z-7z; each key from where the last one left.
        const std::pair<Qt::Key, int> steps[] = {
            {Qt::Key_Up, 0},     {Qt::Key_Down, 10}, {Qt::Key_End, 19},  {Qt::Key_Down, 29},
            {Qt::Key_Down, 36},  {Qt::Key_Down, 36}, {Qt::Key_Home, 30}, {Qt::Key_Up, 20},
            {Qt::Key_Right, 21}, {Qt::Key_Up, 11},   {Qt::Key_Home, 10}, {Qt::Key_End, 19},
        };
        for (const auto& [key, tile] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_EQ(QApplication::focusWidget(), window.Control(res::IDC_TILE_FIRST + tile))
                << QTest::toString(key) << " should reach palette tile " << tile;
        }
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "") << "moving adds nothing";
        EXPECT_EQ(window.Control(res::IDC_TILE_FIRST + 36)->toolTip(), "7z 中");
        EXPECT_EQ(window.Control(res::IDC_TILE_FIRST + 9)->toolTip(), "0m 赤五萬");
    });
}

TEST(HandDialog, EnterInABoxAddsNothingAndClosesNothing) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        for (int id : {res::IDC_HAND_TILES, res::IDC_CHI, res::IDC_HONBA, res::IDC_DORA,
                       res::IDC_TSUMO, res::IDC_SEAT_WIND, res::IDC_HAND_DETAIL}) {
            window.Control(id)->setFocus();
            QTest::keyClick(window.Control(id), Qt::Key_Return);
            QTest::keyClick(window.Control(id), Qt::Key_Enter, Qt::KeypadModifier);
            EXPECT_EQ(Text(window, res::IDC_HAND_TILES), kPinfuTiles) << id;
            EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), kPinfuReport) << id;
            EXPECT_TRUE(window.isVisible()) << id;
        }
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            EXPECT_FALSE(button->isDefault()) << button->text().toStdString();
        }
    });
}

TEST(HandDialog, NotationReadsAsPeopleTypeIt) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        auto* tiles = qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES));
        tiles->setText(kPinfuTiles);
        const QString detail = Text(window, res::IDC_HAND_DETAIL);
        for (const char* typed :
             {"２３４０６７ｍ２３４ｐ６７９９ｓ８ｓ", "234067M 234P 6799S 8S"}) {
            tiles->setText(QString::fromUtf8(typed));
            EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "") << typed;
            EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL), detail) << typed;
        }
        qobject_cast<QLineEdit*>(window.Control(res::IDC_CHI))
            ->setText(QString::fromUtf8("123m\u3000４５６Ｐ"));
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "13枚か14枚にしてください（いま20枚）")
            << "two sets read from one box";
    });
}

TEST(HandDialog, BadInputSaysWhyAndShowsNoFigure) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        const QString detail = Text(window, res::IDC_HAND_DETAIL);
        const std::pair<int, QString> cases[] = {
            {res::IDC_DORA, "5m5m5m5m"},
            {res::IDC_PON, "123m"},
            {res::IDC_HONBA, "1000001"},
        };
        const QString messages[] = {"ドラ表示牌: 5mは5枚目です（同じ牌は4枚まで）",
                                    "ポン 123m は3枚の同じ牌ではありません",
                                    "本場は0〜1000000の整数です"};
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            // Pasted whole: typed, its first characters would make hands of their own.
            qobject_cast<QLineEdit*>(window.Control(cases[i].first))->setText(cases[i].second);
            EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), messages[i]);
            EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), "");
            EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL), "");
            EXPECT_FALSE(window.Control(res::IDC_HAND_COPY)->isEnabled());
            EXPECT_FALSE(window.Control(res::IDC_HAND_APPLY)->isEnabled());
            qobject_cast<QLineEdit*>(window.Control(cases[i].first))->clear();
        }
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "");
        EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL), detail);
        EXPECT_TRUE(window.Control(res::IDC_HAND_COPY)->isEnabled());
        qobject_cast<QLineEdit*>(window.Control(res::IDC_HONBA))->setText("1000000");
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "") << "the command line's limit";
        qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES))->clear();
        EXPECT_TRUE(Text(window, res::IDC_HAND_ERROR).startsWith("入力例 "));
        EXPECT_EQ(Text(window, res::IDC_HAND_DETAIL), "");
        EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), "");
        EXPECT_FALSE(window.Control(res::IDC_HAND_COPY)->isEnabled());
    });
}

TEST(HandDialog, CopyGivesTheReportAndTheSettlementLine) {
    QApplication::clipboard()->setText("before");
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        QTest::mouseClick(window.Control(res::IDC_HAND_COPY), Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), kPinfuReport);
        Type(window, res::IDC_HONBA, "2");
        Type(window, res::IDC_STICKS, "1");
        QTest::mouseClick(window.Control(res::IDC_HAND_COPY), Qt::LeftButton);
        const QString settlement =
            "2本場・供託1本込み　放銃者の支払い 3500点　和了者の受け取り 4500点";
        EXPECT_EQ(QApplication::clipboard()->text(), QString(kPinfuReport) + "\n" + settlement);
        // The result area shows the whole report, a payment to a line.
        EXPECT_TRUE(Text(window, res::IDC_HAND_DETAIL)
                        .endsWith("\n\n点数＝2900点\n子の支払い 1000点オール\n2本場・供託1本込み\n"
                                  "放銃者の支払い 3500点\n和了者の受け取り 4500点"))
            << Text(window, res::IDC_HAND_DETAIL).toStdString();
    });
}

TEST(HandDialog, ApplyTakesHandsWithoutYakuToo) {
    const struct {
        const char* tiles;
        int han;
    } cases[] = {
        {"123m456p789s23455s", 0},  // no yaku: the score window shows the penalty
        {"111z222z333z444z55z", 65},
    };
    for (const auto& c : cases) {
        CHandDialog dialog(nullptr);
        const int result = RunModal(dialog, [&](DialogWindow& window) {
            Type(window, res::IDC_HAND_TILES, c.tiles);
            EXPECT_EQ(Text(window, res::IDC_HAND_APPLY_NOTE), "");
            EXPECT_TRUE(window.Control(res::IDC_HAND_APPLY)->isEnabled()) << c.tiles;
            QTest::mouseClick(window.Control(res::IDC_HAND_APPLY), Qt::LeftButton);
        });
        EXPECT_EQ(result, CHandDialog::kApplied);
        ASSERT_TRUE(dialog.ToApply());
        EXPECT_EQ(dialog.ToApply()->han, c.han) << c.tiles;
    }
}

TEST(HandDialog, ReopensAsItWasLeft) {
    HandDialogMemory memory;
    {
        CHandDialog dialog(nullptr, &memory);
        RunModal(dialog, [](DialogWindow& window) {
            Type(window, res::IDC_HAND_TILES, kPinfuTiles);
            QTest::mouseClick(window.Control(res::IDC_TSUMO), Qt::LeftButton, {}, QPoint(4, 4));
            qobject_cast<QComboBox*>(window.Control(res::IDC_SEAT_WIND))->setCurrentIndex(1);
            Type(window, res::IDC_HONBA, "3");
        });
    }
    CHandDialog again(nullptr, &memory);
    RunModal(again, [](DialogWindow& window) {
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), kPinfuTiles);
        EXPECT_EQ(Text(window, res::IDC_HONBA), "3");
        EXPECT_EQ(qobject_cast<QComboBox*>(window.Control(res::IDC_SEAT_WIND))->currentIndex(), 1);
        EXPECT_TRUE(qobject_cast<QCheckBox*>(window.Control(res::IDC_TSUMO))->isChecked());
        EXPECT_TRUE(Text(window, res::IDC_HAND_REPORT).startsWith("点数＝"))
            << "counted as it opens";
    });
}

TEST(HandDialog, ThirteenTilesListTheWaitsAndFourteenTheDiscards) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        const auto shown = [&](int i) {
            return window.Control(res::IDC_WAIT_FIRST + i)->isVisibleTo(&window);
        };
        EXPECT_FALSE(shown(0)) << "no waits while the box is empty";
        Type(window, res::IDC_HAND_TILES, "234067m234p6799s");
        const QString detail = Text(window, res::IDC_HAND_DETAIL);
        EXPECT_TRUE(detail.startsWith("聴牌 待ち 2種8枚: 5s×4 8s×4\n\n5s 残り4枚\nロン "))
            << detail.toStdString();
        EXPECT_TRUE(detail.contains(
            "8s 残り4枚\nロン 2飜 30符（平和、赤ドラ） 点数＝2900点\n"
            "子の支払い 1000点オール\nツモ 3飜 20符（門前清自摸和、平和、赤ドラ） "))
            << detail.toStdString();
        EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), "") << "no one report for several waits";
        EXPECT_FALSE(window.Control(res::IDC_HAND_COPY)->isEnabled());
        EXPECT_TRUE(shown(0) && shown(1) && !shown(2));
        EXPECT_EQ(qobject_cast<QPushButton*>(window.Control(res::IDC_WAIT_FIRST + 1))->text(),
                  winsys::qt::TileText(0x1F017));
        // Enter on a wait adds it as the winning tile, and the hand is counted.
        window.Control(res::IDC_WAIT_FIRST + 1)->setFocus();
        QTest::keyClick(window.Control(res::IDC_WAIT_FIRST + 1), Qt::Key_Return);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "234067m234p6799s8s");
        EXPECT_EQ(Text(window, res::IDC_HAND_REPORT), kPinfuReport);
        EXPECT_FALSE(shown(0));
        // Fourteen that do not win: the discards, best first; a click discards.
        Type(window, res::IDC_HAND_TILES, "\b");
        Type(window, res::IDC_HAND_TILES, "1z");
        EXPECT_TRUE(Text(window, res::IDC_HAND_DETAIL).startsWith("打1z\n聴牌 待ち 2種8枚"))
            << Text(window, res::IDC_HAND_DETAIL).toStdString();
        QTest::mouseClick(window.Control(res::IDC_WAIT_FIRST), Qt::LeftButton);
        EXPECT_EQ(Text(window, res::IDC_HAND_TILES), "234067m234p6799s");
        // Not tenpai: the shanten and the useful tiles.
        qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES))->setText("19m19p19s1234567z");
        EXPECT_TRUE(Text(window, res::IDC_HAND_DETAIL).startsWith("聴牌")) << "thirteen orphans";
        qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES))->setText("1358m1358p1358s1z");
        EXPECT_TRUE(Text(window, res::IDC_HAND_DETAIL).contains("向聴\n有効牌 "))
            << Text(window, res::IDC_HAND_DETAIL).toStdString();
    });
}

// Each tile as drawn must read on its own: its darkest stroke at most this dark (of 255), and a
// red five as saturated a red as the 萬 of the 5m. The Windows build's own test holds its tiles
// to the same marks.
constexpr int kDarkEnough = 57;
constexpr int kRedHueReach = 20;  // degrees either side of pure red

struct Ink {
    int darkest = 255;
    float redSaturation = 0;  // of the most saturated red pixel, 0 without one
};

Ink InkIn(const QImage& image, const QRect& rect) {
    Ink ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            ink.darkest = std::min(ink.darkest, qGray(colour.rgb()));
            const int hue = colour.hsvHue();
            if (hue >= 0 && (hue <= kRedHueReach || hue >= 360 - kRedHueReach)) {
                ink.redSaturation = std::max(ink.redSaturation, colour.hsvSaturationF());
            }
        }
    }
    return ink;
}

// A palette button's ink, inside its edges: what the button itself draws around a face is left
// out, so that a face never passes by its button's frame.
Ink ButtonInk(QWidget& button) {
    const QImage image = button.grab().toImage();
    const int insetX = image.width() / 6;
    const int insetY = image.height() / 8;
    return InkIn(image, image.rect().adjusted(insetX, insetY, -insetX, -insetY));
}

TEST(HandDialog, EveryTileReadsOnItsOwn) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        const auto palette = [&](std::size_t i) {
            return window.Control(res::IDC_TILE_FIRST + static_cast<int>(i));
        };
        const float fiveRed = ButtonInk(*palette(4)).redSaturation;
        EXPECT_GT(fiveRed, 0.5) << "the 萬 of the 5m is red";
        for (std::size_t i = 0; i < res::kPalette.size(); ++i) {
            const Ink ink = ButtonInk(*palette(i));
            const std::string name = palette(i)->accessibleName().toStdString();
            EXPECT_LE(ink.darkest, kDarkEnough) << name;
            if (res::kPalette[i].red) {
                EXPECT_GE(ink.redSaturation, fiveRed) << name;
            }
        }
        // Every face once in the hand row, red fives among them.
        for (const char* hand : {"1234506789m1234z", "1234506789p567z", "1234506789s5567z"}) {
            auto* box = qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES));
            box->setText(hand);
            auto* row = qobject_cast<winsys::qt::TileRow*>(window.Control(res::IDC_HAND_ROW));
            const QImage image = row->grab().toImage();
            const auto places = winsys::LayOutTileRow(row->Tiles(), row->width(), row->height());
            ASSERT_GE(places.size(), 13u) << hand;
            for (const winsys::FacePlace& place : places) {
                const Ink ink = InkIn(image, {place.x, place.y, place.width, place.height});
                EXPECT_LE(ink.darkest, kDarkEnough) << hand << " " << place.name;
                if (place.name.starts_with('0')) {
                    EXPECT_GE(ink.redSaturation, fiveRed) << hand << " " << place.name;
                }
            }
        }
    });
}

TEST(HandDialog, TheRowsSetTheWinningTileApartAndTurnClosedQuadEndsDown) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_ANKAN, "1111z");
        Type(window, res::IDC_HAND_TILES, "234m567p99s888");
        const auto row = [&](int id) {
            return qobject_cast<winsys::qt::TileRow*>(window.Control(id))->Tiles();
        };
        EXPECT_EQ(row(res::IDC_HAND_ROW).size(), 8u) << "the tiles read so far, no gap";
        Type(window, res::IDC_HAND_TILES, "s");
        const std::vector<winsys::TileFace> melds = {
            {0}, {0x1F02B}, {0x1F000}, {0x1F000}, {0x1F02B}};
        EXPECT_EQ(row(res::IDC_MELD_ROW), melds);
        ASSERT_EQ(row(res::IDC_HAND_ROW).size(), 12u);
        EXPECT_EQ(row(res::IDC_HAND_ROW)[10], winsys::TileFace{0}) << "a gap before the last tile";
        EXPECT_EQ(window.Control(res::IDC_MELD_ROW)->height(),
                  window.Control(res::IDC_HAND_ROW)->height());

        // Typed over a whole hand, as Ctrl+A and a new hand would be.
        auto* box = qobject_cast<QLineEdit*>(window.Control(res::IDC_HAND_TILES));
        box->selectAll();
        Type(window, res::IDC_HAND_TILES, "8z");
        EXPECT_TRUE(row(res::IDC_HAND_ROW).empty()) << "no tile left from the hand before";
        box->selectAll();
        Type(window, res::IDC_HAND_TILES, "123m8z");
        EXPECT_EQ(row(res::IDC_HAND_ROW).size(), 3u) << "the tiles before the wrong one";
    });
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

// What a menu opened by `open` offers: each item's text, "-" for a separator, "(off)" after an
// item that cannot be chosen. The menu is closed again, whether `open` waits for it to close (the
// window menu) or returns at once (an edit box's menu).
QStringList MenuOpenedBy(const std::function<void()>& open) {
    auto items = std::make_shared<QStringList>();
    auto read = std::make_shared<bool>(false);
    const auto readMenu = [items, read] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (*read || !menu) {
            return;
        }
        *read = true;
        for (const QAction* action : menu->actions()) {
            *items << (action->isSeparator()
                           ? "-"
                           : action->text() + (action->isEnabled() ? "" : "(off)"));
        }
        menu->close();
    };
    QTimer::singleShot(0, readMenu);
    open();
    QApplication::processEvents();
    readMenu();
    *read = true;
    return *items;
}

// An edit box's own menu: Paste among its items.
bool IsEditMenu(const QStringList& items) {
    return std::any_of(items.begin(), items.end(),
                       [](const QString& item) { return item.startsWith("&Paste"); });
}

void ContextMenuAt(QWidget& widget, QContextMenuEvent::Reason reason, QPoint at = {4, 4}) {
    QContextMenuEvent event(reason, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
}

TEST(HandDialog, ATypedBoxHasItsEditMenuAndEveryOtherPlaceTheDialogsMenu) {
    QApplication::clipboard()->setText("before");
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        const QStringList dialogMenu = {"結果をコピー(&C)(off)", "点数画面に反映(&S)(off)",
                                        "閉じる(&X)", "-", "velmarto のﾊﾞｰｼﾞｮﾝ情報(&A)..."};
        QWidget& tiles = *window.Control(res::IDC_HAND_TILES);
        tiles.setFocus();
        const std::function<void()> inTheTileBox[] = {
            [&] { QTest::keyClick(&tiles, Qt::Key_F10, Qt::ShiftModifier); },
            [&] { QTest::keyClick(&tiles, Qt::Key_Menu); },
            [&] { ContextMenuAt(tiles, QContextMenuEvent::Mouse); },
        };
        for (const auto& open : inTheTileBox) {
            EXPECT_TRUE(IsEditMenu(MenuOpenedBy(open)));
        }
        QWidget& palette = *window.Control(res::IDC_TILE_FIRST);
        QWidget& result = *window.Control(res::IDC_HAND_DETAIL);
        palette.setFocus();
        EXPECT_EQ(MenuOpenedBy([&] { QTest::keyClick(&palette, Qt::Key_F10, Qt::ShiftModifier); }),
                  dialogMenu);
        EXPECT_EQ(MenuOpenedBy([&] { ContextMenuAt(result, QContextMenuEvent::Mouse); }),
                  dialogMenu);
        EXPECT_EQ(MenuOpenedBy([&] {
                      ContextMenuAt(window, QContextMenuEvent::Mouse, {2, 2});
                  }),
                  dialogMenu)
            << "empty space";
        // Once the hand counts, the menu copies it.
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        palette.setFocus();
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->activeAction()->text(), "結果をコピー(&C)");
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(&palette, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), kPinfuReport);
        QTimer::singleShot(0, [] {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);  // 閉じる
        });
        QTest::keyClick(&palette, Qt::Key_Menu);
        EXPECT_FALSE(window.isVisible());
    });
}

// The centre of a window, in the screen's coordinates.
QPoint CentreOf(const QWidget& window) {
    return window.frameGeometry().center();
}

TEST(HandDialog, OpensCentredOnTheScoreWindowAndTheAboutBoxOnIt) {
    CScoreDialog score;
    TestApp app(score);
    RunModal(score, [&](DialogWindow& scoreWindow) {
        const QRect screen = scoreWindow.screen()->availableGeometry();
        scoreWindow.move(screen.center() - scoreWindow.rect().center());
        CHandDialog hand(&score);
        RunModal(hand, [&](DialogWindow& window) {
            EXPECT_LE((CentreOf(window) - CentreOf(scoreWindow)).manhattanLength(), 4)
                << "hand " << CentreOf(window).x() << "," << CentreOf(window).y() << " score "
                << CentreOf(scoreWindow).x() << "," << CentreOf(scoreWindow).y();
            // The hint says how to write a hand, and all of it shows.
            const auto* hint = qobject_cast<QLabel*>(window.Control(res::IDC_HAND_ERROR));
            EXPECT_TRUE(hint->text().endsWith("字牌は1z〜7z）")) << hint->text().toStdString();
            EXPECT_LE(hint->fontMetrics().horizontalAdvance(hint->text()),
                      hint->contentsRect().width());
            EXPECT_TRUE(window.rect().contains(hint->geometry()));
            bool aboutSeen = false;
            OnNextModal([&](QWidget& menu) {
                OnNextModal([&](QWidget& about) {
                    aboutSeen = true;
                    EXPECT_EQ(about.parentWidget(), &window);
                    EXPECT_LE((CentreOf(about) - CentreOf(window)).manhattanLength(), 4);
                    QTest::keyClick(&about, Qt::Key_Escape);
                });
                QTest::keyClick(&menu, Qt::Key_A);  // the About item's mnemonic
            });
            window.Control(res::IDC_TILE_FIRST)->setFocus();
            QTest::keyClick(window.Control(res::IDC_TILE_FIRST), Qt::Key_F10, Qt::ShiftModifier);
            EXPECT_TRUE(aboutSeen);
        });
    });
}

TEST(HandDialog, MessagesNameBothCountsAndWhereAFifthCopyIs) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        const auto set = [&](int id, const char* text) {
            qobject_cast<QLineEdit*>(window.Control(id))->setText(text);
        };
        const struct {
            const char* tiles;
            const char* kan;
            const char* dora;
            const char* message;
        } rows[] = {
            {"12345m", "", "", "13枚か14枚にしてください（いま5枚）"},
            {"123m456p789s111z", "", "", "13枚か14枚にしてください（いま12枚）"},
            {"123m456p789s111z5s", "", "", "待ちのボタンで和了牌を加えます"},
            {"123m456p789s111z55s", "", "", ""},
            {"11111m23p", "", "", "1mが5枚あります"},
            {"1m23p456s11z555m", "1111m", "", "明槓 1111m: 1mは5枚目です（同じ牌は4枚まで）"},
            {"23p456s11z555m", "1111m", "1m", "ドラ表示牌: 1mは5枚目です（同じ牌は4枚まで）"},
        };
        for (const auto& row : rows) {
            set(res::IDC_KAN, row.kan);
            set(res::IDC_DORA, row.dora);
            set(res::IDC_HAND_TILES, row.tiles);
            EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), row.message) << row.tiles;
            const auto* label = qobject_cast<QLabel*>(window.Control(res::IDC_HAND_ERROR));
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << row.message << " shows whole";
        }
    });
}

TEST(HandDialog, CountsReadFullWidthDigitsAndCallsThatDoNotReadAreNotDrawn) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](DialogWindow& window) {
        Type(window, res::IDC_HAND_TILES, kPinfuTiles);
        qobject_cast<QLineEdit*>(window.Control(res::IDC_HONBA))->setText("３");
        EXPECT_EQ(Text(window, res::IDC_HONBA), "３");
        EXPECT_TRUE(Text(window, res::IDC_HAND_DETAIL).contains("3本場"))
            << Text(window, res::IDC_HAND_DETAIL).toStdString();
        for (const char* wrong : {"x", "1000001", "-1"}) {
            qobject_cast<QLineEdit*>(window.Control(res::IDC_STICKS))->setText(wrong);
            EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "供託は0〜1000000の整数です") << wrong;
        }
        qobject_cast<QLineEdit*>(window.Control(res::IDC_STICKS))->clear();
        Type(window, res::IDC_CHI, "679s");
        EXPECT_EQ(Text(window, res::IDC_HAND_ERROR), "チー 679s は同じ色の3枚の順子ではありません");
        EXPECT_TRUE(
            qobject_cast<winsys::qt::TileRow*>(window.Control(res::IDC_MELD_ROW))->Tiles().empty());
    });
}

// Focus shows where the platform's style shows only a caret or a tint: on the result area's
// frame (its top edge, away from the caret), and inside a default button, clear of the outline
// that the style colours for focus and default alike.
TEST(HandDialog, FocusShowsOnTheResultAreaAndOnTheDefaultButton) {
    constexpr int kOutline = 3;
    const auto focusChanges = [](DialogWindow& window, int id, int elsewhere, bool inside) {
        QWidget& control = *window.Control(id);
        const QRect part = inside
                               ? control.rect().adjusted(kOutline, kOutline, -kOutline, -kOutline)
                               : QRect(0, 0, control.width(), 2);
        window.Control(elsewhere)->setFocus(Qt::TabFocusReason);
        const QImage before = control.grab(part).toImage();
        control.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(control.hasFocus());
        return control.grab(part).toImage() != before;
    };
    CHandDialog dialog(nullptr);
    RunModal(dialog, [&](DialogWindow& window) {
        EXPECT_TRUE(focusChanges(window, res::IDC_HAND_DETAIL, res::IDC_HAND_TILES, false));
    });
    CScoreDialog score;
    RunModal(score, [&](DialogWindow& window) {
        EXPECT_TRUE(qobject_cast<QPushButton*>(window.Control(res::IDOK))->isDefault());
        EXPECT_TRUE(focusChanges(window, res::IDOK, res::IDC_FU, true));
    });
}

}  // namespace
}  // namespace velmarto::ui
