// The check of a move notification's address: only a whole, aligned position inside the
// mouse hook module's image may be read.
#include <gtest/gtest.h>

#include <cstdint>

#include "hooks/MovePositionAddress.h"

namespace {

constexpr AddressRange Module = {0x10000000, 0x90000};  // 576 KB from 0x10000000
constexpr uintptr_t End = Module.first + Module.size;

}  // namespace

TEST(MovePositionAddress, WholeAlignedPositionsInsideTheModuleAreRead)
{
    for (uintptr_t address : {Module.first, Module.first + 4, Module.first + 0x5000, End - 8}) {
        EXPECT_TRUE(IsPositionInsideRange(address, Module)) << std::hex << address;
    }
}

TEST(MovePositionAddress, AnythingElseIsIgnored)
{
    const uintptr_t outside[] = {
        0,                    // a null notification
        Module.first - 8,     // just before the module
        Module.first - 4,     // its second half would be inside
        End - 4,              // its second half would be past the end
        End,                  // just past the end
        Module.first + 2,     // inside, but not aligned
        Module.first + 0x13,  // inside, but not aligned
        UINTPTR_MAX - 3,      // aligned, at the very top of the address space
    };
    for (uintptr_t address : outside) {
        EXPECT_FALSE(IsPositionInsideRange(address, Module)) << std::hex << address;
    }
}

TEST(MovePositionAddress, NoModuleOrATinyRangeHoldsNoPosition)
{
    EXPECT_FALSE(IsPositionInsideRange(0, AddressRange{0, 0}));
    EXPECT_FALSE(IsPositionInsideRange(0x1000, AddressRange{0, 0}));
    EXPECT_FALSE(IsPositionInsideRange(0x1000, AddressRange{0x1000, 4}));
    EXPECT_TRUE(IsPositionInsideRange(0x1000, AddressRange{0x1000, 8}));
    // A range that reaches the top of the address space: its last position is read, and
    // nothing wraps around to the bottom.
    const AddressRange top = {UINTPTR_MAX - 15, 16};
    EXPECT_TRUE(IsPositionInsideRange(UINTPTR_MAX - 7, top));
    EXPECT_FALSE(IsPositionInsideRange(0, top));
    EXPECT_FALSE(IsPositionInsideRange(8, top));
}
