// Element-type handlers: they let a CDravikList own heap copies of typed values.
#include "foundation/DravikList.h"
#include "foundation/DravikString.h"

#include <cstring>
#include <new>

namespace
{

// Copy and compare plain values byte for byte and value for value; strings through their own operations.
template <typename T> void AssignItem(T* item, const T* value)
{
    memcpy(item, value, sizeof(T));
}

template <typename T> bool SameItem(const T* item, const T* value)
{
    return *item == *value;
}

void AssignItem(CDravikString* item, const CDravikString* value)
{
    if (item != value)
        item->Copy(*value);
}

bool SameItem(const CDravikString* item, const CDravikString* value)
{
    return item->Equals(*value);
}

// Shared shape of the handlers: items of type T on the heap.
template <typename T> bool TypedItemHandler(int code, void** item, const void* value)
{
    if (!item)
        return false;
    switch (code)
    {
    case kDravikItemCreate:
        *item = new (std::nothrow) T();
        return true;
    case kDravikItemDestroy:
        delete static_cast<T*>(*item);
        *item = nullptr;
        return true;
    case kDravikItemCopy:
        if (!value || !*item)
            return false;
        AssignItem(static_cast<T*>(*item), static_cast<const T*>(value));
        return true;
    case kDravikItemEquals:
        if (!value || !*item)
            return false;
        return SameItem(static_cast<const T*>(*item), static_cast<const T*>(value));
    default:
        return false;
    }
}

} // namespace

bool Int32ItemHandler(int code, void** item, const void* value)
{
    return TypedItemHandler<int>(code, item, value);
}

bool Int64ItemHandler(int code, void** item, const void* value)
{
    return TypedItemHandler<long long>(code, item, value);
}

bool DoubleItemHandler(int code, void** item, const void* value)
{
    return TypedItemHandler<double>(code, item, value);
}

bool StringItemHandler(int code, void** item, const void* value)
{
    return TypedItemHandler<CDravikString>(code, item, value);
}
