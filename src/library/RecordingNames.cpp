// STUB: replaced by the library work.
#include "library/RecordingNames.h"
std::wstring RecordingPath(std::wstring_view name) { return L"Records\\" + std::wstring(name) + L".rec"; }
bool IsValidRecordingName(std::wstring_view) { return true; }
bool IsReservedRecordingName(std::wstring_view) { return false; }
