// UTF-8 inside, UTF-16 at the Windows calls; a console gets characters, a file or pipe bytes.
#include "SystemText.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

std::wstring WideText(const std::string& text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8Text(const wchar_t* text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();  // the terminating zero
    return utf8;
}

bool WriteStandardText(std::FILE* stream, const std::string& text)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    }
    // What the stream holds already comes first.
    if (std::fflush(stream) != 0) return false;
    const std::wstring wide = text.empty() ? std::wstring() : WideText(text);
    if (wide.empty() && !text.empty()) return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    size_t done = 0;
    while (done < wide.size()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(wide.size() - done < 16384 ? wide.size() - done : 16384);
        if (!WriteConsoleW(handle, wide.data() + done, size, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

#else

bool WriteStandardText(std::FILE* stream, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

#endif
