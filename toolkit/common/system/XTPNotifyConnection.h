// The toolkit's event channel: a connection keeps subscriptions (event id and sink) and sends an
// event to every sink subscribed to it; a sink keeps its subscriptions and, in the
// CXTPNotifySink form, one delegate per event id.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/Map.h"
#include "framework/SyncObject.h"

typedef DWORD XTP_NOTIFY_CODE;
// A subscription's cookie: never 0 for a subscription, never given out twice in the process.
typedef DWORD_PTR XTP_CONNECTION_ID;

class CXTPNotifySinkBase;

class CXTPNotifyConnection : public CCmdTarget
{
public:
    // The default sync object: a sync object whose lock and unlock do nothing.
    class CEmptySyncObject : public CSyncObject
    {
    public:
        CEmptySyncObject() : CSyncObject("XTPEmptySyncObject") {}
        BOOL Lock(DWORD /*dwTimeout*/ = INFINITE) override { return TRUE; }
        BOOL Unlock() override { return TRUE; }
        using CSyncObject::Unlock;
    };

    struct CONNECTION_DESCRIPTOR
    {
        XTP_NOTIFY_CODE dwNotifyCode;
        CXTPNotifySinkBase* pSink;
        XTP_CONNECTION_ID dwConnectionID;
    };

    CXTPNotifyConnection();
    ~CXTPNotifyConnection() override;

    // Appends a subscription; returns its cookie, 0 for a null sink.
    XTP_CONNECTION_ID Advise(XTP_NOTIFY_CODE dwNotifyCode, CXTPNotifySinkBase* pSink);
    // Removes and frees a subscription; an unknown cookie is ignored.
    void Unadvise(XTP_CONNECTION_ID dwConnectionID);
    void RemoveAll();

    // Calls OnEvent of every sink subscribed to dwNotifyCode, in subscription order. A sink may
    // unadvise itself or others, release the connection or send again while it is called.
    // TRUE when at least one subscription was considered.
    virtual BOOL SendEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3 = 0);

    // Every operation takes one lock on this object; a connection meant for several threads
    // returns a real lock here.
    virtual CSyncObject* GetSyncObject();

    INT_PTR GetConnectionCount() const { return m_arrConnections.GetSize(); }
    // The next cookie of the process (increasing, never reused).
    static XTP_CONNECTION_ID NextConnectionID();

protected:
    INT_PTR FindConnection(XTP_CONNECTION_ID dwConnectionID, const CXTPNotifySinkBase* pSink) const;

    CArray<CONNECTION_DESCRIPTOR*, CONNECTION_DESCRIPTOR*> m_arrConnections;
    CArray<CONNECTION_DESCRIPTOR, const CONNECTION_DESCRIPTOR&> m_arrSendQueueCache;
    CEmptySyncObject m_syncEmpty;
};

class CXTPNotifySinkBase
{
public:
    struct ADVISE_DESCRIPTOR
    {
        XTP_NOTIFY_CODE dwNotifyCode;
        CXTPNotifyConnection* pConnection;
        XTP_CONNECTION_ID dwConnectionID;
    };

    CXTPNotifySinkBase();
    // Leaves every connection it is still subscribed at.
    virtual ~CXTPNotifySinkBase();
    CXTPNotifySinkBase(const CXTPNotifySinkBase&) = delete;
    CXTPNotifySinkBase& operator=(const CXTPNotifySinkBase&) = delete;

    virtual void OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3);
    // Forgets what the sink holds for the event id (the delegate of CXTPNotifySink).
    virtual void Unadvise(XTP_NOTIFY_CODE dwNotifyCode);

    // Subscribes at the connection and holds a reference on it; 0 when pConnection is null or
    // refuses.
    XTP_CONNECTION_ID Advise(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode);
    void UnadviseAll();
    void UnadviseAllAndDelete();

    INT_PTR GetAdviseCount() const { return m_mapAdviseData.GetCount(); }
    // The cookie of this sink's subscription to the event at the connection; 0 when none.
    XTP_CONNECTION_ID FindAdvise(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode) const;
    BOOL IsAdvised(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode) const
    {
        return FindAdvise(pConnection, dwNotifyCode) != 0;
    }

protected:
    CMap<XTP_CONNECTION_ID, XTP_CONNECTION_ID, ADVISE_DESCRIPTOR, const ADVISE_DESCRIPTOR&> m_mapAdviseData;
};

class CXTPNotifySinkDelegate
{
public:
    virtual ~CXTPNotifySinkDelegate() = default;
    virtual void OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3) = 0;
};

// A delegate that calls a member function of an object of class T with the event id and the
// event's parameters.
template <class T> class CXTPNotifySinkClassDelegate : public CXTPNotifySinkDelegate
{
public:
    typedef void (T::*PFN)(XTP_NOTIFY_CODE, WPARAM, LPARAM, DWORD);
    CXTPNotifySinkClassDelegate(T* pObject, PFN pfn) : m_pObject(pObject), m_pfn(pfn) {}
    void OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3) override
    {
        (m_pObject->*m_pfn)(dwNotifyCode, wParam, lParam, dwParam3);
    }

private:
    T* m_pObject;
    PFN m_pfn;
};

// The earlier name of the same delegate.
template <class T> using CXTPNotifySinkMemberDelegate = CXTPNotifySinkClassDelegate<T>;

class CXTPNotifySink : public CXTPNotifySinkBase
{
public:
    CXTPNotifySink();
    ~CXTPNotifySink() override;

    void OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3) override;
    void Unadvise(XTP_NOTIFY_CODE dwNotifyCode) override;

    // Holds pDelegate (owned) for the event id, deleting one held before, and subscribes at the
    // connection unless this sink already is for that event id there.
    XTP_CONNECTION_ID AdviseDelegate(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode,
                                     CXTPNotifySinkDelegate* pDelegate);

protected:
    CMap<XTP_NOTIFY_CODE, XTP_NOTIFY_CODE, CXTPNotifySinkDelegate*, CXTPNotifySinkDelegate*> m_mapDelegates;
};
