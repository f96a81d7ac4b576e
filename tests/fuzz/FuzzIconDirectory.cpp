// Fuzz target: an icon file's directory and the choice of its image. A file that passes the
// whole-file check is read only within its bytes, and every choice names one of its images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "ui/IconDirectory.h"

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

void RequireChoiceInFile(const unsigned char* file, size_t size, int chosen)
{
    Require(chosen >= 0 && static_cast<unsigned>(chosen) < IconImageCount(file));
    const IconImageEntry entry = ReadIconEntry(file, static_cast<unsigned>(chosen));
    Require(entry.width >= 1 && entry.width <= 256 && entry.height >= 1 && entry.height <= 256);
    Require(entry.offset <= size && entry.size <= size - entry.offset);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!IsWholeIconFile(data, size)) return 0;
    RequireChoiceInFile(data, size, ChooseIconImage(data));
    // The sizes the display scales ask for, and the extremes.
    for (unsigned iconSize : {1u, 16u, 20u, 24u, 32u, 48u, 64u, 256u, 4096u})
        RequireChoiceInFile(data, size, ChooseIconImageForSize(data, iconSize));
    return 0;
}
