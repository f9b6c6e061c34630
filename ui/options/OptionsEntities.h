// The single-value entity kinds of the options store: integer, large integer, string, boolean, pane size,
// window position and file time.
#pragma once

#include "foundation/DravikString.h"
#include "ui/options/OptionsEntityBase.h"

// Kind 1: one int32 value (record: kind, id, value; 12 bytes).
class COptionsEntityInteger : public COptionsEntityBase
{
public:
    explicit COptionsEntityInteger(int id = 0, COptionsStore* owner = nullptr);

    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    int32_t GetValue() const { return m_value; }
    void SetValue(int32_t value);

protected:
    COptionsEntityInteger(int kind, int id, COptionsStore* owner);

private:
    int32_t m_value;
};

// Kind 5: a 32-bit true/false value, saved like an integer.
class COptionsEntityBoolean : public COptionsEntityInteger
{
public:
    explicit COptionsEntityBoolean(int id = 0, COptionsStore* owner = nullptr);
};

// Kind 2: a 64-bit value kept as low and high int32 (record: kind, id, low, high; 16 bytes).
class COptionsEntityLargeInteger : public COptionsEntityBase
{
public:
    explicit COptionsEntityLargeInteger(int id = 0, COptionsStore* owner = nullptr);

    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    int32_t GetLow() const { return m_low; }
    int32_t GetHigh() const { return m_high; }
    long long GetValue() const;
    void SetValues(int32_t low, int32_t high);
    void SetValue(long long value);

protected:
    COptionsEntityLargeInteger(int kind, int id, COptionsStore* owner);
    // Sets the value without telling the store.
    void Assign(long long value);

private:
    int32_t m_low;
    int32_t m_high;
};

// Kind 6: two int32 (a pane's width and height), saved like a large integer.
class COptionsEntityPaneSize : public COptionsEntityLargeInteger
{
public:
    explicit COptionsEntityPaneSize(int id = 0, COptionsStore* owner = nullptr);
};

// Kind 11: a 64-bit FILETIME, saved like a large integer; the current UTC time after construction.
class COptionsEntityFileTime : public COptionsEntityLargeInteger
{
public:
    explicit COptionsEntityFileTime(int id = 0, COptionsStore* owner = nullptr);
};

// Kind 7: four int32 values in field order (record: 24 bytes).
class COptionsEntityWindowPosition : public COptionsEntityBase
{
public:
    static const int kValueCount = 4;

    explicit COptionsEntityWindowPosition(int id = 0, COptionsStore* owner = nullptr);

    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    // Value 0..3; 0 for any other index.
    int32_t GetValue(int index) const;
    BOOL SetValue(int index, int32_t value);

private:
    int32_t m_values[kValueCount];
};

// Kind 4: one text (record: kind, id, string record).
class COptionsEntityString : public COptionsEntityBase
{
public:
    explicit COptionsEntityString(int id = 0, COptionsStore* owner = nullptr);

    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    const CDravikString& GetText() const { return m_text; }
    void SetText(CDravikString text);

private:
    CDravikString m_text;
};
