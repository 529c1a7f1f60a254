#pragma once
// One place of the local high-score table: 48 bytes of the settings record.
#include "global/FixedLayout.h"

class HighScoreEntry {
public:
    static constexpr int SIZE = 48;
    static constexpr int CHECK_SIZE = 16;
    static constexpr int NAME_SIZE = 16;
    // The seed of the keyed digest that signs an entry.
    static constexpr i32 SIGNATURE_SEED = -27316485;

    // The entry at its fixed offsets in `layout` (48 bytes).
    void transfer(FixedLayout layout);

    // Writes the check value: the keyed digest of the entry as it stands with
    // its check value cleared (signed), or 01 and fifteen zero bytes.
    void sign(bool withDigest);

    // Keyed digest (signed entry), 01 then zeros (unsigned), all 0 (default).
    u8 checkValue[CHECK_SIZE] = {};
    // NUL-terminated; bytes after the terminator keep what stood there.
    char name[NAME_SIZE] = {};
    i32 level = 0;
    i32 score = 0;
    Time time;
};
