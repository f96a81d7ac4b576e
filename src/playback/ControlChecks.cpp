// The Win32 side of control-aware playback: finding a recording's control in its window, and
// the checks that tell whether a press can go into it now (see ControlChecks.h).
#include "playback/ControlChecks.h"

#include <cstring>

#include "core/ControlIdentityRead.h"
#include "core/WindowIdentityRead.h"
#include "playback/ControlPlacement.h"

namespace {

// A window that does not answer within this is asked again at the next poll; short, so that a
// stop still ends the wait at once.
constexpr UINT AnswerTimeoutMilliseconds = 5;
constexpr DWORD NoIntegrity = 0xFFFFFFFF;
constexpr int DesktopNameChars = 256;
constexpr int RememberedControls = 16;

// A control found earlier in the pass, found again by its handle: a look costs a few calls
// instead of a walk over every child of the window.
struct FoundControl {
    HWND window;
    HWND control;
    ControlIdentity identity;
};

// What StartControlChecks reads for a pass, the level of the last target process asked (a
// process keeps its level for life), and the controls the pass has found ready. Written and
// read on the worker thread only; StartControlChecks sets it afresh for each pass.
struct ControlCheckState {
    DWORD ownIntegrity;  // NoIntegrity when our token could not be read
    wchar_t ownDesktop[DesktopNameChars];
    DWORD lastProcess;  // 0: none asked yet
    bool lastHigher;
    FoundControl found[RememberedControls];  // the controls found last, the oldest replaced first
    int nextFound;
};
ControlCheckState gControlChecks{};

DWORD TokenIntegrity(HANDLE token)
{
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[64];
    DWORD needed = 0;
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &needed)) return NoIntegrity;
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    if (sid == nullptr || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return NoIntegrity;
    return *GetSidSubAuthority(sid, static_cast<DWORD>(*GetSidSubAuthorityCount(sid) - 1));
}

DWORD ProcessIntegrity(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return NoIntegrity;
    const DWORD level = TokenIntegrity(token);
    CloseHandle(token);
    return level;
}

bool DesktopName(HDESK desktop, wchar_t (&name)[DesktopNameChars])
{
    DWORD needed = 0;
    name[0] = L'\0';
    return desktop != nullptr && GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, &needed) != FALSE;
}

// Our desktop takes input: the input desktop can be opened and is ours. A locked session has
// the log-on desktop as its input desktop, which we may not open; a disconnected one has none.
bool IsInputDesktop()
{
    HDESK input = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (input == nullptr) return false;
    wchar_t name[DesktopNameChars];
    const bool named = DesktopName(input, name);
    CloseDesktop(input);
    return named && std::wcscmp(name, gControlChecks.ownDesktop) == 0;
}

// A target's process whose token cannot be read (it ended, or it is protected) is not taken as
// higher: the press goes in as it would without the check.
bool RunsWithHigherRights(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == gControlChecks.lastProcess) return gControlChecks.lastHigher;
    DWORD level = NoIntegrity;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        level = ProcessIntegrity(process);
        CloseHandle(process);
    }
    gControlChecks.lastProcess = processId;
    gControlChecks.lastHigher =
        level != NoIntegrity && gControlChecks.ownIntegrity != NoIntegrity && level > gControlChecks.ownIntegrity;
    return gControlChecks.lastHigher;
}

bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, AnswerTimeoutMilliseconds, &result) != 0;
}

bool IsReady(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

// The control found earlier for this identity in this window, if its handle is still a ready
// child of the window with the identifier; null otherwise (then the window is searched).
HWND FoundEarlier(HWND window, const ControlIdentity& target)
{
    for (const FoundControl& found : gControlChecks.found) {
        if (found.window != window || found.control == nullptr || !IsSameControl(found.identity, target)) continue;
        const bool stillThere = IsChild(window, found.control) &&
                                static_cast<int32_t>(GetWindowLongPtrW(found.control, GWLP_ID)) == target.id;
        if (stillThere && IsReady(found.control)) return found.control;
    }
    return nullptr;
}

void Remember(HWND window, HWND control, const ControlIdentity& target)
{
    for (FoundControl& found : gControlChecks.found)
        if (found.window == window && IsSameControl(found.identity, target)) {
            found.control = control;
            return;
        }
    gControlChecks.found[gControlChecks.nextFound] = FoundControl{window, control, target};
    gControlChecks.nextFound = (gControlChecks.nextFound + 1) % RememberedControls;
}

bool HasFocus(HWND window, HWND control)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndFocus == nullptr) return false;
    return info.hwndFocus == control || IsChild(control, info.hwndFocus);
}

struct ControlSearch {
    const ControlIdentity* target;
    HWND found;
    bool foundReady;
};

BOOL CALLBACK LookAtChild(HWND child, LPARAM parameter)
{
    auto& search = *reinterpret_cast<ControlSearch*>(parameter);
    // The identifier first: it is one cheap read, and it tells most children apart.
    if (static_cast<int32_t>(GetWindowLongPtrW(child, GWLP_ID)) != search.target->id) return TRUE;
    ControlIdentity now{};
    wchar_t name[257];
    if (GetClassNameW(child, name, 257) <= 0) name[0] = L'\0';
    WindowTextToUtf8(name, now.controlClass, static_cast<int>(WindowClassBytes));
    now.id = search.target->id;
    now.place = ReadControlPlace(child, name);
    if (!IsSameControl(*search.target, now)) return TRUE;
    if (search.found == nullptr) search.found = child;
    if (!IsReady(child)) return TRUE;
    search.found = child;
    search.foundReady = true;
    return FALSE;
}

}  // namespace

void StartControlChecks()
{
    gControlChecks.ownIntegrity = ProcessIntegrity(GetCurrentProcess());
    if (!DesktopName(GetThreadDesktop(GetCurrentThreadId()), gControlChecks.ownDesktop))
        gControlChecks.ownDesktop[0] = L'\0';
    gControlChecks.lastProcess = 0;
    gControlChecks.lastHigher = false;
    std::memset(gControlChecks.found, 0, sizeof gControlChecks.found);
    gControlChecks.nextFound = 0;
}

HWND FindControl(HWND window, const ControlIdentity& target, ControlIdentity& now)
{
    ControlSearch search{&target, FoundEarlier(window, target), false};
    if (search.found == nullptr) {
        EnumChildWindows(window, LookAtChild, reinterpret_cast<LPARAM>(&search));
        if (search.foundReady) Remember(window, search.found, target);
    }
    now = target;
    RECT r;
    if (search.found == nullptr || !GetWindowRect(search.found, &r)) return nullptr;
    now.left = r.left;
    now.top = r.top;
    now.width = r.right - r.left;
    now.height = r.bottom - r.top;
    return search.found;
}

ControlChecks CheckControl(HWND window, HWND control, bool withFocus)
{
    ControlChecks checks{};
    checks.inputDesktop = IsInputDesktop();
    checks.higherRights = RunsWithHigherRights(window);
    checks.answers = Answers(window);
    checks.controlReady = control != nullptr && IsReady(control);
    checks.focusInControl = withFocus && control != nullptr && HasFocus(window, control);
    return checks;
}

int32_t WindowDisplayDpi(HWND window)
{
    // Read as the recorder reads it, so that a window shown at the same scale maps 1:1.
    return ReadWindowDpi(window);
}
