// Code page 932 conversion of report texts.
#include "engine/cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace velmarto {
namespace {

TEST(ToCp932, ConvertsReportTexts) {
    // 点 = 93 5F, ＝ = 81 81, 　(ideographic space) = 81 40, ｼ (half-width katakana) = BC.
    EXPECT_EQ(ToCp932("点＝1"),
              "\x93\x5F\x81\x81"
              "1");
    EXPECT_EQ(ToCp932("　 "), "\x81\x40 ");
    EXPECT_EQ(ToCp932("ｼ"), "\xBC");
    EXPECT_EQ(ToCp932("点数＝1500点　子の支払い 500点オール").size(), 36u);
    EXPECT_EQ(ToCp932(""), "");
}

TEST(ToCp932, RejectsTextWithoutAShiftJisForm) {
    EXPECT_THROW(ToCp932("😀"), std::runtime_error);
    EXPECT_THROW(ToCp932("\xE7\x82"), std::runtime_error);
    EXPECT_THROW(ToCp932("\xFF"), std::runtime_error);
}

}  // namespace
}  // namespace velmarto
