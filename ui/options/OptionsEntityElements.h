// The elements that the list kinds of the options store hold: string-map entries, project-string entries,
// integer tuples and colour-profile entries.
//
// Save and Load follow the entity rules: the buffer's size comes with the buffer, a save clears its whole
// record first, and a failed save or load leaves the offset and the element unchanged.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/DravikString.h"
#include "ui/options/OptionsOwnedList.h"

// One entry of a string map: name, value and a 64-bit key kept as low and high int32.
// Record: name (string record), value (string record, S(name) after the name, written with the same
// cursor), key low at R(name) + R(value), key high 4 bytes later. Length R(name) + R(value) + 8.
class COptionsEntityStringMapEntity
{
public:
    // Two empty 8-bit strings and the key.
    static const int kMinSerializedSize = 9 + 9 + 8;

    COptionsEntityStringMapEntity();
    virtual ~COptionsEntityStringMapEntity();

    virtual int GetSerializedSize();
    virtual BOOL Save(BYTE* buffer, int bufferSize, int* offset);
    virtual BOOL Load(const BYTE* buffer, int bufferSize, int* offset);

    const CDravikString& GetName() const { return m_name; }
    const CDravikString& GetValue() const { return m_value; }
    int32_t GetKeyLow() const { return m_keyLow; }
    int32_t GetKeyHigh() const { return m_keyHigh; }
    void SetName(CDravikString name) { m_name = name; }
    void SetValue(CDravikString value) { m_value = value; }
    void SetKey(int32_t low, int32_t high);

private:
    CDravikString m_name;
    CDravikString m_value;
    int32_t m_keyLow;
    int32_t m_keyHigh;
};

// One entry of a project string: a text and six int32 values (-1, -1, -1, -1, 0, 0 after construction).
// Record: text (string record), the six values at R(text). Length R(text) + 24.
class COptionsEntityProjectStringEntity
{
public:
    static const int kValueCount = 6;
    // An empty 8-bit text and the six values.
    static const int kMinSerializedSize = 9 + 24;

    COptionsEntityProjectStringEntity();
    virtual ~COptionsEntityProjectStringEntity();

    virtual int GetSerializedSize();
    virtual BOOL Save(BYTE* buffer, int bufferSize, int* offset);
    virtual BOOL Load(const BYTE* buffer, int bufferSize, int* offset);

    const CDravikString& GetText() const { return m_text; }
    void SetText(CDravikString text) { m_text = text; }
    // Value 0..5; 0 for any other index.
    int32_t GetValue(int index) const;
    BOOL SetValue(int index, int32_t value);

private:
    CDravikString m_text;
    int32_t m_values[kValueCount];
};

// One tuple of an integer tuple list (16 bytes in a record: a, b, c, d).
class COptionsEntityIntegerTupleEntry
{
public:
    COptionsEntityIntegerTupleEntry(int32_t a = 0, int32_t b = 0, int32_t c = 0, int32_t d = 0)
        : a(a), b(b), c(c), d(d)
    {
    }
    virtual ~COptionsEntityIntegerTupleEntry() {}

    bool Equals(int32_t otherA, int32_t otherB, int32_t otherC, int32_t otherD) const
    {
        return a == otherA && b == otherB && c == otherC && d == otherD;
    }

    int32_t a;
    int32_t b;
    int32_t c;
    int32_t d;
};

// One entry of a colour profile. Record: a fixed block of 328 bytes, cleared before it is filled
//   0: the four flag bytes; 4: the four int32 values; 20, 80, 140, 200: the four arrays of 15 int32;
//   260: k, the number of extra strings; 264: the strings, written with one cursor: name, texts 4, 5,
//   1, 2, 3, 6, then the k extra strings in list order,
// followed by room for the strings: the record is 328 + the sum of R over the 7 + k strings long.
class COptionsEntityColorProfileEntry
{
public:
    static const int kTextCount = 6;
    static const int kValueCount = 4;
    static const int kArrayCount = 4;
    static const int kArrayLength = 15;
    static const int kFlagCount = 4;
    static const int kFixedSize = 328;
    // The fixed block and seven empty 8-bit strings.
    static const int kMinSerializedSize = kFixedSize + 7 * 9;

    COptionsEntityColorProfileEntry();
    virtual ~COptionsEntityColorProfileEntry();

    virtual int GetSerializedSize();
    virtual BOOL Save(BYTE* buffer, int bufferSize, int* offset);
    virtual BOOL Load(const BYTE* buffer, int bufferSize, int* offset);

    const CDravikString& GetName() const { return m_name; }
    void SetName(CDravikString name) { m_name = name; }
    // Texts are numbered 1 to 6 in field order; an empty string for any other number.
    CDravikString GetText(int number) const;
    BOOL SetText(int number, CDravikString text);
    int32_t GetValue(int index) const;
    BOOL SetValue(int index, int32_t value);
    int32_t GetArrayValue(int array, int index) const;
    BOOL SetArrayValue(int array, int index, int32_t value);
    BYTE GetFlag(int index) const;
    BOOL SetFlag(int index, BYTE value);

    // Extra strings: only non-empty strings are kept (FALSE for an empty one).
    BOOL AddExtraString(CDravikString text);
    int GetExtraCount() const { return m_extras.GetCount(); }
    CDravikString GetExtraString(int index);

private:
    CDravikString m_name;
    COptionsOwnedList<CDravikString> m_extras;
    CDravikString m_texts[kTextCount];
    int32_t m_values[kValueCount];
    int32_t m_arrays[kArrayCount][kArrayLength];
    BYTE m_flags[kFlagCount];
};
