// The Records folder in the working directory.
#include "library/RecordsFolder.h"
#include "library/QueryFileSize.h"

#include <windows.h>

void EnsureRecordsFolder()
{
    // Nothing is reported: without the folder the list stays empty and F9 tells that a
    // recording cannot start.
    if (QueryFileSize(RecordsFolderName) != FolderThere) CreateDirectoryW(RecordsFolderName, nullptr);
}
