// COptionsStore: typed option values (entities) kept per user in memory, and their options buffer.
//
// Each entity id (0 to 162) decides the entity's kind (OptionsKindOfId). New entities land in the current
// user. The harness's resizable dialogs keep their command-bar layout text in the string map with id 80,
// under the name "Client" and the key (store id, its sign extension).
//
// A whole store is saved as an int32 user count followed by one user record per user. Loading checks every
// length and count against the buffer's size, must use the buffer exactly, and replaces the store's users
// only when the whole buffer has been read; a buffer that fails leaves the store as it was.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"
#include "ui/options/OptionsEntityBase.h"
#include "ui/options/OptionsOwnedList.h"

class COptionsUser;

class COptionsStore
{
public:
    // Id of the string map that holds the dialogs' layout texts.
    static const int kLayoutMapId = 80;

    COptionsStore();
    virtual ~COptionsStore();

    // A new entity of the kind of id, owned by this store; null for an id above 162 or when memory runs
    // out. An entity with an id other than 0 is appended to the current user when there is one; null when
    // that user already holds an entity with this id (a second one could not survive a save and load).
    COptionsEntityBase* CreateEntity(UINT id);

    // FALSE for null; else appends the user (taking it over) and sets modified.
    BOOL AddUser(COptionsUser* user);
    int GetUserCount() const { return m_users.GetCount(); }
    COptionsUser* GetUser(int index) { return m_users.GetAt(index); }
    COptionsUser* GetCurrentUser() const { return m_currentUser; }
    // FALSE unless user is null or one of this store's users.
    BOOL SetCurrentUser(COptionsUser* user);

    // Reads one entity record at the offset. The record's kind must be the kind of its id, else FALSE
    // before anything is created. A user record makes a new user, adds it and makes it current; any other
    // record is read into the current user's entity with that id, or into a new one. FALSE without a
    // current user for a non-user record, for a user record while a user is being read, and for a second
    // record with the same id inside one user record (saving never writes one). On failure
    // the offset is unchanged, an entity or user made for the record is removed again and the current
    // user is restored.
    BOOL ParseEntity(const BYTE* buffer, int bufferSize, int* offset);

    // The current user's layout text for id: FALSE without a current user, without entity 80, or without
    // an entry "Client" with key (id, sign extension of id).
    BOOL GetStringEntity(int id, CDravikString* out);
    // Keeps text as the current user's layout text for id, creating entity 80 when needed. FALSE for an
    // empty text or without a current user (there would be no one to keep it).
    BOOL SetStringEntity(const CDravikString& text, int id);

    bool IsModified() const { return m_modified; }
    void SetModified() { m_modified = true; }

    // Bytes a whole-store buffer needs; -1 when that cannot be represented.
    int GetSerializedSize();
    // Writes the whole store at the offset and advances it; FALSE (offset unchanged) when it does not fit.
    BOOL Save(BYTE* buffer, int bufferSize, int* offset);
    // Replaces the users by those of a whole-store buffer of exactly bufferSize bytes. On success the last
    // user read is current and modified is set. FALSE, with the store unchanged, for a null buffer, an
    // overrun, an impossible count, a malformed record, a record of the wrong kind for its id, or bytes
    // left over after the last user.
    BOOL Load(const BYTE* buffer, int bufferSize);

private:
    friend class COptionsUser;

    COptionsStore(const COptionsStore&) = delete;
    COptionsStore& operator=(const COptionsStore&) = delete;

    // While a user reads its entities, new entities go to target; restores the previous state when it ends.
    class CUserLoadScope
    {
    public:
        CUserLoadScope(COptionsStore* store, COptionsUser* target);
        ~CUserLoadScope();

    private:
        COptionsStore* m_store;
        COptionsUser* m_previous;
    };

    COptionsOwnedList<COptionsUser> m_users;
    COptionsUser* m_currentUser;
    bool m_modified;
    int m_userLoadDepth;
};
