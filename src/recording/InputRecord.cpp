// STUB: replaced by the recording work.
#include "recording/InputRecord.h"
void EncodeInputRecord(const InputRecord&, uint8_t[InputRecordSize]) {}
InputRecord DecodeInputRecord(const uint8_t[InputRecordSize]) { return {}; }
