#include "ui/options/OptionsEntityBase.h"

#include "ui/options/OptionsBuffer.h"
#include "ui/options/OptionsStore.h"

#include <cstring>

namespace
{
struct IdRange
{
    int first;
    int last;
    int kind;
};

// Ids that are not listed here are booleans.
const IdRange kIdKinds[] = {
    {0, 0, kOptionsKindUser},
    {1, 11, kOptionsKindWindowPosition},
    {12, 12, kOptionsKindLargeInteger},
    {13, 13, kOptionsKindPaneSize},
    {14, 14, kOptionsKindString},
    {15, 15, kOptionsKindProjectString},
    {16, 18, kOptionsKindString},
    {19, 20, kOptionsKindLargeInteger},
    {23, 23, kOptionsKindString},
    {25, 26, kOptionsKindString},
    {28, 28, kOptionsKindIntegerTupleList},
    {29, 31, kOptionsKindWindowPosition},
    {33, 33, kOptionsKindWindowPosition},
    {34, 34, kOptionsKindString},
    {36, 36, kOptionsKindWindowPosition},
    {37, 37, kOptionsKindInteger},
    {38, 38, kOptionsKindStringMap},
    {39, 39, kOptionsKindInteger},
    {40, 43, kOptionsKindString},
    {44, 44, kOptionsKindStringMap},
    {45, 45, kOptionsKindString},
    {46, 46, kOptionsKindWindowPosition},
    {48, 48, kOptionsKindWindowPosition},
    {49, 51, kOptionsKindInteger},
    {52, 52, kOptionsKindString},
    {53, 53, kOptionsKindFileTime},
    {54, 54, kOptionsKindString},
    {55, 55, kOptionsKindWindowPosition},
    {56, 60, kOptionsKindString},
    {62, 63, kOptionsKindString},
    {69, 69, kOptionsKindString},
    {70, 70, kOptionsKindInteger},
    {71, 71, kOptionsKindString},
    {72, 72, kOptionsKindInteger},
    {74, 74, kOptionsKindString},
    {76, 79, kOptionsKindWindowPosition},
    {80, 80, kOptionsKindStringMap},
    {81, 90, kOptionsKindWindowPosition},
    {91, 91, kOptionsKindColorProfile},
    {92, 93, kOptionsKindWindowPosition},
    {94, 94, kOptionsKindPaneSize},
    {95, 95, kOptionsKindString},
    {98, 98, kOptionsKindInteger},
    {99, 100, kOptionsKindString},
    {101, 102, kOptionsKindWindowPosition},
    {103, 105, kOptionsKindString},
    {106, 107, kOptionsKindWindowPosition},
    {109, 109, kOptionsKindString},
    {110, 110, kOptionsKindWindowPosition},
    {152, 154, kOptionsKindWindowPosition},
    {155, 155, kOptionsKindPaneSize},
    {157, 157, kOptionsKindWindowPosition},
    {158, 158, kOptionsKindString},
    {162, 162, kOptionsKindString},
};
} // namespace

int OptionsKindOfId(UINT id)
{
    if (id > static_cast<UINT>(kOptionsMaxEntityId))
        return -1;
    const int value = static_cast<int>(id);
    for (const IdRange& range : kIdKinds)
    {
        if (value >= range.first && value <= range.last)
            return range.kind;
    }
    return kOptionsKindBoolean;
}

COptionsEntityBase::COptionsEntityBase(int kind, int id, COptionsStore* owner)
    : m_kind(kind), m_id(id), m_owner(owner)
{
}

COptionsEntityBase::~COptionsEntityBase() {}

int COptionsEntityBase::GetSerializedSize()
{
    return 8;
}

BOOL COptionsEntityBase::ReadBlock(const BYTE* buffer, int bufferSize, int* offset, void* block, int length)
{
    if (!buffer || !offset || !block || !OptionsRangeFits(bufferSize, *offset, length))
        return FALSE;
    memcpy(block, buffer + *offset, static_cast<size_t>(length));
    *offset += length;
    return TRUE;
}

BOOL COptionsEntityBase::ReadHeaderBlock(const BYTE* buffer, int bufferSize, int* offset, void* block,
                                         int length)
{
    if (length < 8 || !block || !offset)
        return FALSE;
    int at = *offset;
    if (!ReadBlock(buffer, bufferSize, &at, block, length))
        return FALSE;
    const BYTE* header = static_cast<const BYTE*>(block);
    const int32_t kind = OptionsGetInt32(header);
    const int32_t id = OptionsGetInt32(header + 4);
    if (kind != m_kind || id < 0 || OptionsKindOfId(static_cast<UINT>(id)) != kind)
        return FALSE;
    *offset = at;
    return TRUE;
}

void COptionsEntityBase::TakeHeaderId(const BYTE* block)
{
    m_id = OptionsGetInt32(block + 4);
}

BOOL COptionsEntityBase::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    BYTE block[8];
    if (!ReadHeaderBlock(buffer, bufferSize, offset, block, sizeof(block)))
        return FALSE;
    TakeHeaderId(block);
    return TRUE;
}

BOOL COptionsEntityBase::WriteBlock(BYTE* buffer, int bufferSize, int* offset, const void* block, int length)
{
    if (!buffer || !offset || !block || !OptionsRangeFits(bufferSize, *offset, length))
        return FALSE;
    memcpy(buffer + *offset, block, static_cast<size_t>(length));
    *offset += length;
    return TRUE;
}

BOOL COptionsEntityBase::WriteHeaderBlock(BYTE* buffer, int bufferSize, int* offset, void* block, int length)
{
    if (length < 8 || !block)
        return FALSE;
    BYTE* header = static_cast<BYTE*>(block);
    OptionsPutInt32(header, m_kind);
    OptionsPutInt32(header + 4, m_id);
    return WriteBlock(buffer, bufferSize, offset, block, length);
}

BOOL COptionsEntityBase::Save(BYTE* buffer, int bufferSize, int* offset)
{
    BYTE block[8];
    return WriteHeaderBlock(buffer, bufferSize, offset, block, sizeof(block));
}

BOOL COptionsEntityBase::BeginRecord(BYTE* buffer, int bufferSize, const int* offset, int size)
{
    if (!buffer || !offset || size < 8 || !OptionsRangeFits(bufferSize, *offset, size))
        return FALSE;
    memset(buffer + *offset, 0, static_cast<size_t>(size));
    return TRUE;
}

BOOL COptionsEntityBase::BeginCountedRecord(BYTE* buffer, int bufferSize, const int* offset, int size,
                                            int32_t count, int* at)
{
    if (!BeginRecord(buffer, bufferSize, offset, size) || size < 12)
        return FALSE;
    BYTE header[12];
    OptionsPutInt32(header + 8, count);
    *at = *offset;
    return WriteHeaderBlock(buffer, bufferSize, at, header, sizeof(header));
}

BOOL COptionsEntityBase::ReadCountedHeader(const BYTE* buffer, int bufferSize, int* at, BYTE* header,
                                           int32_t* count)
{
    if (!ReadHeaderBlock(buffer, bufferSize, at, header, 12))
        return FALSE;
    *count = OptionsGetInt32(header + 8);
    return *count >= 0;
}

BOOL COptionsEntityBase::LoadValues(const BYTE* buffer, int bufferSize, int* offset, int32_t* values,
                                    int count)
{
    BYTE block[8 + 4 * 4];
    const int length = 8 + 4 * count;
    if (count < 0 || length > static_cast<int>(sizeof(block)))
        return FALSE;
    if (!ReadHeaderBlock(buffer, bufferSize, offset, block, length))
        return FALSE;
    TakeHeaderId(block);
    for (int i = 0; i < count; ++i)
        values[i] = OptionsGetInt32(block + 8 + 4 * i);
    return TRUE;
}

BOOL COptionsEntityBase::SaveValues(BYTE* buffer, int bufferSize, int* offset, const int32_t* values,
                                    int count)
{
    BYTE block[8 + 4 * 4];
    const int length = 8 + 4 * count;
    if (count < 0 || length > static_cast<int>(sizeof(block)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        OptionsPutInt32(block + 8 + 4 * i, values[i]);
    return WriteHeaderBlock(buffer, bufferSize, offset, block, length);
}

void COptionsEntityBase::MarkModified()
{
    if (m_owner)
        m_owner->SetModified();
}
