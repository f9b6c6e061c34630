// COptionsEntityBase: the root of every typed option value (entity) of the options store, and the table
// that gives each entity id its kind.
//
// Every entity is saved as one record of the options buffer: kind (int32), id (int32) and a payload that
// depends on the kind. All integers are 32-bit little-endian; nothing is aligned.
//
// Saving and loading take the buffer's size in bytes next to the buffer and never touch a byte outside it.
// Every Save and Load either completes and advances the offset by the record length, or returns FALSE
// and leaves the offset and the entity as they were. A save clears the whole record before filling it, so
// the same entity always gives the same bytes.
#pragma once

#include <windows.h>

#include <cstdint>

class COptionsStore;

// Kinds of entities (the first field of every record). Kinds 3, 12 and 13 are not used.
enum EOptionsEntityKind
{
    kOptionsKindUser = 0,
    kOptionsKindInteger = 1,
    kOptionsKindLargeInteger = 2,
    kOptionsKindString = 4,
    kOptionsKindBoolean = 5,
    kOptionsKindPaneSize = 6,
    kOptionsKindWindowPosition = 7,
    kOptionsKindStringMap = 8,
    kOptionsKindProjectString = 9,
    kOptionsKindIntegerTupleList = 10,
    kOptionsKindFileTime = 11,
    kOptionsKindColorProfile = 14
};

// Highest entity id; ids run from 0 to this.
const int kOptionsMaxEntityId = 162;

// The kind that entity id has; -1 for an id above kOptionsMaxEntityId.
int OptionsKindOfId(UINT id);

class COptionsEntityBase
{
public:
    virtual ~COptionsEntityBase();

    // Bytes the entity's record needs (8 in the base: kind and id); -1 when the size cannot be represented.
    virtual int GetSerializedSize();

    // Copies length (at least 8) bytes at the offset into block and advances the offset. The block's first
    // two int32 values are the record's kind and id; FALSE when the kind is not this entity's kind or the
    // id is not an id of this kind. The entity itself is not changed: Load takes the id once the whole
    // record has been read.
    virtual BOOL ReadHeaderBlock(const BYTE* buffer, int bufferSize, int* offset, void* block, int length);
    // Copies length bytes at the offset into block and advances the offset.
    virtual BOOL ReadBlock(const BYTE* buffer, int bufferSize, int* offset, void* block, int length);
    // Reads this entity's record at the offset. The base reads the kind and id (8 bytes).
    virtual BOOL Load(const BYTE* buffer, int bufferSize, int* offset);
    // Puts kind and id into the block's first 8 bytes, then WriteBlock.
    virtual BOOL WriteHeaderBlock(BYTE* buffer, int bufferSize, int* offset, void* block, int length);
    // Copies length bytes of block to the offset and advances the offset.
    virtual BOOL WriteBlock(BYTE* buffer, int bufferSize, int* offset, const void* block, int length);
    // Writes this entity's record at the offset. The base writes the kind and id.
    virtual BOOL Save(BYTE* buffer, int bufferSize, int* offset);

    int GetKind() const { return m_kind; }
    int GetId() const { return m_id; }
    COptionsStore* GetOwner() const { return m_owner; }
    virtual void SetOwner(COptionsStore* owner) { m_owner = owner; }

protected:
    COptionsEntityBase(int kind, int id, COptionsStore* owner);

    // Tells the owning store that something changed.
    void MarkModified();
    // Takes the id of a header block that ReadHeaderBlock accepted.
    void TakeHeaderId(const BYTE* block);

    // Fixed-size records: kind, id and count int32 values.
    BOOL LoadValues(const BYTE* buffer, int bufferSize, int* offset, int32_t* values, int count);
    BOOL SaveValues(BYTE* buffer, int bufferSize, int* offset, const int32_t* values, int count);

    // Checks that a record of size bytes fits at the offset and clears it; FALSE for a null buffer or
    // offset, an invalid size or a record that would run past the end.
    BOOL BeginRecord(BYTE* buffer, int bufferSize, const int* offset, int size);
    // Records that open with kind, id and a count (one 12-byte block): BeginRecord, then the block;
    // at receives the offset after the block.
    BOOL BeginCountedRecord(BYTE* buffer, int bufferSize, const int* offset, int size, int32_t count,
                            int* at);
    // Reads and checks such a block at *at and advances it; header (12 bytes) is kept for TakeHeaderId.
    BOOL ReadCountedHeader(const BYTE* buffer, int bufferSize, int* at, BYTE* header, int32_t* count);

    int32_t m_kind;
    int32_t m_id;
    COptionsStore* m_owner;

private:
    COptionsEntityBase(const COptionsEntityBase&) = delete;
    COptionsEntityBase& operator=(const COptionsEntityBase&) = delete;
};
