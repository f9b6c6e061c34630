#include "HandleMap.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
typedef std::unordered_map<void*, void*> ObjectMap;

// Temporary objects of the calling thread, per map. The holder deletes what is left when the
// thread ends.
struct ThreadTemps
{
    std::unordered_map<CHandleMap*, ObjectMap> maps;
    ~ThreadTemps();
};
thread_local ThreadTemps t_temps;

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
    auto mapIt = t_temps.maps.find(const_cast<CHandleMap*>(this));
    if (mapIt == t_temps.maps.end())
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
    ObjectMap& temps = t_temps.maps[this];
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
    auto mapIt = t_temps.maps.find(this);
    if (mapIt == t_temps.maps.end())
        return;
    ObjectMap temps;
    temps.swap(mapIt->second); // deleters may create new temporaries; they survive to the next round
    for (auto& entry : temps)
        m_pfnDelete(entry.second);
}

ThreadTemps::~ThreadTemps()
{
    std::vector<CHandleMap*> owners;
    for (auto& perMap : maps)
        owners.push_back(perMap.first);
    for (CHandleMap* map : owners)
        map->DeleteTemp();
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
}
