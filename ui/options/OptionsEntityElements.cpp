#include "ui/options/OptionsEntityElements.h"

#include "ui/options/OptionsBuffer.h"
#include "ui/options/VLStringManager.h"

#include <cstring>
#include <new>

namespace
{
// Clears [offset, offset + size) after checking that it lies in the buffer.
BOOL BeginElement(BYTE* buffer, int bufferSize, const int* offset, int size)
{
    if (!buffer || !offset || size < 0 || !OptionsRangeFits(bufferSize, *offset, size))
        return FALSE;
    memset(buffer + *offset, 0, static_cast<size_t>(size));
    return TRUE;
}

// Order in which a colour-profile entry writes its six texts (0-based field positions) after its name.
const int kColorProfileTextOrder[COptionsEntityColorProfileEntry::kTextCount] = {3, 4, 0, 1, 2, 5};
} // namespace

// ---- string-map entry ----

COptionsEntityStringMapEntity::COptionsEntityStringMapEntity() : m_keyLow(0), m_keyHigh(0) {}

COptionsEntityStringMapEntity::~COptionsEntityStringMapEntity() {}

void COptionsEntityStringMapEntity::SetKey(int32_t low, int32_t high)
{
    m_keyLow = low;
    m_keyHigh = high;
}

int COptionsEntityStringMapEntity::GetSerializedSize()
{
    COptionsSize size(8);
    size.Add(CVLStringManager::GetRecordSize(m_name));
    size.Add(CVLStringManager::GetRecordSize(m_value));
    return size.Get();
}

BOOL COptionsEntityStringMapEntity::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int size = GetSerializedSize();
    if (!BeginElement(buffer, bufferSize, offset, size))
        return FALSE;
    BYTE* start = buffer + *offset;
    CVLStringManager codec;
    if (!codec.SetPosition(start, start + size) || !codec.WriteString(m_name) || !codec.WriteString(m_value))
        return FALSE;
    BYTE* key = start + size - 8;
    OptionsPutInt32(key, m_keyLow);
    OptionsPutInt32(key + 4, m_keyHigh);
    *offset += size;
    return TRUE;
}

BOOL COptionsEntityStringMapEntity::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    if (!buffer || !offset || !OptionsRangeFits(bufferSize, *offset, 0))
        return FALSE;
    CVLStringManager codec;
    CDravikString name;
    CDravikString value;
    int nameSize = 0;
    int valueSize = 0;
    if (!codec.SetReadPosition(buffer + *offset, buffer + bufferSize) ||
        !codec.ReadString(&name, &nameSize) || !codec.ReadString(&value, &valueSize))
        return FALSE;
    const long long keyAt = static_cast<long long>(nameSize) + valueSize;
    if (!OptionsRangeFits(bufferSize, *offset, keyAt + 8))
        return FALSE;
    const BYTE* key = buffer + *offset + keyAt;
    m_name = name;
    m_value = value;
    m_keyLow = OptionsGetInt32(key);
    m_keyHigh = OptionsGetInt32(key + 4);
    *offset += static_cast<int>(keyAt + 8);
    return TRUE;
}

// ---- project-string entry ----

COptionsEntityProjectStringEntity::COptionsEntityProjectStringEntity() : m_values{-1, -1, -1, -1, 0, 0} {}

COptionsEntityProjectStringEntity::~COptionsEntityProjectStringEntity() {}

int32_t COptionsEntityProjectStringEntity::GetValue(int index) const
{
    return OptionsGetIndexed(m_values, index);
}

BOOL COptionsEntityProjectStringEntity::SetValue(int index, int32_t value)
{
    return OptionsSetIndexed(m_values, index, value);
}

int COptionsEntityProjectStringEntity::GetSerializedSize()
{
    COptionsSize size(4 * kValueCount);
    size.Add(CVLStringManager::GetRecordSize(m_text));
    return size.Get();
}

BOOL COptionsEntityProjectStringEntity::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int size = GetSerializedSize();
    if (!BeginElement(buffer, bufferSize, offset, size))
        return FALSE;
    BYTE* start = buffer + *offset;
    CVLStringManager codec;
    if (!codec.SetPosition(start, start + size) || !codec.WriteString(m_text))
        return FALSE;
    BYTE* values = start + size - 4 * kValueCount;
    for (int i = 0; i < kValueCount; ++i)
        OptionsPutInt32(values + 4 * i, m_values[i]);
    *offset += size;
    return TRUE;
}

BOOL COptionsEntityProjectStringEntity::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    if (!buffer || !offset || !OptionsRangeFits(bufferSize, *offset, 0))
        return FALSE;
    CVLStringManager codec;
    CDravikString text;
    int textSize = 0;
    if (!codec.SetReadPosition(buffer + *offset, buffer + bufferSize) ||
        !codec.ReadString(&text, &textSize) ||
        !OptionsRangeFits(bufferSize, *offset, static_cast<long long>(textSize) + 4 * kValueCount))
        return FALSE;
    const BYTE* values = buffer + *offset + textSize;
    m_text = text;
    for (int i = 0; i < kValueCount; ++i)
        m_values[i] = OptionsGetInt32(values + 4 * i);
    *offset += textSize + 4 * kValueCount;
    return TRUE;
}

// ---- colour-profile entry ----

COptionsEntityColorProfileEntry::COptionsEntityColorProfileEntry()
{
    memset(m_values, 0, sizeof(m_values));
    memset(m_arrays, 0, sizeof(m_arrays));
    memset(m_flags, 1, sizeof(m_flags));
}

COptionsEntityColorProfileEntry::~COptionsEntityColorProfileEntry() {}

CDravikString COptionsEntityColorProfileEntry::GetText(int number) const
{
    return number >= 1 && number <= kTextCount ? m_texts[number - 1] : CDravikString();
}

BOOL COptionsEntityColorProfileEntry::SetText(int number, CDravikString text)
{
    if (number < 1 || number > kTextCount)
        return FALSE;
    m_texts[number - 1] = text;
    return TRUE;
}

int32_t COptionsEntityColorProfileEntry::GetValue(int index) const
{
    return OptionsGetIndexed(m_values, index);
}

BOOL COptionsEntityColorProfileEntry::SetValue(int index, int32_t value)
{
    return OptionsSetIndexed(m_values, index, value);
}

int32_t COptionsEntityColorProfileEntry::GetArrayValue(int array, int index) const
{
    return array >= 0 && array < kArrayCount ? OptionsGetIndexed(m_arrays[array], index) : 0;
}

BOOL COptionsEntityColorProfileEntry::SetArrayValue(int array, int index, int32_t value)
{
    return array >= 0 && array < kArrayCount ? OptionsSetIndexed(m_arrays[array], index, value) : FALSE;
}

BYTE COptionsEntityColorProfileEntry::GetFlag(int index) const
{
    return OptionsGetIndexed(m_flags, index);
}

BOOL COptionsEntityColorProfileEntry::SetFlag(int index, BYTE value)
{
    return OptionsSetIndexed(m_flags, index, value);
}

BOOL COptionsEntityColorProfileEntry::AddExtraString(CDravikString text)
{
    if (text.IsEmpty())
        return FALSE;
    CDravikString* copy = new (std::nothrow) CDravikString(text);
    if (!copy)
        return FALSE;
    if (!m_extras.Add(copy))
    {
        delete copy;
        return FALSE;
    }
    return TRUE;
}

CDravikString COptionsEntityColorProfileEntry::GetExtraString(int index)
{
    CDravikString* text = m_extras.GetAt(index);
    return text ? *text : CDravikString();
}

int COptionsEntityColorProfileEntry::GetSerializedSize()
{
    COptionsSize size(kFixedSize);
    size.Add(CVLStringManager::GetRecordSize(m_name));
    for (const CDravikString& text : m_texts)
        size.Add(CVLStringManager::GetRecordSize(text));
    for (int i = 0; i < m_extras.GetCount(); ++i)
        size.Add(CVLStringManager::GetRecordSize(*m_extras.GetAt(i)));
    return size.Get();
}

BOOL COptionsEntityColorProfileEntry::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int size = GetSerializedSize();
    if (!BeginElement(buffer, bufferSize, offset, size) || size < kFixedSize)
        return FALSE;
    BYTE* start = buffer + *offset;
    for (int i = 0; i < kFlagCount; ++i)
        start[i] = m_flags[i];
    for (int i = 0; i < kValueCount; ++i)
        OptionsPutInt32(start + 4 + 4 * i, m_values[i]);
    for (int array = 0; array < kArrayCount; ++array)
    {
        for (int i = 0; i < kArrayLength; ++i)
            OptionsPutInt32(start + 20 + 60 * array + 4 * i, m_arrays[array][i]);
    }
    const int extraCount = m_extras.GetCount();
    OptionsPutInt32(start + 260, extraCount);

    CVLStringManager codec;
    if (!codec.SetPosition(start + 264, start + size) || !codec.WriteString(m_name))
        return FALSE;
    for (int field : kColorProfileTextOrder)
    {
        if (!codec.WriteString(m_texts[field]))
            return FALSE;
    }
    for (int i = 0; i < extraCount; ++i)
    {
        if (!codec.WriteString(*m_extras.GetAt(i)))
            return FALSE;
    }
    *offset += size;
    return TRUE;
}

BOOL COptionsEntityColorProfileEntry::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    if (!buffer || !offset || !OptionsRangeFits(bufferSize, *offset, kFixedSize))
        return FALSE;
    const BYTE* start = buffer + *offset;
    const int32_t extraCount = OptionsGetInt32(start + 260);
    // Every string record takes at least 8 bytes of cursor stride.
    if (extraCount < 0 || extraCount > (bufferSize - *offset - 264) / 8)
        return FALSE;

    CVLStringManager codec;
    COptionsSize size(kFixedSize);
    int reserved = 0;
    CDravikString name;
    CDravikString texts[kTextCount];
    COptionsOwnedList<CDravikString> extras;
    if (!codec.SetReadPosition(start + 264, buffer + bufferSize) || !codec.ReadString(&name, &reserved))
        return FALSE;
    size.Add(reserved);
    for (int field : kColorProfileTextOrder)
    {
        if (!codec.ReadString(&texts[field], &reserved))
            return FALSE;
        size.Add(reserved);
    }
    for (int i = 0; i < extraCount; ++i)
    {
        CDravikString text;
        if (!codec.ReadString(&text, &reserved))
            return FALSE;
        size.Add(reserved);
        if (text.IsEmpty())
            continue;
        CDravikString* copy = new (std::nothrow) CDravikString(text);
        if (!copy || !extras.Add(copy))
        {
            delete copy;
            return FALSE;
        }
    }
    if (size.Get() < 0 || !OptionsRangeFits(bufferSize, *offset, size.Get()))
        return FALSE;

    for (int i = 0; i < kFlagCount; ++i)
        m_flags[i] = start[i];
    for (int i = 0; i < kValueCount; ++i)
        m_values[i] = OptionsGetInt32(start + 4 + 4 * i);
    for (int array = 0; array < kArrayCount; ++array)
    {
        for (int i = 0; i < kArrayLength; ++i)
            m_arrays[array][i] = OptionsGetInt32(start + 20 + 60 * array + 4 * i);
    }
    m_name = name;
    for (int i = 0; i < kTextCount; ++i)
        m_texts[i] = texts[i];
    m_extras.TakeFrom(extras);
    *offset += size.Get();
    return TRUE;
}
