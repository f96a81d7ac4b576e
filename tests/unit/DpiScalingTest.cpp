// Scaling the 96-DPI layout figures to a DPI: the rounding (the system's MulDiv, compared
// with the real one where the test runs under Wine), the layout's own figures at 150 % and
// 200 %, and a window's outer size whose client part scales while its frame is the DPI's.
#include <gtest/gtest.h>

#include "ui/DpiScaling.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(DpiScaling, RoundsToNearestWithHalvesAwayFromZero)
{
    struct Case {
        int value, dpi, scaled;
    };
    const Case cases[] = {
        {405, 96, 405},  {0, 144, 0},   {405, 144, 608}, {300, 144, 450},       {405, 192, 810}, {300, 192, 600},
        {5, 144, 8},     {15, 144, 23}, {185, 144, 278}, {7, 120, 9},           {3, 120, 4},     {1, 72, 1},
        {-11, 144, -17}, {-1, 144, -2}, {-5, 120, -6},   {-3, 96, -3},          {275, 168, 481}, {67, 144, 101},
        {21, 144, 32},   {1, 48, 1},    {-1, 48, -1},    {100000, 288, 300000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " at " << c.dpi);
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled);
    }
}

#ifdef _WIN32
TEST(DpiScaling, AgreesWithTheSystemsMulDiv)
{
    for (int dpi : {72, 96, 108, 120, 144, 168, 192, 216, 240, 288, 384}) {
        for (int value = -1000; value <= 1000; ++value) {
            ASSERT_EQ(ScaleToDpi(value, dpi), MulDiv(value, dpi, 96)) << value << " at " << dpi;
        }
    }
}
#endif

TEST(DpiScaling, BoxesScaleEachFigureOnItsOwn)
{
    // The Repeat count label: scaled edges would make it 285 - 23 = 262 wide; its width
    // scaled on its own is 262.5, rounded to 263.
    const LayoutBox label = ScaleBoxToDpi({15, 185, 175, 15}, 144);
    EXPECT_EQ(label.x, 23);
    EXPECT_EQ(label.y, 278);
    EXPECT_EQ(label.width, 263);
    EXPECT_EQ(label.height, 23);
    const LayoutBox frame = ScaleBoxToDpi({5, 5, 395, 240}, 192);
    EXPECT_EQ(frame.x, 10);
    EXPECT_EQ(frame.width, 790);
    EXPECT_EQ(frame.height, 480);
    const LayoutBox same = ScaleBoxToDpi({210, 265, 110, 15}, 96);
    EXPECT_EQ(same.x, 210);
    EXPECT_EQ(same.y, 265);
    EXPECT_EQ(same.width, 110);
    EXPECT_EQ(same.height, 15);
}

TEST(DpiScaling, OuterSizeScalesTheClientAndTakesTheFrameOfTheDpi)
{
    // The input dialog: 300 x 130 outside at 96 DPI with a frame of 6 x 25 there.
    const LayoutSize atDesign = ScaleOuterSizeToDpi({300, 130}, {6, 25}, {6, 25}, 96);
    EXPECT_EQ(atDesign.width, 300);
    EXPECT_EQ(atDesign.height, 130);
    // At 150 % the client 294 x 105 becomes 441 x 158 (157.5 rounded up), the frame 6 x 34.
    const LayoutSize atOneAndAHalf = ScaleOuterSizeToDpi({300, 130}, {6, 25}, {6, 34}, 144);
    EXPECT_EQ(atOneAndAHalf.width, 447);
    EXPECT_EQ(atOneAndAHalf.height, 192);
    // Scaling the whole outer size instead would give 450 x 195: a frame counted 1.5 times.
    const LayoutSize atDouble = ScaleOuterSizeToDpi({300, 130}, {6, 25}, {8, 44}, 192);
    EXPECT_EQ(atDouble.width, 596);
    EXPECT_EQ(atDouble.height, 254);
}

}  // namespace
