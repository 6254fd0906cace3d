// Which face a tile character shows, and where the faces of a row go.
#include "winsys/tile_faces.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/hand/tile.h"

namespace velmarto::winsys {
namespace {

TEST(TileFaces, EachCharacterShowsItsOwnTile) {
    struct Case {
        char32_t glyph;
        bool red;
        const char* face;
    };
    const Case cases[] = {
        {0x1F007, false, "1m"},   {0x1F00B, true, "0m"},  {0x1F00B, false, "5m"},
        {0x1F00F, false, "9m"},   {0x1F010, false, "1s"}, {0x1F014, true, "0s"},
        {0x1F017, false, "8s"},   {0x1F019, false, "1p"}, {0x1F01D, true, "0p"},
        {0x1F020, false, "8p"},   {0x1F000, false, "1z"}, {0x1F003, false, "4z"},
        {0x1F006, false, "5z"},   {0x1F005, false, "6z"}, {0x1F004, false, "7z"},
        {0x1F02B, false, "back"}, {0x1F00A, true, "4m"},  {0x1F004, true, "7z"},
        {0x1F02A, false, ""},     {U'萬', false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TileFaceName(c.glyph, c.red), c.face)
            << std::hex << static_cast<unsigned>(c.glyph) << " red " << c.red;
    }
    // And every tile of the hand notation has a face of that name.
    for (hand::TileIndex t = 0; t < hand::kTileKinds; ++t) {
        const std::string expected = {
            static_cast<char>('0' +
                              (hand::IsHonour(t) ? t - hand::kFirstHonour + 1 : hand::NumberOf(t))),
            "mpsz"[hand::SuitOf(t)]};
        EXPECT_EQ(TileFaceName(hand::TileCodePoint(t), false), expected);
    }
}

TEST(TileFaces, ARowKeepsItsTilesWholeAndApart) {
    // Fourteen tiles with the last one set apart, as the hand row shows them.
    std::vector<TileFace> tiles(13, TileFace{0x1F007});
    tiles.push_back({0});
    tiles.push_back({0x1F00B, true});
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{1000, 40}, Case{400, 40}, Case{120, 40}}) {
        const std::vector<FacePlace> places = LayOutTileRow(tiles, c.width, c.height);
        ASSERT_EQ(places.size(), 14u);
        EXPECT_EQ(places.back().name, "0m");
        EXPECT_LE(places.back().x + places.back().width, c.width) << "the row fits its width";
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(places[i].height, places[0].height);
            EXPECT_EQ(places[i].width, places[i].height * kFaceWidth / kFaceHeight);
            EXPECT_GE(places[i].y, 0);
            EXPECT_LE(places[i].y + places[i].height, c.height);
            if (i > 0) {
                EXPECT_GT(places[i].x, places[i - 1].x + places[i - 1].width) << "apart";
            }
        }
        const int spacing = places[1].x - places[0].x - places[0].width;
        EXPECT_GT(places[13].x - places[12].x - places[12].width, spacing) << "the gap";
    }
    EXPECT_EQ(LayOutTileRow(tiles, 1000, 40)[0].height, 40) << "as high as the row when it fits";
}

}  // namespace
}  // namespace velmarto::winsys
