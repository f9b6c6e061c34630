// Element-type handlers: they let a CDravikList own heap copies of typed values.
#include "DravikList.h"
#include "DravikString.h"

#include <cstring>
#include <new>

namespace
{

// Shared shape of the handlers for plain value items of type T.
template <typename T> bool PlainItemHandler(int code, void** item, const void* value)
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
        memcpy(*item, value, sizeof(T));
        return true;
    case kDravikItemEquals:
        if (!value || !*item)
            return false;
        return *static_cast<const T*>(*item) == *static_cast<const T*>(value);
    default:
        return false;
    }
}

} // namespace

bool Int32ItemHandler(int code, void** item, const void* value)
{
    return PlainItemHandler<int>(code, item, value);
}

bool Int64ItemHandler(int code, void** item, const void* value)
{
    return PlainItemHandler<long long>(code, item, value);
}

bool DoubleItemHandler(int code, void** item, const void* value)
{
    return PlainItemHandler<double>(code, item, value);
}

bool StringItemHandler(int code, void** item, const void* value)
{
    if (!item)
        return false;
    switch (code)
    {
    case kDravikItemCreate:
        *item = new (std::nothrow) CDravikString();
        return true;
    case kDravikItemDestroy:
        delete static_cast<CDravikString*>(*item);
        *item = nullptr;
        return true;
    case kDravikItemCopy:
        if (!value || !*item)
            return false;
        if (*item == value)
            return true;
        static_cast<CDravikString*>(*item)->Copy(*static_cast<const CDravikString*>(value));
        return true;
    case kDravikItemEquals:
        if (!value || !*item)
            return false;
        return static_cast<const CDravikString*>(*item)->Equals(*static_cast<const CDravikString*>(value));
    default:
        return false;
    }
}
