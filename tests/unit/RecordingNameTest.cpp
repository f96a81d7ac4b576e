// Recording names: their file, the characters a name may not hold, and the reserved name.
#include <gtest/gtest.h>

#include "library/RecordingNames.h"

TEST(RecordingPath, PutsTheNameAsTypedIntoTheRecordsFolder)
{
    EXPECT_EQ(RecordingPath(L"Demo"), L"Records\\Demo.rec");
    EXPECT_EQ(RecordingPath(L"  a b. "), L"Records\\  a b. .rec");
    EXPECT_EQ(RecordingPath(L""), L"Records\\.rec");
}

TEST(IsValidRecordingName, RefusesEmptyControlAndTheNineCharacters)
{
    EXPECT_FALSE(IsValidRecordingName(L""));
    for (wchar_t c : std::wstring_view(L"\"*/:<>?\\|")) {
        EXPECT_FALSE(IsValidRecordingName(std::wstring(L"ab") + c + L"cd")) << int(c);
        EXPECT_FALSE(IsValidRecordingName(std::wstring(1, c))) << int(c);
    }
    for (wchar_t c = 1; c < 0x20; ++c) EXPECT_FALSE(IsValidRecordingName(std::wstring(L"x") + c)) << int(c);
    EXPECT_FALSE(IsValidRecordingName(std::wstring_view(L"a\0b", 3)));
}

TEST(IsValidRecordingName, AcceptsEverythingElse)
{
    for (const wchar_t* name : {L" ", L"   ", L"ends with a dot.", L".starts", L"Übung äöü ß", L"a\x7F",
                                L"(1) [2] {3} #4 %5 &6 +7 ,8 ;9 =10 @11 ~12"}) {
        EXPECT_TRUE(IsValidRecordingName(name)) << std::wstring(name).size();
    }
    EXPECT_TRUE(IsValidRecordingName(std::wstring(400, L'x')));
}

TEST(IsReservedRecordingName, IsTempRecordInAnyLetterCase)
{
    EXPECT_TRUE(IsReservedRecordingName(L"TempRecord"));
    EXPECT_TRUE(IsReservedRecordingName(L"temprecord"));
    EXPECT_TRUE(IsReservedRecordingName(L"TEMPRECORD"));
    EXPECT_TRUE(IsReservedRecordingName(L"tEMPrECORD"));
    for (const wchar_t* name : {L"", L"Temp", L"TempRecords", L" TempRecord", L"TempRecord ", L"TempRecord.rec",
                                L"TempRec0rd", L"TempRecord\u00E4"}) {
        EXPECT_FALSE(IsReservedRecordingName(name)) << std::wstring(name).size();
    }
}

TEST(IsValidRecordingName, RefusesDeviceNamesWithAnyExtensionAndSpacesBeforeIt)
{
    for (const wchar_t* name :
         {L"CON",  L"con",      L"Prn",     L"aUx",     L"nul",       L"COM1",      L"com9",         L"LPT1",
          L"lpt9", L"COM0",     L"LPT0",    L"conin$",  L"CONOUT$",   L"con.txt",   L"PRN.txt",      L"nul.tar.gz",
          L"CON.", L"con .txt", L"COM1   ", L"aux  .x", L"COM\u00B9", L"lpt\u00B2", L"LPT\u00B3.rec"}) {
        EXPECT_FALSE(IsValidRecordingName(name)) << std::wstring(name).size();
    }
    // Names that only begin or end like a device are ordinary files.
    for (const wchar_t* name : {L"CONSOLE", L"con1", L"NULL", L"COM10", L"LPT", L"COM", L"COM1a", L"COM\u00B4",
                                L"COM\u2074", L" CON", L"x.con", L"CO N", L"aux_", L"com1-backup", L"Con-Test.txt"}) {
        EXPECT_TRUE(IsValidRecordingName(name)) << std::wstring(name).size();
    }
}
