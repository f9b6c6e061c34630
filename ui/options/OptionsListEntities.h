// The list kinds of the options store: string map, project string, integer tuple list and colour profile.
// Their records hold kind, id and an element count (one 12-byte block) followed by the elements.
#pragma once

#include "ui/options/OptionsEntityBase.h"
#include "ui/options/OptionsEntityElements.h"
#include "ui/options/OptionsOwnedList.h"

// A list kind whose elements save and load themselves (Element has GetSerializedSize, Save, Load and
// kMinSerializedSize). Loading replaces the whole list, and only once every element has been read.
template <class Element> class COptionsElementListEntity : public COptionsEntityBase
{
public:
    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    int GetCount() const { return m_elements.GetCount(); }
    Element* GetAt(int index) { return m_elements.GetAt(index); }
    // Appends element and takes it over; FALSE (not taken) for null or when memory runs out.
    BOOL AddElement(Element* element);

protected:
    COptionsElementListEntity(int kind, int id, COptionsStore* owner) : COptionsEntityBase(kind, id, owner) {}

    COptionsOwnedList<Element> m_elements;
};

// Kind 8: entries of (name, value, 64-bit key).
class COptionsEntityStringMap : public COptionsElementListEntity<COptionsEntityStringMapEntity>
{
public:
    explicit COptionsEntityStringMap(int id = 0, COptionsStore* owner = nullptr);

    // FALSE when name or value is empty. An entry with the same name (case-sensitive) and key gets the new
    // value; else a new entry is appended.
    BOOL AddEntry(const CDravikString& name, const CDravikString& value, int32_t keyLow, int32_t keyHigh);
    // The first entry with that name (case-sensitive) and key, or null.
    COptionsEntityStringMapEntity* FindEntry(const CDravikString& name, int32_t keyLow, int32_t keyHigh);
};

// Kind 9: entries of a text and six values.
class COptionsEntityProjectString : public COptionsElementListEntity<COptionsEntityProjectStringEntity>
{
public:
    explicit COptionsEntityProjectString(int id = 0, COptionsStore* owner = nullptr);
};

// Kind 14: colour-profile entries.
class COptionsEntityColorProfile : public COptionsElementListEntity<COptionsEntityColorProfileEntry>
{
public:
    explicit COptionsEntityColorProfile(int id = 0, COptionsStore* owner = nullptr);
};

// Kind 10: distinct tuples of four int32 values. Record: kind, id, count, then count tuples of 16 bytes.
class COptionsEntityIntegerTupleList : public COptionsEntityBase
{
public:
    explicit COptionsEntityIntegerTupleList(int id = 0, COptionsStore* owner = nullptr);

    int GetSerializedSize() override;
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;

    // FALSE when an equal tuple (all four values) exists or memory runs out; else appends it and marks
    // the owning store modified.
    BOOL AddTuple(int32_t a, int32_t b, int32_t c, int32_t d);
    int GetCount() const { return m_tuples.GetCount(); }
    COptionsEntityIntegerTupleEntry* GetAt(int index) { return m_tuples.GetAt(index); }

private:
    static BOOL AppendTuple(COptionsOwnedList<COptionsEntityIntegerTupleEntry>& tuples, int32_t a, int32_t b,
                            int32_t c, int32_t d);

    COptionsOwnedList<COptionsEntityIntegerTupleEntry> m_tuples;
};
