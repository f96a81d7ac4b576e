// The control records: a control's identity written as a group of 16-byte records and read
// back record by record, as the recorder writes and the player and tandrel-rec read them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "recording/ControlRecords.h"

namespace {

ControlIdentity Control(const char* controlClass, int32_t id, int32_t place)
{
    ControlIdentity control{};
    std::strncpy(control.controlClass, controlClass, WindowClassBytes - 1);
    control.id = id;
    control.place = place;
    control.left = -4;
    control.top = 30;
    control.width = 120;
    control.height = 24;
    control.dpi = 144;
    return control;
}

std::vector<InputRecord> Group(const ControlIdentity& control)
{
    std::vector<InputRecord> records(MaxControlRecords);
    records.resize(EncodeControlRecords(control, records.data()));
    return records;
}

// Reads the records; the step of the last one, and the control read.
ControlRecordStep ReadAll(const std::vector<InputRecord>& records, ControlIdentity& read)
{
    ControlRecordReader reader;
    ResetControlRecordReader(reader);
    ControlRecordStep step = ControlRecordStep::NotControl;
    for (const InputRecord& r : records) step = ReadControlRecord(reader, r);
    read = reader.control;
    return step;
}

}  // namespace

TEST(ControlRecords, TheBytesOfAGroup)
{
    const auto records = Group(Control("Edit", 1001, 2));
    std::vector<uint8_t> bytes(records.size() * InputRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeInputRecord(records[i], bytes.data() + i * InputRecordSize);
    const std::vector<uint8_t> expected = {
        0x08, 0x04, 0x00, 0x00, 0, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF, 0x1E, 0x00, 0x00, 0x00,  // place
        0x09, 0x90, 0x00, 0x00, 0, 0, 0, 0, 0x78, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00,  // size, DPI
        0x0A, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0xE9, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // id, place
        0x0B, 'E',  'd',  'i',  0, 0, 0, 0, 't',  0,    0,    0,    0,    0,    0,    0,     // class
    };
    EXPECT_EQ(expected, bytes);
}

TEST(ControlRecords, GroupsReadBackWhateverTheLengthOfTheClass)
{
    for (const char* name : {"", "Edit", "ABCDEFGHIJK", "ABCDEFGHIJKL", "WindowsForms10.BUTTON.app.0.141b42a_r9_ad1"}) {
        const ControlIdentity written = Control(name, -1, 40000);
        ControlIdentity read;
        EXPECT_EQ(ControlRecordStep::Complete, ReadAll(Group(written), read)) << name;
        EXPECT_STREQ(name, read.controlClass);
        EXPECT_EQ(-1, read.id);
        EXPECT_EQ(MaxControlPlace, read.place);
        EXPECT_EQ(144, read.dpi);
        EXPECT_EQ(-4, read.left);
        EXPECT_EQ(24, read.height);
    }
}

TEST(ControlRecords, AGroupOutOfOrderOrWithStrayBytesIsMalformed)
{
    const auto good = Group(Control("Button", 1, 0));
    struct Case {
        const char* what;
        size_t index;
        void (*spoil)(InputRecord&);
    };
    const Case cases[] = {
        {"a delay", 1, [](InputRecord& r) { r.delay = 5; }},
        {"a down byte in the place", 0, [](InputRecord& r) { r.down = 1; }},
        {"y of the id", 2, [](InputRecord& r) { r.y = 7; }},
        {"a zero within the class", 3, [](InputRecord& r) { r.code = 0; }},
        {"padding that is not zero", 3, [](InputRecord& r) { r.y = 1; }},
        {"the size where the id belongs", 2, [](InputRecord& r) { r.kind = ControlSize; }},
    };
    for (const Case& c : cases) {
        auto records = good;
        c.spoil(records[c.index]);
        ControlRecordReader reader;
        ResetControlRecordReader(reader);
        bool malformed = false;
        for (const InputRecord& r : records) malformed |= ReadControlRecord(reader, r) == ControlRecordStep::Malformed;
        EXPECT_TRUE(malformed) << c.what;
    }
    // Another record within the group drops it.
    auto cut = good;
    cut.insert(cut.begin() + 2, InputRecord{Key, 0x41, 1, 0, 0, 0});
    ControlIdentity read;
    EXPECT_NE(ControlRecordStep::Complete, ReadAll(cut, read));
}
