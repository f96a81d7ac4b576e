// Loading the hook modules: their export tables, the modules beside the program (copies of the
// built ones lie beside the test), missing modules and modules without the expected exports,
// that each module is loaded and freed once, and that the working directory is out of the
// search once start-up has restricted it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hooks/HookModules.h"
#include "support/TempWorkingFolder.h"
#include "support/WinePaths.h"

namespace {

// The names in a loaded module's export table, read from the image itself.
std::vector<std::string> ExportedNames(HMODULE module, DWORD* functionCount)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> names;
    *functionCount = 0;
    if (entry.VirtualAddress == 0) return names;
    const IMAGE_EXPORT_DIRECTORY* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const DWORD* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.push_back(reinterpret_cast<const char*>(base + nameOffsets[i]));
    }
    std::sort(names.begin(), names.end());
    *functionCount = exports->NumberOfFunctions;
    return names;
}

// Puts a copy of the built module `source` into the working folder under the name `target`.
void CopyIntoWorkingFolder(const wchar_t* source, const wchar_t* target)
{
    const std::wstring to = WorkingFolder() + L"\\" + target;
    ASSERT_TRUE(CopyFileW(DistPath(source).c_str(), to.c_str(), FALSE)) << "copying " << source;
}

bool IsLoaded(const wchar_t* module)
{
    return GetModuleHandleW(module) != nullptr;
}

class HookModulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        window =
            CreateWindowExW(0, L"STATIC", L"hook modules test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        DestroyWindow(window);
        // Every test starts with neither module in the process, or the search is not tested.
        EXPECT_FALSE(IsLoaded(L"KeyBoardHook.dll"));
        EXPECT_FALSE(IsLoaded(L"MouseHook.dll"));
    }
    HWND window = nullptr;
};

TEST_F(HookModulesTest, ModulesExportTheirThreePlainNamesAndNothingElse)
{
    struct Expected {
        const wchar_t* file;
        std::vector<std::string> names;
    };
    const Expected modules[] = {
        {L"KeyBoardHook.dll", {"InitKeyBoardHook", "KeyBoardHookProc", "ShareKeyBoardHookMark"}},
        {L"MouseHook.dll", {"InitMouseHook", "MouseHookProc", "ShareMouseHookMark"}}};
    for (const Expected& expected : modules) {
        HMODULE module = LoadLibraryW(DistPath(expected.file).c_str());
        ASSERT_NE(module, nullptr) << "loading " << DistPath(expected.file).c_str();
        DWORD functionCount = 0;
        EXPECT_EQ(ExportedNames(module, &functionCount), expected.names);
        EXPECT_EQ(functionCount, 3u) << "no exports by ordinal only";
        for (const std::string& name : expected.names) {
            EXPECT_NE(GetProcAddress(module, name.c_str()), nullptr) << name;
            // The stdcall decorations are not part of the names the program looks up.
            EXPECT_EQ(GetProcAddress(module, (name + (name.rfind("Init", 0) == 0    ? "@8"
                                                      : name.rfind("Share", 0) == 0 ? "@4"
                                                                                    : "@12"))
                                                 .c_str()),
                      nullptr);
            EXPECT_EQ(GetProcAddress(module, ("_" + name).c_str()), nullptr);
        }
        FreeLibrary(module);
    }
}

TEST_F(HookModulesTest, ModulesBesideTheProgramInstallBothHooks)
{
    LoadHookModules();
    EXPECT_TRUE(IsLoaded(L"KeyBoardHook.dll"));
    EXPECT_TRUE(IsLoaded(L"MouseHook.dll"));
    EXPECT_TRUE(InstallKeyboardHook(window));
    EXPECT_TRUE(InstallMouseHook(window));
    RemoveHooks();
    // Removed hooks can be installed again from the modules that stay loaded.
    EXPECT_TRUE(InstallKeyboardHook(window));
    EXPECT_TRUE(InstallMouseHook(window));
    RemoveHooks();
    RemoveHooks();  // nothing left to remove: harmless
}

TEST_F(HookModulesTest, MissingModulesLeaveBothHooksUninstalled)
{
    EnterFreshWorkingFolder();  // empty
    LoadHookModulesFrom(WorkingFolder());
    EXPECT_FALSE(InstallKeyboardHook(window));
    EXPECT_FALSE(InstallMouseHook(window));
    RemoveHooks();
    UnloadHookModules();
    LeaveWorkingFolder();
}

TEST_F(HookModulesTest, OneMissingModuleFailsOnlyItsOwnHook)
{
    EnterFreshWorkingFolder();
    CopyIntoWorkingFolder(L"MouseHook.dll", L"MouseHook.dll");
    LoadHookModulesFrom(WorkingFolder());
    EXPECT_FALSE(InstallKeyboardHook(window));
    EXPECT_TRUE(InstallMouseHook(window));
    UnloadHookModules();  // also removes the installed mouse hook before its module goes
    LeaveWorkingFolder();
}

TEST_F(HookModulesTest, ModulesWithoutTheirExportsLeaveBothHooksUninstalled)
{
    // Each file is there but holds the other module, so the names looked up are missing.
    EnterFreshWorkingFolder();
    CopyIntoWorkingFolder(L"MouseHook.dll", L"KeyBoardHook.dll");
    CopyIntoWorkingFolder(L"KeyBoardHook.dll", L"MouseHook.dll");
    LoadHookModulesFrom(WorkingFolder());
    EXPECT_TRUE(IsLoaded(L"KeyBoardHook.dll"));
    EXPECT_FALSE(InstallKeyboardHook(window));
    EXPECT_FALSE(InstallMouseHook(window));
    UnloadHookModules();
    EXPECT_FALSE(IsLoaded(L"KeyBoardHook.dll"));
    LeaveWorkingFolder();
}

TEST_F(HookModulesTest, EachModuleIsLoadedAndFreedOnce)
{
    // Loading twice must not leave a reference behind that one unload does not drop.
    LoadHookModulesFrom(DistFolder());
    LoadHookModulesFrom(DistFolder());
    ASSERT_TRUE(InstallKeyboardHook(window));
    UnloadHookModules();
    EXPECT_FALSE(IsLoaded(L"KeyBoardHook.dll"));
    EXPECT_FALSE(IsLoaded(L"MouseHook.dll"));

    // Unloading twice must not take away a reference that someone else holds.
    HMODULE own = LoadLibraryW(DistPath(L"KeyBoardHook.dll").c_str());
    ASSERT_NE(own, nullptr);
    LoadHookModulesFrom(DistFolder());
    UnloadHookModules();
    UnloadHookModules();
    EXPECT_TRUE(IsLoaded(L"KeyBoardHook.dll"));
    FreeLibrary(own);
}

TEST_F(HookModulesTest, ModulesInAFolderDeeperThanMaxPathAreLoaded)
{
    EnterFreshWorkingFolder();
    std::wstring deep = L"\\\\?\\" + WorkingFolder();
    while (deep.size() < MAX_PATH + 20) {
        deep += L"\\a-folder-name-of-forty-characters-length";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    for (const wchar_t* name : {L"KeyBoardHook.dll", L"MouseHook.dll"}) {
        ASSERT_TRUE(CopyFileW(DistPath(name).c_str(), (deep + L"\\" + name).c_str(), FALSE)) << "copying " << name;
    }
    LoadHookModulesFrom(deep.substr(4));  // as the program's own path comes, without the prefix
    EXPECT_TRUE(IsLoaded(L"KeyBoardHook.dll"));
    EXPECT_TRUE(IsLoaded(L"MouseHook.dll"));
    UnloadHookModules();
    LeaveWorkingFolder();
}

TEST_F(HookModulesTest, ModulesComeOnlyFromTheirFolderAndStartUpTakesTheWorkingDirectoryOutOfTheSearch)
{
    // Modules of the same names in the working directory, where a search would look.
    EnterFreshWorkingFolder();
    CopyIntoWorkingFolder(L"KeyBoardHook.dll", L"KeyBoardHook.dll");
    CopyIntoWorkingFolder(L"KeyBoardHook.dll", L"Planted.dll");
    // Not in the folder: missing, however easily a search would find one.
    const std::wstring empty = WorkingFolder() + L"\\empty";
    ASSERT_TRUE(CreateDirectoryW(empty.c_str(), nullptr));
    LoadHookModulesFrom(empty);
    EXPECT_FALSE(IsLoaded(L"KeyBoardHook.dll"));
    EXPECT_FALSE(InstallKeyboardHook(window));
    UnloadHookModules();

    // Found by a search before start-up restricts it; not after (this stays so for the rest
    // of the process, so this test comes last).
    HMODULE before = LoadLibraryW(L"Planted.dll");
    ASSERT_NE(nullptr, before) << "the working directory is not in this system's search at all";
    FreeLibrary(before);
    RestrictModuleSearch();
    HMODULE after = LoadLibraryW(L"Planted.dll");
    EXPECT_EQ(nullptr, after);
    if (after != nullptr) FreeLibrary(after);
    LeaveWorkingFolder();
}

}  // namespace
