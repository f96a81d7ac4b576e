// Fuzz target: a command line (UTF-16 from the input's bytes) split into words and read for its
// options, and every word through TextToInteger. Whatever the line, the speed divisor comes out
// 1 (no "/speed") or within 2 to 10, and the recording path is one of the words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"
#include "app/TextToInteger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2) line += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    const std::vector<std::wstring> words = SplitCommandLine(line);
    for (const std::wstring& word : words) {
        if (word.find(L' ') != std::wstring::npos && line.find(L'"') == std::wstring::npos) std::abort();
        TextToInteger(word);
    }
    CommandLineSettings settings{1, 0, L""};
    ReadCommandLineParameters(words, &settings);
    const bool divisorValid = settings.speedDivisor == 1 || (settings.speedDivisor >= 2 && settings.speedDivisor <= 10);
    if (!divisorValid) std::abort();
    if (!settings.playbackPath.empty()) {
        bool found = false;
        for (size_t k = 1; k < words.size(); ++k) found = found || words[k] == settings.playbackPath;
        if (!found) std::abort();
    }
    return 0;
}
