// Nested iteration over an owned pointer list kept in a vector: each First starts a cursor (iterations may
// nest), Next advances the innermost one, End closes it.
#pragma once

#include <vector>

template <class T> class CNestedIteration
{
public:
    T* First(const std::vector<T*>& items)
    {
        m_cursors.push_back(0);
        return Next(items);
    }
    // The next item of the innermost iteration; null at the end or when none was started.
    T* Next(const std::vector<T*>& items)
    {
        if (m_cursors.empty())
            return nullptr;
        size_t& cursor = m_cursors.back();
        if (cursor >= items.size())
            return nullptr;
        return items[cursor++];
    }
    // False when no iteration was open.
    bool End()
    {
        if (m_cursors.empty())
            return false;
        m_cursors.pop_back();
        return true;
    }
    void Clear() { m_cursors.clear(); }

private:
    std::vector<size_t> m_cursors;
};
