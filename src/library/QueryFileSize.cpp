// The file-existence query: nothing, a folder, or a file and its size.
#include "library/QueryFileSize.h"

#include <windows.h>

#include <string>

namespace {

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

int64_t QueryFileSize(std::wstring_view path)
{
    while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
    if (path.empty()) return NothingThere;
    std::wstring query(path);
    // "C:" alone would name the current folder of drive C; the drive itself is meant, and
    // its root is a folder whenever the drive exists.
    if (query.size() == 2 && query[1] == L':' && IsDriveLetter(query[0])) query += L'\\';
    // GetFileAttributesExW takes the path literally: wildcards match nothing.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(query.c_str(), GetFileExInfoStandard, &data)) return NothingThere;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FolderThere;
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}
