// The edit commands: retime's carried rounding and lengths, thin's kept moves, strip's times,
// rescale's rounding, jitter's seed, and what each edit leaves exactly as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RecordJitter.h"
#include "RecordRescale.h"
#include "RecordRetime.h"
#include "RecordStrip.h"
#include "RecordText.h"
#include "RecordThin.h"
#include "TestRecordings.h"
#include "recording/InputRecord.h"

namespace {

constexpr int32_t Most = INT32_MAX;

InputRecord MoveAfter(int32_t delay, int32_t x, int32_t y)
{
    return {Move, 0, 0, delay, x, y};
}

InputRecord KeyAfter(int32_t delay, int16_t code, int8_t down)
{
    return {Key, code, down, delay, 0, 0};
}

InputRecord ButtonAfter(int32_t delay, int16_t code)
{
    return {Button, code, 0, delay, 0, 0};
}

InputRecord WheelAfter(int32_t delay, int32_t notches)
{
    return {Wheel, 0, 0, delay, 0, notches};
}

Bytes MovesAfter(const std::vector<int32_t>& delays)
{
    Bytes bytes;
    int32_t x = 0;
    for (const int32_t delay : delays) Append(bytes, MoveAfter(delay, ++x, 1));
    return bytes;
}

struct DroppingCase {
    const char* what;
    std::vector<InputRecord> in;
    std::vector<InputRecord> out;
};

// A recording with every sort of record the player skips or reads oddly, a negative delay, and
// a partial record at the end.
Bytes OddRecording()
{
    Bytes bytes = Recording({
        MoveAfter(0, 10, 10),
        {99, 3, 4, 11, 5, 6},        // an unknown kind
        {Key, 0x141, 1, 12, 0, 0},   // a key code the player cuts to its low byte
        {Key, 0x41, 2, 13, 0, 0},    // a down value it skips
        {Button, 515, 0, 14, 0, 0},  // no button message
        {Move, 3, 1, 15, -30, 40},   // a move with unused fields set
        {Wheel, 0, 0, -16, 9, 2},    // a wheel with an x, and a negative delay
        {Button, 513, 1, 17, 0, 0},  // a button with a down value
        {Key, 0x41, 0, 18, 0, 0},
        MoveAfter(19, 1900, 1000),
        {-1, -1, -1, -1, -1, -1},  // all bits set
    });
    bytes.insert(bytes.end(), {0x02, 0xFF, 0x00, 0x7F, 0x80});
    return bytes;
}

// Whether out is in with some records changed only in the bytes from `from` to `to` (not
// included), and a partial record at the end the same.
bool ChangedOnlyIn(const Bytes& in, const Bytes& out, size_t from, size_t to)
{
    if (in.size() != out.size()) return false;
    for (size_t at = 0; at < in.size(); ++at) {
        const size_t inRecord = at % InputRecordSize;
        const bool wholeRecord = at / InputRecordSize < in.size() / InputRecordSize;
        if (in[at] != out[at] && (!wholeRecord || inRecord < from || inRecord >= to)) return false;
    }
    return true;
}

}  // namespace

TEST(RecordRetime, ReadsSpeedFactorsAsPlainDecimals)
{
    struct Case {
        const char* text;
        int64_t millionths;  // 0: refused
    };
    const Case cases[] = {
        {"0.5", 500000},
        {"1.25", 1250000},
        {"0.000001", 1},
        {"1000000", 1000000000000},
        {"0", 0},
        {"1.0000001", 0},
        {"1000000.000001", 0},
        {"-1", 0},
        {"1e3", 0},
        {".5", 0},
        {"1.", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        int64_t millionths = 0;
        EXPECT_EQ(c.millionths != 0, ReadSpeedFactor(c.text, millionths)) << c.text;
        if (c.millionths != 0) {
            EXPECT_EQ(c.millionths, millionths) << c.text;
        }
    }
}

TEST(RecordRetime, GivesEachRecordItsNewDelay)
{
    struct Case {
        const char* what;
        RetimeOptions options;
        std::vector<int32_t> delays;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"three times as fast: 10/3, 20/3, 30/3 in whole ms, the rounding carried",
         {RetimeMode::Speed, 3000000, 0},
         {10, 10, 10},
         {3, 3, 4}},
        {"halves round down, and the total is still 5 / 2 in whole ms",
         {RetimeMode::Speed, 2000000, 0},
         {1, 1, 1, 1, 1},
         {0, 1, 0, 1, 0}},
        {"half speed lasts twice as long", {RetimeMode::Speed, 500000, 0}, {10, 15, 0, 1}, {20, 30, 0, 2}},
        {"a factor with decimals", {RetimeMode::Speed, 1250000, 0}, {100, 100, 7}, {80, 80, 5}},
        {"a negative delay plays as 0, and stays as written where it still does",
         {RetimeMode::Speed, 3000000, 0},
         {10, -5, 10},
         {3, -5, 3}},
        {"a delay past 32 bits stops at the most, the next record makes up the rest",
         {RetimeMode::Speed, 500000, 0},
         {Most, 1, 0},
         {Most, Most, 2}},
        {"fixed delay, the first record's and negative ones too",
         {RetimeMode::FixedDelay, 0, 25},
         {0, -7, 300},
         {25, 25, 25}},
        {"a fixed delay of 0 leaves a negative delay, which plays as 0",
         {RetimeMode::FixedDelay, 0, 0},
         {5, -7},
         {0, -7}},
        {"only the pauses over the limit are cut",
         {RetimeMode::MaxPause, 0, 1000},
         {50, 5000, 1000, 1001, -3, Most},
         {50, 1000, 1000, 1000, -3, 1000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DelaysOf(RetimeRecording(MovesAfter(c.delays), c.options))) << c.what;
}

TEST(RecordRetime, EveryRecordIsDueAtItsOldTimeOverTheFactor)
{
    std::vector<int32_t> delays;
    uint64_t state = 7;
    for (int i = 0; i < 3000; ++i) delays.push_back(static_cast<int32_t>(NextRandom(state) % 400) - 20);
    const Bytes bytes = MovesAfter(delays);
    const std::vector<int64_t> oldDue = DueTimesOf(bytes);
    for (const int64_t speed : {int64_t{1}, int64_t{333333}, int64_t{500000}, int64_t{1000000}, int64_t{1250000},
                                int64_t{3000000}, int64_t{7000001}, FastestSpeedMillionths}) {
        const Bytes out = RetimeRecording(bytes, {RetimeMode::Speed, speed, 0});
        const std::vector<int64_t> newDue = DueTimesOf(out);
        ASSERT_EQ(oldDue.size(), newDue.size());
        for (size_t i = 0; i < oldDue.size(); ++i) {
            // new = old / (speed / 10^6) rounded down: 0 <= old 10^6 - new speed < speed.
            const int64_t error = oldDue[i] * SpeedOneMillionths - newDue[i] * speed;
            ASSERT_TRUE(0 <= error && error < speed) << "speed " << speed << " millionths, record " << i + 1 << ": due "
                                                     << oldDue[i] << " became " << newDue[i];
        }
    }
}

TEST(RecordThin, DropsMovesButKeepsTimesAndTheMoveBeforeOtherRecords)
{
    struct Case {
        DroppingCase records;
        int64_t minInterval;
    };
    const Case cases[] = {
        {{"a steady stream: one move each 25 ms from the last kept, and the one before the click",
          {MoveAfter(10, 1, 1), MoveAfter(10, 2, 2), MoveAfter(10, 3, 3), MoveAfter(10, 4, 4), MoveAfter(10, 5, 5),
           MoveAfter(10, 6, 6), ButtonAfter(5, 513)},
          {MoveAfter(10, 1, 1), MoveAfter(30, 4, 4), MoveAfter(20, 6, 6), ButtonAfter(5, 513)}},
         25},
        {{"exactly the interval after the last kept move is kept",
          {MoveAfter(0, 1, 1), MoveAfter(25, 2, 2), MoveAfter(24, 3, 3), MoveAfter(1, 4, 4), KeyAfter(0, 0x41, 1)},
          {MoveAfter(0, 1, 1), MoveAfter(25, 2, 2), MoveAfter(25, 4, 4), KeyAfter(0, 0x41, 1)}},
         25},
        {{"the last move before any other record, an unknown kind or the wheel too, and the last of all",
          {MoveAfter(0, 1, 1),
           MoveAfter(1, 2, 2),
           MoveAfter(1, 3, 3),
           {99, 0, 0, 1, 0, 0},
           MoveAfter(1, 4, 4),
           MoveAfter(1, 5, 5),
           WheelAfter(1, -1),
           MoveAfter(1, 6, 6),
           MoveAfter(1, 7, 7),
           MoveAfter(1, 8, 8)},
          {MoveAfter(0, 1, 1),
           MoveAfter(2, 3, 3),
           {99, 0, 0, 1, 0, 0},
           MoveAfter(2, 5, 5),
           WheelAfter(1, -1),
           MoveAfter(3, 8, 8)}},
         100},
        {{"a dropped negative delay counts as 0",
          {MoveAfter(0, 1, 1), MoveAfter(-50, 2, 2), MoveAfter(10, 3, 3), KeyAfter(5, 0x41, 1)},
          {MoveAfter(0, 1, 1), MoveAfter(10, 3, 3), KeyAfter(5, 0x41, 1)}},
         100},
        {{"a kept record's own negative delay plays as 0 after the dropped ones' time",
          {MoveAfter(3, 1, 1), MoveAfter(4, 2, 2), MoveAfter(-9, 3, 3), KeyAfter(-2, 0x41, 1)},
          {MoveAfter(3, 1, 1), MoveAfter(4, 3, 3), KeyAfter(-2, 0x41, 1)}},
         100},
        {{"an interval of 0 keeps everything",
          {MoveAfter(0, 1, 1), MoveAfter(0, 2, 2), MoveAfter(-1, 3, 3)},
          {MoveAfter(0, 1, 1), MoveAfter(0, 2, 2), MoveAfter(-1, 3, 3)}},
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Dump(Recording(c.records.out)), Dump(ThinRecording(Recording(c.records.in), c.minInterval)))
            << c.records.what;
    }
}

TEST(RecordStrip, DropsTheKindsNamedAndKeepsTheTimesOfTheRest)
{
    struct Case {
        DroppingCase records;
        StripKinds kinds;
    };
    const Case cases[] = {
        {{"moves, the last ones taking their time with them",
          {MoveAfter(10, 1, 1), KeyAfter(5, 0x41, 1), MoveAfter(7, 2, 2), MoveAfter(3, 3, 3), ButtonAfter(20, 516),
           MoveAfter(4, 4, 4)},
          {KeyAfter(15, 0x41, 1), ButtonAfter(30, 516)}},
         {true, false, false, false}},
        {{"keys and buttons, odd ones too; an unknown kind always stays",
          {KeyAfter(1, 0x41, 1),
           {Key, 0x141, 1, 2, 0, 0},
           ButtonAfter(3, 513),
           {Button, 515, 0, 4, 0, 0},
           {12, 0, 0, 5, 0, 0},
           WheelAfter(6, 1),
           MoveAfter(7, 1, 1)},
          {{12, 0, 0, 15, 0, 0}, WheelAfter(6, 1), MoveAfter(7, 1, 1)}},
         {false, false, true, true}},
        {{"the wheel", {WheelAfter(8, 1), WheelAfter(2, -1), KeyAfter(1, 0x41, 0)}, {KeyAfter(11, 0x41, 0)}},
         {false, true, false, false}},
        {{"dropped negative delays count as 0, a kept one stays where nothing was dropped before it",
          {KeyAfter(-50, 0x41, 1), MoveAfter(10, 1, 1), MoveAfter(-5, 2, 2), KeyAfter(10, 0x41, 0),
           MoveAfter(-5, 3, 3)},
          {MoveAfter(10, 1, 1), MoveAfter(-5, 2, 2), MoveAfter(10, 3, 3)}},
         {false, false, true, false}},
        {{"a sum past 32 bits: the most, and the next records make up the rest",
          {KeyAfter(Most, 0x41, 1), KeyAfter(Most, 0x41, 0), MoveAfter(5, 1, 1), ButtonAfter(1, 513), WheelAfter(0, 1)},
          {MoveAfter(Most, 1, 1), ButtonAfter(Most, 513), WheelAfter(6, 1)}},
         {false, false, true, false}},
        {{"all four kinds", {KeyAfter(1, 0x41, 1), MoveAfter(2, 1, 1), WheelAfter(3, 1), ButtonAfter(4, 513)}, {}},
         {true, true, true, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Dump(Recording(c.records.out)), Dump(StripRecording(Recording(c.records.in), c.kinds)))
            << c.records.what;
    }
}

TEST(RecordRescale, ScalesToTheNearestPixelWithHalvesAwayFromZero)
{
    struct Case {
        int32_t coordinate;
        int64_t to;
        int64_t from;
        int32_t expected;
    };
    const Case cases[] = {
        {1919, 2560, 1920, 2559},            // 2558.67
        {1000, 2, 3, 667},                   // 666.67
        {1, 3, 2, 2},                        // 1.5
        {-1, 3, 2, -2},                      // -1.5
        {-3, 1, 2, -2},                      // -1.5
        {-1920, 2560, 1920, -2560},          // a screen left of the primary one
        {-1081, 1440, 1080, -1441},          // -1441.33
        {Most, 2, 1, Most},                  // past 32 bits: stops at the limit
        {INT32_MIN, Most, Most, INT32_MIN},  // the product needs 63 bits
        {Most / 2 + 1, 1, Most, 1},          // just over a half
        {Most / 2, 1, Most, 0},              // just under
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, RescaleCoordinate(c.coordinate, c.to, c.from))
            << c.coordinate << " * " << c.to << " / " << c.from;
    }
}

TEST(RecordRescale, ReadsScreenSizes)
{
    struct Case {
        const char* text;
        bool read;
        ScreenSize size;
    };
    const Case cases[] = {
        {"1920x1080", true, {1920, 1080}},
        {"800X600", true, {800, 600}},
        {"1x2147483647", true, {1, Most}},
        {"1920", false, {}},
        {"0x1080", false, {}},
        {"-5x4", false, {}},
        {"5x4x3", false, {}},
        {"2147483648x1", false, {}},
    };
    for (const Case& c : cases) {
        ScreenSize size{};
        EXPECT_EQ(c.read, ReadScreenSize(c.text, size)) << c.text;
        if (c.read) {
            EXPECT_EQ(c.size.width, size.width) << c.text;
            EXPECT_EQ(c.size.height, size.height) << c.text;
        }
    }
}

TEST(RecordRescale, MovesEveryMoveAndNothingElse)
{
    const Bytes in = Recording({MoveAfter(5, 1919, 1079),
                                WheelAfter(3, 7),
                                {Move, 4, 1, 2, -1920, -3},
                                KeyAfter(1, 0x41, 1),
                                {Button, 513, 0, 0, 5, 9}});
    // The odd move, written as raw by dump, keeps its bytes.
    const Bytes expected = Recording({MoveAfter(5, 2559, 1439),
                                      WheelAfter(3, 7),
                                      {Move, 4, 1, 2, -1920, -3},
                                      KeyAfter(1, 0x41, 1),
                                      {Button, 513, 0, 0, 5, 9}});
    EXPECT_EQ(Dump(expected), Dump(RescaleRecording(in, {1920, 1080}, {2560, 1440})));
}

TEST(RecordJitter, TheSameSeedGivesTheSameDelaysEverywhere)
{
    // splitmix64's published first numbers for the seed 0.
    uint64_t state = 0;
    EXPECT_EQ(0xE220A8397B1DCDAFull, NextRandom(state));
    EXPECT_EQ(0x6E789E6AA1B965F4ull, NextRandom(state));
    EXPECT_EQ(0x06C45D188009454Full, NextRandom(state));

    struct Case {
        uint64_t seed;
        int64_t maxChange;
        std::vector<int32_t> expected;
    };
    // Worked out apart from the tool: the amount is the number mod (2m + 1), less m.
    const std::vector<int32_t> delays = {100, 7, 0, 50, -4, 30, Most};
    const Case cases[] = {
        {42, 20, {117, 1, 0, 30, -4, 11, Most}},
        {UINT64_MAX, 20, {103, 9, 0, 30, -4, 48, Most}},
        {42, 0, delays},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, DelaysOf(JitterRecording(MovesAfter(delays), c.maxChange, c.seed))) << c.seed;
    }
}

TEST(RecordJitter, ChangesEachDelayByAtMostItselfAndTheLimit)
{
    std::vector<int32_t> delays;
    uint64_t state = 11;
    for (int i = 0; i < 2000; ++i) delays.push_back(static_cast<int32_t>(NextRandom(state) % 60) - 5);
    const Bytes in = MovesAfter(delays);
    const std::vector<int32_t> out = DelaysOf(JitterRecording(in, 15, 1));
    ASSERT_EQ(delays.size(), out.size());
    size_t changed = 0;
    for (size_t i = 0; i < delays.size(); ++i) {
        const int64_t played = delays[i] > 0 ? delays[i] : 0;
        const int64_t most = played < 15 ? played : 15;
        if (delays[i] < 0) {
            EXPECT_EQ(delays[i], out[i]) << "record " << i + 1;
        } else {
            EXPECT_LE(played - most, out[i]) << "record " << i + 1;
            EXPECT_GE(played + most, out[i]) << "record " << i + 1;
        }
        changed += out[i] != delays[i];
    }
    EXPECT_GT(changed, delays.size() / 2) << "most delays vary";
    EXPECT_NE(DelaysOf(JitterRecording(in, 15, 1)), DelaysOf(JitterRecording(in, 15, 2)));
}

TEST(RecordEdit, RecordsAnEditDoesNotTouchStayByteForByte)
{
    const Bytes in = OddRecording();
    // Edits that change nothing give back the file itself, partial record and all.
    EXPECT_EQ(in, RetimeRecording(in, {RetimeMode::Speed, SpeedOneMillionths, 0}));
    EXPECT_EQ(in, RetimeRecording(in, {RetimeMode::MaxPause, 0, Most}));
    EXPECT_EQ(in, ThinRecording(in, 0));
    EXPECT_EQ(in, ThinRecording(in, Most));  // each move here comes before another kind
    EXPECT_EQ(in, RescaleRecording(in, {1920, 1080}, {1920, 1080}));
    EXPECT_EQ(in, JitterRecording(in, 0, 5));
    // Edits that change delays or coordinates change nothing else.
    constexpr size_t Delay = 4;
    constexpr size_t X = 8;
    constexpr size_t End = 16;
    EXPECT_TRUE(ChangedOnlyIn(in, RetimeRecording(in, {RetimeMode::Speed, 2500000, 0}), Delay, X));
    EXPECT_TRUE(ChangedOnlyIn(in, RetimeRecording(in, {RetimeMode::FixedDelay, 0, 3}), Delay, X));
    EXPECT_TRUE(ChangedOnlyIn(in, JitterRecording(in, 9, 5), Delay, X));
    const Bytes rescaled = RescaleRecording(in, {1920, 1080}, {1280, 720});
    EXPECT_TRUE(ChangedOnlyIn(in, rescaled, X, End));
    EXPECT_NE(in, rescaled);
    // Dropping keeps the other records whole, in order, with the delays that keep their times.
    struct Kept {
        size_t index;
        int32_t delay;
    };
    const Kept kept[] = {{1, 11}, {4, 39}, {6, 15}, {7, 17}, {10, 37}};
    Bytes expected;
    for (const Kept& k : kept) {
        InputRecord record = DecodeInputRecord(in.data() + k.index * InputRecordSize);
        record.delay = k.delay;
        Append(expected, record);
    }
    expected.insert(expected.end(), in.end() - 5, in.end());
    EXPECT_EQ(expected, StripRecording(in, {true, false, true, false}));
    // A dropped record's negative delay adds nothing, so the record after it stays as it was.
    Bytes withoutWheel = in;
    withoutWheel.erase(withoutWheel.begin() + 6 * InputRecordSize, withoutWheel.begin() + 7 * InputRecordSize);
    EXPECT_EQ(withoutWheel, StripRecording(in, {false, true, false, false}));
}
