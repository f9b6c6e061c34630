#include "framework/HandleMap.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
typedef std::unordered_map<void*, void*> ObjectMap;

// Temporary objects of the calling thread, per map. Held through a plain thread-local pointer:
// thread-local objects with destructors are not reliable on threads that the runtime did not
// start (CreateThread). A thread that ends without an idle pass leaves its few wrappers behind.
struct ThreadTemps
{
    std::unordered_map<CHandleMap*, ObjectMap> maps;
};
thread_local ThreadTemps* t_temps = nullptr;

ThreadTemps& Temps()
{
    if (!t_temps)
        t_temps = new ThreadTemps;
    return *t_temps;
}

std::mutex& RegistryLock()
{
    static std::mutex* lock = new std::mutex; // never destroyed: used during static destruction
    return *lock;
}

std::vector<CHandleMap*>& Registry()
{
    static std::vector<CHandleMap*>* maps = new std::vector<CHandleMap*>;
    return *maps;
}
} // namespace

struct CHandleMap::Impl
{
    mutable std::mutex lock;
    ObjectMap permanent;
};

CHandleMap::CHandleMap(PFN_CREATETEMP pfnCreate, PFN_DELETETEMP pfnDelete)
    : m_pImpl(new Impl), m_pfnCreate(pfnCreate), m_pfnDelete(pfnDelete)
{
    AfxRegisterHandleMap(this);
}

void* CHandleMap::LookupPermanent(void* handle) const
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    auto it = m_pImpl->permanent.find(handle);
    return it == m_pImpl->permanent.end() ? nullptr : it->second;
}

void* CHandleMap::LookupTemporary(void* handle) const
{
    if (!t_temps)
        return nullptr;
    auto mapIt = t_temps->maps.find(const_cast<CHandleMap*>(this));
    if (mapIt == t_temps->maps.end())
        return nullptr;
    auto it = mapIt->second.find(handle);
    return it == mapIt->second.end() ? nullptr : it->second;
}

void* CHandleMap::FromHandle(void* handle)
{
    if (!handle)
        return nullptr;
    if (void* object = LookupPermanent(handle))
        return object;
    ObjectMap& temps = Temps().maps[this];
    auto it = temps.find(handle);
    if (it != temps.end())
        return it->second;
    void* object = m_pfnCreate(handle);
    if (object)
        temps[handle] = object;
    return object;
}

BOOL CHandleMap::SetPermanent(void* handle, void* object)
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    auto it = m_pImpl->permanent.find(handle);
    if (it != m_pImpl->permanent.end() && it->second != object)
        return FALSE;
    m_pImpl->permanent[handle] = object;
    return TRUE;
}

void CHandleMap::RemoveHandle(void* handle, void* object)
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    auto it = m_pImpl->permanent.find(handle);
    if (it != m_pImpl->permanent.end() && it->second == object)
        m_pImpl->permanent.erase(it);
}

void CHandleMap::DeleteTemp()
{
    if (!t_temps)
        return;
    auto mapIt = t_temps->maps.find(this);
    if (mapIt == t_temps->maps.end())
        return;
    ObjectMap temps;
    temps.swap(mapIt->second); // deleters may create new temporaries; they survive to the next round
    for (auto& entry : temps)
        m_pfnDelete(entry.second);
}

void AfxRegisterHandleMap(CHandleMap* pMap)
{
    std::lock_guard<std::mutex> guard(RegistryLock());
    Registry().push_back(pMap);
}

void AfxDeleteTempMaps()
{
    std::vector<CHandleMap*> maps;
    {
        std::lock_guard<std::mutex> guard(RegistryLock());
        maps = Registry();
    }
    for (CHandleMap* map : maps)
        map->DeleteTemp();
    // Deleting a wrapper may have made new temporaries; keep the record then.
    if (t_temps)
    {
        bool empty = true;
        for (auto& perMap : t_temps->maps)
            empty = empty && perMap.second.empty();
        if (empty)
        {
            delete t_temps;
            t_temps = nullptr;
        }
    }
}
