// Thinning mouse moves by time: a move is measured against the last move kept, not against the
// one just before it, so a steady stream of moves becomes one move every minInterval ms.
#include "RecordThin.h"

#include "RecordEdit.h"
#include "recording/InputRecord.h"

std::vector<uint8_t> ThinRecording(std::span<const uint8_t> bytes, int64_t minInterval)
{
    std::vector<uint8_t> out;
    out.reserve(bytes.size());
    const size_t records = bytes.size() / InputRecordSize;
    const uint8_t* record = bytes.data();
    int64_t due = 0;
    int64_t lastDue = 0;
    bool movesKept = false;
    int64_t lastMoveDue = 0;
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        due = AddToDueTime(due, PlayedDelayAt(record));
        if (KindAt(record) == Move) {
            const bool lastBeforeOther = i + 1 == records || KindAt(record + InputRecordSize) != Move;
            if (movesKept && due - lastMoveDue < minInterval && !lastBeforeOther) continue;
            movesKept = true;
            lastMoveDue = due;
        }
        AppendDueAt(out, lastDue, record, due);
    }
    AppendTail(out, bytes);
    return out;
}
