// Fuzz target: tandrel-rec's text form, both ways. The input is taken as a recording's bytes
// (its dump must pack back into exactly those bytes) and as text (when it packs, dumping and
// packing again must give the same bytes and the same text).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "RecordText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    std::string text;
    AppendRecordingText(text, bytes);
    std::vector<uint8_t> packed;
    TextError error;
    if (!ReadRecordingText(text, packed, error)) std::abort();
    if (packed.size() != size || !std::equal(packed.begin(), packed.end(), data)) std::abort();

    const std::string_view asText(reinterpret_cast<const char*>(data), size);
    std::vector<uint8_t> fromText;
    if (!ReadRecordingText(asText, fromText, error)) {
        if (error.line < 1 || !fromText.empty()) std::abort();
        return 0;
    }
    std::string dumped;
    AppendRecordingText(dumped, fromText);
    std::vector<uint8_t> again;
    if (!ReadRecordingText(dumped, again, error) || again != fromText) std::abort();
    std::string dumpedAgain;
    AppendRecordingText(dumpedAgain, again);
    if (dumpedAgain != dumped) std::abort();
    return 0;
}
