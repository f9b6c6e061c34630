// CHandleMap: the link from a Win32 handle to its C++ wrapper object.
//
// Permanent entries are made by Attach (the object owns the link until Detach) and are shared by
// all threads. Temporary entries are made by FromHandle for handles that have no permanent
// object: a wrapper is created on demand, belongs to the calling thread, and is deleted at the
// next idle time of that thread (AfxDeleteTempMaps) or when the thread ends (ThreadState.h).
#pragma once

#include <windows.h>

class CHandleMap
{
public:
    // Creates a temporary wrapper already pointing at the handle.
    typedef void* (*PFN_CREATETEMP)(void* handle);
    // Detaches a temporary wrapper (without releasing its handle) and deletes it.
    typedef void (*PFN_DELETETEMP)(void* object);

    CHandleMap(PFN_CREATETEMP pfnCreate, PFN_DELETETEMP pfnDelete);
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    // The permanent object, else the calling thread's temporary one, else a new temporary one.
    void* FromHandle(void* handle);
    void* LookupPermanent(void* handle) const;
    void* LookupTemporary(void* handle) const;
    // Fails (FALSE) when the handle already has a different permanent object.
    BOOL SetPermanent(void* handle, void* object);
    // Removes the permanent link of the handle if it leads to object.
    void RemoveHandle(void* handle, void* object);
    // Deletes the calling thread's temporary objects of this map.
    void DeleteTemp();

private:
    struct Impl;
    Impl* m_pImpl;
    PFN_CREATETEMP m_pfnCreate;
    PFN_DELETETEMP m_pfnDelete;
};

// Deletes the calling thread's temporary wrappers of all kinds (windows, DCs, GDI objects,
// menus, image lists). Run from idle processing; pointers from FromHandle are invalid after it.
void AfxDeleteTempMaps();
// Registers a map so that AfxDeleteTempMaps covers it (done by each wrapper family).
void AfxRegisterHandleMap(CHandleMap* pMap);

// The shared parts of the wrapper families (windows, DCs, GDI objects, menus, image lists).

// Makes object the permanent owner of handle and stores the handle in slot; FALSE when the
// object already holds a handle or the handle already has an owner.
template <class H> BOOL AfxAttachHandle(CHandleMap& map, H& slot, H handle, void* object)
{
    if (!handle || slot || !map.SetPermanent(handle, object))
        return FALSE;
    slot = handle;
    return TRUE;
}

// Ends the permanent link and empties the slot; returns the handle it held.
template <class H> H AfxDetachHandle(CHandleMap& map, H& slot, void* object)
{
    H handle = slot;
    if (handle)
        map.RemoveHandle(handle, object);
    slot = nullptr;
    return handle;
}

// Temporary wrappers: a default-constructed T whose handle member points at the handle; deleted
// with the member emptied first, so the handle outlives it.
template <class T, class H, H T::*Slot> void* AfxCreateTempWrapper(void* handle)
{
    T* object = new T;
    object->*Slot = static_cast<H>(handle);
    return object;
}

template <class T, class H, H T::*Slot> void AfxDeleteTempWrapper(void* object)
{
    T* wrapper = static_cast<T*>(object);
    wrapper->*Slot = nullptr;
    delete wrapper;
}
