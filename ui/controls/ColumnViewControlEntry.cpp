#include "ui/controls/ColumnViewControlEntry.h"

#include <string>

#include "foundation/TimeUtilities.h"
#include "ui/controls/ColumnViewControl.h"

CColumnTextSortContext::CColumnTextSortContext() : m_time(GetCurrentFileTime()) {}

void CColumnTextSortContext::Reset()
{
    m_text = CDravikString();
    m_rest = CDravikString();
    m_number = 0;
    m_hasNumber = false;
}

CDravikString CColumnViewControlEntry::GetText(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_texts.size()))
        return CDravikString();
    return m_texts[static_cast<size_t>(column)];
}

COLORREF CColumnViewControlEntry::GetTextColour(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_colours.size()))
        return RGB(0, 0, 0);
    return m_colours[static_cast<size_t>(column)];
}

void CColumnViewControlEntry::PrepareSortKey()
{
    ResetSortKey();
    const int column = m_owner ? m_owner->GetSortColumn() : 0;
    CColumnViewControlColumnEntry* columnEntry = m_owner ? m_owner->GetColumn(column) : nullptr;
    const int kind = columnEntry ? columnEntry->m_kind : kColumnSortText;
    CDravikString text = GetText(column);
    if (text.IsEmpty())
        text = " ";
    m_sortKey.m_hasNumber = text.ContainsDigit();
    if (m_sortKey.m_hasNumber && kind == kColumnSortNumber)
    {
        // Only the digits count in a number column ("1,234" is 1234).
        std::string digits;
        const int length = text.GetLength();
        if (text.IsWide())
        {
            const wchar_t* wide = text.GetWide();
            for (int i = 0; wide && i < length; ++i)
                if (wide[i] >= L'0' && wide[i] <= L'9')
                    digits += static_cast<char>(wide[i]);
        }
        else
        {
            const char* ansi = text.GetAnsi();
            for (int i = 0; ansi && i < length; ++i)
                if (ansi[i] >= '0' && ansi[i] <= '9')
                    digits += ansi[i];
        }
        text = digits.c_str();
    }
    m_sortKey.m_text = text;
    text.ToInt64(m_sortKey.m_number, m_sortKey.m_rest);
    if (kind == kColumnSortDateTime)
        m_sortKey.m_time = LocalTimeTextToFileTime(text);
}

bool CColumnViewSeparatorColumn::StartsGroup(const CColumnViewControlEntry* entry)
{
    if (!entry)
        return false;
    CDravikString text = entry->GetText(m_column);
    if (m_lastText.IsEmpty())
    {
        m_lastText = text;
        return false;
    }
    if (m_lastText.CompareNoCase(text) != 0)
    {
        m_lastText = text;
        return true;
    }
    return false;
}
