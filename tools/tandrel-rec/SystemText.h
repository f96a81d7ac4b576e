// Text between tandrel-rec and the system. Inside the tool every text is UTF-8, file names too;
// on Windows a name becomes UTF-16 only at the system call that takes it, so that any name the
// system allows can be read and written, and messages reach a console as the characters they
// are, whatever its code page.
#pragma once
#include <cstdio>
#include <string>

#ifdef _WIN32
// UTF-8 to UTF-16 and back; text that is not valid UTF-8 (or UTF-16) becomes an empty string.
std::wstring WideText(const std::string& text);
std::string Utf8Text(const wchar_t* text);
#endif

// Writes text to a standard stream (stdout or stderr): to a Windows console as UTF-16, else as
// the bytes it is. False when it could not be written.
bool WriteStandardText(std::FILE* stream, const std::string& text);
