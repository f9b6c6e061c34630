// Notification connections and sinks.
#include "toolkit/common/system/XTPNotifyConnection.h"

#include <new>

namespace
{
volatile LONG s_lastConnectionID = 0;
}

XTP_CONNECTION_ID CXTPNotifyConnection::NextConnectionID()
{
    // 32 bits of cookies: at one subscription per microsecond they last over an hour of
    // continuous subscribing; 0 is skipped so that a cookie is never the failure value.
    LONG id = ::InterlockedIncrement(&s_lastConnectionID);
    if (id == 0)
        id = ::InterlockedIncrement(&s_lastConnectionID);
    return static_cast<XTP_CONNECTION_ID>(static_cast<ULONG>(id));
}

CXTPNotifyConnection::CXTPNotifyConnection() = default;

CXTPNotifyConnection::~CXTPNotifyConnection()
{
    RemoveAll();
}

CSyncObject* CXTPNotifyConnection::GetSyncObject()
{
    return &m_syncEmpty;
}

XTP_CONNECTION_ID CXTPNotifyConnection::Advise(XTP_NOTIFY_CODE dwNotifyCode, CXTPNotifySinkBase* pSink)
{
    if (!pSink)
        return 0;
    CSingleLock lock(GetSyncObject(), TRUE);
    CONNECTION_DESCRIPTOR* pRecord = new (std::nothrow) CONNECTION_DESCRIPTOR;
    if (!pRecord)
        return 0;
    pRecord->dwNotifyCode = dwNotifyCode;
    pRecord->pSink = pSink;
    pRecord->dwConnectionID = NextConnectionID();
    m_arrConnections.Add(pRecord);
    return pRecord->dwConnectionID;
}

INT_PTR CXTPNotifyConnection::FindConnection(XTP_CONNECTION_ID dwConnectionID,
                                             const CXTPNotifySinkBase* pSink) const
{
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i)
    {
        const CONNECTION_DESCRIPTOR* pRecord = m_arrConnections[i];
        if (pRecord->dwConnectionID == dwConnectionID && (!pSink || pRecord->pSink == pSink))
            return i;
    }
    return -1;
}

void CXTPNotifyConnection::Unadvise(XTP_CONNECTION_ID dwConnectionID)
{
    CSingleLock lock(GetSyncObject(), TRUE);
    INT_PTR i = FindConnection(dwConnectionID, nullptr);
    if (i < 0)
        return;
    delete m_arrConnections[i];
    m_arrConnections.RemoveAt(i);
}

void CXTPNotifyConnection::RemoveAll()
{
    CSingleLock lock(GetSyncObject(), TRUE);
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i)
        delete m_arrConnections[i];
    m_arrConnections.RemoveAll();
}

BOOL CXTPNotifyConnection::SendEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3)
{
    CSyncObject* pSync = GetSyncObject();

    // 1-2: keep this connection alive while sinks run; queue this call's subscriptions after
    // those of any send already running (a nested send appends after them).
    pSync->Lock();
    InternalAddRef();
    const INT_PTR nFirst = m_arrSendQueueCache.GetSize();
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i)
        if (m_arrConnections[i]->dwNotifyCode == dwNotifyCode)
            m_arrSendQueueCache.Add(*m_arrConnections[i]);
    const INT_PTR nCount = m_arrSendQueueCache.GetSize() - nFirst;
    pSync->Unlock();

    // 3: each copy is called only while its subscription still exists. Cookies are never
    // reused, so a subscription freed during the send (and memory given to a new one) is
    // never mistaken for the one that was copied.
    BOOL bResult = nCount > 0;
    for (INT_PTR i = nFirst; i < nFirst + nCount; ++i)
    {
        pSync->Lock();
        if (m_arrSendQueueCache.GetSize() <= i)
        {
            pSync->Unlock();
            bResult = FALSE;
            break;
        }
        CONNECTION_DESCRIPTOR copy = m_arrSendQueueCache[i];
        BOOL bSubscribed = FindConnection(copy.dwConnectionID, copy.pSink) >= 0;
        pSync->Unlock();
        if (!bSubscribed)
            continue;
        try
        {
            copy.pSink->OnEvent(dwNotifyCode, wParam, lParam, dwParam3);
        }
        catch (...)
        {
            // A sink's failure does not stop the others from being told.
        }
    }

    // 4: drop this call's copies and the reference taken above (which may be the last).
    pSync->Lock();
    if (m_arrSendQueueCache.GetSize() > nFirst)
        m_arrSendQueueCache.SetSize(nFirst);
    pSync->Unlock();
    InternalRelease();
    return bResult;
}

// ---------------------------------------------------------------------------------------------

CXTPNotifySinkBase::CXTPNotifySinkBase()
{
    m_mapAdviseData.InitHashTable(10);
}

CXTPNotifySinkBase::~CXTPNotifySinkBase()
{
    UnadviseAll();
}

void CXTPNotifySinkBase::OnEvent(XTP_NOTIFY_CODE, WPARAM, LPARAM, DWORD)
{
}

void CXTPNotifySinkBase::Unadvise(XTP_NOTIFY_CODE)
{
}

XTP_CONNECTION_ID CXTPNotifySinkBase::Advise(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode)
{
    if (!pConnection)
        return 0;
    XTP_CONNECTION_ID id = pConnection->Advise(dwNotifyCode, this);
    if (!id)
        return 0;
    pConnection->InternalAddRef();
    ADVISE_DESCRIPTOR record = {dwNotifyCode, pConnection, id};
    m_mapAdviseData.SetAt(id, record);
    return id;
}

XTP_CONNECTION_ID CXTPNotifySinkBase::FindAdvise(CXTPNotifyConnection* pConnection,
                                                  XTP_NOTIFY_CODE dwNotifyCode) const
{
    POSITION pos = m_mapAdviseData.GetStartPosition();
    while (pos)
    {
        XTP_CONNECTION_ID id;
        ADVISE_DESCRIPTOR record;
        m_mapAdviseData.GetNextAssoc(pos, id, record);
        if (record.pConnection == pConnection && record.dwNotifyCode == dwNotifyCode)
            return id;
    }
    return 0;
}

void CXTPNotifySinkBase::UnadviseAll()
{
    // Taken out of the map first: releasing a connection may run code that advises again.
    CArray<ADVISE_DESCRIPTOR, const ADVISE_DESCRIPTOR&> records;
    POSITION pos = m_mapAdviseData.GetStartPosition();
    while (pos)
    {
        XTP_CONNECTION_ID id;
        ADVISE_DESCRIPTOR record;
        m_mapAdviseData.GetNextAssoc(pos, id, record);
        records.Add(record);
    }
    m_mapAdviseData.RemoveAll();
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
    {
        Unadvise(records[i].dwNotifyCode);
        records[i].pConnection->Unadvise(records[i].dwConnectionID);
        records[i].pConnection->InternalRelease();
    }
}

void CXTPNotifySinkBase::UnadviseAllAndDelete()
{
    UnadviseAll();
    delete this;
}

// ---------------------------------------------------------------------------------------------

CXTPNotifySink::CXTPNotifySink()
{
    m_mapDelegates.InitHashTable(10);
}

CXTPNotifySink::~CXTPNotifySink()
{
    UnadviseAll(); // while this class's Unadvise can still delete the delegates
    POSITION pos = m_mapDelegates.GetStartPosition();
    while (pos)
    {
        XTP_NOTIFY_CODE code;
        CXTPNotifySinkDelegate* pDelegate;
        m_mapDelegates.GetNextAssoc(pos, code, pDelegate);
        delete pDelegate;
    }
    m_mapDelegates.RemoveAll();
}

void CXTPNotifySink::OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3)
{
    CXTPNotifySinkDelegate* pDelegate = nullptr;
    if (m_mapDelegates.Lookup(dwNotifyCode, pDelegate) && pDelegate)
        pDelegate->OnEvent(dwNotifyCode, wParam, lParam, dwParam3);
}

void CXTPNotifySink::Unadvise(XTP_NOTIFY_CODE dwNotifyCode)
{
    CXTPNotifySinkDelegate* pDelegate = nullptr;
    if (m_mapDelegates.Lookup(dwNotifyCode, pDelegate))
    {
        m_mapDelegates.RemoveKey(dwNotifyCode);
        delete pDelegate;
    }
}

XTP_CONNECTION_ID CXTPNotifySink::AdviseDelegate(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode,
                                                 CXTPNotifySinkDelegate* pDelegate)
{
    CXTPNotifySinkDelegate* pOld = nullptr;
    if (m_mapDelegates.Lookup(dwNotifyCode, pOld) && pOld != pDelegate)
        delete pOld;
    m_mapDelegates.SetAt(dwNotifyCode, pDelegate);

    // One subscription per (connection, event id): a second delegate replaces the first rather
    // than being called once per AdviseDelegate.
    XTP_CONNECTION_ID id = FindAdvise(pConnection, dwNotifyCode);
    return id ? id : Advise(pConnection, dwNotifyCode);
}
