#include "ui/PendingResults.h"

#include <cstring>
#include <new>

bool CPendingResults::Add(int kind, long number, const char* text, const char* stamp)
{
    Record record;
    record.kind = kind;
    record.number = number;
    record.stamp[0] = '\0';
    if (stamp)
    {
        std::strncpy(record.stamp, stamp, sizeof(record.stamp) - 1);
        record.stamp[sizeof(record.stamp) - 1] = '\0';
    }
    const size_t length = text ? std::strlen(text) : 0;
    const size_t textSize = m_text.size();
    try
    {
        // Offset 0 is the shared empty text.
        if (m_text.empty())
            m_text.push_back('\0');
        record.textOffset = 0;
        if (length)
        {
            record.textOffset = m_text.size();
            m_text.insert(m_text.end(), text, text + length + 1);
        }
        m_records.push_back(record);
    }
    catch (const std::bad_alloc&)
    {
        m_text.resize(textSize);
        return false;
    }
    return true;
}

void CPendingResults::RemoveAll()
{
    // A flood's memory is given back; an ordinary batch's is kept for the next one.
    const size_t kKeepBytes = 1 << 20;
    if (m_records.capacity() * sizeof(Record) + m_text.capacity() > kKeepBytes)
    {
        std::vector<Record>().swap(m_records);
        std::vector<char>().swap(m_text);
        return;
    }
    m_records.clear();
    m_text.clear();
}

void CPendingResults::Swap(CPendingResults& other)
{
    m_records.swap(other.m_records);
    m_text.swap(other.m_text);
}
