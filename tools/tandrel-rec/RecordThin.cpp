// Thinning mouse moves by time: a move is measured against the last move kept, not against the
// one just before it, so a steady stream of moves becomes one move every minInterval ms. Whether
// a move may go depends on the record after it, so each move waits as the pending one until the
// next record is read.
#include "RecordThin.h"

#include <cstring>

#include "RecordEdit.h"
#include "recording/InputRecord.h"

namespace {

void KeepPending(ThinState& state, std::vector<uint8_t>& out)
{
    AppendDueAt(out, state.lastDue, state.pending, state.pendingDue);
    state.movesKept = true;
    state.lastMoveDue = state.pendingDue;
    state.hasPending = false;
}

}  // namespace

void ThinRecords(ThinState& state, std::span<const uint8_t> wholeRecords, int64_t minInterval,
                 std::vector<uint8_t>& out)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    const uint8_t* record = wholeRecords.data();
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        state.due = AddToDueTime(state.due, PlayedDelayAt(record));
        const bool raw = IsRawRecord(record);
        if (KindAt(record) == Move && !raw) {
            // The pending move is followed by a move: it goes if it comes too soon.
            if (state.hasPending) {
                if (state.movesKept && state.pendingDue - state.lastMoveDue < minInterval) {
                    state.hasPending = false;
                } else {
                    KeepPending(state, out);
                }
            }
            std::memcpy(state.pending, record, InputRecordSize);
            state.pendingDue = state.due;
            state.hasPending = true;
            continue;
        }
        if (state.hasPending) KeepPending(state, out);
        if (raw) {
            // As it is, delay and all: the record before it was kept, so it plays at its time.
            out.insert(out.end(), record, record + InputRecordSize);
            state.lastDue = AddToDueTime(state.lastDue, PlayedDelayAt(record));
        } else {
            AppendDueAt(out, state.lastDue, record, state.due);
        }
    }
}

void FinishThin(ThinState& state, std::vector<uint8_t>& out)
{
    if (state.hasPending) KeepPending(state, out);
}

std::vector<uint8_t> ThinRecording(std::span<const uint8_t> bytes, int64_t minInterval)
{
    ThinState state{};
    return EditWholeFile(bytes, [&](std::span<const uint8_t> records, std::vector<uint8_t>& out) {
        ThinRecords(state, records, minInterval, out);
        FinishThin(state, out);
    });
}
