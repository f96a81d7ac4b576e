// Fuzz target: a recording name (UTF-16 from the input's bytes) through the name rule and
// RecordingPath. A name the rule accepts has no control character and none of the characters a
// file name may not hold, so its path stays in the Records folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "library/RecordingNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring name;
    for (size_t i = 0; i + 1 < size; i += 2) name += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    const std::wstring path = RecordingPath(name);
    if (path.size() != name.size() + 12 || path.compare(0, 8, L"Records\\") != 0 ||
        path.compare(path.size() - 4, 4, L".rec") != 0)
        std::abort();
    if (IsValidRecordingName(name)) {
        if (name.empty()) std::abort();
        for (wchar_t c : name)
            if (c < 0x20 || std::wstring_view(L"\"*/:<>?\\|").find(c) != std::wstring_view::npos) std::abort();
    }
    if (IsReservedRecordingName(name) && name.size() != 10) std::abort();
    return 0;
}
