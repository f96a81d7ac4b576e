// What the hook tests share: where the built modules are.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

// The folder of the built modules, from TANDREL_DIST_DIR. Under Wine, ctest passes a Unix
// path, which is reached through the Z: drive that maps the Unix root.
inline std::wstring HookModulesFolder() {
  const wchar_t* dir = _wgetenv(L"TANDREL_DIST_DIR");
  std::wstring path = dir != nullptr ? dir : L"";
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}
