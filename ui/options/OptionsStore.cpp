#include "ui/options/OptionsStore.h"

#include "ui/options/OptionsBuffer.h"
#include "ui/options/OptionsEntities.h"
#include "ui/options/OptionsListEntities.h"
#include "ui/options/OptionsUser.h"
#include "ui/options/VLStringManager.h"

#include <new>

namespace
{
const char kLayoutEntryName[] = "Client";

// A user record with an empty 8-bit name and no entities.
const int kMinUserRecord = 12 + 9;

COptionsEntityBase* NewEntityOfKind(int kind, int id, COptionsStore* owner)
{
    switch (kind)
    {
    case kOptionsKindUser:
        return new (std::nothrow) COptionsUser(owner);
    case kOptionsKindInteger:
        return new (std::nothrow) COptionsEntityInteger(id, owner);
    case kOptionsKindLargeInteger:
        return new (std::nothrow) COptionsEntityLargeInteger(id, owner);
    case kOptionsKindString:
        return new (std::nothrow) COptionsEntityString(id, owner);
    case kOptionsKindBoolean:
        return new (std::nothrow) COptionsEntityBoolean(id, owner);
    case kOptionsKindPaneSize:
        return new (std::nothrow) COptionsEntityPaneSize(id, owner);
    case kOptionsKindWindowPosition:
        return new (std::nothrow) COptionsEntityWindowPosition(id, owner);
    case kOptionsKindStringMap:
        return new (std::nothrow) COptionsEntityStringMap(id, owner);
    case kOptionsKindProjectString:
        return new (std::nothrow) COptionsEntityProjectString(id, owner);
    case kOptionsKindIntegerTupleList:
        return new (std::nothrow) COptionsEntityIntegerTupleList(id, owner);
    case kOptionsKindFileTime:
        return new (std::nothrow) COptionsEntityFileTime(id, owner);
    case kOptionsKindColorProfile:
        return new (std::nothrow) COptionsEntityColorProfile(id, owner);
    default:
        return nullptr;
    }
}

int32_t SignExtension(int id)
{
    return id < 0 ? -1 : 0;
}
} // namespace

COptionsStore::CUserLoadScope::CUserLoadScope(COptionsStore* store, COptionsUser* target)
    : m_store(store), m_previous(store->m_currentUser)
{
    m_store->m_currentUser = target;
    ++m_store->m_userLoadDepth;
}

COptionsStore::CUserLoadScope::~CUserLoadScope()
{
    m_store->m_currentUser = m_previous;
    --m_store->m_userLoadDepth;
}

COptionsStore::COptionsStore() : m_currentUser(nullptr), m_modified(false), m_userLoadDepth(0) {}

COptionsStore::~COptionsStore()
{
    m_currentUser = nullptr;
}

COptionsEntityBase* COptionsStore::CreateEntity(UINT id)
{
    const int kind = OptionsKindOfId(id);
    if (kind < 0)
        return nullptr;
    COptionsEntityBase* entity = NewEntityOfKind(kind, static_cast<int>(id), this);
    if (!entity)
        return nullptr;
    if (id != 0 && m_currentUser)
    {
        if (!m_currentUser->AddEntity(entity))
        {
            delete entity;
            return nullptr;
        }
        m_modified = true;
    }
    return entity;
}

BOOL COptionsStore::AddUser(COptionsUser* user)
{
    if (!user || !m_users.Add(user))
        return FALSE;
    m_modified = true;
    return TRUE;
}

BOOL COptionsStore::SetCurrentUser(COptionsUser* user)
{
    if (user)
    {
        bool found = false;
        for (int i = 0; i < m_users.GetCount() && !found; ++i)
            found = m_users.GetAt(i) == user;
        if (!found)
            return FALSE;
    }
    m_currentUser = user;
    return TRUE;
}

BOOL COptionsStore::ParseEntity(const BYTE* buffer, int bufferSize, int* offset)
{
    if (!buffer || !offset || !OptionsRangeFits(bufferSize, *offset, 8))
        return FALSE;
    const int32_t kind = OptionsGetInt32(buffer + *offset);
    const int32_t id = OptionsGetInt32(buffer + *offset + 4);
    if (id < 0 || OptionsKindOfId(static_cast<UINT>(id)) != kind)
        return FALSE;
    const bool wasModified = m_modified;

    if (kind == kOptionsKindUser)
    {
        if (m_userLoadDepth > 0)
            return FALSE;
        COptionsUser* user = new (std::nothrow) COptionsUser(this);
        if (!user)
            return FALSE;
        if (!AddUser(user))
        {
            delete user;
            return FALSE;
        }
        COptionsUser* previous = m_currentUser;
        m_currentUser = user;
        if (!user->Load(buffer, bufferSize, offset))
        {
            m_users.Detach(user);
            delete user;
            m_currentUser = previous;
            m_modified = wasModified;
            return FALSE;
        }
        return TRUE;
    }

    if (!m_currentUser)
        return FALSE;
    COptionsUser* user = m_currentUser;
    COptionsEntityBase* entity = user->FindEntity(id);
    if (entity && m_userLoadDepth > 0)
        return FALSE;
    const bool created = entity == nullptr;
    if (created)
    {
        entity = CreateEntity(static_cast<UINT>(id));
        if (!entity)
            return FALSE;
    }
    if (entity->GetKind() != kind || !entity->Load(buffer, bufferSize, offset))
    {
        if (created)
        {
            user->DetachEntity(entity);
            delete entity;
            m_modified = wasModified;
        }
        return FALSE;
    }
    return TRUE;
}

BOOL COptionsStore::GetStringEntity(int id, CDravikString* out)
{
    if (!out || !m_currentUser)
        return FALSE;
    COptionsEntityBase* entity = m_currentUser->FindEntity(kLayoutMapId);
    if (!entity || entity->GetKind() != kOptionsKindStringMap)
        return FALSE;
    COptionsEntityStringMapEntity* entry = static_cast<COptionsEntityStringMap*>(entity)->FindEntry(
        CDravikString(kLayoutEntryName), id, SignExtension(id));
    if (!entry)
        return FALSE;
    *out = entry->GetValue();
    return TRUE;
}

BOOL COptionsStore::SetStringEntity(const CDravikString& text, int id)
{
    if (text.IsEmpty() || !m_currentUser)
        return FALSE;
    COptionsEntityBase* entity = m_currentUser->FindEntity(kLayoutMapId);
    if (entity && entity->GetKind() != kOptionsKindStringMap)
        return FALSE;
    if (!entity)
    {
        entity = CreateEntity(kLayoutMapId);
        if (!entity)
            return FALSE;
    }
    if (!static_cast<COptionsEntityStringMap*>(entity)->AddEntry(CDravikString(kLayoutEntryName), text, id,
                                                                 SignExtension(id)))
        return FALSE;
    m_modified = true;
    return TRUE;
}

int COptionsStore::GetSerializedSize()
{
    COptionsSize size(4);
    for (int i = 0; i < m_users.GetCount(); ++i)
        size.Add(m_users.GetAt(i)->GetSerializedSize());
    return size.Get();
}

BOOL COptionsStore::Save(BYTE* buffer, int bufferSize, int* offset)
{
    const int size = GetSerializedSize();
    if (!buffer || !offset || size < 0 || !OptionsRangeFits(bufferSize, *offset, size))
        return FALSE;
    int at = *offset;
    OptionsPutInt32(buffer + at, m_users.GetCount());
    at += 4;
    for (int i = 0; i < m_users.GetCount(); ++i)
    {
        if (!m_users.GetAt(i)->Save(buffer, bufferSize, &at))
            return FALSE;
    }
    *offset = at;
    return TRUE;
}

BOOL COptionsStore::Load(const BYTE* buffer, int bufferSize)
{
    if (!buffer || !OptionsRangeFits(bufferSize, 0, 4))
        return FALSE;
    const int32_t count = OptionsGetInt32(buffer);
    if (count < 0 || count > (bufferSize - 4) / kMinUserRecord)
        return FALSE;

    COptionsStore loaded;
    int at = 4;
    for (int32_t i = 0; i < count; ++i)
    {
        // Only users stand at the top level; anything else would be merged into the previous user.
        if (!OptionsRangeFits(bufferSize, at, 8) || OptionsGetInt32(buffer + at) != kOptionsKindUser)
            return FALSE;
        if (!loaded.ParseEntity(buffer, bufferSize, &at))
            return FALSE;
    }
    if (at != bufferSize)
        return FALSE;

    COptionsUser* current = loaded.m_currentUser;
    loaded.m_currentUser = nullptr;
    const BOOL moved = m_users.TakeFrom(loaded.m_users);
    m_currentUser = nullptr;
    for (int i = 0; i < m_users.GetCount(); ++i)
    {
        COptionsUser* user = m_users.GetAt(i);
        user->SetOwner(this);
        if (user == current)
            m_currentUser = user;
    }
    m_modified = true;
    return moved;
}
