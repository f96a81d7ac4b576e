// Raw input's keys as the keyboard hook names them: the side of shift, control and alt comes
// from the scan code or the E0 prefix, every other key keeps its code.
#include <gtest/gtest.h>

#include <cstdint>

#include "hooks/RawKeyCode.h"

TEST(RawKeyCode, ModifiersGetTheirSideOtherKeysKeepTheirCode)
{
    const struct {
        uint32_t virtualKey, makeCode;
        bool extended;
        uint32_t hookCode;
    } cases[] = {
        {0x10, 0x2A, false, 0xA0},  // left shift
        {0x10, 0x36, false, 0xA1},  // right shift
        {0x11, 0x1D, false, 0xA2},  // left control
        {0x11, 0x1D, true, 0xA3},   // right control
        {0x12, 0x38, false, 0xA4},  // left alt
        {0x12, 0x38, true, 0xA5},   // right alt (AltGr)
        {0x78, 0x43, false, 0x78},  // F9
        {0x2E, 0x53, true, 0x2E},   // delete, an extended key
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.hookCode, LowLevelKeyCode(c.virtualKey, c.makeCode, c.extended)) << std::hex << c.virtualKey;
    }
}
