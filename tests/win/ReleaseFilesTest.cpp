// What each shipped file says it is: the version resource of Tandrel.exe, its two hook modules
// and tandrel-rec.exe, read back from the built files as Explorer's Details tab and a virus
// scanner read it (GetFileVersionInfoW, VerQueryValueW): company, product, a German description
// of the file's own job, the project's version, the file's own names, the copyright.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Version.h"
#include "support/WinePaths.h"

namespace {

struct ShippedFile {
    const wchar_t* name;
    const wchar_t* internalName;
    DWORD fileType;
    const wchar_t* description;
};

const ShippedFile ShippedFiles[] = {
    {L"Tandrel.exe", L"Tandrel", VFT_APP, L"Tandrel: Tastatur und Maus aufzeichnen und abspielen"},
    {L"KeyBoardHook.dll", L"KeyBoardHook", VFT_DLL,
     L"Tastatur-Hook von Tandrel: meldet Tastatureingaben an Tandrel.exe"},
    {L"MouseHook.dll", L"MouseHook", VFT_DLL, L"Maus-Hook von Tandrel: meldet Mauseingaben an Tandrel.exe"},
    {L"tandrel-rec.exe", L"tandrel-rec", VFT_APP,
     L"Tandrel-Aufzeichnungen umwandeln, pr\u00fcfen und bearbeiten (Kommandozeile)"},
};

// A string of the German Unicode block, the one the file's translation entry names (checked
// below); "(none)" when the file has no such string.
std::wstring StringValue(const std::vector<unsigned char>& info, const wchar_t* name)
{
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return L"(none)";
    return value;
}

TEST(ReleaseFiles, EachShippedFileSaysWhatItIsInGerman)
{
    const std::wstring version =
        std::to_wstring(TANDREL_VERSION_MAJOR) + L"." + std::to_wstring(TANDREL_VERSION_MINOR) + L".0.0";
    const DWORD versionHigh = (TANDREL_VERSION_MAJOR << 16) | TANDREL_VERSION_MINOR;
    for (const ShippedFile& file : ShippedFiles) {
        const std::wstring path = DistPath(file.name);
        ASSERT_FALSE(path.empty()) << "TANDREL_DIST_DIR is not set";
        SCOPED_TRACE(testing::Message() << "file " << std::string(path.begin(), path.end()));
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        std::vector<unsigned char> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

        // The German (0x0407) Unicode (1200) block, the one the translation entry names.
        WORD* translation = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        ASSERT_GE(length, 4u);
        EXPECT_EQ(translation[0], 0x0407);
        EXPECT_EQ(translation[1], 1200);

        VS_FIXEDFILEINFO* fixed = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, versionHigh);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, versionHigh);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileType, file.fileType);
        EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a release: no debug or pre-release flag";

        EXPECT_EQ(StringValue(info, L"CompanyName"), L"Vorsk");
        EXPECT_EQ(StringValue(info, L"ProductName"), L"Tandrel");
        EXPECT_EQ(StringValue(info, L"FileDescription"), file.description);
        EXPECT_EQ(StringValue(info, L"FileVersion"), version);
        EXPECT_EQ(StringValue(info, L"ProductVersion"), version);
        EXPECT_EQ(StringValue(info, L"InternalName"), file.internalName);
        EXPECT_EQ(StringValue(info, L"OriginalFilename"), file.name);
        EXPECT_EQ(StringValue(info, L"LegalCopyright"), L"\u00a9 2026 Vorsk");
    }
}

}  // namespace
