// The temporary file's name is kept in a fixed buffer, where a signal handler or the system's
// control thread can read it without allocating. POSIX: the signals are blocked while the file
// is created and while it is settled, so the handler never removes a file that is not the
// tool's, nor meets a half-done rename. Windows: one interlocked state decides whether the main
// thread or the control handler deals with the file.
#include "TemporaryFile.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "SystemText.h"
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32

enum TemporaryState : LONG {
    NoTemporary,
    Creating,     // the main thread creates it; the handler waits
    Writing,      // the control handler may remove it
    Settling,     // the main thread renames or removes it; the handler waits
    Interrupted,  // the control handler has removed it; the process is ending
};

// The state and the name: written by the main thread (the name only while the state is
// NoTemporary), read by the console control handler on a thread of the system's.
volatile LONG gState = NoTemporary;
wchar_t gName[32768];

BOOL WINAPI OnConsoleControl(DWORD)
{
    for (;;) {
        const LONG state = InterlockedCompareExchange(&gState, Interrupted, Writing);
        if (state == Writing) {
            // Opened with FILE_SHARE_DELETE: gone once the ending process closes it.
            DeleteFileW(gName);
            break;
        }
        if (state != Creating && state != Settling) break;
        Sleep(1);
    }
    return FALSE;  // the next handler, the system's, ends the process
}

#else

constexpr int WatchedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the main thread while the watched signals are blocked; read by the signal
// handler.
volatile sig_atomic_t gHasName = 0;
char gName[4096 + 64];

void OnSignal(int signalNumber)
{
    if (gHasName) unlink(gName);
    // The signal's own way to end, so whoever started the tool sees it ended by the signal.
    (void)signal(signalNumber, SIG_DFL);
    (void)raise(signalNumber);
}

void BlockSignals(int how)
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signalNumber : WatchedSignals) sigaddset(&set, signalNumber);
    sigprocmask(how, &set, nullptr);
}

#endif

}  // namespace

void WatchInterruptions()
{
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
    for (const int signalNumber : WatchedSignals) {
        struct sigaction action {};
        struct sigaction before {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(signalNumber, &action, &before);
        if (before.sa_handler == SIG_IGN) sigaction(signalNumber, &before, nullptr);
    }
#endif
}

bool BeginCreating(const std::string& path)
{
#ifdef _WIN32
    const std::wstring wide = WideText(path);
    if (wide.empty() || wide.size() >= sizeof gName / sizeof gName[0]) return false;
    std::memcpy(gName, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    InterlockedExchange(&gState, Creating);
#else
    if (path.size() >= sizeof gName) return false;
    BlockSignals(SIG_BLOCK);
    std::memcpy(gName, path.c_str(), path.size() + 1);
#endif
    return true;
}

void EndCreating(bool created)
{
#ifdef _WIN32
    InterlockedExchange(&gState, created ? Writing : NoTemporary);
#else
    gHasName = created ? 1 : 0;
    BlockSignals(SIG_UNBLOCK);
#endif
}

bool BeginSettling()
{
#ifdef _WIN32
    return InterlockedCompareExchange(&gState, Settling, Writing) == Writing;
#else
    BlockSignals(SIG_BLOCK);
    return true;
#endif
}

void EndTemporary()
{
#ifdef _WIN32
    // Not after an interruption: the handler has the file, and the process is ending.
    const LONG state = gState;
    if (state != Interrupted) InterlockedCompareExchange(&gState, NoTemporary, state);
#else
    gHasName = 0;
    BlockSignals(SIG_UNBLOCK);
#endif
}

void RemoveTemporaryNow()
{
#ifdef _WIN32
    if (InterlockedCompareExchange(&gState, Settling, Writing) == Writing) DeleteFileW(gName);
#else
    if (gHasName) unlink(gName);
    gHasName = 0;
#endif
}
