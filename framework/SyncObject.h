// CSyncObject: the base of the framework's synchronisation objects (one lock and unlock, both
// virtual, and an optional name), with CCriticalSection, a process-local re-entrant lock.
#pragma once

#include "framework/FrameworkString.h"
#include "framework/Object.h"

class CSyncObject : public CObject
{
public:
    explicit CSyncObject(LPCSTR pstrName);
    ~CSyncObject() override;

    // Waits for the object (at most dwTimeout ms); TRUE when it was acquired.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG /*lCount*/, LPLONG /*lpPrevCount*/ = nullptr) { return TRUE; }

    const CString& GetName() const { return m_strName; }
    // The kernel handle behind the object; null for objects without one.
    HANDLE m_hObject = nullptr;

    operator HANDLE() const { return m_hObject; }

protected:
    CString m_strName;
};

class CCriticalSection : public CSyncObject
{
public:
    CCriticalSection();
    ~CCriticalSection() override;

    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override;
    using CSyncObject::Unlock;

    operator CRITICAL_SECTION*() { return &m_sect; }

private:
    CRITICAL_SECTION m_sect;
};

// Holds one lock on a sync object for a scope (released by Unlock or the destructor).
class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
