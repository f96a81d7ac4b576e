// STUB: replaced by the playback work.
#include "playback/PlaybackWorker.h"
DWORD WINAPI PlaybackWorker(LPVOID) { return 0; }
bool StartPlaybackWorker(HWND) { return false; }
bool IsPlaybackWorkerRunning() { return false; }
void CloseWorkerThreadHandles() {}
