#include "ui/options/OptionsEntities.h"

#include "ui/options/OptionsBuffer.h"
#include "foundation/TimeUtilities.h"
#include "ui/options/VLStringManager.h"

// ---- integer and boolean ----

COptionsEntityInteger::COptionsEntityInteger(int id, COptionsStore* owner)
    : COptionsEntityBase(kOptionsKindInteger, id, owner), m_value(0)
{
}

COptionsEntityInteger::COptionsEntityInteger(int kind, int id, COptionsStore* owner)
    : COptionsEntityBase(kind, id, owner), m_value(0)
{
}

int COptionsEntityInteger::GetSerializedSize()
{
    return 12;
}

BOOL COptionsEntityInteger::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    return LoadValues(buffer, bufferSize, offset, &m_value, 1);
}

BOOL COptionsEntityInteger::Save(BYTE* buffer, int bufferSize, int* offset)
{
    return SaveValues(buffer, bufferSize, offset, &m_value, 1);
}

void COptionsEntityInteger::SetValue(int32_t value)
{
    m_value = value;
    MarkModified();
}

COptionsEntityBoolean::COptionsEntityBoolean(int id, COptionsStore* owner)
    : COptionsEntityInteger(kOptionsKindBoolean, id, owner)
{
}

// ---- large integer, pane size and file time ----

COptionsEntityLargeInteger::COptionsEntityLargeInteger(int id, COptionsStore* owner)
    : COptionsEntityBase(kOptionsKindLargeInteger, id, owner), m_low(0), m_high(0)
{
}

COptionsEntityLargeInteger::COptionsEntityLargeInteger(int kind, int id, COptionsStore* owner)
    : COptionsEntityBase(kind, id, owner), m_low(0), m_high(0)
{
}

int COptionsEntityLargeInteger::GetSerializedSize()
{
    return 16;
}

BOOL COptionsEntityLargeInteger::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    int32_t values[2];
    if (!LoadValues(buffer, bufferSize, offset, values, 2))
        return FALSE;
    m_low = values[0];
    m_high = values[1];
    return TRUE;
}

BOOL COptionsEntityLargeInteger::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int32_t values[2] = {m_low, m_high};
    return SaveValues(buffer, bufferSize, offset, values, 2);
}

long long COptionsEntityLargeInteger::GetValue() const
{
    return static_cast<long long>((static_cast<unsigned long long>(static_cast<uint32_t>(m_high)) << 32) |
                                  static_cast<uint32_t>(m_low));
}

void COptionsEntityLargeInteger::SetValues(int32_t low, int32_t high)
{
    m_low = low;
    m_high = high;
    MarkModified();
}

void COptionsEntityLargeInteger::SetValue(long long value)
{
    Assign(value);
    MarkModified();
}

void COptionsEntityLargeInteger::Assign(long long value)
{
    const unsigned long long bits = static_cast<unsigned long long>(value);
    m_low = static_cast<int32_t>(static_cast<uint32_t>(bits));
    m_high = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
}

COptionsEntityPaneSize::COptionsEntityPaneSize(int id, COptionsStore* owner)
    : COptionsEntityLargeInteger(kOptionsKindPaneSize, id, owner)
{
}

COptionsEntityFileTime::COptionsEntityFileTime(int id, COptionsStore* owner)
    : COptionsEntityLargeInteger(kOptionsKindFileTime, id, owner)
{
    Assign(GetCurrentFileTime());
}

// ---- window position ----

COptionsEntityWindowPosition::COptionsEntityWindowPosition(int id, COptionsStore* owner)
    : COptionsEntityBase(kOptionsKindWindowPosition, id, owner), m_values{0, 0, 0, 0}
{
}

int COptionsEntityWindowPosition::GetSerializedSize()
{
    return 8 + 4 * kValueCount;
}

BOOL COptionsEntityWindowPosition::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    int32_t values[kValueCount];
    if (!LoadValues(buffer, bufferSize, offset, values, kValueCount))
        return FALSE;
    for (int i = 0; i < kValueCount; ++i)
        m_values[i] = values[i];
    return TRUE;
}

BOOL COptionsEntityWindowPosition::Save(BYTE* buffer, int bufferSize, int* offset)
{
    return SaveValues(buffer, bufferSize, offset, m_values, kValueCount);
}

int32_t COptionsEntityWindowPosition::GetValue(int index) const
{
    return OptionsGetIndexed(m_values, index);
}

BOOL COptionsEntityWindowPosition::SetValue(int index, int32_t value)
{
    if (!OptionsSetIndexed(m_values, index, value))
        return FALSE;
    MarkModified();
    return TRUE;
}

// ---- string ----

COptionsEntityString::COptionsEntityString(int id, COptionsStore* owner)
    : COptionsEntityBase(kOptionsKindString, id, owner)
{
}

int COptionsEntityString::GetSerializedSize()
{
    COptionsSize size(8);
    size.Add(CVLStringManager::GetRecordSize(m_text));
    return size.Get();
}

BOOL COptionsEntityString::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    BYTE header[8];
    if (!buffer || !offset)
        return FALSE;
    int at = *offset;
    if (!ReadHeaderBlock(buffer, bufferSize, &at, header, sizeof(header)))
        return FALSE;
    CVLStringManager codec;
    CDravikString text;
    int reserved = 0;
    if (!codec.SetReadPosition(buffer + at, buffer + bufferSize) || !codec.ReadString(&text, &reserved) ||
        !OptionsRangeFits(bufferSize, at, reserved))
        return FALSE;
    TakeHeaderId(header);
    m_text = text;
    *offset = at + reserved;
    return TRUE;
}

BOOL COptionsEntityString::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int size = GetSerializedSize();
    if (!BeginRecord(buffer, bufferSize, offset, size))
        return FALSE;
    int at = *offset;
    BYTE header[8];
    CVLStringManager codec;
    if (!WriteHeaderBlock(buffer, bufferSize, &at, header, sizeof(header)) ||
        !codec.SetPosition(buffer + at, buffer + *offset + size) || !codec.WriteString(m_text))
        return FALSE;
    *offset += size;
    return TRUE;
}

void COptionsEntityString::SetText(CDravikString text)
{
    m_text = text;
    MarkModified();
}
