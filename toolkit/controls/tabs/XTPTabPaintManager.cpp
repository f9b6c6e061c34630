#include "toolkit/controls/tabs/XTPTabPaintManager.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/common/text/XTPMarkupServices.h"
#include "toolkit/controls/tabs/XTPTabColorSetNative.h"
#include "toolkit/controls/tabs/XTPTabColorSetsVisualStudio.h"
#include "toolkit/controls/tabs/XTPTabAppearanceSetsImages.h"
#include "toolkit/controls/tabs/XTPTabAppearanceSetsSlanted.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

#include <algorithm>
#include <cassert>

IMPLEMENT_DYNAMIC(CXTPTabPaintManager, CCmdTarget)

namespace
{
int RowStart(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

int RowEnd(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.right : rc.bottom;
}

int RowLength(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.Width() : rc.Height();
}

// The rectangle of an item from nStart along the row, nLength long, across [nCross, nCross + h).
CRect AlongRow(BOOL bHorizontal, int nStart, int nLength, int nCross, int nHeight)
{
    return bHorizontal ? CRect(nStart, nCross, nStart + nLength, nCross + nHeight)
                       : CRect(nCross, nStart, nCross + nHeight, nStart + nLength);
}

BOOL IsHorizontal(int nPosition)
{
    return nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
}

// Restores the DC's clipping region as it was when made.
class CClipKeeper
{
public:
    explicit CClipKeeper(HDC hDC) : m_hDC(hDC)
    {
        m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetClipRgn(hDC, m_hRgn) != 1)
        {
            ::DeleteObject(m_hRgn);
            m_hRgn = nullptr;
        }
    }
    ~CClipKeeper()
    {
        ::SelectClipRgn(m_hDC, m_hRgn);
        if (m_hRgn)
            ::DeleteObject(m_hRgn);
    }
    CClipKeeper(const CClipKeeper&) = delete;
    CClipKeeper& operator=(const CClipKeeper&) = delete;

private:
    HDC m_hDC;
    HRGN m_hRgn;
};

int DcTextWidth(void* pContext, LPCSTR lpsz, int nBytes)
{
    return nBytes <= 0 ? 0 : static_cast<CDC*>(pContext)->GetTextExtent(lpsz, nBytes).cx;
}
} // namespace

// ---------------------------------------------------------------- construction and sets

CXTPTabPaintManager::CXTPTabPaintManager()
{
    SetAppearance(0);
    m_rcTextInset.SetRect(6, 0, 6, 0);
    m_szIcon = CSize(16, 16);
    m_szNavigateButton = CSize(14, 15);
    CXTPTabPaintManager::RefreshMetrics();
}

CXTPTabPaintManager::~CXTPTabPaintManager()
{
    delete m_pColorSet;
    delete m_pAppearanceSet;
    m_arrAttached.clear();
}

CXTPTabPaintManagerAppearanceSet* CXTPTabPaintManager::SetAppearance(int nAppearance)
{
    m_nAppearance = nAppearance;
    CXTPTabPaintManagerAppearanceSet* pSet = nullptr;
    switch (nAppearance)
    {
    case 1:
        pSet = new CAppearanceSetPropertyPageSelected();
        break;
    case 2:
        pSet = new CAppearanceSetPropertyPageFlat();
        break;
    case 3:
        pSet = new CAppearanceSetPropertyPage2003();
        break;
    case 4:
        pSet = new CAppearanceSetStateButtons();
        break;
    case 5:
        pSet = new CAppearanceSetVisualStudio();
        break;
    case 6:
        pSet = new CAppearanceSetFlat();
        break;
    case 7:
        pSet = new CAppearanceSetExcel();
        break;
    case 8:
        pSet = new CAppearanceSetVisio();
        break;
    case 9:
        pSet = new CAppearanceSetVisualStudio2005();
        break;
    case 10:
        pSet = new CAppearanceSetPropertyPage2007();
        break;
    case 11:
        pSet = new CAppearanceSetPropertyPageAccess2007();
        break;
    case 12:
        pSet = new CAppearanceSetVisualStudio2010();
        break;
    default:
        pSet = new CAppearanceSetPropertyPage();
        break;
    }
    return SetAppearanceSet(pSet);
}

CXTPTabPaintManagerAppearanceSet* CXTPTabPaintManager::SetAppearanceSet(CXTPTabPaintManagerAppearanceSet* pSet)
{
    if (pSet)
    {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
        SetColor(pSet->GetDefaultColorSet());
    }
    Reposition();
    return pSet;
}

CXTPTabPaintManagerColorSet* CXTPTabPaintManager::SetColor(int nColor)
{
    m_nColor = nColor;
    CXTPTabPaintManagerColorSet* pSet = nullptr;
    switch (nColor)
    {
    case 2:
        pSet = new CColorSetVisualStudio2003();
        break;
    case 4:
        pSet = new CColorSetOffice2003();
        break;
    case 8:
        pSet = new CColorSetWinNative();
        break;
    case 16:
        pSet = new CColorSetVisualStudio2005();
        break;
    case 32:
        pSet = new CColorSetOffice2007();
        break;
    case 64:
        pSet = new CColorSetVisualStudio2008();
        break;
    case 128:
        pSet = new CColorSetOffice2007Access();
        break;
    case 256:
        pSet = new CColorSetVisualStudio2010();
        break;
    default:
        pSet = new CColorSetDefault();
        break;
    }
    return SetColorSet(pSet);
}

CXTPTabPaintManagerColorSet* CXTPTabPaintManager::SetColorSet(CXTPTabPaintManagerColorSet* pSet)
{
    if (pSet)
    {
        delete m_pColorSet;
        m_pColorSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
    }
    Reposition();
    return pSet;
}

void CXTPTabPaintManager::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    Reposition();
}

void CXTPTabPaintManager::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    Reposition();
}

BOOL CXTPTabPaintManager::IsLunaColorsDisabled() const
{
    return m_bDisableLunaColors || GetColorManager()->IsThemeColorsDisabled();
}

void CXTPTabPaintManager::AddAtom(CXTPTabManagerAtom* pAtom)
{
    if (pAtom && std::find(m_arrAttached.begin(), m_arrAttached.end(), pAtom) == m_arrAttached.end())
        m_arrAttached.push_back(pAtom);
}

void CXTPTabPaintManager::RemoveAtom(CXTPTabManagerAtom* pAtom)
{
    m_arrAttached.erase(std::remove(m_arrAttached.begin(), m_arrAttached.end(), pAtom), m_arrAttached.end());
}

void CXTPTabPaintManager::Reposition()
{
    std::vector<CXTPTabManagerAtom*> arr = m_arrAttached;
    for (CXTPTabManagerAtom* pAtom : arr)
        pAtom->OnPropertyChanged();
}

void CXTPTabPaintManager::SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseDefaultFont)
{
    m_bUseDefaultFont = bUseDefaultFont;
    if (!pLogFont)
        return;
    LOGFONTA lf = *pLogFont;
    if (m_bClearType && IsWinXPOrGreater())
        lf.lfQuality = CLEARTYPE_QUALITY;
    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVerticalNormal.DeleteObject();
    m_fontVerticalBold.DeleteObject();

    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);

    CString strFace;
    GetDefaultFaceName(strFace);
    lstrcpynA(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfOrientation = 900;
    lf.lfEscapement = m_bVerticalTextTopDown ? 2700 : 900;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fontVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontVerticalBold.CreateFontIndirect(&lf);
}

void CXTPTabPaintManager::RefreshMetrics()
{
    if (m_bUseDefaultFont)
    {
        LOGFONTA lf;
        GetIconTitleLogFont(&lf);
        SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet)
        m_pAppearanceSet->RefreshMetrics();
}

// ---------------------------------------------------------------- geometry helpers

void CXTPTabPaintManager::InflateRectByPosition(CRect& rc, int l, int t, int r, int b, int nPosition)
{
    switch (nPosition)
    {
    case xtpTabPositionTop:
        rc.InflateRect(l, t, r, b);
        break;
    case xtpTabPositionLeft:
        rc.InflateRect(t, l, b, r);
        break;
    case xtpTabPositionBottom:
        rc.InflateRect(l, b, r, t);
        break;
    case xtpTabPositionRight:
        rc.InflateRect(b, l, t, r);
        break;
    default:
        break;
    }
}

void CXTPTabPaintManager::DeflateRectByPosition(CRect& rc, int l, int t, int r, int b, int nPosition)
{
    InflateRectByPosition(rc, -l, -t, -r, -b, nPosition);
}

void CXTPTabPaintManager::InflateRectByPosition(CRect& rc, const CRect& m, int nPosition)
{
    InflateRectByPosition(rc, m.left, m.top, m.right, m.bottom, nPosition);
}

void CXTPTabPaintManager::DeflateRectByPosition(CRect& rc, const CRect& m, int nPosition)
{
    DeflateRectByPosition(rc, m.left, m.top, m.right, m.bottom, nPosition);
}

int CXTPTabPaintManager::ClampItemLength(int nLength, int nMin, int nMax) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (nMin > 0 && nLength < nMin)
        nLength = nMin;
    if (nMax > 0 && nLength > nMax)
        nLength = nMax;
    return nLength;
}

int CXTPTabPaintManager::MeasureCaptionWidth(CDC* pDC, const CString& strCaption, UINT nFormat) const
{
    CString str = strCaption;
    if (!(nFormat & DT_NOPREFIX))
        StripAmpersands(str);
    return pDC->GetTextExtent(str).cx;
}

BOOL CXTPTabPaintManager::IsItemVertical() const
{
    BOOL bSide = m_nPosition == xtpTabPositionLeft || m_nPosition == xtpTabPositionRight;
    return m_nLayout == xtpTabLayoutRotated ? !bSide : bSide;
}

CFont* CXTPTabPaintManager::GetItemFont(const CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    BOOL bBold = m_bBoldSelected && pManager && pManager->GetSelectedItem() == pItem && pManager->IsActive();
    if (IsItemVertical())
        return bBold ? &m_fontVerticalBold : &m_fontVerticalNormal;
    return bBold ? &m_fontBold : &m_fontNormal;
}

BOOL CXTPTabPaintManager::IsItemCaptionShown(const CXTPTabManagerItem* pItem) const
{
    return !(m_nLayout == xtpTabLayoutCompressed && !pItem->IsSelected());
}

// ---------------------------------------------------------------- measuring and drawing one item

int CXTPTabPaintManager::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem, BOOL bDraw)
{
    if (bDraw)
    {
        DrawItemContent(pDC, pItem, pItem->GetRect());
        return 0;
    }
    CXTPTabManager* pManager = pItem->GetTabManager();
    const BOOL bVertical = IsItemVertical();
    CSize szIcon = m_szIcon;
    BOOL bIcon = pManager ? pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon) : FALSE;

    int nButtons = 0;
    if (pManager && !(m_nLayout == xtpTabLayoutCompressed && !pItem->IsSelected()))
    {
        CXTPTabManagerNavigateButtons& arr = pItem->GetNavigateButtons();
        for (int i = 0; i < arr.GetSize(); i++)
            if (pManager->IsNavigateButtonVisible(arr[i]))
                nButtons += bVertical ? arr[i]->GetSize().cy : arr[i]->GetSize().cx;
        if (nButtons > 0)
            nButtons += 3;
    }

    if (m_nLayout == xtpTabLayoutFixed)
        return ClampItemLength(m_nFixedItemLength, m_nMinItemLength, m_nMaxItemLength);

    const UINT nCalc = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bNoPrefix ? DT_NOPREFIX : 0);
    CFont* pOldFont = pDC->SelectObject(GetItemFont(pItem));
    int nResult = 0;
    if (m_nLayout == xtpTabLayoutCompressed && !pItem->IsSelected())
    {
        nResult = ClampItemLength((bVertical ? szIcon.cy : szIcon.cx) + 8, m_nMinItemLength, m_nMaxItemLength);
    }
    else if (m_nLayout == xtpTabLayoutCompressed)
    {
        int nWidest = 0;
        for (int i = 0; pManager && i < pManager->GetItemCount(); i++)
        {
            CXTPTabManagerItem* pOther = pManager->GetItem(i);
            pDC->SelectObject(GetItemFont(pOther));
            CRect rcText(0, 0, 0, 0);
            m_pAppearanceSet->DrawText(pDC, pManager, pOther->GetCaption(), &rcText, nCalc);
            nWidest = std::max(nWidest, rcText.Width());
        }
        nResult = ClampItemLength(m_rcTextInset.left + m_rcTextInset.right + (bIcon ? szIcon.cx : 0) + nWidest + nButtons,
                                  m_nMinItemLength, m_nMaxItemLength);
    }
    else
    {
        int nCaption = 0;
        if (pItem->GetMarkupUIElement())
        {
            MarkupSetDefaultFont(pManager ? pManager->GetMarkupContext() : nullptr,
                                 static_cast<HFONT>(GetItemFont(pItem)->GetSafeHandle()), pDC->GetTextColor());
            nCaption = MarkupMeasureElement(pItem->GetMarkupUIElement(), 0x7FFFFFFF, 0x7FFFFFFF).cx;
        }
        else
        {
            CRect rcText(0, 0, 0, 0);
            m_pAppearanceSet->DrawText(pDC, pManager, pItem->GetCaption(), &rcText, nCalc);
            nCaption = rcText.Width();
        }
        int nIcon = bIcon ? (bVertical ? szIcon.cy : szIcon.cx) : 0;
        nResult = ClampItemLength(m_rcTextInset.left + m_rcTextInset.right + nIcon + nCaption + nButtons,
                                  m_nMinItemLength, m_nMaxItemLength);
    }
    pDC->SelectObject(pOldFont);
    return nResult;
}

void CXTPTabPaintManager::DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (!pManager)
        return;
    const BOOL bVertical = IsItemVertical();
    CFont* pOldFont = pDC->SelectObject(GetItemFont(pItem));
    m_pColorSet->GetItemTextColor(pDC, pItem);

    // The item's own buttons at its end.
    CXTPTabManagerNavigateButtons& arrButtons = pItem->GetNavigateButtons();
    BOOL bButtons = FALSE;
    for (int i = 0; i < arrButtons.GetSize(); i++)
        bButtons |= pManager->IsNavigateButtonVisible(arrButtons[i]);
    if (bButtons)
    {
        CRect rcInner = rcItem;
        rcInner.DeflateRect(m_rcButtonMargin);
        if (bVertical)
            rcItem.bottom -= 3;
        else
            rcItem.right -= 3;
        for (int i = arrButtons.GetSize() - 1; i >= 0; i--)
        {
            CXTPTabManagerNavigateButton* pButton = arrButtons[i];
            if (!pManager->IsNavigateButtonVisible(pButton))
                continue;
            CSize sz = pButton->GetSize();
            if (bVertical)
            {
                int nLeft = (rcInner.left + rcInner.right) / 2 - sz.cx / 2;
                pButton->SetRect(nLeft, rcItem.bottom - sz.cy, nLeft + sz.cx, rcItem.bottom);
                rcItem.bottom -= sz.cy;
            }
            else
            {
                int nTop = (rcInner.top + rcInner.bottom) / 2 - sz.cy / 2;
                pButton->SetRect(rcItem.right - sz.cx, nTop, rcItem.right, nTop + sz.cy);
                rcItem.right -= sz.cx;
            }
            pButton->Draw(pDC);
        }
    }

    if (pItem->m_nLength > pItem->m_nContentLength)
    {
        int d = (pItem->m_nLength - pItem->m_nContentLength) / 2;
        if (bVertical)
            rcItem.DeflateRect(0, d);
        else
            rcItem.DeflateRect(d, 0);
    }

    CSize szIcon = m_szIcon;
    BOOL bIcon = pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    const BOOL bCaption = IsItemCaptionShown(pItem);
    CString strCaption = pItem->GetCaption();

    // The button margin across the row; its top and bottom swap for bottom and right tabs.
    const BOOL bSwap = m_nPosition == (bVertical ? xtpTabPositionRight : xtpTabPositionBottom);
    const int nMarginNear = bSwap ? m_rcButtonMargin.bottom : m_rcButtonMargin.top;
    const int nMarginFar = bSwap ? m_rcButtonMargin.top : m_rcButtonMargin.bottom;

    if (!bVertical)
    {
        rcItem.left += m_rcTextInset.left + m_rcButtonMargin.left;
        rcItem.top += nMarginNear;
        rcItem.bottom -= nMarginFar;
        if (bIcon && szIcon.cx < rcItem.Width())
        {
            CPoint pt(rcItem.left - 1, rcItem.CenterPoint().y - szIcon.cy / 2);
            pManager->DrawIcon(pDC, pt, pItem, TRUE, szIcon);
            rcItem.left += szIcon.cx + 2;
        }
        if (bCaption && rcItem.left < rcItem.right)
        {
            rcItem.right -= m_rcTextInset.right + m_rcButtonMargin.right + (bIcon ? 2 : 0);
            if (pItem->GetMarkupUIElement())
            {
                MarkupSetDefaultFont(pManager->GetMarkupContext(), static_cast<HFONT>(GetItemFont(pItem)->GetSafeHandle()),
                                     pDC->GetTextColor());
                CRect rcMarkup = rcItem;
                if (m_nTextFormat & DT_VCENTER)
                {
                    SIZE sz = MarkupMeasureElement(pItem->GetMarkupUIElement(), rcItem.Width(), 0x7FFFFFFF);
                    rcMarkup.top = rcItem.CenterPoint().y - sz.cy / 2;
                    rcMarkup.bottom = rcMarkup.top + sz.cy;
                }
                MarkupRenderElement(pItem->GetMarkupUIElement(), pDC->GetSafeHdc(), &rcMarkup);
            }
            else if (m_bMiddleEllipsis)
            {
                DrawTextMiddleEllipsis(pDC, pManager, strCaption, rcItem,
                                       DT_SINGLELINE | m_nTextFormat | (m_bNoPrefix ? DT_NOPREFIX : 0));
            }
            else
            {
                if (m_bStripAmpersands)
                    StripAmpersands(strCaption);
                UINT nFormat = DT_SINGLELINE | m_nTextFormat | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0) |
                               ((m_bNoPrefix || m_bStripAmpersands) ? DT_NOPREFIX : 0);
                m_pAppearanceSet->DrawText(pDC, pManager, strCaption, &rcItem, nFormat);
            }
        }
    }
    else
    {
        rcItem.top += m_rcTextInset.left + m_rcButtonMargin.left;
        rcItem.left += nMarginNear;
        rcItem.right -= nMarginFar;
        if (bIcon)
        {
            if (m_bVerticalTextTopDown)
            {
                if (szIcon.cy < rcItem.Height())
                {
                    pManager->DrawIcon(pDC, CPoint(rcItem.CenterPoint().x - szIcon.cx / 2, rcItem.top - 1), pItem, TRUE,
                                       szIcon);
                    rcItem.top += szIcon.cy + 2;
                }
            }
            else
            {
                int y = rcItem.bottom + 1 - m_rcTextInset.left - m_rcButtonMargin.left - szIcon.cy;
                pManager->DrawIcon(pDC, CPoint(rcItem.CenterPoint().x - szIcon.cx / 2, y), pItem, TRUE, szIcon);
                rcItem.bottom = y;
            }
        }
        if (bCaption && rcItem.top + 8 < rcItem.bottom)
        {
            CSize szText = pDC->GetTextExtent(strCaption);
            int c = szText.cy;
            int nWidth = rcItem.Width();
            CRect rcText = rcItem;
            rcText.left = rcItem.right - (nWidth - (m_nPosition == xtpTabPositionRight ? 1 : 0) - c) / 2;
            rcText.right = rcText.left + rcItem.Height();
            rcText.bottom -= std::max<LONG>(m_rcTextInset.right - 4, 0) + m_rcButtonMargin.right;
            if (!m_bVerticalTextTopDown)
                rcText.OffsetRect(-c, std::min<int>(szText.cx, rcText.bottom - rcText.top));
            if (!m_bNoPrefix)
                StripAmpersands(strCaption);
            UINT nFormat = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0);
            if (m_bMiddleEllipsis)
                DrawTextMiddleEllipsis(pDC, pManager, strCaption, rcText, nFormat);
            else
                m_pAppearanceSet->DrawText(pDC, pManager, strCaption, &rcText, nFormat);
        }
    }

    if (pItem->IsSelected() && pManager->HasFocus())
        DrawFocusRect(pDC, pItem, pItem->GetRect());
    pDC->SelectObject(pOldFont);
}

void CXTPTabPaintManager::SplitMiddleEllipsis(LPCSTR lpszCaption, int nAvail, int nWidth, PFNTEXTWIDTH pfnWidth,
                                              void* pContext, UINT nCodePage, int& nHeadBytes, int& nTailBytes)
{
    // Byte offsets of the characters' starts, and the end.
    std::vector<int> arrStarts;
    const int nBytes = lstrlenA(lpszCaption);
    for (int i = 0; i < nBytes;)
    {
        arrStarts.push_back(i);
        BOOL bLead = nCodePage != CP_UTF8 && ::IsDBCSLeadByteEx(nCodePage, BYTE(lpszCaption[i]));
        i += (bLead && i + 1 < nBytes) ? 2 : 1;
    }
    arrStarts.push_back(nBytes);
    const int n = int(arrStarts.size()) - 1;

    auto measure = [&](int k, int& nHead, int& nTail) {
        int nHeadChars = k - k / 2;
        int nTailChars = k / 2;
        nHead = arrStarts[nHeadChars];
        nTail = nBytes - arrStarts[n - nTailChars];
        return pfnWidth(pContext, lpszCaption, nHead) + pfnWidth(pContext, lpszCaption + nBytes - nTail, nTail);
    };
    long long k64 = nWidth > 0 ? (long long)n * std::max(nAvail, 0) / nWidth : 0;
    int k = int(std::max(0LL, std::min<long long>(k64, n)));
    int nHead = 0, nTail = 0;
    while (k < n && measure(k, nHead, nTail) < nAvail)
        k++;
    while (k > 0 && measure(k, nHead, nTail) > nAvail)
        k--;
    measure(k, nHeadBytes, nTailBytes);
}

void CXTPTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, CXTPTabManager* pManager, const CString& strCaption, CRect rc,
                                                 UINT nFormat)
{
    if (strCaption.Find('\\') >= 0)
    {
        CString str = strCaption;
        m_pAppearanceSet->DrawText(pDC, pManager, str, &rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const int W = rc.Width();
    const int w = MeasureCaptionWidth(pDC, strCaption, nFormat);
    const int e = pDC->GetTextExtent("...", 3).cx;
    if (w <= W)
    {
        m_pAppearanceSet->DrawText(pDC, pManager, strCaption, &rc, nFormat);
        return;
    }
    if (e >= W)
    {
        m_pAppearanceSet->DrawText(pDC, pManager, CString("..."), &rc, nFormat);
        return;
    }
    int nHead = 0, nTail = 0;
    SplitMiddleEllipsis(strCaption, W - e, w, DcTextWidth, pDC, ::GetACP(), nHead, nTail);
    CString str(strCaption.GetString(), nHead);
    str += "...";
    str += CString(strCaption.GetString() + strCaption.GetLength() - nTail, nTail);
    m_pAppearanceSet->DrawText(pDC, pManager, str, &rc, nFormat);
}

// ---------------------------------------------------------------- layout

void CXTPTabPaintManager::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    pTabManager->m_rcControl = rcClient;
    pTabManager->m_rcClient = rcClient;
    pTabManager->GetRowIndexer()->CreateIndexer(1);
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
        pTabManager->GetItem(i)->m_nRow = 0;
    m_pAppearanceSet->RepositionTabControl(pTabManager, pDC, rcClient);
    AdjustClientRect(pTabManager, pTabManager->m_rcClient);
}

void CXTPTabPaintManager::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    if (pTabManager->IsDrawStaticFrame())
        DeflateRectByPosition(rcClient, 2, 1, 2, 2, m_nPosition);
    if (pTabManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pTabManager, rcClient);
}

CRect CXTPTabPaintManager::CalcHeaderRect(CXTPTabManager* pTabManager, CRect rcControl)
{
    CRect rcHeader = m_pAppearanceSet->GetHeaderRect(rcControl, pTabManager);
    CRect rcRow = rcHeader;
    if (IsHorizontal(m_nPosition))
        rcRow.right -= 1;
    else
        rcRow.bottom -= 1;
    CRect rcStart = rcRow;
    CXTPTabManagerNavigateButtons& arr = pTabManager->GetNavigateButtons();
    for (int i = arr.GetSize() - 1; i >= 0; i--)
        arr[i]->Reposition(rcRow);
    return rcRow == rcStart ? rcHeader : rcRow;
}

void CXTPTabPaintManager::DefaultRepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    const int nPosition = m_nPosition;
    const BOOL bHorizontal = IsHorizontal(nPosition);
    if (pTabManager->IsDrawStaticFrame())
        DeflateRectByPosition(rc, 2, 1, 2, 2, nPosition);
    DeflateRectByPosition(rc, m_rcControlMargin, nPosition);

    if (!m_bShowTabs)
    {
        pTabManager->m_rcHeaderRect.SetRectEmpty();
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
            pTabManager->GetItem(i)->SetRect(0, 0, 0, 0);
        CXTPTabManagerNavigateButtons& arr = pTabManager->GetNavigateButtons();
        for (int i = 0; i < arr.GetSize(); i++)
            arr[i]->SetRect(0, 0, 0, 0);
        return;
    }
    if (m_nLayout == xtpTabLayoutMultiRow)
    {
        RepositionMultiRow(pTabManager, pDC, rc);
        return;
    }

    for (int i = 0; i < pTabManager->GetItemCount(); i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->m_nLength = pItem->m_nContentLength = pItem->IsVisible() ? m_pAppearanceSet->GetButtonLength(pDC, pItem) : 0;
        if (pItem->IsVisible())
            pItem->m_nLength += m_nItemExtraLength;
    }

    pTabManager->m_rcHeaderRect = m_pAppearanceSet->GetHeaderRect(rc, pTabManager);
    if (pTabManager->GetItemCount() == 0)
    {
        pTabManager->m_rcHeaderRect = CalcHeaderRect(pTabManager, rc);
        return;
    }

    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int h = m_pAppearanceSet->GetButtonHeight(pTabManager);
    int nCross = 0;
    switch (nPosition)
    {
    case xtpTabPositionBottom:
        nCross = rc.bottom - m.top - h;
        break;
    case xtpTabPositionLeft:
        nCross = rc.left + m.top;
        break;
    case xtpTabPositionRight:
        nCross = rc.right - m.top - h;
        break;
    default:
        nCross = rc.top + m.top;
        break;
    }

    if (m_nLayout == xtpTabLayoutSizeToFit)
    {
        int nAvailable = RowLength(rc, bHorizontal) - m.left - m.right;
        CXTPTabManagerNavigateButtons& arr = pTabManager->GetNavigateButtons();
        for (int i = arr.GetSize() - 1; i >= 0; i--)
            arr[i]->AdjustWidth(nAvailable);
        ShrinkToFit(pTabManager, nAvailable);
    }

    pTabManager->m_rcHeaderRect = CalcHeaderRect(pTabManager, rc);

    if (pTabManager->m_nHeaderOffset < 0)
    {
        int nTotal = pTabManager->GetItemsLength();
        int nSpace = RowLength(pTabManager->m_rcHeaderRect, bHorizontal) - m.left - m.right;
        if (nTotal + pTabManager->m_nHeaderOffset < nSpace)
        {
            pTabManager->m_nHeaderOffset = std::min(nSpace - nTotal, 0);
            pTabManager->m_rcHeaderRect = CalcHeaderRect(pTabManager, rc);
        }
    }

    const CRect& rcHeader = pTabManager->m_rcHeaderRect;
    int nPos = RowStart(rcHeader, bHorizontal) + pTabManager->m_nHeaderOffset + m.left;
    if (m_nLayout == xtpTabLayoutRotated)
    {
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
        {
            CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
            if (!pItem->IsVisible())
                continue;
            const int nLength = pItem->m_nLength;
            CRect rcItem;
            switch (nPosition)
            {
            case xtpTabPositionBottom:
                rcItem.SetRect(nPos, rcHeader.top + m.bottom, nPos + h, rcHeader.top + m.bottom + nLength);
                break;
            case xtpTabPositionLeft:
                rcItem.SetRect(rcHeader.right - m.bottom - nLength, nPos, rcHeader.right - m.bottom, nPos + h);
                break;
            case xtpTabPositionRight:
                rcItem.SetRect(rcHeader.left + m.bottom, nPos, rcHeader.left + m.bottom + nLength, nPos + h);
                break;
            default:
                rcItem.SetRect(nPos, rcHeader.bottom - m.bottom - nLength, nPos + h, rcHeader.bottom - m.bottom);
                break;
            }
            pItem->SetRect(rcItem);
            nPos += h;
        }
        return;
    }
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->SetRect(AlongRow(bHorizontal, nPos, pItem->m_nLength, nCross, h));
        nPos += pItem->m_nLength;
    }
}

void CXTPTabPaintManager::ShrinkToFit(CXTPTabManager* pTabManager, int nWidth)
{
    const int nCount = pTabManager->GetItemCount();
    nWidth = std::max(nWidth, 0);
    if (nCount == 0 || pTabManager->GetItemsLength() <= nWidth)
        return;
    if (nCount == 1)
    {
        pTabManager->GetItem(0)->m_nLength = nWidth;
        return;
    }
    std::vector<CXTPTabManagerItem*> arr(pTabManager->m_arrItems);
    std::stable_sort(arr.begin(), arr.end(),
                     [](const CXTPTabManagerItem* a, const CXTPTabManagerItem* b) { return a->m_nLength < b->m_nLength; });
    int nLeft = nCount;
    for (int i = 0; i < nCount; i++, nLeft--)
    {
        if (nLeft * arr[i]->m_nLength >= nWidth)
        {
            for (int j = i; j < nCount; j++, nLeft--)
            {
                int nShare = std::max(nWidth / nLeft, 0);
                arr[j]->m_nLength = nShare;
                nWidth -= nShare;
            }
            return;
        }
        nWidth -= arr[i]->m_nLength;
    }
}

BOOL CXTPTabPaintManager::DistributeRows(CXTPTabManager* pTabManager, int nWidth, int nDepth, int nRemaining,
                                         std::vector<unsigned char>& arrFailed)
{
    CXTPTabManager::CRowIndexer* pRows = pTabManager->GetRowIndexer();
    const int nRows = pRows->GetRowCount();
    const int nCount = pTabManager->GetItemCount();
    CXTPTabManager::ROW_ITEMS* pRow = pRows->GetRow(nDepth);
    if (!pRow)
        return FALSE;
    const int nFirst = pRow->nFirstItem;
    // Whether a fill from (row, first item) succeeds depends on nothing else: remember failures.
    const size_t nKey = size_t(nDepth) * size_t(nCount + 1) + size_t(nFirst);
    if (nKey < arrFailed.size() && arrFailed[nKey])
        return FALSE;

    int nTarget = nWidth;
    if (m_bJustifyRows)
        nTarget = std::min(nWidth, std::max(nRemaining, 0) / (nRows - nDepth));
    int g = 0;
    pRow->nLastItem = nFirst - 1;
    for (int i = nFirst; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        const int nLength = pItem->m_nLength;
        const int g2 = g + nLength;
        if (nLength > 0 && g2 > nTarget && i > nFirst)
        {
            if (nDepth == nRows - 1)
            {
                if (nKey < arrFailed.size())
                    arrFailed[nKey] = 1;
                return FALSE;
            }
            CXTPTabManager::ROW_ITEMS* pNext = pRows->GetRow(nDepth + 1);
            pNext->nFirstItem = pNext->nLastItem = i;
            if (DistributeRows(pTabManager, nWidth, nDepth + 1, nRemaining - g, arrFailed))
                return TRUE;
            if (g2 > nWidth)
            {
                if (nKey < arrFailed.size())
                    arrFailed[nKey] = 1;
                return FALSE;
            }
        }
        pItem->m_nRow = nDepth;
        pRow = pRows->GetRow(nDepth);
        pRow->nLastItem = i;
        g = g2;
    }
    return TRUE;
}

void CXTPTabPaintManager::ArrangeRows(CXTPTabManager* pTabManager, CDC* pDC, int nWidth)
{
    const int nCount = pTabManager->GetItemCount();
    std::vector<int> arrGreedyFirst;
    int nTotal = 0;
    int nRowLength = 0;
    int nRowItems = 0;
    for (int i = 0; i < nCount; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->m_nLength = pItem->m_nContentLength = pItem->IsVisible() ? m_pAppearanceSet->GetButtonLength(pDC, pItem) : 0;
        nTotal += pItem->m_nLength;
        if (i == 0 || (nRowItems > 0 && nRowLength + pItem->m_nLength > nWidth))
        {
            arrGreedyFirst.push_back(i);
            nRowLength = 0;
            nRowItems = 0;
        }
        nRowLength += pItem->m_nLength;
        nRowItems++;
    }
    const int nRows = std::max<int>(1, int(arrGreedyFirst.size()));
    CXTPTabManager::CRowIndexer* pRows = pTabManager->GetRowIndexer();
    pRows->CreateIndexer(nRows);
    for (int i = 0; i < nCount; i++)
        pTabManager->GetItem(i)->m_nRow = 0;
    if (nRows == 1)
        return;

    CXTPTabManager::ROW_ITEMS* pRow0 = pRows->GetRow(0);
    pRow0->nFirstItem = pRow0->nLastItem = 0;
    std::vector<unsigned char> arrFailed(size_t(nRows) * size_t(nCount + 1), 0);
    BOOL bDone = DistributeRows(pTabManager, nWidth, 0, nTotal, arrFailed);
    if (bDone)
    {
        // Every row must be filled and follow the one before it.
        int nNext = 0;
        for (int r = 0; r < nRows && bDone; r++)
        {
            const CXTPTabManager::ROW_ITEMS* pRow = pRows->GetRow(r);
            bDone = pRow->nFirstItem == nNext && pRow->nLastItem >= pRow->nFirstItem;
            nNext = pRow->nLastItem + 1;
        }
        bDone = bDone && nNext == nCount;
    }
    if (!bDone)
    {
        // The greedy rows always hold.
        for (int r = 0; r < nRows; r++)
        {
            CXTPTabManager::ROW_ITEMS* pRow = pRows->GetRow(r);
            pRow->nFirstItem = arrGreedyFirst[r];
            pRow->nLastItem = r + 1 < nRows ? arrGreedyFirst[r + 1] - 1 : nCount - 1;
        }
    }

    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    const int nSelected = pSelected ? pTabManager->FindIndex(pSelected) : -1;
    if (!m_bKeepSelectedRow && nSelected >= 0)
    {
        for (int r = 1; r < nRows; r++)
        {
            CXTPTabManager::ROW_ITEMS* pRow = pRows->GetRow(r);
            if (nSelected >= pRow->nFirstItem && nSelected <= pRow->nLastItem)
            {
                std::swap(*pRow, *pRows->GetRow(0));
                break;
            }
        }
    }
}

void CXTPTabPaintManager::RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    const int nPosition = m_nPosition;
    const BOOL bHorizontal = IsHorizontal(nPosition);
    pTabManager->m_rcHeaderRect = CalcHeaderRect(pTabManager, rc);
    pTabManager->m_nHeaderOffset = 0;
    const int nCount = pTabManager->GetItemCount();
    if (nCount == 0)
        return;

    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int h = m_pAppearanceSet->GetButtonHeight(pTabManager);
    const int s = m_pAppearanceSet->m_nRowSpacing;
    const int L = std::max(0, int(RowLength(pTabManager->m_rcHeaderRect, bHorizontal) - m.left - m.right));
    ArrangeRows(pTabManager, pDC, L);

    CXTPTabManager::CRowIndexer* pRows = pTabManager->GetRowIndexer();
    const int n = pRows->GetRowCount();
    const int nStart = RowStart(pTabManager->m_rcHeaderRect, bHorizontal) + m.left;
    for (int r = 0; r < n; r++)
    {
        const CXTPTabManager::ROW_ITEMS* pRow = pRows->GetRow(r);
        int nCross = 0;
        switch (nPosition)
        {
        case xtpTabPositionBottom:
            nCross = rc.bottom - m.top - n * h - (n - 1) * s + r * (h + s);
            break;
        case xtpTabPositionLeft:
            nCross = rc.left + m.top + (n - 1 - r) * (h + s);
            break;
        case xtpTabPositionRight:
            nCross = rc.right - m.top - n * h - (n - 1) * s + r * (h + s);
            break;
        default:
            nCross = rc.top + m.top + (n - 1 - r) * (h + s);
            break;
        }

        if (n >= 2 && m_bJustifyRows)
        {
            int T = 0;
            for (int i = pRow->nFirstItem; i <= pRow->nLastItem; i++)
                T += pTabManager->GetItem(i)->m_nLength;
            int A = L;
            for (int i = pRow->nFirstItem; i <= pRow->nLastItem; i++)
            {
                CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
                int k = pRow->nLastItem - i + 1;
                int nOld = pItem->m_nLength;
                int nNew = std::max(0, nOld + (A - T) / k);
                pItem->m_nLength = nNew;
                A -= nNew;
                T -= nOld;
            }
        }
        int nPos = nStart;
        for (int i = pRow->nFirstItem; i <= pRow->nLastItem; i++)
        {
            CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
            pItem->SetRect(AlongRow(bHorizontal, nPos, pItem->m_nLength, nCross, h));
            pItem->m_nRow = r;
            nPos += pItem->m_nLength;
        }
    }
    pTabManager->m_rcHeaderRect = CalcHeaderRect(pTabManager, rc);
}

void CXTPTabPaintManager::EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem)
{
    if (!pItem || m_nLayout == xtpTabLayoutSizeToFit)
        return;
    const CRect rcHeader = pTabManager->m_rcHeaderRect;
    const CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty())
        return;
    const BOOL bHorizontal = IsHorizontal(m_nPosition);
    const int nOffset = pTabManager->GetHeaderOffset();
    if (RowStart(rcItem, bHorizontal) < RowStart(rcHeader, bHorizontal))
        pTabManager->SetHeaderOffset(nOffset + (RowStart(rcHeader, bHorizontal) + m_pAppearanceSet->GetHeaderMargin().left -
                                                RowStart(rcItem, bHorizontal)));
    else if (RowEnd(rcItem, bHorizontal) > RowEnd(rcHeader, bHorizontal))
        pTabManager->SetHeaderOffset(nOffset + RowEnd(rcHeader, bHorizontal) - RowEnd(rcItem, bHorizontal) - 2);
}

// ---------------------------------------------------------------- drawing

void CXTPTabPaintManager::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabControl(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManager::DefaultDrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    const int nPosition = m_nPosition;
    if (pTabManager->IsDrawStaticFrame())
    {
        pDC->Draw3dRect(rc, m_pColorSet->m_frameBorder, m_pColorSet->m_frameBorder);
        DeflateRectByPosition(rc, 1, 1, 1, 1, nPosition);
        pDC->Draw3dRect(rc, m_pColorSet->m_controlFace, m_pColorSet->m_controlFace);
        DeflateRectByPosition(rc, 1, 0, 1, 1, nPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_controlFace);
    DeflateRectByPosition(rc, m_rcControlMargin, nPosition);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        m_pAppearanceSet->FillClient(pTabManager, pDC, rc);

    CRect rcClip;
    if (m_bClipHeader)
        rcClip = m_pAppearanceSet->GetHeaderClipBox(pDC, pTabManager);
    else
        pDC->GetClipBox(rcClip);
    if (!rcClip.IsRectEmpty())
    {
        // The caller's own clipping (an MDI child's, say) comes back afterwards.
        CClipKeeper keep(pDC->GetSafeHdc());
        if (m_bClipHeader)
        {
            CRect rcDevice = rcClip;
            CPoint ptOrg = pDC->GetWindowOrg();
            CPoint ptViewport = pDC->GetViewportOrg();
            rcDevice.OffsetRect(ptViewport.x - ptOrg.x, ptViewport.y - ptOrg.y);
            HRGN hRgn = ::CreateRectRgnIndirect(&rcDevice);
            ::ExtSelectClipRgn(pDC->GetSafeHdc(), hRgn, RGN_AND);
            ::DeleteObject(hRgn);
            CRect rcClient = pTabManager->GetClientRect();
            m_pColorSet->AdjustClientClip(pDC, rcClient, pTabManager);
        }
        for (int r = pTabManager->GetRowCount() - 1; r >= 0; r--)
            DrawItemRow(pTabManager, pDC, rcClip, r);
    }

    CXTPTabManagerNavigateButtons& arr = pTabManager->GetNavigateButtons();
    for (int i = arr.GetSize() - 1; i >= 0; i--)
        arr[i]->Draw(pDC);
}

void CXTPTabPaintManager::DrawItemRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClipBox, int nRow)
{
    if (nRow < 0 || nRow >= pTabManager->GetRowCount())
        return;
    const CXTPTabManager::ROW_ITEMS row = *pTabManager->GetRowIndexer()->GetRow(nRow);
    const int nCount = pTabManager->GetItemCount();
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();

    auto belongs = [&](int i) { return i >= 0 && i < nCount && pTabManager->GetItem(i)->m_nRow == nRow; };
    auto draw = [&](CXTPTabManagerItem* pItem) {
        CRect rcDraw = m_pAppearanceSet->GetButtonDrawRect(pItem);
        CRect rcTest;
        if (pItem->IsVisible() && rcTest.IntersectRect(rcDraw, rcClipBox))
            m_pAppearanceSet->DrawSingleButton(pDC, pItem);
    };

    int nStop = row.nFirstItem;
    if (m_pAppearanceSet->m_bDrawLeftToRight)
    {
        for (int i = row.nFirstItem; i <= row.nLastItem && belongs(i); i++)
        {
            nStop = i + 1;
            CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
            if (pItem == pSelected)
            {
                nStop = i;
                break;
            }
            draw(pItem);
        }
    }
    BOOL bSelectedHere = FALSE;
    for (int i = row.nLastItem; i >= nStop && belongs(i); i--)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (pItem == pSelected)
        {
            bSelectedHere = TRUE;
            continue;
        }
        draw(pItem);
    }
    if (bSelectedHere)
        draw(pSelected);
}

void CXTPTabPaintManager::DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    COLORREF clr = pDC->GetTextColor();
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HBRUSH hBrush = pButton->IsEnabled() ? ::CreateSolidBrush(clr) : nullptr;
    HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), hPen);
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), hBrush ? static_cast<HGDIOBJ>(hBrush) : ::GetStockObject(NULL_BRUSH));
    pButton->DrawSymbol(pDC, rc);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    ::SelectObject(pDC->GetSafeHdc(), hOldPen);
    ::DeleteObject(hPen);
    if (hBrush)
        ::DeleteObject(hBrush);
}

void CXTPTabPaintManager::DrawFocusRect(CDC* pDC, CXTPTabManagerItem* /*pItem*/, CRect rcItem)
{
    if (!m_bShowFocusRect)
        return;
    rcItem.DeflateRect(3, 3);
    pDC->SetTextColor(0);
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rcItem);
}
