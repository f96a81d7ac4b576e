// Recording names and the paths of their files. Pure logic.
#pragma once
#include <string>
#include <string_view>

// "Records\" + name + ".rec"
std::wstring RecordingPath(std::wstring_view name);
// Not empty, no control character and none of " * / : < > ? \ |, and not the name of a
// device (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9 and LPT0 to LPT9, also with
// superscript 1 to 3, in any letter case, also followed by spaces or an extension)
bool IsValidRecordingName(std::wstring_view name);
// The name of a device as above (the part before the first dot, without its trailing
// spaces). The platform reports RecordingPath of such a name as existing, so the name checks
// ask this before the existence test.
bool IsDeviceName(std::wstring_view name);
// TempRecord, in any letter case: the file every new recording is written to.
bool IsReservedRecordingName(std::wstring_view name);
