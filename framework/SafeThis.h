// Reading a member through a pointer that may be null: member functions such as GetSafeHwnd are
// called on null objects by design. The pointer goes through a volatile so the compiler cannot
// assume `this` is non-null and drop the test.
#pragma once

template <class T> inline T* AfxSafeThis(const T* p)
{
    T* volatile q = const_cast<T*>(p);
    return q;
}
