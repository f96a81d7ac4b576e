// The icon file's directory and the choice of the image that becomes the icon handle.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/IconData.h"
#include "ui/IconDirectory.h"

namespace {

struct Entry {
    unsigned width, height, bitCount;
};

// An icon file with only a header and a directory (the images do not matter for the choice).
std::vector<unsigned char> Directory(const std::vector<Entry>& entries, unsigned type = 1, unsigned reserved = 0)
{
    std::vector<unsigned char> file{static_cast<unsigned char>(reserved),       0, static_cast<unsigned char>(type), 0,
                                    static_cast<unsigned char>(entries.size()), 0};
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const Entry& e : entries) {
        const std::uint32_t width = e.width ? e.width : 256, height = e.height ? e.height : 256;
        const std::uint32_t size = 40 + width * height * e.bitCount / 8;
        const unsigned char bytes[16] = {static_cast<unsigned char>(e.width & 0xFF),
                                         static_cast<unsigned char>(e.height & 0xFF),
                                         0,
                                         0,
                                         1,
                                         0,
                                         static_cast<unsigned char>(e.bitCount),
                                         0,
                                         static_cast<unsigned char>(size),
                                         static_cast<unsigned char>(size >> 8),
                                         static_cast<unsigned char>(size >> 16),
                                         0,
                                         static_cast<unsigned char>(offset),
                                         static_cast<unsigned char>(offset >> 8),
                                         static_cast<unsigned char>(offset >> 16),
                                         0};
        file.insert(file.end(), bytes, bytes + 16);
        offset += size;
    }
    return file;
}

TEST(IconDirectory, OnlyIconFilesAreAccepted)
{
    EXPECT_TRUE(IsIconFile(Directory({{32, 32, 32}}).data()));
    EXPECT_FALSE(IsIconFile(Directory({{32, 32, 32}}, 2).data()));     // a cursor file
    EXPECT_FALSE(IsIconFile(Directory({{32, 32, 32}}, 1, 1).data()));  // reserved word not 0
    const unsigned char bitmap[] = {'B', 'M', 0, 0, 0, 0};
    EXPECT_FALSE(IsIconFile(bitmap));
}

TEST(IconDirectory, AWholeFileHoldsItsDirectoryAndEveryImage)
{
    EXPECT_TRUE(IsWholeIconFile(IdleIconData, IconFileSize));
    EXPECT_TRUE(IsWholeIconFile(ActiveIconData, IconFileSize));
    // Directory() lays the images out after the directory without their bytes: with them
    // padded on, the file is whole; one byte short, the last image runs past its end.
    std::vector<unsigned char> file = Directory({{16, 16, 8}, {32, 32, 32}});
    const size_t whole = 6 + 2 * 16 + (40 + 16 * 16) + (40 + 32 * 32 * 4);
    file.resize(whole);
    EXPECT_TRUE(IsWholeIconFile(file.data(), file.size()));
    EXPECT_FALSE(IsWholeIconFile(file.data(), file.size() - 1));
    EXPECT_FALSE(IsWholeIconFile(file.data(), 6 + 16));  // the directory itself cut off
    EXPECT_FALSE(IsWholeIconFile(file.data(), 5));       // not even a header
    const std::vector<unsigned char> empty = Directory({});
    EXPECT_FALSE(IsWholeIconFile(empty.data(), empty.size()));  // no image at all
    file[6 + 16 + 12] = 0xFF;                                   // the second image's offset far out
    EXPECT_FALSE(IsWholeIconFile(file.data(), file.size()));
}

TEST(IconDirectory, EntriesAreReadLittleEndianAndZeroMeans256)
{
    const auto file = Directory({{16, 16, 8}, {0, 0, 32}});
    ASSERT_EQ(IconImageCount(file.data()), 2u);
    const IconImageEntry first = ReadIconEntry(file.data(), 0);
    EXPECT_EQ(first.width, 16u);
    EXPECT_EQ(first.bitCount, 8u);
    EXPECT_EQ(first.size, 40u + 256u);
    EXPECT_EQ(first.offset, 38u);
    const IconImageEntry second = ReadIconEntry(file.data(), 1);
    EXPECT_EQ(second.width, 256u);
    EXPECT_EQ(second.height, 256u);
    EXPECT_EQ(second.offset, 38u + 296u);
    EXPECT_EQ(second.size, 40u + 256u * 256u * 4u);
}

TEST(IconDirectory, ChoosesTheDeepestImageOfTheFirstEntrysSize)
{
    // Deeper images of the same size replace the first; other sizes never count.
    EXPECT_EQ(ChooseIconImage(Directory({{32, 32, 8}, {16, 16, 32}, {32, 32, 32}}).data()), 2);
    EXPECT_EQ(ChooseIconImage(Directory({{16, 16, 4}, {32, 32, 32}, {16, 16, 8}}).data()), 2);
    // The first entry already the deepest: it stays.
    EXPECT_EQ(ChooseIconImage(Directory({{32, 32, 32}, {32, 32, 8}, {16, 16, 32}}).data()), 0);
    // Among equal depths the earliest wins, the first entry included.
    EXPECT_EQ(ChooseIconImage(Directory({{32, 32, 4}, {32, 32, 24}, {32, 32, 24}}).data()), 1);
    EXPECT_EQ(ChooseIconImage(Directory({{32, 32, 32}, {32, 32, 32}}).data()), 0);
    // Width and height must both match.
    EXPECT_EQ(ChooseIconImage(Directory({{32, 32, 8}, {32, 16, 32}, {16, 32, 32}}).data()), 0);
}

TEST(IconDirectory, NoEntryNoChoice)
{
    EXPECT_EQ(ChooseIconImage(Directory({}).data()), -1);
}

TEST(IconDirectory, TheProgramsIconsUseTheir32BitLargeImage)
{
    EXPECT_EQ(ChooseIconImage(IdleIconData), 0);
    EXPECT_EQ(ChooseIconImage(ActiveIconData), 0);
}

TEST(IconDirectory, ForASizeChoosesTheClosestImageThenTheLargerThenTheDeepest)
{
    const auto file = Directory({{32, 32, 8}, {16, 16, 32}, {48, 48, 32}, {32, 32, 32}, {16, 16, 8}});
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 16), 1);  // exact, the deeper of two
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 32), 3);  // exact, the deeper listed later
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 48), 2);
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 20), 1);   // 4 from 16, 12 from 32
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 24), 3);   // 8 from each: the larger is shrunk
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 40), 2);   // 8 from each of 32 and 48
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 64), 2);   // above the largest
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 8), 1);    // below the smallest
    EXPECT_EQ(ChooseIconImageForSize(file.data(), 256), 2);  // far above
}

TEST(IconDirectory, ForASizeCountsWidthAndHeightAndReads0As256)
{
    // A wide image is farther from a square size than a square one of the same width.
    EXPECT_EQ(ChooseIconImageForSize(Directory({{32, 16, 32}, {32, 32, 8}}).data(), 32), 1);
    EXPECT_EQ(ChooseIconImageForSize(Directory({{48, 48, 32}, {0, 0, 32}}).data(), 200), 1);
    EXPECT_EQ(ChooseIconImageForSize(Directory({{48, 48, 32}, {0, 0, 32}}).data(), 100), 0);
    // Among equals in every respect the earliest stays.
    EXPECT_EQ(ChooseIconImageForSize(Directory({{24, 24, 32}, {24, 24, 32}}).data(), 24), 0);
    EXPECT_EQ(ChooseIconImageForSize(Directory({}).data(), 16), -1);
}

TEST(IconDirectory, TheProgramsIconsAtTheSizesOfTheDisplayScales)
{
    // Entry 0 is the 32 x 32 true-colour image, entry 2 the 16 x 16 one.
    for (const unsigned char* file : {IdleIconData, ActiveIconData}) {
        EXPECT_EQ(ChooseIconImageForSize(file, 16), 2);  // small icon at 100 %
        EXPECT_EQ(ChooseIconImageForSize(file, 20), 2);  // at 125 %
        EXPECT_EQ(ChooseIconImageForSize(file, 24), 0);  // at 150 %: shrunk from 32
        EXPECT_EQ(ChooseIconImageForSize(file, 32), 0);  // small at 200 %, large at 100 %
        EXPECT_EQ(ChooseIconImageForSize(file, 64), 0);  // large at 200 %
    }
}

}  // namespace
