#include "ui/options/OptionsUser.h"

#include "ui/options/OptionsBuffer.h"
#include "ui/options/OptionsStore.h"
#include "ui/options/VLStringManager.h"

COptionsUser::COptionsUser(COptionsStore* owner) : COptionsEntityBase(kOptionsKindUser, 0, owner) {}

COptionsUser::~COptionsUser() {}

void COptionsUser::SetOwner(COptionsStore* owner)
{
    COptionsEntityBase::SetOwner(owner);
    for (int i = 0; i < m_entities.GetCount(); ++i)
        m_entities.GetAt(i)->SetOwner(owner);
}

void COptionsUser::SetName(CDravikString name)
{
    m_name = name;
    MarkModified();
}

COptionsEntityBase* COptionsUser::FindEntity(int id)
{
    for (int i = 0; i < m_entities.GetCount(); ++i)
    {
        COptionsEntityBase* entity = m_entities.GetAt(i);
        if (entity->GetId() == id)
            return entity;
    }
    return nullptr;
}

BOOL COptionsUser::AddEntity(COptionsEntityBase* entity)
{
    if (!entity || entity->GetKind() == kOptionsKindUser || FindEntity(entity->GetId()))
        return FALSE;
    return m_entities.Add(entity);
}

BOOL COptionsUser::DetachEntity(COptionsEntityBase* entity)
{
    return m_entities.Detach(entity);
}

int COptionsUser::GetSerializedSize()
{
    COptionsSize size(12);
    size.Add(CVLStringManager::GetRecordSize(m_name));
    for (int i = 0; i < m_entities.GetCount(); ++i)
        size.Add(m_entities.GetAt(i)->GetSerializedSize());
    return size.Get();
}

BOOL COptionsUser::Save(BYTE* buffer, int bufferSize, int* offset)
{
    int at = 0;
    if (!BeginCountedRecord(buffer, bufferSize, offset, GetSerializedSize(), m_entities.GetCount(), &at))
        return FALSE;
    CVLStringManager codec;
    const int nameSize = CVLStringManager::GetRecordSize(m_name);
    if (!codec.SetPosition(buffer + at, buffer + at + nameSize) || !codec.WriteString(m_name))
        return FALSE;
    at += nameSize;
    for (int i = 0; i < m_entities.GetCount(); ++i)
    {
        if (!m_entities.GetAt(i)->Save(buffer, bufferSize, &at))
            return FALSE;
    }
    *offset = at;
    return TRUE;
}

BOOL COptionsUser::Load(const BYTE* buffer, int bufferSize, int* offset)
{
    BYTE header[12];
    int32_t count = 0;
    if (!buffer || !offset)
        return FALSE;
    int at = *offset;
    if (!ReadCountedHeader(buffer, bufferSize, &at, header, &count))
        return FALSE;

    CVLStringManager codec;
    CDravikString name;
    int nameSize = 0;
    if (!codec.SetReadPosition(buffer + at, buffer + bufferSize) || !codec.ReadString(&name, &nameSize) ||
        !OptionsRangeFits(bufferSize, at, nameSize))
        return FALSE;
    at += nameSize;
    if (count > (bufferSize - at) / kOptionsMinEntityRecord)
        return FALSE;
    // Entities are made by the store; without one they could only be skipped, which would lose them.
    if (count > 0 && !m_owner)
        return FALSE;

    COptionsUser loaded(m_owner);
    if (count > 0)
    {
        COptionsStore::CUserLoadScope scope(m_owner, &loaded);
        for (int32_t i = 0; i < count; ++i)
        {
            if (!m_owner->ParseEntity(buffer, bufferSize, &at))
                return FALSE;
        }
    }
    if (!m_entities.TakeFrom(loaded.m_entities))
        return FALSE;
    m_name = name;
    TakeHeaderId(header);
    *offset = at;
    return TRUE;
}
