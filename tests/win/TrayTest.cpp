// The notification-area icon: the records handed to the shell and the bookkeeping of the
// identifiers. Under Wine the tray itself is not on the screen (the test prefix turns the
// stand-alone tray window off), so what the shell shows is not checked here.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "core/Messages.h"
#include "support/ExpectedTexts.h"
#include "support/WindowHelpers.h"
#include "ui/IconData.h"
#include "ui/IconFromMemory.h"
#include "ui/Tray.h"
#include "ui/TrayRecord.h"

namespace {

HWND FakeWindow()
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
}
HICON FakeIcon()
{
    return reinterpret_cast<HICON>(static_cast<INT_PTR>(0x5678));
}

bool AllZero(const void* from, size_t bytes)
{
    const auto* p = static_cast<const unsigned char*>(from);
    for (size_t i = 0; i < bytes; ++i)
        if (p[i] != 0) return false;
    return true;
}

// Everything after the fields a request fills must be zero.
void ExpectZeroFrom(const NOTIFYICONDATAW& r, size_t offset)
{
    EXPECT_TRUE(AllZero(reinterpret_cast<const unsigned char*>(&r) + offset, sizeof r - offset));
}

TEST(TrayRecord, IsTheFull956ByteRecord)
{
    EXPECT_EQ(sizeof(NOTIFYICONDATAW), 956u);
    EXPECT_EQ(TrayAddRecord(0, FakeWindow(), FakeIcon()).cbSize, 956u);
    EXPECT_EQ(TrayDeleteRecord(0, FakeWindow()).cbSize, 956u);
}

TEST(TrayRecord, AddAsksForMessagesAndTheIcon)
{
    const NOTIFYICONDATAW r = TrayAddRecord(3, FakeWindow(), FakeIcon());
    EXPECT_EQ(r.hWnd, FakeWindow());
    EXPECT_EQ(r.uID, 3u);
    EXPECT_EQ(r.uFlags, 3u);  // NIF_MESSAGE + NIF_ICON
    EXPECT_EQ(r.uCallbackMessage, 12501u);
    EXPECT_EQ(r.uCallbackMessage, TrayCallbackMessage);
    EXPECT_EQ(r.hIcon, FakeIcon());
    ExpectZeroFrom(r, offsetof(NOTIFYICONDATAW, szTip));
}

TEST(TrayRecord, TooltipIsCutAt63CharactersAndTheRestStaysZero)
{
    const std::wstring longText(100, L'x');
    const NOTIFYICONDATAW cut = TrayTipRecord(0, FakeWindow(), longText.c_str());
    EXPECT_EQ(cut.uFlags, 4u);  // NIF_TIP
    EXPECT_EQ(std::wstring(cut.szTip), std::wstring(63, L'x'));
    EXPECT_TRUE(AllZero(cut.szTip + 63, sizeof cut.szTip - 63 * sizeof(wchar_t)));
    EXPECT_EQ(cut.hIcon, nullptr);
    EXPECT_EQ(cut.uCallbackMessage, 0u);
    ExpectZeroFrom(cut, offsetof(NOTIFYICONDATAW, dwState));

    const NOTIFYICONDATAW exact = TrayTipRecord(0, FakeWindow(), std::wstring(63, L'y').c_str());
    EXPECT_EQ(std::wstring(exact.szTip), std::wstring(63, L'y'));

    const NOTIFYICONDATAW tip = TrayTipRecord(0, FakeWindow(), expected::MessageTitle);
    EXPECT_EQ(std::wstring(tip.szTip), expected::MessageTitle);
    EXPECT_TRUE(AllZero(tip.szTip + 15, sizeof tip.szTip - 15 * sizeof(wchar_t)));
}

TEST(TrayRecord, ImageChangeAndDeleteCarryOnlyWhatTheyNeed)
{
    const NOTIFYICONDATAW image = TrayImageRecord(0, FakeWindow(), FakeIcon());
    EXPECT_EQ(image.uFlags, 2u);  // NIF_ICON
    EXPECT_EQ(image.hIcon, FakeIcon());
    EXPECT_EQ(image.uCallbackMessage, 0u);
    ExpectZeroFrom(image, offsetof(NOTIFYICONDATAW, szTip));

    const NOTIFYICONDATAW gone = TrayDeleteRecord(7, FakeWindow());
    EXPECT_EQ(gone.uFlags, 0u);
    EXPECT_EQ(gone.uID, 7u);
    EXPECT_EQ(gone.hWnd, FakeWindow());
    ExpectZeroFrom(gone, offsetof(NOTIFYICONDATAW, uFlags));
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenPlainWindow(L"tray owner", 100);
        icon = LoadIconFromMemory(IdleIconData);
        ASSERT_NE(icon, nullptr);
    }
    void TearDown() override
    {
        RemoveAllTrayIcons();
        DestroyIcon(icon);
        DestroyWindow(window);
    }
    HWND window = nullptr;
    HICON icon = nullptr;
};

TEST_F(TrayIcon, NothingIsAddedWithoutWindowOrIcon)
{
    EXPECT_FALSE(AddTrayIcon(0, nullptr, icon));
    EXPECT_FALSE(AddTrayIcon(0, window, nullptr));
    // So the identifier is unknown and later requests do nothing.
    EXPECT_FALSE(SetTrayToolTip(0, expected::MessageTitle));
    EXPECT_FALSE(ChangeTrayIcon(0, icon));
}

TEST_F(TrayIcon, RequestsForIdentifiersNeverAddedDoNothing)
{
    EXPECT_FALSE(SetTrayToolTip(5, expected::MessageTitle));
    EXPECT_FALSE(ChangeTrayIcon(5, icon));
    RemoveTrayIcon(5);  // must not fail or touch anything
}

TEST_F(TrayIcon, AddedIconTakesTooltipAndImagesUntilRemoved)
{
    ASSERT_TRUE(AddTrayIcon(TrayIconId, window, icon)) << "the shell refused the icon";
    EXPECT_TRUE(SetTrayToolTip(TrayIconId, expected::MessageTitle));
    const HICON active = LoadIconFromMemory(ActiveIconData);
    EXPECT_TRUE(ChangeTrayIcon(TrayIconId, active));
    EXPECT_TRUE(ChangeTrayIcon(TrayIconId, icon));
    EXPECT_FALSE(ChangeTrayIcon(TrayIconId, nullptr));
    EXPECT_FALSE(SetTrayToolTip(TrayIconId, nullptr));
    RemoveTrayIcon(TrayIconId);
    EXPECT_FALSE(ChangeTrayIcon(TrayIconId, active));
    EXPECT_FALSE(SetTrayToolTip(TrayIconId, expected::MessageTitle));
    DestroyIcon(active);
}

TEST_F(TrayIcon, RemoveAllForgetsEveryIdentifier)
{
    ASSERT_TRUE(AddTrayIcon(0, window, icon));
    ASSERT_TRUE(AddTrayIcon(1, window, icon));
    RemoveAllTrayIcons();
    EXPECT_FALSE(ChangeTrayIcon(0, icon));
    EXPECT_FALSE(ChangeTrayIcon(1, icon));
    // And the identifier can be added again afterwards.
    EXPECT_TRUE(AddTrayIcon(0, window, icon));
}

}  // namespace
