// CVLStringManager: the codec of variable-length string records inside an options buffer.
//
// A record holds the length n in characters (int32), a wide flag byte (1 = UTF-16, 0 = 8-bit) and then,
// when n > 0, the n characters and a NUL character, or a single zero byte when n = 0.
// Two lengths belong to every record (c = 2 for UTF-16, 1 for 8-bit):
//   reserved size R = (n + 1) * c + 8: what an entity advances its record offset by past the string;
//   cursor stride S = n * c + 8: what this codec's cursor advances by after one string.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

class CVLStringManager
{
public:
    CVLStringManager();
    virtual ~CVLStringManager();

    // Places a writing cursor at position; end is one past the last byte that may be touched.
    // FALSE for a null position or an end before it.
    BOOL SetPosition(BYTE* position, const BYTE* end);
    // Places a reading cursor (WriteString is refused on it).
    BOOL SetReadPosition(const BYTE* position, const BYTE* end);
    const BYTE* GetPosition() const { return m_cursor; }

    // Writes one record at the cursor and advances the cursor by S. The bytes between the written part
    // and S are set to zero. FALSE (nothing written, cursor unchanged) without a writing cursor or when
    // the stride does not fit before the end.
    BOOL WriteString(const CDravikString& text);

    // Reads one record at the cursor and advances the cursor by S; recordSize (optional) receives R.
    // The width of the result follows the record's flag, also for an empty string.
    // FALSE (text and cursor unchanged) without a cursor, when the record would run past the end, or
    // when it is malformed: negative length, a flag other than 0 or 1, a NUL among the n characters, a
    // missing terminating NUL, or a non-zero byte after an empty record's header.
    BOOL ReadString(CDravikString* text, int* recordSize = nullptr);

    // R and S of the record that WriteString makes for text; -1 when they cannot be represented.
    static int GetRecordSize(const CDravikString& text);
    static int GetStride(const CDravikString& text);

    // The characters that a record of text holds: the text up to its first NUL character.
    // wide receives the width of the text.
    static int GetRecordLength(const CDravikString& text, bool* wide);

private:
    BYTE* m_cursor;
    const BYTE* m_end;
    bool m_writable;
};
