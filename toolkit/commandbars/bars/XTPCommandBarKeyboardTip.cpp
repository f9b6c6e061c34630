#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"

#include <string>

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// Second characters taken when the caption offers none: digits first, then letters.
const char kSpareKeys[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The key character of a caption starting at nIndex: one character, or two when it is the lead
// byte of a double-byte character.
CString KeyAt(const CString& strCaption, int nIndex)
{
    if (nIndex < 0 || nIndex >= strCaption.GetLength())
        return CString();
    const int nBytes =
        ::IsDBCSLeadByte(static_cast<BYTE>(strCaption[nIndex])) && nIndex + 1 < strCaption.GetLength() ? 2 : 1;
    return strCaption.Mid(nIndex, nBytes);
}

// The first character of the caption's access key: after the first "&" not followed by another.
int AccessKeyIndex(const CString& strCaption)
{
    for (int i = 0; i + 1 < strCaption.GetLength(); ++i)
    {
        if (strCaption[i] != '&')
            continue;
        if (strCaption[i + 1] == '&')
        {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

BOOL IsUsed(const std::string& used, char ch)
{
    return used.find(ch) != std::string::npos;
}

// The second character for a one-character key, added to the used set.
char ChooseSecondKey(const CString& strCaption, char chKey, std::string& used)
{
    const int nLength = strCaption.GetLength();
    for (int i = 0; i + 1 < nLength; ++i)
    {
        if (strCaption[i] == ' ' && !IsUsed(used, strCaption[i + 1]))
            return strCaption[i + 1];
    }
    int nStart = nLength > 0 && strCaption[0] == '&' ? 1 : 0;
    if (nStart < nLength && strCaption[nStart] == chKey)
        ++nStart;
    for (int i = nStart; i < nLength; ++i)
    {
        if (!IsUsed(used, strCaption[i]))
            return strCaption[i];
    }
    // A counter of digits would repeat from the tenth tip on: take the next spare key still free.
    for (const char* p = kSpareKeys; *p; ++p)
    {
        if (!IsUsed(used, *p))
            return *p;
    }
    return 0;
}
} // namespace

CXTPCommandBarKeyboardTip::CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pObject,
                                                     LPCSTR lpszCaption, CPoint pt, int nAlign, BOOL bEnabled)
    : m_strCaption(lpszCaption ? lpszCaption : ""), m_pOwner(pObject), m_pt(pt), m_bEnabled(bEnabled),
      m_pCommandBars(pCommandBars), m_nAlign(nAlign)
{
}

CXTPCommandBarKeyboardTip::~CXTPCommandBarKeyboardTip()
{
    DestroyWindow();
}

CXTPControl* CXTPCommandBarKeyboardTip::GetControl() const
{
    return dynamic_cast<CXTPControl*>(m_pOwner);
}

CXTPCommandBar* CXTPCommandBarKeyboardTip::GetCommandBar() const
{
    return dynamic_cast<CXTPCommandBar*>(m_pOwner);
}

BOOL CXTPCommandBarKeyboardTip::CreateTipWindow(CWnd* pOwner, const CRect& rc, BOOL bLayered)
{
    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW));
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0);
    return CreateEx(dwExStyle, lpszClass, m_strTip, WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                    pOwner ? pOwner->GetSafeHwnd() : nullptr, nullptr);
}

LRESULT CXTPCommandBarKeyboardTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks go to what lies below
    case WM_ERASEBKGND:
        return TRUE; // the paint covers the client
    case WM_PAINT:
    {
        CPaintDC dc(this);
        CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : nullptr;
        if (pPaintManager)
            pPaintManager->DrawKeyboardTip(&dc, this, FALSE);
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void XTPAssignKeyboardTipKeys(CXTPKeyboardTipArray& arrTips)
{
    for (INT_PTR i = arrTips.GetSize() - 1; i >= 0; --i)
    {
        CXTPCommandBarKeyboardTip* pTip = arrTips[i];
        if (!pTip->m_strTip.IsEmpty())
        {
            pTip->m_bExplicit = TRUE;
            continue;
        }
        if (pTip->m_strCaption.IsEmpty())
        {
            arrTips.RemoveAt(i);
            delete pTip;
            continue;
        }
        pTip->m_strCaption.MakeUpper();
        if (!pTip->m_strPrefix.IsEmpty())
        {
            pTip->m_strTip = pTip->m_strPrefix;
            continue;
        }
        const int nAccess = AccessKeyIndex(pTip->m_strCaption);
        pTip->m_strTip = KeyAt(pTip->m_strCaption, nAccess >= 0 ? nAccess : 0);
    }

    for (INT_PTR i = 0; i < arrTips.GetSize(); ++i)
    {
        const CString strFirst = arrTips[i]->m_strTip.Left(1);
        if (strFirst.IsEmpty())
            continue;
        CXTPKeyboardTipArray group;
        std::string used = "& ";
        for (INT_PTR j = i; j < arrTips.GetSize(); ++j)
        {
            CXTPCommandBarKeyboardTip* pTip = arrTips[j];
            if (pTip->m_strTip.Left(1) != strFirst)
                continue;
            group.Add(pTip);
            if (pTip->m_strTip.GetLength() == 2)
                used += pTip->m_strTip[1];
        }
        if (group.GetSize() < 2)
            continue;
        for (INT_PTR j = 0; j < group.GetSize(); ++j)
        {
            CXTPCommandBarKeyboardTip* pTip = group[j];
            if (pTip->m_strTip.GetLength() != 1)
                continue;
            const char chSecond = ChooseSecondKey(pTip->m_strCaption, pTip->m_strTip[0], used);
            if (!chSecond)
                continue;
            pTip->m_strTip += chSecond;
            used += chSecond;
        }
    }
}

CRect XTPKeyboardTipRect(CPoint ptAnchor, CSize szText, int nAlign, BOOL bRightToLeft)
{
    const int cx = szText.cx + 6 < 16 ? 16 : szText.cx + 6;
    const int cy = szText.cy + 2 < 15 ? 15 : szText.cy + 2;
    int x = ptAnchor.x, y = ptAnchor.y;
    if (nAlign & xtpKeyboardTipAlignCenterX)
        x -= cx / 2;
    else if (bRightToLeft || (nAlign & xtpKeyboardTipAlignRight))
        x -= cx;
    if (nAlign & xtpKeyboardTipAlignCenterY)
        y -= cy / 2;
    else if (nAlign & xtpKeyboardTipAlignBottom)
        y -= cy;
    return CRect(x, y, x + cx, y + cy);
}
