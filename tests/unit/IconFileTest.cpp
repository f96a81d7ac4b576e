// The two embedded icon files, byte by byte: header, directory, bitmap headers, palettes,
// pixels and masks, and what the pictures show.
#include <gtest/gtest.h>

#include <cstdint>

#include "ui/IconData.h"

namespace {

unsigned Word(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}
std::uint32_t Long(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

struct Expected {
    unsigned size, bitCount, bytes, offset;
};
constexpr Expected Images[4] = {{32, 32, 4264, 70}, {32, 8, 2216, 4334}, {16, 32, 1128, 6550}, {16, 8, 1384, 7678}};

struct Rgba {
    unsigned r, g, b, a;
};

// One image of a file, decoded by hand: colour of pixel (x, y) counted from the top, and its
// mask bit (true = transparent).
struct Image {
    const unsigned char* bits;  // bitmap information header
    unsigned size, bitCount;

    const unsigned char* Pixels() const
    {
        return bits + 40 + (bitCount == 8 ? 1024 : 0);
    }
    unsigned ColourRow() const
    {
        return ((size * bitCount + 31) / 32) * 4;
    }
    unsigned MaskRow() const
    {
        return ((size + 31) / 32) * 4;
    }
    const unsigned char* Mask() const
    {
        return Pixels() + ColourRow() * size;
    }

    Rgba At(unsigned x, unsigned y) const
    {
        const unsigned char* row = Pixels() + ColourRow() * (size - 1 - y);
        if (bitCount == 32) return {row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]};
        const unsigned char* entry = bits + 40 + 4 * row[x];
        return {entry[2], entry[1], entry[0], 255};
    }
    bool Transparent(unsigned x, unsigned y) const
    {
        return (Mask()[MaskRow() * (size - 1 - y) + x / 8] & (0x80 >> (x % 8))) != 0;
    }
};

Image ImageOf(const unsigned char* file, int index)
{
    return {file + Images[index].offset, Images[index].size, Images[index].bitCount};
}

class IconFile : public ::testing::TestWithParam<const unsigned char*> {};

TEST_P(IconFile, HeaderAndDirectoryFollowTheLayout)
{
    const unsigned char* f = GetParam();
    EXPECT_EQ(IconFileSize, 9062u);
    EXPECT_EQ(Word(f), 0u);
    EXPECT_EQ(Word(f + 2), 1u);
    EXPECT_EQ(Word(f + 4), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const unsigned char* e = f + 6 + 16 * i;
        EXPECT_EQ(e[0], Images[i].size);
        EXPECT_EQ(e[1], Images[i].size);
        EXPECT_EQ(e[2], 0u);  // colour count
        EXPECT_EQ(e[3], 0u);
        EXPECT_EQ(Word(e + 4), 1u);
        EXPECT_EQ(Word(e + 6), Images[i].bitCount);
        EXPECT_EQ(Long(e + 8), Images[i].bytes);
        EXPECT_EQ(Long(e + 12), Images[i].offset);
    }
    // The images lie back to back and end with the file.
    EXPECT_EQ(Images[3].offset + Images[3].bytes, IconFileSize);
}

TEST_P(IconFile, BitmapHeadersCountTheMaskInTheirHeight)
{
    const unsigned char* f = GetParam();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const unsigned char* h = f + Images[i].offset;
        EXPECT_EQ(Long(h), 40u);
        EXPECT_EQ(Long(h + 4), Images[i].size);
        EXPECT_EQ(Long(h + 8), 2 * Images[i].size);
        EXPECT_EQ(Word(h + 12), 1u);
        EXPECT_EQ(Word(h + 14), Images[i].bitCount);
        EXPECT_EQ(Long(h + 16), 0u);  // uncompressed
        const unsigned palette = Images[i].bitCount == 8 ? 1024 : 0;
        const Image image = ImageOf(f, i);
        EXPECT_EQ(40 + palette + image.ColourRow() * image.size + image.MaskRow() * image.size, Images[i].bytes);
    }
}

TEST_P(IconFile, MaskAndAlphaAgreeAndMaskPaddingIsZero)
{
    for (int i : {0, 2}) {
        const Image image = ImageOf(GetParam(), i);
        for (unsigned y = 0; y < image.size; ++y)
            for (unsigned x = 0; x < image.size; ++x) {
                const Rgba c = image.At(x, y);
                ASSERT_TRUE(c.a == 0 || c.a == 255) << x << "," << y;
                EXPECT_EQ(image.Transparent(x, y), c.a == 0) << x << "," << y;
            }
    }
    for (int i = 0; i < 4; ++i) {
        const Image image = ImageOf(GetParam(), i);
        for (unsigned y = 0; y < image.size; ++y)
            for (unsigned b = image.size / 8; b < image.MaskRow(); ++b)
                EXPECT_EQ(image.Mask()[image.MaskRow() * y + b], 0u) << i;
    }
}

// The 8-bit images show the same picture as the 32-bit image of their size.
TEST_P(IconFile, PalettedImagesMatchTheTrueColourOnes)
{
    for (int i : {0, 2}) {
        const Image full = ImageOf(GetParam(), i);
        const Image paletted = ImageOf(GetParam(), i + 1);
        for (unsigned y = 0; y < full.size; ++y)
            for (unsigned x = 0; x < full.size; ++x) {
                ASSERT_EQ(paletted.Transparent(x, y), full.Transparent(x, y)) << i << ":" << x << "," << y;
                if (full.Transparent(x, y)) continue;
                const Rgba a = full.At(x, y), b = paletted.At(x, y);
                ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << i << ":" << x << "," << y;
            }
    }
}

// Something of a robot in the large image: grey, black and the green of its eyes.
TEST_P(IconFile, TheRobotIsThere)
{
    const Image image = ImageOf(GetParam(), 0);
    int grey = 0, black = 0, eyeGreen = 0;
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x) {
            const Rgba c = image.At(x, y);
            if (c.a == 0 || (c.r == 0 && c.g == 255 && c.b == 33)) continue;
            if (c.r == 0 && c.g == 0 && c.b == 0)
                ++black;
            else if (c.g > c.r + 100 && y < 16)
                ++eyeGreen;  // eyes are in the head
            else if (c.r > 60 && c.r == c.g && c.b >= c.r)
                ++grey;
        }
    EXPECT_GT(grey, 150);
    EXPECT_GT(black, 40);
    EXPECT_GE(eyeGreen, 8);
}

INSTANTIATE_TEST_SUITE_P(Both, IconFile, ::testing::Values(IdleIconData, ActiveIconData),
                         [](const auto& info) { return info.index == 0 ? "Idle" : "Active"; });

TEST(IconFiles, IdleIsTransparentAroundTheRobot)
{
    const Image image = ImageOf(IdleIconData, 0);
    EXPECT_TRUE(image.Transparent(0, 0));
    EXPECT_TRUE(image.Transparent(31, 0));
    EXPECT_TRUE(image.Transparent(0, 31) || image.Transparent(31, 31));
    EXPECT_FALSE(image.Transparent(16, 20));  // the body
    int transparent = 0;
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x) transparent += image.Transparent(x, y);
    EXPECT_GT(transparent, 300);
}

// Active is Idle on an opaque green square: same robot, green wherever Idle is see-through.
TEST(IconFiles, ActiveIsIdleOnTheGreenSquare)
{
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Image idle = ImageOf(IdleIconData, i);
        const Image active = ImageOf(ActiveIconData, i);
        for (unsigned y = 0; y < idle.size; ++y)
            for (unsigned x = 0; x < idle.size; ++x) {
                ASSERT_FALSE(active.Transparent(x, y));
                const Rgba a = active.At(x, y);
                if (idle.Transparent(x, y)) {
                    ASSERT_TRUE(a.r == 0 && a.g == 255 && a.b == 33) << x << "," << y;
                } else {
                    const Rgba c = idle.At(x, y);
                    ASSERT_TRUE(a.r == c.r && a.g == c.g && a.b == c.b) << x << "," << y;
                }
            }
    }
}

}  // namespace
