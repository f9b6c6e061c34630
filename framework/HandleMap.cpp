#include "framework/HandleMap.h"

#include "framework/ThreadState.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
typedef std::unordered_map<void*, void*> ObjectMap;

// Temporary objects of the calling thread, per map. A per-thread framework object: what is left
// of them when the thread ends (a thread without an idle pass) is deleted then.
struct PerMapTemps
{
    CHandleMap::PFN_DELETETEMP pfnDelete = nullptr;
    ObjectMap objects;
};

struct ThreadTemps : CNoTrackObject
{
    std::unordered_map<CHandleMap*, PerMapTemps> maps;
    ~ThreadTemps() override
    {
        for (auto& perMap : maps)
        {
            for (auto& entry : perMap.second.objects)
                perMap.second.pfnDelete(entry.second);
        }
    }
};

CThreadLocal<ThreadTemps>& TempsSlot()
{
    static CThreadLocal<ThreadTemps>* slot = new CThreadLocal<ThreadTemps>; // lives for the program
    return *slot;
}

ThreadTemps* TempsNA()
{
    return TempsSlot().GetDataNA();
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
    ThreadTemps* pTemps = TempsNA();
    if (!pTemps)
        return nullptr;
    auto mapIt = pTemps->maps.find(const_cast<CHandleMap*>(this));
    if (mapIt == pTemps->maps.end())
        return nullptr;
    auto it = mapIt->second.objects.find(handle);
    return it == mapIt->second.objects.end() ? nullptr : it->second;
}

void* CHandleMap::FromHandle(void* handle)
{
    if (!handle)
        return nullptr;
    if (void* object = LookupPermanent(handle))
        return object;
    PerMapTemps& perMap = TempsSlot().GetData()->maps[this];
    perMap.pfnDelete = m_pfnDelete;
    ObjectMap& temps = perMap.objects;
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
    ThreadTemps* pTemps = TempsNA();
    if (!pTemps)
        return;
    auto mapIt = pTemps->maps.find(this);
    if (mapIt == pTemps->maps.end())
        return;
    ObjectMap temps;
    temps.swap(mapIt->second.objects); // deleters may create new temporaries; they survive to the next round
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
    if (ThreadTemps* pTemps = TempsNA())
    {
        bool empty = true;
        for (auto& perMap : pTemps->maps)
            empty = empty && perMap.second.objects.empty();
        if (empty)
            TempsSlot().DeleteData();
    }
}
