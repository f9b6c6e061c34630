#include "foundation/VersionInfo.h"
#include "foundation/PathUtilities.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

CVersionInfo::CVersionInfo(HMODULE module) : m_valid(0), m_block(nullptr), m_fixedInfo(nullptr)
{
    CDravikString path = GetModuleFilePath(module);
    if (!path.IsEmpty())
        Load(path.GetAnsi());
}

CVersionInfo::~CVersionInfo()
{
    Clear();
}

void CVersionInfo::Clear()
{
    delete[] m_block;
    m_block = nullptr;
    m_fixedInfo = nullptr;
    m_valid = 0;
    m_prefix = "";
}

bool CVersionInfo::Load(const char* path)
{
    Clear();
    if (!path || !*path)
        return false;

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return false;
    m_block = new (std::nothrow) BYTE[size];
    if (!m_block)
        return false;
    if (!GetFileVersionInfoA(path, 0, size, m_block))
    {
        Clear();
        return false;
    }

    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(m_block, "\\", &fixed, &fixedSize) || !fixed || fixedSize < sizeof(VS_FIXEDFILEINFO))
    {
        Clear();
        return false;
    }
    void* translation = nullptr;
    UINT translationSize = 0;
    if (!VerQueryValueA(m_block, "\\VarFileInfo\\Translation", &translation, &translationSize) ||
        !translation || translationSize < 2 * sizeof(WORD))
    {
        Clear();
        return false;
    }

    m_fixedInfo = static_cast<VS_FIXEDFILEINFO*>(fixed);
    const WORD* languageAndCodePage = static_cast<const WORD*>(translation);
    m_prefix.Format("\\StringFileInfo\\%04x%04x\\", languageAndCodePage[0], languageAndCodePage[1]);
    m_valid = 1;
    return true;
}

namespace
{
void SplitVersion(DWORD high, DWORD low, WORD parts[4])
{
    parts[0] = HIWORD(high);
    parts[1] = LOWORD(high);
    parts[2] = HIWORD(low);
    parts[3] = LOWORD(low);
}
} // namespace

bool CVersionInfo::GetFileVersion(WORD parts[4]) const
{
    if (!m_valid || !parts)
        return false;
    SplitVersion(m_fixedInfo->dwFileVersionMS, m_fixedInfo->dwFileVersionLS, parts);
    return true;
}

bool CVersionInfo::GetProductVersion(WORD parts[4]) const
{
    if (!m_valid || !parts)
        return false;
    SplitVersion(m_fixedInfo->dwProductVersionMS, m_fixedInfo->dwProductVersionLS, parts);
    return true;
}

CDravikString CVersionInfo::GetFileVersionText() const
{
    CDravikString text;
    WORD parts[4];
    if (GetFileVersion(parts))
        text.Format("%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
    return text;
}

CDravikString CVersionInfo::GetStringValue(const char* key) const
{
    CDravikString value;
    if (!m_valid || !key || !*key)
        return value;
    CDravikString query(m_prefix);
    query += key;
    void* data = nullptr;
    UINT length = 0;
    if (VerQueryValueA(m_block, query.GetAnsi(), &data, &length) && data && length > 0)
    {
        // The length counts characters including the terminator; copy no further than it in any case.
        const char* text = static_cast<const char*>(data);
        value.SetAnsi(std::string(text, strnlen(text, length)).c_str());
    }
    return value;
}
