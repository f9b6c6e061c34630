#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <new>

IMPLEMENT_DYNAMIC(CXTPPropExchangeIniFile, CXTPPropExchange)

namespace
{
// Returned by the profile function for an absent key (no stored text starts with control characters).
const char kAbsent[] = "\x01\x02\x03<absent>";
const DWORD kFirstRead = 256;
// Far beyond any value the profile functions keep; stops the loop on a broken file.
const DWORD kMaxRead = 64u * 1024 * 1024;

// The profile functions trim blanks around a value and strip one pair of matching quotes: such a text
// is written inside one pair of double quotes so that it reads back unchanged.
bool NeedsQuotes(const CString& text)
{
    int n = text.GetLength();
    if (n == 0)
        return false;
    unsigned char first = static_cast<unsigned char>(text[0]);
    unsigned char last = static_cast<unsigned char>(text[n - 1]);
    return std::isspace(first) || std::isspace(last) || first == '"' || first == '\'' || last == '"' ||
           last == '\'';
}
} // namespace

CXTPPropExchangeIniFile::CXTPPropExchangeIniFile(BOOL bLoading, LPCSTR lpszParentSection, LPCSTR lpszSection)
    : m_bTempFile(FALSE)
{
    m_bLoading = bLoading;
    if (lpszParentSection && *lpszParentSection)
        m_strSectionName = CString(lpszParentSection) + "\\" + CString(lpszSection);
    else
        m_strSectionName = lpszSection;
}

CXTPPropExchangeIniFile::~CXTPPropExchangeIniFile()
{
    if (m_bTempFile && !m_bChildSection && !m_strFileName.IsEmpty())
        DeleteFileA(m_strFileName);
}

void CXTPPropExchangeIniFile::AssignFile(LPCSTR lpszFileName)
{
    if (m_bTempFile && !m_bChildSection && !m_strFileName.IsEmpty())
        DeleteFileA(m_strFileName);
    m_bTempFile = FALSE;
    m_strFileName = lpszFileName;
}

BOOL CXTPPropExchangeIniFile::PrepareStore()
{
    if (m_strFileName.IsEmpty())
    {
        char folder[MAX_PATH + 1] = {};
        char path[MAX_PATH + 1] = {};
        DWORD n = GetTempPathA(MAX_PATH, folder);
        if (n == 0 || n > MAX_PATH || !GetTempFileNameA(folder, "xtp", 0, path))
            return FALSE;
        m_strFileName = path;
        m_bTempFile = TRUE;
    }
    m_bPrepared = TRUE;
    return TRUE;
}

CXTPPropExchange* CXTPPropExchangeIniFile::GetSection(LPCSTR pszSection)
{
    PrepareStore();
    CXTPPropExchangeIniFile* pSection = new CXTPPropExchangeIniFile(m_bLoading, m_strSectionName, pszSection);
    pSection->m_strFileName = m_strFileName;
    InitSection(pSection);
    return pSection;
}

void CXTPPropExchangeIniFile::EmptySection()
{
    if (m_bEmptySection)
        return;
    m_bEmptySection = TRUE;
    if (!PrepareStore())
        return;
    // All section names, double-null terminated; the buffer is full when the result is its size - 2.
    DWORD size = 8000;
    std::unique_ptr<char[]> names;
    for (;;)
    {
        names.reset(new (std::nothrow) char[size]);
        if (!names)
            return;
        DWORD n = GetPrivateProfileSectionNamesA(names.get(), size, m_strFileName);
        if (n < size - 2 || size >= kMaxRead)
            break;
        size *= 2;
    }
    const int nameLength = m_strSectionName.GetLength();
    for (const char* p = names.get(); *p; p += std::strlen(p) + 1)
    {
        bool same = lstrcmpiA(p, m_strSectionName) == 0;
        bool below = static_cast<int>(std::strlen(p)) > nameLength &&
                     CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, p, nameLength, m_strSectionName,
                                    nameLength) == CSTR_EQUAL &&
                     p[nameLength] == '\\';
        if (same || below)
            WritePrivateProfileStringA(p, nullptr, nullptr, m_strFileName);
    }
}

BOOL CXTPPropExchangeIniFile::ReadValue(LPCSTR pszPropName, CString& strValue) const
{
    // Grow until the text is shorter than the buffer less one: a full buffer may have been cut.
    for (DWORD size = kFirstRead; size <= kMaxRead; size *= 2)
    {
        std::unique_ptr<char[]> buf(new (std::nothrow) char[size]);
        if (!buf)
            return FALSE;
        DWORD n =
            GetPrivateProfileStringA(m_strSectionName, pszPropName, kAbsent, buf.get(), size, m_strFileName);
        if (n < size - 1)
        {
            if (std::strcmp(buf.get(), kAbsent) == 0)
                return FALSE;
            strValue = CString(buf.get(), static_cast<int>(n));
            return TRUE;
        }
    }
    return FALSE;
}

CString CXTPPropExchangeIniFile::EscapeString(const CString& str)
{
    CString out;
    for (int i = 0; i < str.GetLength(); ++i)
    {
        char c = str[i];
        switch (c)
        {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

CString CXTPPropExchangeIniFile::UnescapeString(const CString& str)
{
    if (str.Find('\\') < 0)
        return str;
    // A doubled backslash first becomes a placeholder, so "\\n" stays a backslash and an 'n'.
    CString s = str;
    s.Replace("\\\\", "\x01\x01");
    s.Replace("\\n", "\n");
    s.Replace("\\r", "\r");
    s.Replace("\\t", "\t");
    s.Replace("\x01\x01", "\\");
    return s;
}

BOOL CXTPPropExchangeIniFile::ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp,
                                           const void* pvDefault)
{
    if (!pvProp)
        return FALSE;
    switch (vtProp)
    {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UI1:
    case VT_LPSTR:
    case VT_XTP_RECT:
    case VT_XTP_SIZE:
        break;
    default:
        return FALSE; // no text form (currency, system strings, ...)
    }
    if (!PrepareStore())
        return IsLoading() ? LoadDefault(vtProp, pvProp, pvDefault) : FALSE;

    if (IsLoading())
    {
        CString text;
        if (!ReadValue(pszPropName, text))
            return LoadDefault(vtProp, pvProp, pvDefault);
        if (vtProp == VT_LPSTR)
            text = UnescapeString(text);
        if (!PropFromString(vtProp, text, pvProp))
            return LoadDefault(vtProp, pvProp, pvDefault);
        return TRUE;
    }

    if (m_bUseDefaultOnSave && pvDefault && IsSamePropValue(vtProp, pvProp, pvDefault))
    {
        if (!m_bEmptySection)
            WritePrivateProfileStringA(m_strSectionName, pszPropName, nullptr, m_strFileName);
        return TRUE;
    }
    CString text;
    if (!PropToString(vtProp, pvProp, text))
        return FALSE;
    if (vtProp == VT_LPSTR)
        text = EscapeString(text);
    if (NeedsQuotes(text))
        text = "\"" + text + "\"";
    return WritePrivateProfileStringA(m_strSectionName, pszPropName, text, m_strFileName);
}
