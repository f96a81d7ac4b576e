// Where the Win32 tests find the built program under Wine: ctest passes Unix paths in the
// environment, which Wine reaches through its Z: drive (the Unix root).
#pragma once
#include <string>

// The Unix path in this environment variable as a Windows path, with `rest` appended and every
// slash turned into a backslash; empty when the variable is not set.
std::wstring WinePathFromEnvironment(const wchar_t* variable, const wchar_t* rest = L"");
// The folder of the built program and hook modules, from TANDREL_DIST_DIR (empty when unset).
std::wstring DistFolder();
// A file in that folder (empty when the folder is not known).
std::wstring DistPath(const wchar_t* file);
