// The file-existence query: nothing, a folder, or a file and its size.
#pragma once
#include <cstdint>
#include <string_view>

constexpr int64_t NothingThere = -1;
constexpr int64_t FolderThere = -2;
// -1 nothing (or an empty path), -2 a folder, else the file's size. Trailing backslashes are
// ignored; a drive root counts as a folder.
int64_t QueryFileSize(std::wstring_view path);
