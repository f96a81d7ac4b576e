// Recording names and the paths of their files. Pure logic.
#pragma once
#include <string>
#include <string_view>

// "Records\" + name + ".rec"
std::wstring RecordingPath(std::wstring_view name);
// Not empty, no control character and none of " * / : < > ? \ |
bool IsValidRecordingName(std::wstring_view name);
// TempRecord, in any letter case: the file every new recording is written to.
bool IsReservedRecordingName(std::wstring_view name);
