// Decoding the embedded icon files into icon handles (which image, what it shows), and the
// resources of the shipped program: application icon, manifest, version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/BlueIconImage.h"
#include "support/WinePaths.h"
#include "ui/IconData.h"
#include "ui/IconDirectory.h"
#include "ui/IconFromMemory.h"
#include "ui/Tray.h"

namespace {

struct Rgb {
    int r, g, b;
};

// Draws the icon at its own size onto magenta and reads one pixel back.
class Canvas {
public:
    explicit Canvas(int size) : size_(size)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Draw(HICON icon)
    {
        for (int i = 0; i < size_ * size_; ++i) bits_[i] = 0x00FF00FF;  // magenta
        DrawIconEx(dc_, 0, 0, icon, size_, size_, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    Rgb At(int x, int y) const
    {
        const DWORD p = bits_[y * size_ + x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

private:
    int size_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

bool IsMagenta(Rgb c)
{
    return c.r == 255 && c.g == 0 && c.b == 255;
}
bool IsActiveGreen(Rgb c)
{
    return c.r == 0 && c.g == 255 && c.b == 33;
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bm{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

TEST(LoadIconFromMemory, BothIconsDecodeAt32By32AndShowTheirBackground)
{
    const HICON idle = LoadIconFromMemory(IdleIconData);
    const HICON active = LoadIconFromMemory(ActiveIconData);
    ASSERT_NE(idle, nullptr);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(IconSize(idle).cx, 32);
    EXPECT_EQ(IconSize(idle).cy, 32);
    EXPECT_EQ(IconSize(active).cx, 32);

    Canvas canvas(32);
    canvas.Draw(idle);
    EXPECT_TRUE(IsMagenta(canvas.At(0, 0)));  // transparent corner
    EXPECT_TRUE(IsMagenta(canvas.At(31, 31)));
    EXPECT_FALSE(IsMagenta(canvas.At(16, 21)));  // the body
    const Rgb eye = canvas.At(11, 9);
    EXPECT_GT(eye.g, eye.r + 100);

    canvas.Draw(active);
    EXPECT_TRUE(IsActiveGreen(canvas.At(0, 0)));
    EXPECT_TRUE(IsActiveGreen(canvas.At(31, 31)));
    const Rgb idleBody = [&] {
        canvas.Draw(idle);
        return canvas.At(16, 21);
    }();
    canvas.Draw(active);
    const Rgb activeBody = canvas.At(16, 21);
    EXPECT_EQ(activeBody.r, idleBody.r);
    EXPECT_EQ(activeBody.g, idleBody.g);
    DestroyIcon(idle);
    DestroyIcon(active);
}

void SwapEntries(std::vector<unsigned char>& file, int a, int b)
{
    for (int i = 0; i < 16; ++i) std::swap(file[6 + 16 * a + i], file[6 + 16 * b + i]);
}

TEST(LoadIconFromMemory, TakesTheTrueColourImageOfTheFirstEntrysSize)
{
    Canvas canvas(32);
    auto file = IdleIconWithBlueImage(0);  // the 32 x 32 true-colour image
    const auto expectTheBlueImage = [&canvas, &file] {
        HICON icon = LoadIconFromMemory(file.data());
        ASSERT_NE(icon, nullptr);
        canvas.Draw(icon);
        EXPECT_EQ(canvas.At(0, 0).b, 255);
        EXPECT_EQ(canvas.At(0, 0).r, 0);
        DestroyIcon(icon);
    };
    expectTheBlueImage();

    // The 8-bit image listed first: the deeper one of the same size still wins.
    SwapEntries(file, 0, 1);
    expectTheBlueImage();

    // A 16 x 16 entry first: the icon is made at that size.
    SwapEntries(file, 0, 3);
    HICON icon = LoadIconFromMemory(file.data());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(IconSize(icon).cx, 16);
    DestroyIcon(icon);
}

TEST(LoadIconFromMemory, RefusesWhatIsNoIconFile)
{
    std::vector<unsigned char> file(IdleIconData, IdleIconData + IconFileSize);
    file[2] = 2;  // a cursor file
    EXPECT_EQ(LoadIconFromMemory(file.data()), nullptr);
    file[2] = 1;
    file[0] = 1;  // reserved word not 0
    EXPECT_EQ(LoadIconFromMemory(file.data()), nullptr);
    std::vector<unsigned char> bitmap(IconFileSize, 0);
    bitmap[0] = 'B';
    bitmap[1] = 'M';
    EXPECT_EQ(LoadIconFromMemory(bitmap.data()), nullptr);
    EXPECT_EQ(LoadIconFromMemory(nullptr), nullptr);
}

// The shipped program, opened as data.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = WinePathFromEnvironment(L"TANDREL_DIST_DIR", L"/Tandrel.exe");
        ASSERT_FALSE(path.empty()) << "TANDREL_DIST_DIR is not set";
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << "cannot open the program";
    }
    void TearDown() override
    {
        if (module) FreeLibrary(module);
    }
    std::vector<unsigned char> Resource(const wchar_t* type, int id) const
    {
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return {data, data + SizeofResource(module, found)};
    }
    std::wstring path;
    HMODULE module = nullptr;
};

unsigned Word(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}
unsigned Long(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24);
}

TEST_F(ProgramResources, ApplicationIconIsTheIdleIconUnchanged)
{
    const auto group = Resource(RT_GROUP_ICON, 1);
    ASSERT_EQ(group.size(), 6u + 4 * 14);
    EXPECT_EQ(Word(&group[0]), 0u);
    EXPECT_EQ(Word(&group[2]), 1u);
    ASSERT_EQ(Word(&group[4]), 4u);
    for (unsigned i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const unsigned char* g = &group[6 + 14 * i];
        const IconImageEntry e = ReadIconEntry(IdleIconData, i);
        EXPECT_EQ(g[0], e.width);
        EXPECT_EQ(g[1], e.height);
        EXPECT_EQ(Word(g + 6), e.bitCount);
        EXPECT_EQ(Long(g + 8), e.size);
        const auto image = Resource(RT_ICON, static_cast<int>(Word(g + 12)));
        ASSERT_EQ(image.size(), e.size);
        EXPECT_EQ(std::memcmp(image.data(), IdleIconData + e.offset, e.size), 0);
    }
}

TEST_F(ProgramResources, ManifestAsksForStyledControlsAndNoElevation)
{
    const auto bytes = Resource(RT_MANIFEST, 1);
    ASSERT_FALSE(bytes.empty());
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    EXPECT_NE(manifest.find("requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
}

std::wstring VersionString(const std::vector<unsigned char>& info, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return L"";
    return value;
}

TEST_F(ProgramResources, VersionIs14)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Tandrel");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.4.0.0");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.4.0.0");
}

}  // namespace
