// Stores for the property-exchange tests: one interface over a registry key, an INI file in a scratch
// folder and an archive in memory, each removed again by its destructor; plus serialisable test objects.
#pragma once

#include "framework/MemFile.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"
#include "toolkit/common/persist/XTPPropExchangeRegistry.h"

#include <memory>
#include <string>
#include <vector>

namespace pxtest
{
// A serialisable object: an int and a text. Counts the instances alive.
class CPxItem : public CObject
{
    DECLARE_SERIAL(CPxItem)
public:
    CPxItem() { ++s_nAlive; }
    ~CPxItem() override { --s_nAlive; }
    void Serialize(CArchive& ar) override;

    int m_nValue = 0;
    CString m_strText;
    static int s_nAlive;
};

// Derives from CPxItem.
class CPxDerivedItem : public CPxItem
{
    DECLARE_SERIAL(CPxDerivedItem)
public:
    CPxDerivedItem() = default;
};

// Unrelated to CPxItem.
class CPxOther : public CObject
{
    DECLARE_SERIAL(CPxOther)
public:
    CPxOther() { ++s_nAlive; }
    ~CPxOther() override { --s_nAlive; }
    static int s_nAlive;
};

enum class StoreKind
{
    Registry,
    Ini,
    Archive
};

const char* StoreName(StoreKind kind);

// One store. Open(loading) gives the root exchange of section "Root" (owned by the store until the next
// Open or Close); Close ends the pass (an archive keeps the bytes written).
class TestStore
{
public:
    explicit TestStore(StoreKind kind);
    ~TestStore();

    CXTPPropExchange* Open(bool loading);
    void Close();

    StoreKind Kind() const { return m_kind; }
    HKEY RootKey() const { return m_hRoot; }             // registry: the key that holds "Root"
    const std::string& IniPath() const { return m_ini; } // INI file
    std::vector<BYTE>& Bytes() { return m_bytes; }       // archive bytes after a storing pass

private:
    StoreKind m_kind;
    HKEY m_hRoot = nullptr;
    std::string m_keyPath;
    std::string m_ini;
    std::vector<BYTE> m_bytes;
    std::unique_ptr<CMemFile> m_file;
    std::unique_ptr<CArchive> m_ar;
    std::unique_ptr<CXTPPropExchange> m_px;
};

// A unique scratch path in the temporary folder (name + process id + counter).
std::string ScratchPath(const char* stem, const char* ext);

// The "key=value" lines of an INI file's section, in file order.
std::vector<std::string> IniSectionLines(const std::string& path, const char* section);

// Registry values of a key path under HKEY_CURRENT_USER.
bool RegValue(HKEY hKey, const char* entry, DWORD& type, std::vector<BYTE>& data);
} // namespace pxtest
