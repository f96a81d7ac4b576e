// Recordings for the tool's tests, through the program's own record codec.
#include "TestRecordings.h"

#include "RecordText.h"

void Append(Bytes& bytes, const InputRecord& record)
{
    uint8_t encoded[InputRecordSize];
    EncodeInputRecord(record, encoded);
    bytes.insert(bytes.end(), encoded, encoded + InputRecordSize);
}

Bytes Recording(std::initializer_list<InputRecord> records)
{
    Bytes bytes;
    for (const InputRecord& record : records) Append(bytes, record);
    return bytes;
}

Bytes Recording(const std::vector<InputRecord>& records)
{
    Bytes bytes;
    for (const InputRecord& record : records) Append(bytes, record);
    return bytes;
}

std::string Dump(const Bytes& bytes)
{
    std::string text;
    AppendRecordingText(text, bytes);
    return text;
}

std::vector<InputRecord> RecordsOf(const Bytes& bytes)
{
    std::vector<InputRecord> records;
    for (size_t at = 0; at + InputRecordSize <= bytes.size(); at += InputRecordSize) {
        records.push_back(DecodeInputRecord(bytes.data() + at));
    }
    return records;
}

std::vector<int32_t> DelaysOf(const Bytes& bytes)
{
    std::vector<int32_t> delays;
    for (const InputRecord& record : RecordsOf(bytes)) delays.push_back(record.delay);
    return delays;
}

std::vector<int64_t> DueTimesOf(const Bytes& bytes)
{
    std::vector<int64_t> due;
    int64_t sum = 0;
    for (const InputRecord& record : RecordsOf(bytes)) {
        const int32_t delay = record.delay;
        if (delay > 0) sum += delay;
        due.push_back(sum);
    }
    return due;
}
