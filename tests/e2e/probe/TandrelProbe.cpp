// Reads the windows on the desktop of the Wine prefix it runs in and prints them as one JSON
// document, for the end-to-end tests. It only reads: the tests act with real input.
//
//   TandrelProbe.exe [--exe NAME] [--out FILE]
//
// --exe keeps only the windows of processes whose program file is NAME (no folder, any case);
// without it, only visible windows are listed. The document:
//   {"windows": [{"hwnd", "title", "class", "pid", "exe", "visible", "enabled", "topmost", "foreground",
//                 "style", "exstyle", "owner", "rect": [l, t, r, b] (screen),
//                 "client": [w, h], "clientOrigin": [x, y] (screen),
//                 "children": [{"hwnd", "parent", "class", "id", "text", "style", "exstyle",
//                               "visible", "enabled", "rect": [x, y, w, h] (in the top-level
//                               window's client area), "items": [...], "selection": n}]}],
//    "processes": ["name.exe", ...]}
// "items" and "selection" are present for list boxes only.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

namespace {

std::wstring gExeFilter;
std::string gOut;

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

void PutString(const std::wstring& text)
{
    gOut += '"';
    for (char c : Utf8(text)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            gOut += '\\';
            gOut += c;
        } else if (u < 0x20) {
            char esc[8];
            wsprintfA(esc, "\\u%04x", u);
            gOut += esc;
        } else {
            gOut += c;
        }
    }
    gOut += '"';
}

void PutKey(const char* key)
{
    gOut += '"';
    gOut += key;
    gOut += "\":";
}

void PutNumber(const char* key, long long value)
{
    PutKey(key);
    gOut += std::to_string(value);
    gOut += ',';
}

void PutBool(const char* key, bool value)
{
    PutKey(key);
    gOut += value ? "true," : "false,";
}

void PutText(const char* key, const std::wstring& value)
{
    PutKey(key);
    PutString(value);
    gOut += ',';
}

void PutInts(const char* key, std::initializer_list<long> values)
{
    PutKey(key);
    gOut += '[';
    bool first = true;
    for (long v : values) {
        if (!first) gOut += ',';
        gOut += std::to_string(v);
        first = false;
    }
    gOut += "],";
}

void CloseObject(char closer)
{
    if (!gOut.empty() && gOut.back() == ',') gOut.pop_back();
    gOut += closer;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The text through WM_GETTEXT, which crosses processes (GetWindowText would not ask a window
// of another process). A hung window gives up after a while instead of blocking the probe.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::wstring(buffer.data());
}

std::wstring ExeOf(DWORD pid)
{
    std::wstring name;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return name;
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        name = path;
        size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name = name.substr(slash + 1);
    }
    CloseHandle(process);
    return name;
}

void PutListBox(HWND list)
{
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    PutKey("items");
    gOut += '[';
    for (DWORD_PTR i = 0; i<count&& static_cast<LONG_PTR>(count)> 0; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000, &length);
        std::vector<wchar_t> buffer(length + 1, L'\0');
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, 2000,
                            &ignored);
        if (i > 0) gOut += ',';
        PutString(buffer.data());
    }
    gOut += "],";
    DWORD_PTR selection = static_cast<DWORD_PTR>(-1);
    SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
    PutNumber("selection", static_cast<LONG_PTR>(selection));
}

struct ChildWalk {
    HWND topLevel;
    bool first;
};

BOOL CALLBACK PutChild(HWND child, LPARAM param)
{
    ChildWalk* walk = reinterpret_cast<ChildWalk*>(param);
    if (!walk->first) gOut += ',';
    walk->first = false;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, walk->topLevel, reinterpret_cast<POINT*>(&r), 2);
    std::wstring className = ClassOf(child);
    gOut += '{';
    PutNumber("hwnd", reinterpret_cast<LONG_PTR>(child));
    PutNumber("parent", reinterpret_cast<LONG_PTR>(GetParent(child)));
    PutText("class", className);
    PutNumber("id", GetDlgCtrlID(child));
    PutText("text", TextOf(child));
    PutNumber("style", static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)));
    PutNumber("exstyle", static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE)));
    PutBool("visible", IsWindowVisible(child) != FALSE);
    PutBool("enabled", IsWindowEnabled(child) != FALSE);
    PutInts("rect", {r.left, r.top, r.right - r.left, r.bottom - r.top});
    if (lstrcmpiW(className.c_str(), L"ListBox") == 0) PutListBox(child);
    CloseObject('}');
    return TRUE;
}

bool gFirstWindow = true;

BOOL CALLBACK PutTopLevel(HWND window, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::wstring exe = ExeOf(pid);
    if (gExeFilter.empty() ? !IsWindowVisible(window) : lstrcmpiW(exe.c_str(), gExeFilter.c_str()) != 0) return TRUE;
    if (!gFirstWindow) gOut += ',';
    gFirstWindow = false;

    RECT r;
    GetWindowRect(window, &r);
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    gOut += '{';
    PutNumber("hwnd", reinterpret_cast<LONG_PTR>(window));
    PutText("title", TextOf(window));
    PutText("class", ClassOf(window));
    PutNumber("pid", pid);
    PutText("exe", exe);
    PutBool("visible", IsWindowVisible(window) != FALSE);
    PutBool("enabled", IsWindowEnabled(window) != FALSE);
    PutBool("topmost", (exStyle & WS_EX_TOPMOST) != 0);
    PutBool("foreground", GetForegroundWindow() == window);
    PutNumber("style", static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)));
    PutNumber("exstyle", exStyle);
    PutNumber("owner", reinterpret_cast<LONG_PTR>(GetWindow(window, GW_OWNER)));
    PutInts("rect", {r.left, r.top, r.right, r.bottom});
    PutInts("client", {client.right - client.left, client.bottom - client.top});
    PutInts("clientOrigin", {origin.x, origin.y});
    PutKey("children");
    gOut += '[';
    ChildWalk walk = {window, true};
    EnumChildWindows(window, PutChild, reinterpret_cast<LPARAM>(&walk));
    gOut += ']';
    gOut += '}';
    return TRUE;
}

void PutProcesses()
{
    PutKey("processes");
    gOut += '[';
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        bool first = true;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            if (!first) gOut += ',';
            first = false;
            PutString(entry.szExeFile);
        }
        CloseHandle(snapshot);
    }
    gOut += ']';
}

}  // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring outPath;
    for (int i = 1; argv != nullptr && i + 1 < argc; ++i) {
        if (lstrcmpW(argv[i], L"--exe") == 0)
            gExeFilter = argv[++i];
        else if (lstrcmpW(argv[i], L"--out") == 0)
            outPath = argv[++i];
    }
    if (argv != nullptr) LocalFree(argv);

    gOut = "{\"windows\":[";
    EnumWindows(PutTopLevel, 0);
    gOut += "],";
    PutProcesses();
    gOut += "}\n";

    HANDLE out = outPath.empty() ? GetStdHandle(STD_OUTPUT_HANDLE)
                                 : CreateFileW(outPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(out, gOut.data(), static_cast<DWORD>(gOut.size()), &written, nullptr);
    if (!outPath.empty()) CloseHandle(out);
    return ok ? 0 : 1;
}
