#include "PropExchangeTestSupport.h"

#include <cstring>

namespace pxtest
{
IMPLEMENT_SERIAL(CPxItem, CObject, 1)
IMPLEMENT_SERIAL(CPxDerivedItem, CPxItem, 1)
IMPLEMENT_SERIAL(CPxOther, CObject, 1)

int CPxItem::s_nAlive = 0;
int CPxOther::s_nAlive = 0;

void CPxItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nValue << m_strText;
    else
        ar >> m_nValue >> m_strText;
}

const char* StoreName(StoreKind kind)
{
    switch (kind)
    {
    case StoreKind::Registry:
        return "registry";
    case StoreKind::Ini:
        return "ini";
    default:
        return "archive";
    }
}

std::string ScratchPath(const char* stem, const char* ext)
{
    static int counter = 0;
    char dir[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + stem + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) +
           ext;
}

std::vector<std::string> IniSectionLines(const std::string& path, const char* section)
{
    std::vector<char> buf(8192);
    DWORD n = GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
    std::vector<std::string> lines;
    for (DWORD i = 0; i < n;)
    {
        std::string line(&buf[i]);
        lines.push_back(line);
        i += static_cast<DWORD>(line.size()) + 1;
    }
    return lines;
}

TestStore::TestStore(StoreKind kind) : m_kind(kind)
{
    if (kind == StoreKind::Registry)
    {
        static int counter = 0;
        m_keyPath = "Software\\QuorvexPropExchangeTest" + std::to_string(GetCurrentProcessId()) + "_" +
                    std::to_string(++counter);
        RegCreateKeyExA(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &m_hRoot, nullptr);
    }
    else if (kind == StoreKind::Ini)
    {
        m_ini = ScratchPath("qvx_px_", ".ini");
        DeleteFileA(m_ini.c_str());
    }
}

TestStore::~TestStore()
{
    Close();
    if (m_hRoot)
    {
        RegCloseKey(m_hRoot);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
    }
    if (!m_ini.empty())
        DeleteFileA(m_ini.c_str());
}

CXTPPropExchange* TestStore::Open(bool loading)
{
    Close();
    switch (m_kind)
    {
    case StoreKind::Registry:
        m_px.reset(new CXTPPropExchangeRegistry(loading, m_hRoot, "Root"));
        break;
    case StoreKind::Ini: {
        auto* px = new CXTPPropExchangeIniFile(loading, nullptr, "Root");
        px->AssignFile(m_ini.c_str());
        m_px.reset(px);
        break;
    }
    case StoreKind::Archive:
        if (loading)
        {
            m_file.reset(
                new CMemFile(m_bytes.empty() ? nullptr : m_bytes.data(), static_cast<UINT>(m_bytes.size())));
            m_ar.reset(new CArchive(m_file.get(), CArchive::load));
        }
        else
        {
            m_file.reset(new CMemFile());
            m_ar.reset(new CArchive(m_file.get(), CArchive::store));
        }
        m_px.reset(new CXTPPropExchangeArchive(*m_ar));
        break;
    }
    return m_px.get();
}

void TestStore::Close()
{
    m_px.reset();
    if (m_ar)
    {
        bool storing = m_ar->IsStoring() != FALSE;
        m_ar->Close();
        m_ar.reset();
        if (storing)
        {
            UINT n = static_cast<UINT>(m_file->GetLength());
            BYTE* p = m_file->Detach();
            m_bytes.assign(p, p + n);
            std::free(p);
        }
    }
    m_file.reset();
}

bool RegValue(HKEY hKey, const char* entry, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    if (RegQueryValueExA(hKey, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return RegQueryValueExA(hKey, entry, nullptr, &type, data.empty() ? nullptr : data.data(), &size) ==
           ERROR_SUCCESS;
}
} // namespace pxtest
