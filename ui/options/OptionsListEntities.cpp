#include "ui/options/OptionsListEntities.h"

#include "ui/options/OptionsBuffer.h"

#include <new>

// ---- lists of self-saving elements ----

template <class Element> int COptionsElementListEntity<Element>::GetSerializedSize()
{
    COptionsSize size(12);
    for (int i = 0; i < m_elements.GetCount(); ++i)
        size.Add(m_elements.GetAt(i)->GetSerializedSize());
    return size.Get();
}

template <class Element>
BOOL COptionsElementListEntity<Element>::Save(BYTE* buffer, int bufferSize, int* offset)
{
    int at = 0;
    if (!BeginCountedRecord(buffer, bufferSize, offset, GetSerializedSize(), m_elements.GetCount(), &at))
        return FALSE;
    for (int i = 0; i < m_elements.GetCount(); ++i)
    {
        if (!m_elements.GetAt(i)->Save(buffer, bufferSize, &at))
            return FALSE;
    }
    *offset = at;
    return TRUE;
}

template <class Element>
BOOL COptionsElementListEntity<Element>::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    BYTE header[12];
    int32_t count = 0;
    if (!offset)
        return FALSE;
    int at = *offset;
    if (!ReadCountedHeader(buffer, bufferSize, &at, header, &count) ||
        count > (bufferSize - at) / Element::kMinSerializedSize)
        return FALSE;
    COptionsOwnedList<Element> loaded;
    for (int32_t i = 0; i < count; ++i)
    {
        Element* element = new (std::nothrow) Element();
        if (!element)
            return FALSE;
        if (!element->Load(buffer, bufferSize, &at) || !loaded.Add(element))
        {
            delete element;
            return FALSE;
        }
    }
    if (!m_elements.TakeFrom(loaded))
        return FALSE;
    TakeHeaderId(header);
    *offset = at;
    return TRUE;
}

template <class Element> BOOL COptionsElementListEntity<Element>::AddElement(Element* element)
{
    if (!m_elements.Add(element))
        return FALSE;
    MarkModified();
    return TRUE;
}

template class COptionsElementListEntity<COptionsEntityStringMapEntity>;
template class COptionsElementListEntity<COptionsEntityProjectStringEntity>;
template class COptionsElementListEntity<COptionsEntityColorProfileEntry>;

// ---- string map ----

COptionsEntityStringMap::COptionsEntityStringMap(int id, COptionsStore* owner)
    : COptionsElementListEntity(kOptionsKindStringMap, id, owner)
{
}

COptionsEntityStringMapEntity* COptionsEntityStringMap::FindEntry(const CDravikString& name, int32_t keyLow,
                                                                  int32_t keyHigh)
{
    for (int i = 0; i < m_elements.GetCount(); ++i)
    {
        COptionsEntityStringMapEntity* entry = m_elements.GetAt(i);
        if (entry->GetKeyLow() == keyLow && entry->GetKeyHigh() == keyHigh && entry->GetName().Equals(name))
            return entry;
    }
    return nullptr;
}

BOOL COptionsEntityStringMap::AddEntry(const CDravikString& name, const CDravikString& value, int32_t keyLow,
                                       int32_t keyHigh)
{
    if (name.IsEmpty() || value.IsEmpty())
        return FALSE;
    if (COptionsEntityStringMapEntity* existing = FindEntry(name, keyLow, keyHigh))
    {
        existing->SetValue(value);
        MarkModified();
        return TRUE;
    }
    COptionsEntityStringMapEntity* entry = new (std::nothrow) COptionsEntityStringMapEntity();
    if (!entry)
        return FALSE;
    entry->SetName(name);
    entry->SetValue(value);
    entry->SetKey(keyLow, keyHigh);
    if (!AddElement(entry))
    {
        delete entry;
        return FALSE;
    }
    return TRUE;
}

// ---- project string and colour profile ----

COptionsEntityProjectString::COptionsEntityProjectString(int id, COptionsStore* owner)
    : COptionsElementListEntity(kOptionsKindProjectString, id, owner)
{
}

COptionsEntityColorProfile::COptionsEntityColorProfile(int id, COptionsStore* owner)
    : COptionsElementListEntity(kOptionsKindColorProfile, id, owner)
{
}

// ---- integer tuple list ----

COptionsEntityIntegerTupleList::COptionsEntityIntegerTupleList(int id, COptionsStore* owner)
    : COptionsEntityBase(kOptionsKindIntegerTupleList, id, owner)
{
}

int COptionsEntityIntegerTupleList::GetSerializedSize()
{
    COptionsSize size(12);
    size.Add(16LL * m_tuples.GetCount());
    return size.Get();
}

BOOL COptionsEntityIntegerTupleList::Save(BYTE* buffer, int bufferSize, int* offset)
{
    int at = 0;
    if (!BeginCountedRecord(buffer, bufferSize, offset, GetSerializedSize(), m_tuples.GetCount(), &at))
        return FALSE;
    for (int i = 0; i < m_tuples.GetCount(); ++i)
    {
        const COptionsEntityIntegerTupleEntry* tuple = m_tuples.GetAt(i);
        BYTE* out = buffer + at + 16 * i;
        OptionsPutInt32(out, tuple->a);
        OptionsPutInt32(out + 4, tuple->b);
        OptionsPutInt32(out + 8, tuple->c);
        OptionsPutInt32(out + 12, tuple->d);
    }
    *offset = at + 16 * m_tuples.GetCount();
    return TRUE;
}

BOOL COptionsEntityIntegerTupleList::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    BYTE header[12];
    int32_t count = 0;
    if (!offset)
        return FALSE;
    int at = *offset;
    if (!ReadCountedHeader(buffer, bufferSize, &at, header, &count) ||
        !OptionsRangeFits(bufferSize, at, 16LL * count))
        return FALSE;
    COptionsOwnedList<COptionsEntityIntegerTupleEntry> loaded;
    for (int32_t i = 0; i < count; ++i)
    {
        const BYTE* in = buffer + at + 16 * i;
        // A repeated tuple cannot have been written by Save: the record is corrupt.
        if (!AppendTuple(loaded, OptionsGetInt32(in), OptionsGetInt32(in + 4), OptionsGetInt32(in + 8),
                         OptionsGetInt32(in + 12)))
            return FALSE;
    }
    if (!m_tuples.TakeFrom(loaded))
        return FALSE;
    TakeHeaderId(header);
    MarkModified();
    *offset = at + 16 * count;
    return TRUE;
}

BOOL COptionsEntityIntegerTupleList::AppendTuple(COptionsOwnedList<COptionsEntityIntegerTupleEntry>& tuples,
                                                 int32_t a, int32_t b, int32_t c, int32_t d)
{
    for (int i = 0; i < tuples.GetCount(); ++i)
    {
        if (tuples.GetAt(i)->Equals(a, b, c, d))
            return FALSE;
    }
    COptionsEntityIntegerTupleEntry* tuple = new (std::nothrow) COptionsEntityIntegerTupleEntry(a, b, c, d);
    if (!tuple || !tuples.Add(tuple))
    {
        delete tuple;
        return FALSE;
    }
    return TRUE;
}

BOOL COptionsEntityIntegerTupleList::AddTuple(int32_t a, int32_t b, int32_t c, int32_t d)
{
    if (!AppendTuple(m_tuples, a, b, c, d))
        return FALSE;
    MarkModified();
    return TRUE;
}
