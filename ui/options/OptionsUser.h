// COptionsUser: one user of the options store, with a name and the user's entities (kind 0, id 0).
//
// Record: kind, id, entity count (int32), the name (string record) and then one record per entity.
#pragma once

#include "foundation/DravikString.h"
#include "ui/options/OptionsEntityBase.h"
#include "ui/options/OptionsOwnedList.h"

class COptionsUser : public COptionsEntityBase
{
public:
    explicit COptionsUser(COptionsStore* owner = nullptr);
    ~COptionsUser() override;

    int GetSerializedSize() override;
    // Reads the header, the count and the name, then the counted entity records through the owning
    // store's ParseEntity, which checks each record's kind against its id. The entities replace this
    // user's entities only when every record has been read; else the user is left as it was.
    // FALSE for a record with entities when the user has no owning store, and for a user record among the
    // entities (users do not nest).
    BOOL Load(const BYTE* buffer, int bufferSize, int* offset) override;
    // Writes the header, the count, the name and each entity's record in list order.
    BOOL Save(BYTE* buffer, int bufferSize, int* offset) override;
    // Sets the owner of the user and of all its entities.
    void SetOwner(COptionsStore* owner) override;

    const CDravikString& GetName() const { return m_name; }
    void SetName(CDravikString name);

    int GetEntityCount() const { return m_entities.GetCount(); }
    COptionsEntityBase* GetEntity(int index) { return m_entities.GetAt(index); }
    // The first entity with that id, or null.
    COptionsEntityBase* FindEntity(int id);
    // Appends entity and takes it over; FALSE (not taken) for null, a user, an entity whose id the user
    // already holds (a user has at most one entity per id), or when memory runs out.
    BOOL AddEntity(COptionsEntityBase* entity);
    // Removes entity without deleting it; FALSE when the user does not hold it.
    BOOL DetachEntity(COptionsEntityBase* entity);

private:
    CDravikString m_name;
    COptionsOwnedList<COptionsEntityBase> m_entities;
};
