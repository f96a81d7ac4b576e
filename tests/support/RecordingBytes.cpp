// Recording files as bytes; see RecordingBytes.h.
#include "support/RecordingBytes.h"

std::vector<uint8_t> RecordingBytes(const std::vector<InputRecord>& records)
{
    std::vector<uint8_t> bytes;
    for (const InputRecord& record : records) {
        uint8_t image[InputRecordSize];
        EncodeInputRecord(record, image);
        bytes.insert(bytes.end(), image, image + InputRecordSize);
    }
    return bytes;
}
