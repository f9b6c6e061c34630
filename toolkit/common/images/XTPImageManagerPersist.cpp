// Saving and loading the icon sets of an image manager through property exchange: an "IconSet"
// enumerator of sets, each with "Id", "CheckSum" and an "Icon" enumerator of "Width" and "Data".
#include "toolkit/common/images/XTPImageManager.h"

#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"

#include <memory>

namespace
{
const char kCheckSum[] = "CXTPImageManagerIcons";
} // namespace

void CXTPImageManager::DoPropExchange(CXTPPropExchange* pPX)
{
    if (!pPX)
        return;
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("IconSet"));
    if (!pEnum)
        return;
    if (pPX->IsStoring())
    {
        POSITION posEnum = pEnum->GetPosition(static_cast<DWORD>(m_mapImages.GetCount()));
        POSITION pos = m_mapImages.GetStartPosition();
        while (pos && posEnum)
        {
            UINT nId;
            CXTPImageManagerIconSet* pIconSet;
            m_mapImages.GetNextAssoc(pos, nId, pIconSet);
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(posEnum));
            int nCommand = static_cast<int>(nId);
            ExchangeIntPropertyNoDefault(pSection.get(), "Id", nCommand);
            ExchangeIcons(nId, pSection.get());
        }
        return;
    }
    RemoveAll();
    POSITION posEnum = pEnum->GetPosition(0);
    while (posEnum)
    {
        std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(posEnum));
        int nCommand = 0;
        ExchangeIntPropertyNoDefault(pSection.get(), "Id", nCommand);
        ExchangeIcons(static_cast<UINT>(nCommand), pSection.get());
    }
}

void CXTPImageManager::ExchangeIcons(UINT nCommand, CXTPPropExchange* pPX)
{
    if (!pPX)
        return;
    CString strCheckSum = kCheckSum;
    ExchangeStringProperty(pPX, "CheckSum", strCheckSum, kCheckSum);
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("Icon"));
    if (!pEnum)
        return;

    if (pPX->IsStoring())
    {
        CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
        CXTPImageManagerIconSet::CIconSetMap* pIcons = pIconSet ? pIconSet->GetIcons() : nullptr;
        POSITION posEnum = pEnum->GetPosition(pIcons ? static_cast<DWORD>(pIcons->GetCount()) : 0);
        POSITION pos = pIcons ? pIcons->GetStartPosition() : nullptr;
        while (pos && posEnum)
        {
            UINT nWidth;
            CXTPImageManagerIcon* pIcon;
            pIcons->GetNextAssoc(pos, nWidth, pIcon);
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(posEnum));
            int nKey = static_cast<int>(nWidth);
            ExchangeIntProperty(pSection.get(), "Width", nKey, 16);
            ExchangeSerializedObject(pSection.get(), "Data", pIcon);
        }
        return;
    }

    if (strCheckSum != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet)
    {
        pIconSet->RemoveAll();
    }
    else
    {
        pIconSet = new CXTPImageManagerIconSet(nCommand, this);
        m_mapImages[nCommand] = pIconSet;
    }
    POSITION posEnum = pEnum->GetPosition(0);
    while (posEnum)
    {
        std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(posEnum));
        int nWidth = 16;
        ExchangeIntProperty(pSection.get(), "Width", nWidth, 16);
        CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(nCommand, nWidth, 15, pIconSet);
        // A record that does not load leaves the icon out.
        if (!ExchangeSerializedObject(pSection.get(), "Data", pIcon))
        {
            pIcon->InternalRelease();
            continue;
        }
        CXTPImageManagerIcon* pOld = nullptr;
        if (pIconSet->m_mapIcons.Lookup(static_cast<UINT>(nWidth), pOld))
        {
            pOld->Clear();
            pOld->m_pIconSet = nullptr;
            pOld->InternalRelease();
        }
        pIconSet->m_mapIcons[static_cast<UINT>(nWidth)] = pIcon;
    }
}

void CXTPImageManager::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}
