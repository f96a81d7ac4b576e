// The record kinds as a table, made from RecordKinds.def: what each kind is called, its word
// in the text form, the fields it uses and how the player treats it. Code that handles every
// kind walks the table or switches over RecordKind naming each one (-Wswitch-enum fails the
// build for a kind left out). Pure logic.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The fields of a record besides its kind and delay.
enum RecordField : uint8_t {
    FieldCode = 1,
    FieldDown = 2,
    FieldX = 4,
    FieldY = 8
};

// How the player treats a kind.
enum class RecordRole : uint8_t {
    PlayedInput,   // injected as input
    WindowGroup,   // part of a group of window records (WindowRecords.h)
    ControlGroup,  // part of a group of control records (ControlRecords.h)
    Skipped        // only its delay counts
};

enum RecordKind : int8_t {
#define RECORD_KIND(number, name, word, fields, player) name = (number),
#include "recording/RecordKinds.def"
#undef RECORD_KIND
};

struct RecordKindRow {
    std::string_view name;  // as in the enum: "HorizontalWheel"
    std::string_view word;  // in the text form: "hwheel"
    RecordKind kind;
    uint8_t fields;  // RecordField flags
    RecordRole role;
};

inline constexpr RecordKindRow RecordKinds[] = {
#define RECORD_KIND(number, name, word, fields, player) {#name, word, name, (fields), RecordRole::player},
#include "recording/RecordKinds.def"
#undef RECORD_KIND
};
inline constexpr size_t RecordKindCount = sizeof RecordKinds / sizeof RecordKinds[0];

// The row of a kind byte, or null for a kind that no row names (the player skips it).
constexpr const RecordKindRow* FindRecordKind(int kind)
{
    return kind >= 0 && static_cast<size_t>(kind) < RecordKindCount ? &RecordKinds[kind] : nullptr;
}

constexpr bool HasRecordRole(int kind, RecordRole role)
{
    const RecordKindRow* row = FindRecordKind(kind);
    return row != nullptr && row->role == role;
}

// Window and control records: the records of a group.
constexpr bool IsGroupRecordKind(int kind)
{
    return HasRecordRole(kind, RecordRole::WindowGroup) || HasRecordRole(kind, RecordRole::ControlGroup);
}

constexpr bool IsGroupRole(RecordRole role)
{
    return role == RecordRole::WindowGroup || role == RecordRole::ControlGroup;
}

// What the table promises everywhere it is used: rows by number without a gap (FindRecordKind
// indexes by the kind byte), names and words of their own, except that the records of one group
// stand in a run of rows that share one word.
constexpr bool IsRecordKindTableConsistent()
{
    for (size_t i = 0; i < RecordKindCount; ++i) {
        const RecordKindRow& row = RecordKinds[i];
        if (static_cast<size_t>(row.kind) != i || row.word.empty() || row.name.empty()) return false;
        const bool inRun = i > 0 && IsGroupRole(row.role) && RecordKinds[i - 1].role == row.role;
        for (size_t j = 0; j < i; ++j) {
            const RecordKindRow& before = RecordKinds[j];
            if (before.name == row.name) return false;
            if (before.word == row.word && !(inRun && before.role == row.role)) return false;
            if (IsGroupRole(row.role) && before.role == row.role && before.word != row.word) return false;
        }
    }
    return true;
}
static_assert(IsRecordKindTableConsistent(), "RecordKinds.def: rows by number without a gap, words as described");
