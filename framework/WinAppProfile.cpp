// The application's profile store: GetProfile... / WriteProfile... over an INI file or, once
// SetRegistryKey has named a key, over HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>.
#include "framework/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
// Binary values in INI files: each byte as two letters, 'A' + low nibble then 'A' + high nibble.
CString EncodeBinary(const BYTE* pData, UINT nBytes)
{
    CString text;
    if (nBytes == 0)
        return text;
    char* p = text.GetBufferSetLength(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i)
    {
        p[i * 2] = static_cast<char>('A' + (pData[i] & 0x0F));
        p[i * 2 + 1] = static_cast<char>('A' + ((pData[i] >> 4) & 0x0F));
    }
    return text;
}

// Decodes EncodeBinary's text; false for an odd length or a letter outside 'A'..'P'.
bool DecodeBinary(const CString& text, std::unique_ptr<BYTE[]>& out, UINT& nBytes)
{
    int n = text.GetLength();
    if (n % 2 != 0)
        return false;
    nBytes = static_cast<UINT>(n / 2);
    out.reset(new BYTE[nBytes ? nBytes : 1]);
    for (UINT i = 0; i < nBytes; ++i)
    {
        int lo = text[static_cast<int>(i * 2)] - 'A';
        int hi = text[static_cast<int>(i * 2 + 1)] - 'A';
        if (lo < 0 || lo > 15 || hi < 0 || hi > 15)
            return false;
        out[i] = static_cast<BYTE>(lo | (hi << 4));
    }
    return true;
}

// The program file's name without folder and extension.
CString ModuleTitle()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString s(path);
    int slash = s.ReverseFind('\\');
    if (slash >= 0)
        s = s.Mid(slash + 1);
    int dot = s.ReverseFind('.');
    if (dot > 0)
        s = s.Left(dot);
    return s;
}

// Reads a REG_SZ / REG_EXPAND_SZ value; false when absent or of another type.
bool QueryString(HKEY hKey, LPCSTR lpszEntry, CString& out)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // Room for a terminator the stored data may lack.
    std::unique_ptr<char[]> buf(new char[size + 1]);
    if (RegQueryValueExA(hKey, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buf.get()), &size) !=
        ERROR_SUCCESS)
        return false;
    buf[size] = 0;
    out = buf.get();
    return true;
}
// Sets a value in a section key, then closes the key; FALSE when the key could not be opened.
BOOL SetSectionValue(HKEY hSection, LPCSTR lpszEntry, DWORD type, const void* pData, DWORD nBytes)
{
    if (!hSection)
        return FALSE;
    LONG result = RegSetValueExA(hSection, lpszEntry, 0, type, static_cast<const BYTE*>(pData), nBytes);
    RegCloseKey(hSection);
    return result == ERROR_SUCCESS;
}
} // namespace

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strRegistryKey);
    // Under the company key, the settings live in a key named after the application.
    m_strProfileName = m_pszAppName && *m_pszAppName ? CString(m_pszAppName) : ModuleTitle();
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(static_cast<LPCSTR>(key));
}

CString CWinApp::GetProfileFileName() const
{
    if (m_pszProfileName && *m_pszProfileName)
        return CString(m_pszProfileName);
    return ModuleTitle() + ".INI";
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !*m_pszRegistryKey)
        return nullptr;
    CString app = m_pszProfileName && *m_pszProfileName ? CString(m_pszProfileName) : ModuleTitle();
    HKEY hSoftware = nullptr, hCompany = nullptr, hApp = nullptr;
    DWORD disposition;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftware) == ERROR_SUCCESS)
    {
        if (RegCreateKeyExA(hSoftware, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE | KEY_READ, nullptr, &hCompany, &disposition) == ERROR_SUCCESS)
        {
            RegCreateKeyExA(hCompany, app, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr,
                            &hApp, &disposition);
            RegCloseKey(hCompany);
        }
        RegCloseKey(hSoftware);
    }
    return hApp;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    if (!lpszSection)
        return nullptr;
    HKEY hApp = GetAppRegistryKey();
    if (!hApp)
        return nullptr;
    HKEY hSection = nullptr;
    DWORD disposition;
    RegCreateKeyExA(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr,
                    &hSection, &disposition);
    RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!lpszSection || !lpszEntry)
        return static_cast<UINT>(nDefault);
    if (m_pszRegistryKey)
    {
        HKEY hSection = GetSectionKey(lpszSection);
        if (!hSection)
            return static_cast<UINT>(nDefault);
        DWORD value = 0, type = 0, size = sizeof(value);
        LONG result =
            RegQueryValueExA(hSection, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(hSection);
        if (result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value))
            return value;
        return static_cast<UINT>(nDefault);
    }
    // INI: the text as a decimal number (with sign); text that is no number reads as 0.
    CString text;
    if (!GetIniString(lpszSection, lpszEntry, text))
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(std::strtol(text, nullptr, 10));
}

bool CWinApp::GetIniString(LPCSTR lpszSection, LPCSTR lpszEntry, CString& out) const
{
    CString file = GetProfileFileName();
    // A default that no stored text can equal tells an absent entry from an empty one.
    static const char kAbsent[] = "\x01\x02qvx-absent\x02\x01";
    DWORD size = 256;
    for (;;)
    {
        char* p = out.GetBuffer(static_cast<int>(size));
        DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, kAbsent, p, size + 1, file);
        if (n < size || size >= (1u << 24))
        {
            out.ReleaseBuffer(static_cast<int>(n));
            break;
        }
        out.ReleaseBuffer(0);
        size *= 4;
    }
    if (out == kAbsent)
    {
        out.Empty();
        return false;
    }
    return true;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    CString value;
    if (lpszSection && lpszEntry)
    {
        if (m_pszRegistryKey)
        {
            HKEY hSection = GetSectionKey(lpszSection);
            if (hSection)
            {
                bool found = QueryString(hSection, lpszEntry, value);
                RegCloseKey(hSection);
                if (found)
                    return value;
            }
        }
        else if (GetIniString(lpszSection, lpszEntry, value))
        {
            return value;
        }
    }
    return CString(lpszDefault);
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!lpszSection || !lpszEntry)
        return FALSE;
    if (m_pszRegistryKey)
    {
        HKEY hSection = GetSectionKey(lpszSection);
        if (!hSection)
            return FALSE;
        DWORD type = 0, size = 0;
        LONG result = RegQueryValueExA(hSection, lpszEntry, nullptr, &type, nullptr, &size);
        BOOL ok = FALSE;
        if (result == ERROR_SUCCESS && type == REG_BINARY)
        {
            std::unique_ptr<BYTE[]> data(new BYTE[size ? size : 1]);
            if (RegQueryValueExA(hSection, lpszEntry, nullptr, &type, data.get(), &size) == ERROR_SUCCESS)
            {
                *ppData = data.release();
                *pBytes = size;
                ok = TRUE;
            }
        }
        RegCloseKey(hSection);
        return ok;
    }
    CString text;
    if (!GetIniString(lpszSection, lpszEntry, text) || text.IsEmpty())
        return FALSE;
    std::unique_ptr<BYTE[]> data;
    UINT n = 0;
    if (!DecodeBinary(text, data, n))
        return FALSE;
    *ppData = data.release();
    *pBytes = n;
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!lpszSection || !lpszEntry)
        return FALSE;
    if (m_pszRegistryKey)
    {
        DWORD value = static_cast<DWORD>(nValue);
        return SetSectionValue(GetSectionKey(lpszSection), lpszEntry, REG_DWORD, &value, sizeof(value));
    }
    CString text;
    text.Format("%d", nValue);
    return WritePrivateProfileStringA(lpszSection, lpszEntry, text, GetProfileFileName());
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!lpszSection)
        return FALSE;
    if (m_pszRegistryKey)
    {
        if (!lpszEntry)
        {
            // No entry: the whole section goes.
            HKEY hApp = GetAppRegistryKey();
            if (!hApp)
                return FALSE;
            LONG result = RegDeleteTreeA(hApp, lpszSection);
            RegCloseKey(hApp);
            return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
        }
        if (lpszValue)
            return SetSectionValue(GetSectionKey(lpszSection), lpszEntry, REG_SZ, lpszValue,
                                   static_cast<DWORD>(std::strlen(lpszValue) + 1));
        // No value: the entry goes.
        HKEY hSection = GetSectionKey(lpszSection);
        if (!hSection)
            return FALSE;
        LONG result = RegDeleteValueA(hSection, lpszEntry);
        RegCloseKey(hSection);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    // INI: a null entry deletes the section, a null value the entry.
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, GetProfileFileName());
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!lpszSection || !lpszEntry || (!pData && nBytes))
        return FALSE;
    if (m_pszRegistryKey)
        return SetSectionValue(GetSectionKey(lpszSection), lpszEntry, REG_BINARY, pData, nBytes);
    return WriteProfileString(lpszSection, lpszEntry, EncodeBinary(pData, nBytes));
}
