// The check of a move notification's address against the mouse hook module's range.
#include "hooks/MovePositionAddress.h"

bool IsPositionInsideRange(uintptr_t address, AddressRange range)
{
    if (address % MovePositionAlignment != 0 || range.size < MovePositionSize) return false;
    // Subtracting first keeps every comparison inside the range's own size, so an address
    // near the top of the address space cannot wrap around into it.
    return address >= range.first && address - range.first <= range.size - MovePositionSize;
}
