// The file-existence query and the creation of the Records folder, on the real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "library/QueryFileSize.h"
#include "library/RecordsFolder.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

class RecordsFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
    }
    void TearDown() override
    {
        LeaveWorkingFolder();
    }
};

// A drive letter that names no drive, or 0 when every letter is taken.
wchar_t UnusedDriveLetter()
{
    DWORD drives = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
        if (!(drives & (1u << i))) return static_cast<wchar_t>(L'A' + i);
    }
    return 0;
}

}  // namespace

TEST_F(RecordsFolder, FilesGiveTheirSizeEmptyOnesIncluded)
{
    WriteWholeFile(L"five.rec", {1, 2, 3, 4, 5});
    WriteWholeFile(L"empty.rec", {});
    EXPECT_EQ(QueryFileSize(L"five.rec"), 5);
    EXPECT_EQ(QueryFileSize(L"empty.rec"), 0);
    EXPECT_EQ(QueryFileSize(L"five.rec\\"), 5);
    EXPECT_EQ(QueryFileSize(L".\\five.rec\\\\"), 5);
}

TEST_F(RecordsFolder, SizesBeyondFourGigabytesAreWhole)
{
    HANDLE file = CreateFileW(L"big.rec", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = (int64_t{5} << 30) + 17;
    bool extended = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!extended) GTEST_SKIP() << "the file system here cannot hold a file of 5 GiB";
    EXPECT_EQ(QueryFileSize(L"big.rec"), (int64_t{5} << 30) + 17);
}

TEST_F(RecordsFolder, FoldersWithOrWithoutTrailingBackslashes)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    ASSERT_TRUE(CreateDirectoryW(L"Records\\named.rec", nullptr));
    EXPECT_EQ(QueryFileSize(L"Records"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"Records\\"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"Records\\\\\\"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"Records\\named.rec"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"."), FolderThere);
}

TEST_F(RecordsFolder, DriveRootsAreFoldersWhenTheDriveExists)
{
    EXPECT_EQ(QueryFileSize(L"C:"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"C:\\"), FolderThere);
    EXPECT_EQ(QueryFileSize(L"c:\\\\"), FolderThere);
    wchar_t unused = UnusedDriveLetter();
    ASSERT_NE(unused, 0);
    EXPECT_EQ(QueryFileSize(std::wstring(1, unused) + L":"), NothingThere);
    EXPECT_EQ(QueryFileSize(std::wstring(1, unused) + L":\\"), NothingThere);
}

TEST_F(RecordsFolder, NothingThereEmptyPathsAndWildcards)
{
    WriteWholeFile(L"a.rec", {1});
    EXPECT_EQ(QueryFileSize(L""), NothingThere);
    EXPECT_EQ(QueryFileSize(L"\\\\"), NothingThere);
    EXPECT_EQ(QueryFileSize(L"missing.rec"), NothingThere);
    EXPECT_EQ(QueryFileSize(L"Records\\missing.rec"), NothingThere);
    EXPECT_EQ(QueryFileSize(L"*.rec"), NothingThere);
    EXPECT_EQ(QueryFileSize(L"?.rec"), NothingThere);
}

TEST_F(RecordsFolder, EnsureCreatesTheFolderOnlyWhenMissing)
{
    EnsureRecordsFolder();
    EXPECT_EQ(QueryFileSize(L"Records"), FolderThere);
    WriteWholeFile(L"Records\\kept.rec", {9, 9});
    EnsureRecordsFolder();
    EXPECT_EQ(QueryFileSize(L"Records\\kept.rec"), 2);
}

TEST_F(RecordsFolder, EnsureLeavesAFileNamedRecordsAlone)
{
    WriteWholeFile(L"Records", {1, 2, 3});
    EnsureRecordsFolder();
    EXPECT_EQ(QueryFileSize(L"Records"), 3);
}
