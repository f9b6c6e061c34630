// Header themes: layout and painting of CXTPHeaderCtrl columns.
#include "toolkit/controls/XTPHeaderCtrlTheme.h"

#include "framework/AppGlobals.h"
#include "framework/ImageList.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/controls/XTPHeaderCtrl.h"

#include <algorithm>
#include <vector>

using std::max;
using std::min;

namespace
{
// Channel-wise a - f * (a - b), truncated.
COLORREF Blend(COLORREF a, COLORREF b, double f)
{
    auto ch = [f](int ca, int cb) { return int(ca - f * (ca - cb)); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

struct HeaderColumn
{
    int nIndex = 0;
    HDITEMA item = {};
    char szText[256] = {};
};
} // namespace

// --- CXTPHeaderCtrlTheme ---------------------------------------------------------------------

CXTPHeaderCtrlTheme::CXTPHeaderCtrlTheme()
{
    m_nTheme = 0;
    m_themeHeader = new CXTPWinThemeWrapper();
}

CXTPHeaderCtrlTheme::~CXTPHeaderCtrlTheme()
{
    POSITION pos = m_mapItemImages.GetStartPosition();
    while (pos)
    {
        int nCol = 0;
        UINT_PTR hList = 0;
        m_mapItemImages.GetNextAssoc(pos, nCol, hList);
        if (hList)
            ImageList_Destroy(HIMAGELIST(hList));
    }
    m_mapItemImages.RemoveAll();
    delete m_themeHeader;
}

void CXTPHeaderCtrlTheme::Line(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
    pDC->SelectObject(pOld);
}

void CXTPHeaderCtrlTheme::RefreshMetrics(CXTPHeaderCtrl* /*pHeader*/)
{
    CXTPColorManager* pColors = GetColorManager();
    m_crText = pColors->GetColor(COLOR_BTNTEXT);
    m_cr3DFace = pColors->GetColor(COLOR_3DFACE);
    m_cr3DShadow = pColors->GetColor(COLOR_3DSHADOW);
    m_cr3DDkShadow = pColors->GetColor(COLOR_3DDKSHADOW);
    m_cr3DHighLight = pColors->GetColor(COLOR_3DHIGHLIGHT);
    m_themeHeader->OpenThemeData(nullptr, L"HEADER");
}

BOOL CXTPHeaderCtrlTheme::UsesWinTheme(CXTPHeaderCtrl* pHeader)
{
    if (!(m_nDrawStyle & HDR_XTP_WINDEF))
        return FALSE;
    if (!m_themeHeader->HasTheme())
        m_themeHeader->OpenThemeData(pHeader ? pHeader->GetSafeHwnd() : nullptr, L"HEADER");
    return m_themeHeader->IsAppThemed() && m_themeHeader->HasTheme();
}

void CXTPHeaderCtrlTheme::SetDrawStyle(int nStyle, CXTPHeaderCtrl* pHeader)
{
    m_nDrawStyle = nStyle;
    m_bUseWinThemes = UsesWinTheme(pHeader) && (nStyle & HDR_XTP_WINDEF);
}

BOOL CXTPHeaderCtrlTheme::Layout(HDLAYOUT* pLayout, CXTPHeaderCtrl* pHeader)
{
    if (!pHeader || !pHeader->GetSafeHwnd())
        return FALSE;
    return BOOL(pHeader->DefWindowProc(HDM_LAYOUT, 0, LPARAM(pLayout)));
}

HIMAGELIST CXTPHeaderCtrlTheme::GetItemImageList(int nCol) const
{
    UINT_PTR hList = 0;
    return m_mapItemImages.Lookup(nCol, hList) ? HIMAGELIST(hList) : nullptr;
}

void CXTPHeaderCtrlTheme::FreeItemImage(int nCol)
{
    HIMAGELIST hList = GetItemImageList(nCol);
    if (hList)
        ImageList_Destroy(hList);
    m_mapItemImages.RemoveKey(nCol);
}

void CXTPHeaderCtrlTheme::ReleaseItemImages(CXTPHeaderCtrl* pHeader)
{
    // The lists belong to this theme, not to the columns: free them whatever the columns say.
    std::vector<int> cols;
    POSITION pos = m_mapItemImages.GetStartPosition();
    while (pos)
    {
        int nCol = 0;
        UINT_PTR hList = 0;
        m_mapItemImages.GetNextAssoc(pos, nCol, hList);
        cols.push_back(nCol);
    }
    for (int nCol : cols)
    {
        FreeItemImage(nCol);
        if (pHeader && pHeader->GetSafeHwnd())
        {
            HDITEMA hdi = {};
            hdi.mask = HDI_FORMAT;
            if (pHeader->GetItem(nCol, &hdi) && (hdi.fmt & HDF_BITMAP))
            {
                hdi.fmt &= ~HDF_BITMAP;
                pHeader->SetItem(nCol, &hdi);
            }
        }
    }
}

BOOL CXTPHeaderCtrlTheme::SetItemBitmap(int nCol, UINT nBitmapID, BOOL bRemove, COLORREF crMask,
                                        CXTPHeaderCtrl* pHeader)
{
    if (!pHeader || !pHeader->GetSafeHwnd() || nCol < 0 || nCol >= pHeader->GetItemCount())
        return FALSE;
    FreeItemImage(nCol);
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT;
    pHeader->GetItem(nCol, &hdi);
    hdi.fmt &= ~HDF_BITMAP;
    hdi.mask = HDI_FORMAT | HDI_BITMAP;
    hdi.hbm = nullptr;
    pHeader->SetItem(nCol, &hdi);
    pHeader->Invalidate();
    if (bRemove)
        return FALSE;

    HBITMAP hBitmap = HBITMAP(::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(nBitmapID), RT_BITMAP),
                                           MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!hBitmap)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    HIMAGELIST hList = bm.bmWidth > 0 ? ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1)
                                      : nullptr;
    if (!hList || ImageList_AddMasked(hList, hBitmap, crMask) < 0)
    {
        if (hList)
            ImageList_Destroy(hList);
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    m_mapItemImages.SetAt(nCol, UINT_PTR(hList));
    // The column keeps its other format bits; HDF_BITMAP marks the theme's image, the list
    // itself stays in the theme's map.
    hdi.fmt |= HDF_BITMAP;
    hdi.mask = HDI_FORMAT;
    pHeader->SetItem(nCol, &hdi);
    pHeader->Invalidate();
    ::DeleteObject(hBitmap);
    return TRUE;
}

void CXTPHeaderCtrlTheme::DrawBackground(XTP_HEADER_DRAWITEM& item)
{
    CDC* pDC = item.pDC;
    CRect rc = item.rcItem;
    pDC->FillSolidRect(&rc, m_cr3DFace);
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_cr3DHighLight, m_cr3DDkShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, m_cr3DFace, m_cr3DShadow);
}

BOOL CXTPHeaderCtrlTheme::DrawBackgroundThemed(XTP_HEADER_DRAWITEM& item)
{
    if (!(m_nDrawStyle & HDR_XTP_HOTTRACKING))
        return FALSE;
    return SUCCEEDED(m_themeHeader->DrawThemeBackground(item.pDC->GetSafeHdc(), 0, 1, &item.rcItem, nullptr));
}

void CXTPHeaderCtrlTheme::DrawItemBackground(XTP_HEADER_DRAWITEM& item)
{
    CDC* pDC = item.pDC;
    const CRect& rc = item.rcItem;
    if (item.itemState & ODS_SELECTED)
    {
        pDC->Draw3dRect(&rc, m_cr3DShadow, m_cr3DShadow);
        Line(pDC, rc.right, 1, rc.right, rc.bottom - 1, m_cr3DHighLight);
        Line(pDC, rc.left + 1, rc.bottom - 2, rc.right - 1, rc.bottom - 2, m_cr3DFace);
    }
    else
    {
        Line(pDC, rc.right - 2, 1, rc.right - 2, rc.bottom - 1, m_cr3DShadow);
        Line(pDC, rc.right - 1, 0, rc.right - 1, rc.bottom - 1, m_cr3DDkShadow);
        Line(pDC, rc.right, 1, rc.right, rc.bottom - 1, m_cr3DHighLight);
    }
}

BOOL CXTPHeaderCtrlTheme::DrawItemBackgroundThemed(XTP_HEADER_DRAWITEM& item)
{
    int nState = (item.itemState & ODS_SELECTED) ? 3 : (item.itemState & ODS_HOTLIGHT) ? 2 : 1;
    return SUCCEEDED(m_themeHeader->DrawThemeBackground(item.pDC->GetSafeHdc(), 1, nState, &item.rcItem, nullptr));
}

void CXTPHeaderCtrlTheme::DrawSortArrow(XTP_HEADER_DRAWITEM& item, BOOL bAscending)
{
    // item.rcItem is the text's rectangle here.
    const CRect rcText = item.rcItem;
    int x = rcText.right + m_iArrowPadding;
    if (x < rcText.left)
        return;
    int y = rcText.top + (rcText.Height() - m_cyArrow) / 2;
    if ((item.itemState & ODS_SELECTED) && ShiftsPressed())
        x += 1;
    else
        y -= 1;
    const int w = m_cxArrow, h = m_cyArrow;
    POINT pts[3];
    pts[0] = bAscending ? POINT{x, y + h} : POINT{x, y};
    pts[1] = POINT{x + 2 * (w / 2), pts[0].y};
    pts[2] = bAscending ? POINT{x + w / 2, y} : POINT{x + w / 2, y + h};
    DrawTriangle(item.pDC, pts, bAscending);
}

void CXTPHeaderCtrlTheme::DrawTriangle(CDC* pDC, POINT pts[3], BOOL bAscending)
{
    if (bAscending)
    {
        Line(pDC, pts[2].x, pts[2].y, pts[1].x, pts[1].y, m_cr3DHighLight);
        Line(pDC, pts[1].x, pts[1].y, pts[0].x, pts[0].y, m_cr3DHighLight);
        Line(pDC, pts[0].x, pts[0].y, pts[2].x, pts[2].y, m_cr3DShadow);
    }
    else
    {
        Line(pDC, pts[2].x, pts[2].y, pts[0].x, pts[0].y, m_cr3DShadow);
        Line(pDC, pts[0].x, pts[0].y, pts[1].x, pts[1].y, m_cr3DShadow);
        Line(pDC, pts[2].x, pts[2].y, pts[1].x, pts[1].y, m_cr3DHighLight);
    }
}

void CXTPHeaderCtrlTheme::DrawItemImage(XTP_HEADER_DRAWITEM& item, int* pLeft, CXTPHeaderCtrl* pHeader)
{
    const HDITEMA& hdi = *item.pItem;
    const BOOL bPressed = (item.itemState & ODS_SELECTED) && ShiftsPressed();
    HIMAGELIST hList = nullptr;
    int nImage = 0;
    CXTPImageManagerIcon* pIcon = nullptr;
    if (hdi.fmt & HDF_BITMAP)
        hList = GetItemImageList(int(item.itemID));
    if (!hList && (hdi.fmt & HDF_IMAGE))
    {
        if (pHeader->GetImageManager())
            pIcon = pHeader->GetImageManager()->GetImage(UINT(hdi.iImage), 0);
        else
        {
            hList = HIMAGELIST(pHeader->SendMessage(HDM_GETIMAGELIST, 0, 0));
            nImage = hdi.iImage;
        }
    }
    int cx = 0, cy = 0;
    if (hList)
        ImageList_GetIconSize(hList, &cx, &cy);
    else if (pIcon)
        cx = pIcon->GetWidth(), cy = pIcon->GetHeight();
    else
        return;
    int x = *pLeft, y = item.rcItem.top + (item.rcItem.Height() - cy) / 2;
    if (bPressed)
        ++x, ++y;
    *pLeft += cx + m_sizePadding;
    if (x + cx > item.rcItem.right)
        return;
    if (hList)
        ImageList_Draw(hList, nImage, item.pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    else
        pIcon->DrawNormal(item.pDC, x, y);
}

void CXTPHeaderCtrlTheme::DrawItemText(XTP_HEADER_DRAWITEM& item, CXTPHeaderCtrl* pHeader)
{
    CDC* pDC = item.pDC;
    const HDITEMA& hdi = *item.pItem;
    const CRect rcItem = item.rcItem;
    BOOL bAscending = TRUE;
    const BOOL bSorted = pHeader->GetSortedColumn(&bAscending) == int(item.itemID);
    const BOOL bPressed = (item.itemState & ODS_SELECTED) && ShiftsPressed();

    CRect rcText(rcItem.left + m_sizePadding, rcItem.top, rcItem.right - m_sizePadding, rcItem.bottom);
    if (bSorted && (m_nDrawStyle & HDR_XTP_SORTARROW))
        rcText.right -= 2 * m_iArrowPadding + m_cxArrow;

    const char* pszText = hdi.pszText ? hdi.pszText : "";
    CSize szText(0, 0);
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), pszText, int(strlen(pszText)), &szText);

    const BOOL bHasImage = ((hdi.fmt & HDF_BITMAP) && GetItemImageList(int(item.itemID))) || (hdi.fmt & HDF_IMAGE);
    if (bHasImage)
    {
        XTP_HEADER_DRAWITEM imageItem = item;
        if (hdi.fmt & HDF_BITMAP_ON_RIGHT)
        {
            int nLeft = rcText.left + min(int(szText.cx), rcText.Width()) + m_sizePadding;
            DrawItemImage(imageItem, &nLeft, pHeader);
        }
        else
        {
            int nLeft = rcText.left;
            DrawItemImage(imageItem, &nLeft, pHeader);
            rcText.left = nLeft;
        }
    }

    CRect rcDraw = rcText;
    switch (hdi.fmt & HDF_JUSTIFYMASK)
    {
    case HDF_RIGHT:
        rcDraw.left = rcText.right - szText.cx;
        break;
    case HDF_CENTER:
        rcDraw.left = rcText.left + (rcText.Width() - szText.cx) / 2;
        break;
    default:
        break;
    }
    rcDraw.left = max(rcDraw.left, rcText.left);
    rcDraw.right = min(rcDraw.left + int(szText.cx), rcText.right);

    if ((m_nDrawStyle & HDR_XTP_SORTARROW) && bSorted)
    {
        XTP_HEADER_DRAWITEM arrow = item;
        arrow.rcItem = CRect(rcDraw.left, rcItem.top, rcDraw.right, rcItem.bottom);
        DrawSortArrow(arrow, bAscending);
    }

    if (rcDraw.Width() > 0 && *pszText)
    {
        if (bPressed)
            rcDraw.OffsetRect(1, 1);
        UINT nFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        if (m_nTextTop >= 1)
            rcDraw.top = rcItem.top + m_nTextTop + (bPressed ? 1 : 0);
        else
            nFormat |= DT_VCENTER;
        ::DrawTextA(pDC->GetSafeHdc(), pszText, -1, &rcDraw, nFormat);
    }
}

void CXTPHeaderCtrlTheme::DrawHeader(CDC* pDC, CXTPHeaderCtrl* pHeader)
{
    if (!pDC || !pHeader || !pHeader->GetSafeHwnd())
        return;
    XTP_HEADER_DRAWITEM whole;
    whole.itemAction = ODA_DRAWENTIRE;
    whole.pDC = pDC;
    pHeader->GetClientRect(&whole.rcItem);
    if (!m_bUseWinThemes || !DrawBackgroundThemed(whole))
        DrawBackground(whole);

    CFont* pFont = pHeader->GetFont();
    CFont* pOldFont = pFont ? pDC->SelectObject(pFont) : nullptr;
    pDC->SetBkColor(m_cr3DFace);
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);

    const int nCount = pHeader->GetItemCount();
    std::vector<HeaderColumn> columns(size_t(max(nCount, 0)));
    for (int i = 0; i < nCount; ++i)
    {
        HeaderColumn& col = columns[size_t(i)];
        col.nIndex = i;
        col.item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_ORDER;
        col.item.pszText = col.szText;
        col.item.cchTextMax = 255;
        if (!pHeader->GetItem(i, &col.item))
            col.item.iOrder = -1;
    }
    // Place columns by their order values; a value that is out of range or taken already keeps
    // the column at the next free place, so every column is drawn exactly once.
    std::vector<HeaderColumn*> order(size_t(max(nCount, 0)), nullptr);
    std::vector<HeaderColumn*> unplaced;
    for (HeaderColumn& col : columns)
    {
        int o = col.item.iOrder;
        if (o >= 0 && o < nCount && !order[size_t(o)])
            order[size_t(o)] = &col;
        else
            unplaced.push_back(&col);
    }
    size_t next = 0;
    for (HeaderColumn*& slot : order)
        if (!slot && next < unplaced.size())
            slot = unplaced[next++];

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pHeader->ScreenToClient(&ptCursor);
    const int nHot = (m_nDrawStyle & HDR_XTP_HOTTRACKING) ? pHeader->HitTest(ptCursor.x, ptCursor.y) : -1;

    int x = 0;
    for (HeaderColumn* pCol : order)
    {
        if (!pCol)
            continue;
        XTP_HEADER_DRAWITEM item;
        item.itemID = UINT(pCol->nIndex);
        item.pDC = pDC;
        item.pItem = &pCol->item;
        item.rcItem = CRect(x, whole.rcItem.top, x + pCol->item.cxy, whole.rcItem.bottom);
        x += pCol->item.cxy;
        if (nHot == pCol->nIndex)
            item.itemState = ODS_HOTLIGHT;
        if (pHeader->IsColumnPressed(pCol->nIndex))
            item.itemState = ODS_SELECTED;
        if (!m_bUseWinThemes || !DrawItemBackgroundThemed(item))
            DrawItemBackground(item);
        DrawItemText(item, pHeader);
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

// --- Office XP ---------------------------------------------------------------------------------

CXTPHeaderCtrlThemeOfficeXP::CXTPHeaderCtrlThemeOfficeXP()
{
    m_nTheme = 4;
    m_nDrawStyle = HDR_XTP_SORTARROW;
}

void CXTPHeaderCtrlThemeOfficeXP::DrawBackground(XTP_HEADER_DRAWITEM& item)
{
    CRect rc = item.rcItem;
    item.pDC->FillSolidRect(&rc, m_cr3DFace);
    rc.right += 2;
    item.pDC->Draw3dRect(&rc, m_cr3DHighLight, m_cr3DShadow);
}

void CXTPHeaderCtrlThemeOfficeXP::DrawItemBackground(XTP_HEADER_DRAWITEM& item)
{
    const CRect& rc = item.rcItem;
    Line(item.pDC, rc.right - 2, 2, rc.right - 2, rc.bottom - DividerBottomInset(), m_cr3DShadow);
    Line(item.pDC, rc.right - 1, 2, rc.right - 1, rc.bottom - DividerBottomInset(), m_cr3DHighLight);
}

// --- Office 2003 -------------------------------------------------------------------------------

CXTPHeaderCtrlThemeOffice2003::CXTPHeaderCtrlThemeOffice2003()
{
    m_nTheme = 5;
}

void CXTPHeaderCtrlThemeOffice2003::DrawBackground(XTP_HEADER_DRAWITEM& item)
{
    CDC* pDC = item.pDC;
    CRect rc = item.rcItem;
    pDC->FillSolidRect(&rc, m_cr3DFace);
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_cr3DHighLight, Blend(m_cr3DFace, m_cr3DShadow, 0.6));
    Line(pDC, rc.left, rc.bottom - 2, rc.right, rc.bottom - 2, Blend(m_cr3DFace, m_cr3DShadow, 0.4));
    Line(pDC, rc.left, rc.bottom - 3, rc.right, rc.bottom - 3, Blend(m_cr3DFace, m_cr3DShadow, 0.25));
}

BOOL CXTPHeaderCtrlThemeOffice2003::Layout(HDLAYOUT* pLayout, CXTPHeaderCtrl* pHeader)
{
    if (!pLayout || !pLayout->prc || !pLayout->pwpos || !pHeader || !pHeader->GetSafeHwnd())
        return FALSE;
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = nullptr;
    CFont* pFont = pHeader->GetFont();
    if (pFont)
        hOld = ::SelectObject(hDC, pFont->GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOld)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    const int nHeight = int(tm.tmHeight) + ExtraHeight();
    RECT* prc = pLayout->prc;
    WINDOWPOS* pwp = pLayout->pwpos;
    pwp->hwnd = pHeader->GetSafeHwnd();
    pwp->hwndInsertAfter = nullptr;
    pwp->x = prc->left;
    pwp->y = prc->top;
    pwp->cx = prc->right - prc->left;
    pwp->cy = nHeight;
    pwp->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    prc->top += nHeight;
    return TRUE;
}

// --- Explorer ----------------------------------------------------------------------------------

CXTPHeaderCtrlThemeExplorer::CXTPHeaderCtrlThemeExplorer()
{
    m_nTheme = 6;
    m_nDrawStyle = HDR_XTP_WINDEF | HDR_XTP_HOTTRACKING | HDR_XTP_SORTARROW;
    m_cyArrow = 4;
}

void CXTPHeaderCtrlThemeExplorer::DrawBackground(XTP_HEADER_DRAWITEM& item)
{
    CXTPHeaderCtrlThemeOfficeXP::DrawBackground(item);
}

void CXTPHeaderCtrlThemeExplorer::DrawTriangle(CDC* pDC, POINT pts[3], BOOL /*bAscending*/)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(172, 168, 153));
    CBrush brush;
    brush.CreateSolidBrush(RGB(172, 168, 153));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    int nOldMode = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
    pDC->Polygon(pts, 3);
    ::SetPolyFillMode(pDC->GetSafeHdc(), nOldMode);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

// --- Resource ----------------------------------------------------------------------------------

CXTPHeaderCtrlThemeResource::CXTPHeaderCtrlThemeResource()
{
    m_nTheme = 7;
    m_cyArrow = 4;
}

BOOL CXTPHeaderCtrlThemeResource::HasThemeImages()
{
    return GetResourceImages()->IsLoaded();
}

void CXTPHeaderCtrlThemeResource::RefreshMetrics(CXTPHeaderCtrl* pHeader)
{
    CXTPHeaderCtrlTheme::RefreshMetrics(pHeader);
    m_grcNormalColumn.SetStandardValue(m_cr3DFace);
    m_grcPressedColumn.SetStandardValue(m_cr3DFace);
    if (!HasThemeImages())
        return;
    CXTPResourceImages* pImages = GetResourceImages();
    m_crText = pImages->GetImageColor("ReportControl", "HeaderText", ::GetSysColor(COLOR_BTNTEXT));
    m_cr3DShadow = pImages->GetImageColor("ReportControl", "ColumnSeparator", m_crText);
    m_cr3DDkShadow = pImages->GetImageColor("ReportControl", "ColumnShadow", m_crText);
    m_grcNormalColumn.SetStandardValues(pImages->GetImageColor("ReportControl", "NormalColumnLight", m_cr3DFace),
                                        pImages->GetImageColor("ReportControl", "NormalColumnDark", m_cr3DFace), 0.5f);
    m_grcPressedColumn.SetStandardValues(pImages->GetImageColor("ReportControl", "PressedColumnLight", m_cr3DFace),
                                         pImages->GetImageColor("ReportControl", "PressedColumnDark", m_cr3DFace), 0.5f);
}

void CXTPHeaderCtrlThemeResource::DrawBackground(XTP_HEADER_DRAWITEM& item)
{
    if (!HasThemeImages())
    {
        CXTPHeaderCtrlThemeOfficeXP::DrawBackground(item);
        return;
    }
    CRect rc = item.rcItem;
    rc.right += 2;
    GetDrawHelpers()->GradientFillColorGradient(item.pDC, &rc, m_grcNormalColumn, FALSE);
    Line(item.pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_cr3DDkShadow);
}

void CXTPHeaderCtrlThemeResource::DrawItemBackground(XTP_HEADER_DRAWITEM& item)
{
    if (!HasThemeImages())
    {
        CXTPHeaderCtrlThemeOfficeXP::DrawItemBackground(item);
        return;
    }
    CRect rc = item.rcItem;
    rc.left += 1;
    if (item.itemState & ODS_SELECTED)
    {
        GetDrawHelpers()->GradientFillColorGradient(item.pDC, &rc, m_grcPressedColumn, FALSE);
        Line(item.pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_cr3DDkShadow);
    }
    Line(item.pDC, rc.right, 2, rc.right, rc.bottom - 3, m_cr3DShadow);
}

void CXTPHeaderCtrlThemeResource::DrawTriangle(CDC* pDC, POINT pts[3], BOOL bAscending)
{
    if (!HasThemeImages())
    {
        CXTPHeaderCtrlTheme::DrawTriangle(pDC, pts, bAscending);
        return;
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_cr3DShadow);
    CBrush brush;
    brush.CreateSolidBrush(m_cr3DShadow);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}
