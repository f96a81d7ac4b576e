// Reading an icon file's directory and choosing its image (see IconDirectory.h).
#include "ui/IconDirectory.h"

#include "core/LittleEndian.h"

namespace {

constexpr unsigned HeaderBytes = 6;
constexpr unsigned EntryBytes = 16;
// An image's bitmap header up to its width and height.
constexpr std::uint32_t MinimumImageBytes = 12;

unsigned Word(const unsigned char* p)
{
    return GetUnsigned16(p);
}

std::uint32_t DoubleWord(const unsigned char* p)
{
    return GetUnsigned32(p);
}

unsigned Distance(unsigned a, unsigned b)
{
    return a > b ? a - b : b - a;
}

// True when entry a makes a better icon of size x size pixels than entry b.
bool FitsSizeBetter(const IconImageEntry& a, const IconImageEntry& b, unsigned size)
{
    const unsigned distanceA = Distance(a.width, size) + Distance(a.height, size);
    const unsigned distanceB = Distance(b.width, size) + Distance(b.height, size);
    if (distanceA != distanceB) return distanceA < distanceB;
    if (a.width * a.height != b.width * b.height) return a.width * a.height > b.width * b.height;
    return a.bitCount > b.bitCount;
}

}  // namespace

bool IsWholeIconFile(const unsigned char* file, std::size_t fileSize)
{
    if (file == nullptr || fileSize < HeaderBytes || !IsIconFile(file)) return false;
    const unsigned count = IconImageCount(file);
    if (count == 0 || fileSize < HeaderBytes + std::size_t{EntryBytes} * count) return false;
    for (unsigned i = 0; i < count; ++i) {
        const IconImageEntry entry = ReadIconEntry(file, i);
        // The decoder reads the image's header (at least its sizes) from within the file.
        if (entry.size < MinimumImageBytes || entry.offset > fileSize || entry.size > fileSize - entry.offset)
            return false;
    }
    return true;
}

bool IsIconFile(const unsigned char* file)
{
    return Word(file) == 0 && Word(file + 2) == 1;
}

unsigned IconImageCount(const unsigned char* file)
{
    return Word(file + 4);
}

IconImageEntry ReadIconEntry(const unsigned char* file, unsigned index)
{
    const unsigned char* e = file + HeaderBytes + EntryBytes * index;
    return {e[0] ? e[0] : 256u, e[1] ? e[1] : 256u, Word(e + 6), DoubleWord(e + 8), DoubleWord(e + 12)};
}

int ChooseIconImage(const unsigned char* file)
{
    const unsigned count = IconImageCount(file);
    if (count == 0) return -1;
    const IconImageEntry wanted = ReadIconEntry(file, 0);
    int chosen = 0;
    unsigned chosenBits = wanted.bitCount;
    for (unsigned i = 1; i < count; ++i) {
        const IconImageEntry e = ReadIconEntry(file, i);
        if (e.width == wanted.width && e.height == wanted.height && e.bitCount > chosenBits) {
            chosen = static_cast<int>(i);
            chosenBits = e.bitCount;
        }
    }
    return chosen;
}

int ChooseIconImageForSize(const unsigned char* file, unsigned size)
{
    const unsigned count = IconImageCount(file);
    if (count == 0) return -1;
    int chosen = 0;
    IconImageEntry best = ReadIconEntry(file, 0);
    for (unsigned i = 1; i < count; ++i) {
        const IconImageEntry e = ReadIconEntry(file, i);
        if (FitsSizeBetter(e, best, size)) {
            chosen = static_cast<int>(i);
            best = e;
        }
    }
    return chosen;
}
