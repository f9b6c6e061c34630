#include "toolkit/commandbars/controls/XTPControlLabel.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/text/XTPMarkupServices.h"

IMPLEMENT_SERIAL(CXTPControlLabel, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)
IMPLEMENT_SERIAL(CXTPControlBitmap, CXTPControlLabel, XTP_CONTROL_CLASS_SCHEMA)
IMPLEMENT_SERIAL(CXTPControlMarkupLabel, CXTPControlLabel, XTP_CONTROL_CLASS_SCHEMA)

CXTPControlLabel::CXTPControlLabel()
{
    m_controlType = xtpControlLabel;
    m_dwFlags = kLabelFlags;
}

// ---------------------------------------------------------------- bitmap

CXTPImageManagerIcon* CXTPControlBitmap::GetLargestIcon() const
{
    CXTPImageManager* pImageManager = GetImageManager();
    CXTPImageManagerIconSet* pIconSet = pImageManager ? pImageManager->GetIconSet(GetIconId()) : nullptr;
    return pIconSet ? pIconSet->GetIcon(1) : nullptr; // width 1: the largest icon of the set
}

CSize CXTPControlBitmap::GetSize(CDC* /*pDC*/)
{
    CXTPImageManagerIcon* pIcon = GetLargestIcon();
    return pIcon ? CSize(pIcon->GetWidth(), pIcon->GetHeight()) : CSize(0, 0);
}

void CXTPControlBitmap::Draw(CDC* pDC)
{
    CXTPImageManagerIcon* pIcon = GetLargestIcon();
    if (!pDC || !pIcon)
        return;
    const CRect rc = GetRect();
    pIcon->DrawNormal(pDC, rc.left, rc.top);
}

// ---------------------------------------------------------------- mark-up label

CXTPControlMarkupLabel::~CXTPControlMarkupLabel()
{
    ReleaseElement();
}

void CXTPControlMarkupLabel::ReleaseElement()
{
    MarkupReleaseElement(m_pMarkupUIElement);
    MarkupReleaseContext(m_pMarkupContext);
}

void CXTPControlMarkupLabel::OnCaptionChanged()
{
    ReleaseElement();
    m_pMarkupContext = MarkupCreateContext(nullptr);
    if (!m_pMarkupContext)
        return;
    m_pMarkupUIElement = MarkupParseText(m_pMarkupContext, GetCaption());
    if (!m_pMarkupUIElement)
        MarkupReleaseContext(m_pMarkupContext); // plain text: drawn as a plain label
}

void CXTPControlMarkupLabel::PrepareFont(COLORREF clrText)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    HFONT hFont = pPaintManager ? static_cast<HFONT>(pPaintManager->GetRegularFont()->GetSafeHandle())
                                : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    MarkupSetDefaultFont(m_pMarkupContext, hFont, clrText);
}

CSize CXTPControlMarkupLabel::GetSize(CDC* pDC)
{
    if (!m_pMarkupUIElement)
        return CXTPControlLabel::GetSize(pDC);
    PrepareFont(COLORREF(-1));
    const SIZE sz = MarkupMeasureElement(m_pMarkupUIElement, 0x7FFFFFFF, 0x7FFFFFFF);
    return CSize(sz.cx, sz.cy);
}

void CXTPControlMarkupLabel::Draw(CDC* pDC)
{
    if (!m_pMarkupUIElement)
    {
        CXTPControlLabel::Draw(pDC);
        return;
    }
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pDC)
        return;
    PrepareFont(pPaintManager ? pPaintManager->GetControlTextColor(this) : ::GetSysColor(COLOR_BTNTEXT));
    const CRect rc = GetRect();
    MarkupRenderElement(m_pMarkupUIElement, pDC->GetSafeHdc(), &rc);
}
