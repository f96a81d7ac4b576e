// Splitting the command line into words and reading "/speed", "/repeats" and the recording path.
#include "app/CommandLine.h"

#include "app/TextToInteger.h"

std::vector<std::wstring> SplitCommandLine(std::wstring_view line)
{
    std::vector<std::wstring> words;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && line[i] == L' ') ++i;  // tabs do not separate
        if (i >= line.size()) break;
        if (line[i] == L'"') {
            // A quoted word ends at the next quote, even when no space follows it.
            size_t close = line.find(L'"', i + 1);
            if (close == std::wstring_view::npos) {
                words.emplace_back(line.substr(i + 1));
                break;
            }
            words.emplace_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            size_t end = line.find(L' ', i);
            if (end == std::wstring_view::npos) end = line.size();
            words.emplace_back(line.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

namespace {

std::wstring OptionName(const std::wstring& word)
{
    std::wstring name = word.substr(0, word.find(L'='));
    for (wchar_t& c : name) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return name;
}

// The text between the first and the second "=", or to the end.
std::wstring OptionValue(const std::wstring& word)
{
    size_t first = word.find(L'=');
    if (first == std::wstring::npos) return std::wstring();
    size_t second = word.find(L'=', first + 1);
    if (second == std::wstring::npos) return word.substr(first + 1);
    return word.substr(first + 1, second - first - 1);
}

}  // namespace

void ReadCommandLineParameters(const std::vector<std::wstring>& words, CommandLineSettings* settings)
{
    for (size_t k = 1; k < words.size(); ++k) {
        const std::wstring& word = words[k];
        std::wstring name = OptionName(word);
        if (name == L"/speed") {
            int32_t divisor = static_cast<int32_t>(TextToInteger(OptionValue(word)));
            settings->speedDivisor = divisor < 2 ? 2 : divisor > 10 ? 10 : divisor;
        } else if (name == L"/repeats") {
            settings->repeatCount = static_cast<int32_t>(TextToInteger(OptionValue(word)));
        } else {
            settings->playbackPath = word;
        }
    }
}
