// The Luna, rich-edit and markup kinds of the owner-drawn tooltip window.
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <cstring>

// ---- Luna

void CXTPToolTipContext::CLunaToolTip::DrawBackground(CDC* pDC, const CRect& rcClient)
{
    const int nTheme = GetColorManager()->GetCurrentSystemTheme();
    if (nTheme >= 1 && nTheme <= 5)
    {
        GetDrawHelpers()->GradientFill(pDC, rcClient, 0x97D4FF, 0xC8F2FF, FALSE);
        COLORREF clrFrame = nTheme == 2 ? 0x385D3F : nTheme == 3 ? 0x6F4B4B : 0x800000;
        pDC->Draw3dRect(rcClient, clrFrame, clrFrame);
    }
    else
    {
        GetDrawHelpers()->GradientFill(pDC, rcClient, m_pContext->GetTipBkColor(), RGB(0xFF, 0xFF, 0xFF), FALSE);
        pDC->Draw3dRect(rcClient, 0, 0);
    }
    pDC->SetTextColor(m_pContext->GetTipTextColor());
}

// ---- rich edit

CXTPToolTipContext::CRichEditToolTip::CRichEditToolTip(CXTPToolTipContext* pContext)
    : CXTPToolTipContextToolTip(pContext)
{
}

CSize CXTPToolTipContext::CRichEditToolTip::CalcTipSize(TOOLITEM* pTool, CDC* pDC)
{
    if (!m_render.IsAvailable())
        return CSize(0, 0);
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);

    CHARFORMATW cf;
    std::memset(&cf, 0, sizeof(cf));
    cf.cbSize = sizeof(CHARFORMATW);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_COLOR; // 0x4000001F
    cf.crTextColor = m_pContext->GetTipTextColor();
    CFont* pFont = m_pContext->GetFont();
    if (pFont && pFont->GetSafeHandle())
    {
        LOGFONTA lf = {};
        pFont->GetLogFont(&lf);
        cf.dwMask |= CFM_SIZE | CFM_FACE; // 0xA0000000
        cf.yHeight = -::MulDiv(lf.lfHeight, 1440, pDC->GetDeviceCaps(LOGPIXELSY));
        cf.bCharSet = lf.lfCharSet;
        ::MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, cf.szFaceName, LF_FACESIZE);
        cf.szFaceName[LF_FACESIZE - 1] = 0;
    }
    m_render.SetDefaultCharFormat(&cf);
    m_render.SetText(nullptr);
    m_render.SetText(strText);

    const CRect rcMargin = m_pContext->GetMargin();
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth == -1)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    CSize sz = m_render.GetTextExtent(pDC, nMaxWidth - rcMargin.left - rcMargin.right - 6);
    if (sz.cx <= 0 || sz.cy <= 0)
        return CSize(0, 0);
    return CSize(sz.cx + rcMargin.left + rcMargin.right + 6, sz.cy + rcMargin.top + rcMargin.bottom + 6);
}

void CXTPToolTipContext::CRichEditToolTip::DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM*)
{
    m_render.DrawText(pDC, GetContentRect(rcClient));
}

// ---- markup

CXTPToolTipContext::CMarkupToolTip::CMarkupToolTip(CXTPToolTipContext* pContext)
    : CXTPToolTipContextToolTip(pContext)
{
    m_pMarkupContext = MarkupCreateContext(nullptr);
}

CXTPToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    MarkupReleaseElement(m_pElement);
    MarkupReleaseContext(m_pMarkupContext);
}

CSize CXTPToolTipContext::CMarkupToolTip::CalcTipSize(TOOLITEM* pTool, CDC* pDC)
{
    MarkupReleaseElement(m_pElement);
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    MarkupSetDefaultFont(m_pMarkupContext, static_cast<HFONT>(m_pContext->GetFont()->GetSafeHandle()),
                         m_pContext->GetTipTextColor());
    m_pElement = MarkupParseText(m_pMarkupContext, strText);
    if (!m_pElement)
        return CXTPToolTipContextToolTip::CalcTipSize(pTool, pDC); // not markup: plain text

    const CRect rcMargin = m_pContext->GetMargin();
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth == -1)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    SIZE sz = MarkupMeasureElement(m_pElement, nMaxWidth - rcMargin.left - rcMargin.right - 6, 0x7FFFFFFF);
    return CSize(sz.cx + rcMargin.left + rcMargin.right + 6, sz.cy + rcMargin.top + rcMargin.bottom + 6);
}

void CXTPToolTipContext::CMarkupToolTip::DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool)
{
    if (!m_pElement)
    {
        CXTPToolTipContextToolTip::DrawTip(pDC, rcClient, pTool);
        return;
    }
    CRect rc = GetContentRect(rcClient);
    MarkupRenderElement(m_pElement, pDC->GetSafeHdc(), &rc);
}
