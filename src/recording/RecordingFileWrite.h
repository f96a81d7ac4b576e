// The one write of the recording file. In an object library of its own so that tests can
// link a write that comes out short.
#pragma once
#include <windows.h>

#include <cstdint>

// WriteFile of `size` bytes at the file's position; `written` is what reached the file. False
// when the write failed.
bool WriteRecordingFile(HANDLE file, const uint8_t* bytes, uint32_t size, uint32_t& written);
