// The recording file's write: WriteFile, nothing more.
#include "recording/RecordingFileWrite.h"

bool WriteRecordingFile(HANDLE file, const uint8_t* bytes, uint32_t size, uint32_t& written)
{
    DWORD done = 0;
    const BOOL wrote = WriteFile(file, bytes, size, &done, nullptr);
    written = done;
    return wrote != FALSE;
}
