// CXTPShortcutManager: the stored forms of the active table.
//
// Application profile (with a default table only): binary "Accelerators" and "AcceleratorsVersion";
// version 1 holds 12-byte records, version 0 the system's 6-byte entries, any other version is not
// read.
// Property exchange above schema 32: stores with binary values hold the store's count and block
// "Data" of 12-byte records; INI files hold "Shortcut0".. sections with "Id" and "Key" (the text of
// the shortcut, names from the table). Schema 32 and below: "Data" of 6-byte system entries, or
// "Accel0".. sections with "Id", "virt" and "key". A stored count above kMaxStoredCount, or a block
// that is not exactly count records long, loads nothing.
#include "toolkit/commandbars/managers/XTPShortcutManager.h"

#include "framework/WinApp.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include <memory>
#include <vector>

namespace
{
const int kProfileVersion = 1;
const int kSchemaSystemAccels = 32;

// Loading the binary form: the store's count, then exactly that many records in block "Data". FALSE
// (nothing read) for a count above the cap or a block of another length.
template <class T> BOOL ReadStoredRecords(CXTPPropExchange* pPX, std::vector<T>& records)
{
    const DWORD nCount = pPX->ReadCount();
    if (nCount == 0 || nCount > CXTPShortcutManager::kMaxStoredCount)
        return FALSE;
    const DWORD cbData = nCount * static_cast<DWORD>(sizeof(T));
    records.assign(nCount, T());
    return pPX->ReadBlock(records.data(), cbData) == cbData;
}

// Loading the INI form: each numbered section "<prefix>0".. handed to read; nothing when the stored
// count is above the cap.
template <class F> void ForEachStoredItem(CXTPPropExchange* pPX, LPCSTR lpszPrefix, F read)
{
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator(lpszPrefix));
    if (!pEnum)
        return;
    POSITION pos = pEnum->GetPosition();
    if (pEnum->GetCount() > CXTPShortcutManager::kMaxStoredCount)
        return;
    while (pos)
    {
        std::unique_ptr<CXTPPropExchange> pItem(pEnum->GetNext(pos));
        if (!pItem)
            break;
        read(pItem.get());
    }
}
} // namespace

void CXTPShortcutManager::SaveShortcuts(LPCSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_pDefaultAccels || !pApp || !lpszSection)
        return;
    std::vector<XTP_SHORTCUTMANAGER_ACCEL> records;
    for (int i = 0; i < m_accels.GetCount(); ++i)
        records.push_back(m_accels.GetAt(i)->Record());
    pApp->WriteProfileBinary(lpszSection, "Accelerators", reinterpret_cast<LPBYTE>(records.data()),
                             static_cast<UINT>(records.size() * sizeof(XTP_SHORTCUTMANAGER_ACCEL)));
    pApp->WriteProfileInt(lpszSection, "AcceleratorsVersion", kProfileVersion);
}

void CXTPShortcutManager::LoadShortcuts(LPCSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_pDefaultAccels || !pApp || !lpszSection)
        return;
    const int nVersion = static_cast<int>(pApp->GetProfileInt(lpszSection, "AcceleratorsVersion", 0));
    if (nVersion != 0 && nVersion != kProfileVersion)
        return;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, "Accelerators", &pData, &nBytes))
    {
        delete[] pData;
        return;
    }
    std::unique_ptr<BYTE[]> data(pData);
    if (nVersion == kProfileVersion)
    {
        const UINT nCount = nBytes / sizeof(XTP_SHORTCUTMANAGER_ACCEL);
        std::vector<XTP_SHORTCUTMANAGER_ACCEL> records(nCount);
        if (nCount)
            memcpy(records.data(), data.get(), nCount * sizeof(XTP_SHORTCUTMANAGER_ACCEL));
        SetAccelerators(records.data(), static_cast<int>(nCount));
    }
    else
    {
        const UINT nCount = nBytes / sizeof(ACCEL);
        std::vector<ACCEL> accels(nCount);
        if (nCount)
            memcpy(accels.data(), data.get(), nCount * sizeof(ACCEL));
        SetAccelerators(accels.data(), static_cast<int>(nCount));
    }
}

void CXTPShortcutManager::DoPropExchange(CXTPPropExchange* pPX)
{
    if (!pPX)
        return;
    pPX->ExchangeSchema();
    if (pPX->IsLoading())
    {
        m_accels.RemoveAll();
        if (pPX->m_nSchema <= kSchemaSystemAccels)
        {
            ExchangeSystemAccels(pPX);
            return;
        }
    }
    ExchangeRecords(pPX);
}

void CXTPShortcutManager::ExchangeRecords(CXTPPropExchange* pPX)
{
    if (pPX->HasBinaryValues())
    {
        if (pPX->IsStoring())
        {
            std::vector<XTP_SHORTCUTMANAGER_ACCEL> records;
            for (int i = 0; i < m_accels.GetCount(); ++i)
                records.push_back(m_accels.GetAt(i)->Record());
            pPX->WriteCount(static_cast<DWORD>(records.size()));
            if (!records.empty())
                pPX->WriteBlock(records.data(), static_cast<DWORD>(records.size() * sizeof(XTP_SHORTCUTMANAGER_ACCEL)));
            return;
        }
        std::vector<XTP_SHORTCUTMANAGER_ACCEL> records;
        if (!ReadStoredRecords(pPX, records))
            return;
        for (const XTP_SHORTCUTMANAGER_ACCEL& record : records)
            AddRecord(record);
        return;
    }

    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("Shortcut"));
    if (!pEnum)
        return;
    if (pPX->IsStoring())
    {
        POSITION pos = pEnum->GetPosition(static_cast<DWORD>(m_accels.GetCount()));
        for (int i = 0; pos && i < m_accels.GetCount(); ++i)
        {
            std::unique_ptr<CXTPPropExchange> pItem(pEnum->GetNext(pos));
            if (!pItem)
                break;
            const XTP_SHORTCUTMANAGER_ACCEL& record = m_accels.GetAt(i)->Record();
            int nId = record.cmd;
            CKeyHelper helper(record, this);
            helper.UseManagerKeyNames(FALSE);
            CString strKey = helper.Format();
            ExchangeIntPropertyNoDefault(pItem.get(), "Id", nId);
            ExchangeStringPropertyNoDefault(pItem.get(), "Key", strKey);
        }
        return;
    }
    ForEachStoredItem(pPX, "Shortcut", [this](CXTPPropExchange* pItem) {
        int nId = 0;
        CString strKey;
        XTP_SHORTCUTMANAGER_ACCEL record = {};
        if (!ExchangeIntPropertyNoDefault(pItem, "Id", nId) || !ExchangeStringPropertyNoDefault(pItem, "Key", strKey) ||
            !ParseShortcut(strKey, record))
            return; // skipped
        record.cmd = nId;
        AddRecord(record);
    });
}

void CXTPShortcutManager::ExchangeSystemAccels(CXTPPropExchange* pPX)
{
    // Loading only: what is saved is always the current form.
    if (pPX->HasBinaryValues())
    {
        std::vector<ACCEL> accels;
        if (!ReadStoredRecords(pPX, accels))
            return;
        for (const ACCEL& accel : accels)
            m_accels.Add(new CXTPShortcutManagerAccel(this, accel));
        return;
    }
    ForEachStoredItem(pPX, "Accel", [this](CXTPPropExchange* pItem) {
        int nId = 0, nVirt = 0, nKey = 0;
        if (!ExchangeIntPropertyNoDefault(pItem, "Id", nId) || !ExchangeIntPropertyNoDefault(pItem, "virt", nVirt) ||
            !ExchangeIntPropertyNoDefault(pItem, "key", nKey))
            return; // skipped
        ACCEL accel = {};
        accel.fVirt = static_cast<BYTE>(nVirt);
        accel.key = static_cast<WORD>(nKey);
        accel.cmd = static_cast<WORD>(nId);
        m_accels.Add(new CXTPShortcutManagerAccel(this, accel));
    });
}
