// The classic pointer- and WORD-keyed maps, and CTypedPtrMap, a map with the casts done for the
// caller.
#pragma once

#include "framework/Map.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// The map does not own the objects.
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// KEY and VALUE are the caller's pointer (or WORD / string) types over one of the maps above.
template <typename BASE_CLASS, typename KEY, typename VALUE> class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        typename std::remove_reference<decltype(BASE_CLASS::PLookup(key)->value)>::type v;
        if (!BASE_CLASS::Lookup(key, v))
            return FALSE;
        rValue = static_cast<VALUE>(v);
        return TRUE;
    }
    VALUE& operator[](KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename std::remove_const<
            typename std::remove_reference<decltype(BASE_CLASS::PLookup(rKey)->key)>::type>::type k;
        typename std::remove_reference<decltype(BASE_CLASS::PLookup(rKey)->value)>::type v;
        BASE_CLASS::GetNextAssoc(rPosition, k, v);
        rKey = static_cast<KEY>(k);
        rValue = static_cast<VALUE>(v);
    }
};
