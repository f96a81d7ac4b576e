// Filling the recordings list from the Records folder, against a scripted list.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "library/RecordingsList.h"
#include "support/FakeUi.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

class LibraryList : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ResetFakeUi();
        gListEntries = {L"stale entry"};
    }
    void TearDown() override
    {
        ResetFakeUi();
        LeaveWorkingFolder();
    }
};

std::vector<std::wstring> Sorted(std::vector<std::wstring> entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

TEST_F(LibraryList, WithoutTheFolderTheListIsEmptied)
{
    RefreshRecordingsList();
    EXPECT_EQ(gListClearCount, 1);
    EXPECT_TRUE(gListEntries.empty());
}

TEST_F(LibraryList, AnEmptyFolderGivesAnEmptyList)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    RefreshRecordingsList();
    EXPECT_EQ(gListClearCount, 1);
    EXPECT_TRUE(gListEntries.empty());
}

TEST_F(LibraryList, ListsRecordingFilesOnlyWithoutTheirExtension)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    WriteWholeFile(L"Records\\Demo.rec", {1});
    WriteWholeFile(L"Records\\with spaces .rec", {});
    WriteWholeFile(L"Records\\.rec", {});
    WriteWholeFile(L"Records\\TempRecord.rec", {});
    WriteWholeFile(L"Records\\notes.txt", {});
    WriteWholeFile(L"Records\\long.record", {});
    WriteWholeFile(L"Records\\Demo.rec.bak", {});
    ASSERT_TRUE(CreateDirectoryW(L"Records\\Folder.rec", nullptr));
    ASSERT_TRUE(CreateDirectoryW(L"Records\\sub", nullptr));
    WriteWholeFile(L"Records\\sub\\nested.rec", {});

    RefreshRecordingsList();
    EXPECT_EQ(gListClearCount, 1);
    EXPECT_EQ(Sorted(gListEntries), (std::vector<std::wstring>{L"", L"Demo", L"TempRecord", L"with spaces "}));
}

TEST_F(LibraryList, CapitalExtensionsLoseTheirLastFourCharacters)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    WriteWholeFile(L"Records\\LOUD.REC", {});
    WriteWholeFile(L"Records\\Mixed.Rec", {});
    RefreshRecordingsList();
    // Wine matches the pattern without regard to case, as Windows does.
    EXPECT_EQ(Sorted(gListEntries), (std::vector<std::wstring>{L"LOUD", L"Mixed"}));
}

TEST_F(LibraryList, ListsInTheOrderOfTheFileSystem)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    for (const wchar_t* name : {L"zeta", L"alpha", L"Mid", L"beta"}) {
        WriteWholeFile(std::wstring(L"Records\\") + name + L".rec", {});
    }
    std::vector<std::wstring> listingOrder;
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW(L"Records\\*", &entry);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    do {
        std::wstring name = entry.cFileName;
        if (name.size() > 4 && name.substr(name.size() - 4) == L".rec")
            listingOrder.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);

    RefreshRecordingsList();
    EXPECT_EQ(gListEntries, listingOrder);
}
