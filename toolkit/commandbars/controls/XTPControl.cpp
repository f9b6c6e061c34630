#include "toolkit/commandbars/controls/XTPControl.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_SERIAL(CXTPControl, CCmdTarget, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
BSTR ToBstr(const CString& str)
{
    int n = MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), nullptr, 0);
    BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (b && n)
        MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), b, n);
    return b;
}

} // namespace

// The document-template maps are stored like the options' command sets in their INI form: a
// subsection named by the key holding the count ("Count") and one "Item%i" value per id, numbered
// from 0, in every store (registry, INI file and archive alike).
void ExchangeDocTemplates(CXTPPropExchange* pPX, LPCSTR lpszKey, CXTPControl::CDocTemplateMap& map)
{
    // Named stores skip an empty map; an archive is a sequence and always holds it.
    if (!pPX->IsLoading() && map.GetCount() == 0 && pPX->HasNamedValues())
        return;
    CXTPPropExchange* pSection = pPX->GetSection(lpszKey);
    if (!pSection)
        return;
    XTPExchangeIdSetItems(pSection, map);
    pSection->InternalRelease();
}

int XTPSplitCommandString(const CString& str, CString* pParts)
{
    int nCount = 0, nStart = 0;
    while (nCount < 4)
    {
        int nPos = str.Find('\n', nStart);
        pParts[nCount++] = nPos < 0 ? str.Mid(nStart) : str.Mid(nStart, nPos - nStart);
        if (nPos < 0)
            break;
        nStart = nPos + 1;
    }
    return nCount;
}

BOOL XTPApplyCommandPrompt(LPCSTR lpszPrompt, CString& strDescription, CString& strTooltip,
                           CString& strKeyboardTip, CString& strCaptionPart)
{
    const CString str(lpszPrompt ? lpszPrompt : "");
    strCaptionPart.Empty();
    if (str.Find('\n') < 0)
    {
        strDescription = str;
        strTooltip = str;
        return FALSE;
    }
    CString parts[4];
    const int nCount = XTPSplitCommandString(str, parts);
    strDescription = parts[0];
    strTooltip = nCount > 1 ? parts[1] : CString();
    if (nCount > 2)
        strCaptionPart = parts[2];
    if (strKeyboardTip.IsEmpty() && nCount > 3)
        strKeyboardTip = parts[3];
    return TRUE;
}

// ---------------------------------------------------------------- document-template maps

void CXTPControl::CDocTemplateMap::Copy(const CDocTemplateMap& src)
{
    RemoveAll();
    POSITION pos = src.GetStartPosition();
    while (pos)
    {
        UINT nId = 0;
        int nValue = 0;
        src.GetNextAssoc(pos, nId, nValue);
        SetAt(nId, nValue);
    }
}

BOOL CXTPControl::CDocTemplateMap::IsEqual(const CDocTemplateMap& other) const
{
    if (GetCount() != other.GetCount())
        return FALSE;
    POSITION pos = GetStartPosition();
    while (pos)
    {
        UINT nId = 0;
        int nValue = 0, nOther = 0;
        GetNextAssoc(pos, nId, nValue);
        if (!other.Lookup(nId, nOther))
            return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------- control

CXTPControl::CXTPControl() = default;

CXTPControl::~CXTPControl()
{
    if (m_pAction)
        m_pAction->DetachControl(this);
}

void CXTPControl::SetPrompt(LPCSTR lpszPrompt)
{
    CString strCaptionPart;
    if (!XTPApplyCommandPrompt(lpszPrompt, m_strDescriptionText, m_strTooltipText, m_strKeyboardTip,
                               strCaptionPart) ||
        !m_strCaption.IsEmpty())
        return;
    // Without a caption part the tooltip names the command.
    m_strCaption = strCaptionPart.IsEmpty() ? m_strTooltipText : strCaptionPart;
    OnCaptionChanged();
}

void CXTPControl::SetID(int nId)
{
    if (nId != m_nId && nId > 0)
    {
        CString str;
        if (GetResourceManager()->LoadString(&str, static_cast<UINT>(nId)) && !str.IsEmpty())
            SetPrompt(str);
    }
    m_nId = nId;
}

void CXTPControl::SetCaption(LPCSTR lpszCaption)
{
    CString str(lpszCaption ? lpszCaption : "");
    CString strShortcut = m_strShortcutTextAuto;
    int nTab = str.Find('\t');
    if (nTab >= 0)
    {
        strShortcut = str.Mid(nTab + 1);
        str = str.Left(nTab);
    }
    BOOL bCaptionChanged = str != m_strCaption;
    BOOL bShortcutChanged = strShortcut != m_strShortcutTextAuto;
    m_strCaption = str;
    m_strShortcutTextAuto = strShortcut;
    if (bCaptionChanged)
        OnCaptionChanged();
    if (bCaptionChanged || bShortcutChanged)
        DelayLayoutParent();
}

void CXTPControl::SetCaptionFromResource(UINT nId)
{
    CString str;
    if (GetResourceManager()->LoadString(&str, nId))
        SetCaption(str);
}

CString CXTPControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    return m_pAction ? m_pAction->GetCaption() : CString();
}

CString CXTPControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty() || !m_pAction)
        return m_strDescriptionText;
    return m_pAction->GetDescription();
}

CString CXTPControl::GetTooltip(LPPOINT, LPRECT, int*) const
{
    if (!m_strTooltipText.IsEmpty() || !m_pAction)
        return m_strTooltipText;
    return m_pAction->GetTooltip();
}

CString CXTPControl::GetShortcutText() const
{
    const CString strOwn = GetOwnShortcutText();
    return strOwn.IsEmpty() ? m_strShortcutTextAuto : strOwn;
}

CString CXTPControl::GetOwnShortcutText() const
{
    if (!m_strShortcutText.IsEmpty() || !m_pAction)
        return m_strShortcutText;
    return m_pAction->GetShortcutText();
}

CString CXTPControl::GetKeyboardTip() const
{
    if (!m_strKeyboardTip.IsEmpty() || !m_pAction)
        return m_strKeyboardTip;
    return m_pAction->GetKeyboardTip();
}

int CXTPControl::GetIconId() const
{
    if (m_nCustomIconId > 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction)
        return m_pAction->GetIconId();
    return m_nId;
}

BOOL CXTPControl::GetEnabled() const
{
    if (m_pParent)
    {
        int nForced = m_pParent->IsControlEnabled(this);
        if (nForced != -1)
            return nForced;
    }
    if (m_bEnabled != -1)
        return m_bEnabled;
    return m_pAction ? m_pAction->GetEnabled() : TRUE;
}

BOOL CXTPControl::GetChecked() const
{
    if (m_bChecked != -1)
        return m_bChecked;
    return m_pAction ? m_pAction->GetChecked() : FALSE;
}

int CXTPControl::GetStyle() const
{
    if (m_buttonCustomStyle != -1)
        return m_buttonCustomStyle;
    if (m_buttonStyle != 0)
        return m_buttonStyle;
    if (m_buttonPresetStyle != 0)
        return m_buttonPresetStyle;
    return m_pParent ? m_pParent->GetDefaultButtonStyle() : 0;
}

void CXTPControl::SetStyle(int nStyle)
{
    if (m_buttonStyle != nStyle)
    {
        m_buttonStyle = nStyle;
        DelayLayoutParent();
    }
}

void CXTPControl::SetBeginGroup(BOOL bBeginGroup)
{
    if (m_bBeginGroup != bBeginGroup)
    {
        m_bBeginGroup = bBeginGroup;
        DelayLayoutParent();
    }
}

void CXTPControl::SetWidth(int nWidth)
{
    if (m_nWidth != nWidth)
    {
        m_nWidth = nWidth;
        DelayLayoutParent();
    }
}

void CXTPControl::SetHeight(int nHeight)
{
    if (m_nHeight != nHeight)
    {
        m_nHeight = nHeight;
        DelayLayoutParent();
    }
}

void CXTPControl::SetDefaultItem(BOOL bDefault)
{
    if (m_bDefaultItem != bDefault)
    {
        m_bDefaultItem = bDefault;
        DelayLayoutParent();
    }
}

void CXTPControl::SetVisible(BOOL bVisible)
{
    int dwFlags = bVisible ? (m_dwHideFlags & ~xtpHideGeneric) : (m_dwHideFlags | xtpHideGeneric);
    if (dwFlags != m_dwHideFlags)
    {
        SetHideFlags(dwFlags);
        DelayLayoutParent();
    }
}

void CXTPControl::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled != bEnabled)
    {
        m_bEnabled = bEnabled;
        OnEnabledChanged();
        RedrawParent();
    }
}

void CXTPControl::SetChecked(BOOL bChecked)
{
    if (m_bChecked != bChecked)
    {
        m_bChecked = bChecked;
        RedrawParent();
    }
}

void CXTPControl::SetHideFlags(int dwFlags)
{
    m_dwHideFlags = dwFlags;
}

void CXTPControl::SetRect(CRect rcControl)
{
    m_rcControl = rcControl;
}

BOOL CXTPControl::IsVisible(DWORD dwSkipFlags) const
{
    if (m_pAction && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~static_cast<int>(dwSkipFlags)) == 0;
}

void CXTPControl::DelayLayoutParent()
{
    if (m_pParent)
        m_pParent->DelayLayout();
}

BOOL CXTPControl::RedrawParent(BOOL bAnimate)
{
    if (IsVisible() && m_pParent)
        return m_pParent->Redraw(&m_rcControl, bAnimate);
    return IsVisible();
}

CXTPCommandBars* CXTPControl::GetCommandBars() const
{
    if (m_pParent)
        return m_pParent->GetCommandBars();
    return m_pControls ? m_pControls->GetCommandBars() : nullptr;
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    if (m_pParent)
        return m_pParent->GetPaintManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        return pCommandBars->GetPaintManager();
    return CXTPPaintManager::GetGlobal();
}

BOOL CXTPControl::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

CSize CXTPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CXTPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

CXTPImageManager* CXTPControl::GetImageManager() const
{
    CXTPImageManager* pImageManager = nullptr;
    if (m_pParent)
        pImageManager = m_pParent->GetImageManager();
    else if (GetCommandBars())
        pImageManager = GetCommandBars()->GetImageManager();
    return pImageManager ? pImageManager : ::GetImageManager();
}

CXTPImageManagerIcon* CXTPControl::GetImage(int nWidth) const
{
    int nIconId = GetIconId();
    if (nIconId <= 0)
        return nullptr;
    return GetImageManager()->GetImage(static_cast<UINT>(nIconId), nWidth);
}

CSize CXTPControl::GetIconSize() const
{
    if (m_szIcon.cx > 0 && m_szIcon.cy > 0)
        return m_szIcon;
    return m_pParent ? m_pParent->GetIconSize() : CSize(16, 16);
}

CSize CXTPControl::GetButtonSize() const
{
    return m_pParent ? m_pParent->GetButtonSize() : CSize(23, 22);
}

BOOL CXTPControl::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->IsPopupType())
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle())
    {
    case xtpButtonCaption:
    case xtpButtonIconAndCaption:
    case xtpButtonIconAndCaptionBelow:
    case xtpButtonCaptionAndDescription:
        return TRUE;
    case xtpButtonIcon:
        return FALSE;
    default:
        break;
    }
    if (ShowsPictureOrCaption())
        return GetImage(0) == nullptr;
    switch (m_controlType)
    {
    case xtpControlPopup:
    case xtpControlLabel:
    case xtpControlCheckBox:
    case xtpControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CXTPControl::ShowsPictureOrCaption() const
{
    switch (m_controlType)
    {
    case xtpControlButton:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CXTPControl::IsImageVisible() const
{
    if (m_pParent && m_pParent->IsPopupType())
        return GetImage(0) != nullptr;
    int nStyle = GetStyle();
    // With no style, a button that shows its caption only when it has no picture shows the
    // picture when it has one; otherwise it would show neither.
    if (nStyle == xtpButtonAutomatic)
        return ShowsPictureOrCaption() && GetImage(0) != nullptr;
    return (nStyle == xtpButtonIcon || nStyle == xtpButtonIconAndCaption) && GetImage(0) != nullptr;
}

LRESULT CXTPControl::NotifySite(UINT nCode)
{
    return NotifySiteWithData(nCode, nullptr);
}

LRESULT CXTPControl::NotifySiteWithData(UINT nCode, NMHDR* pData)
{
    if (!m_pParent)
        return 0;
    CWnd* pOwner = m_pParent->GetOwnerSite();
    if (!pOwner || !pOwner->GetSafeHwnd())
        return 0;
    // A caller's record begins with an NMXTPCONTROL; it is sent in place of the plain one.
    NMXTPCONTROL nmPlain = {};
    NMXTPCONTROL& nm = pData ? *reinterpret_cast<NMXTPCONTROL*>(pData) : nmPlain;
    nm.hdr.hwndFrom = nullptr;
    nm.hdr.idFrom = static_cast<UINT_PTR>(m_nId);
    nm.hdr.code = nCode;
    nm.pControl = this;
    LRESULT lResult = ::SendMessageA(pOwner->GetSafeHwnd(), XTP_WM_CONTROL_NOTIFY, static_cast<WPARAM>(m_nId),
                                     reinterpret_cast<LPARAM>(&nm));
    if (lResult)
        return lResult;
    AFX_NOTIFY notify = {&lResult, &nm.hdr};
    CWnd* pPermanent = CWnd::FromHandlePermanent(pOwner->GetSafeHwnd());
    if (pPermanent && pPermanent->OnCmdMsg(static_cast<UINT>(m_nId), MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return lResult;
    return 0;
}

void CXTPControl::SendExecuteCommand(CXTPCommandBar* pParent, int nId)
{
    CWnd* pOwner = pParent ? pParent->GetOwnerSite() : nullptr;
    if (NotifySite(XTP_CN_EXECUTE) == 0 && pOwner && pOwner->GetSafeHwnd())
        ::SendMessageA(pOwner->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(nId), 0);
}

void CXTPControl::OnExecute()
{
    // Ending tracking may free this control (its popup closes): keep a reference and the id.
    InternalAddRef();
    int nId = m_nId;
    CXTPCommandBar* pParent = m_pParent;
    GetMenuSoundPlayer()->Play(CXTPMenuSoundPlayer::xtpSoundMenuCommand);
    if (pParent && !pParent->IsPopupType())
        m_bPressed = 2;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (nId && pCommandBars)
        pCommandBars->SetCommandUsed(nId);

    if (pParent && pParent->m_pReturnCmd)
    {
        UINT* pReturn = pParent->m_pReturnCmd;
        XTPMouseManager()->SendTrackLostAll();
        *pReturn = static_cast<UINT>(nId);
        InternalRelease();
        return;
    }
    if (m_bCloseSubMenuOnClick)
        XTPMouseManager()->SendTrackLostAll();

    if (nId)
    {
        SendExecuteCommand(pParent, nId);
        if (!m_bCloseSubMenuOnClick || m_bPressed)
        {
            m_bPressed = 0;
            RedrawParent(FALSE);
        }
    }
    InternalRelease();
}

BOOL CXTPControl::OnSetSelected(int bSelected)
{
    if (bSelected == m_bSelected)
        return FALSE;
    m_bSelected = bSelected;
    if (!GetEnabled() && bSelected == 1)
        return TRUE;
    RedrawParent(!bSelected);
    return TRUE;
}

BOOL CXTPControl::OnLButtonDown(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

BOOL CXTPControl::OnLButtonDblClk(CPoint point)
{
    return OnLButtonDown(point);
}

void CXTPControl::OnMouseHover()
{
}

BOOL CXTPControl::IsCustomizeMovable() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->m_bAllowMoveAllControls)
        return TRUE;
    return (!m_pParent || m_pParent->IsCustomizable()) && !(m_dwFlags & xtpFlagNoMovable);
}

BOOL CXTPControl::SetAction(CXTPControlAction* pAction)
{
    if (pAction == m_pAction)
        return FALSE;
    if (m_pAction)
        m_pAction->DetachControl(this);
    if (pAction)
        pAction->AttachControl(this);
    return TRUE;
}

void CXTPControl::OnRemoved()
{
    if (m_pAction)
        m_pAction->DetachControl(this);
}

void CXTPControl::OnActionChanged(int nProperty)
{
    if (nProperty == xtpActionPropertyCaption)
        OnCaptionChanged();
    else if (nProperty == xtpActionPropertyEnabled)
        OnEnabledChanged();
}

BOOL CXTPControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == 1 && nCode == -2)
    {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------- copy, compare, clone

void CXTPControl::Copy(CXTPControl* pSrc, BOOL /*bRecursive*/)
{
    if (!pSrc || pSrc == this)
        return;
    m_nId = pSrc->m_nId;
    SetAction(pSrc->m_pAction);
    m_nTag = pSrc->m_nTag;
    m_dwFlags = pSrc->m_dwFlags;
    m_controlType = pSrc->m_controlType;
    m_strCaption = pSrc->m_strCaption;
    m_strCustomCaption = pSrc->m_strCustomCaption;
    m_strShortcutText = pSrc->m_strShortcutText;
    m_strShortcutTextAuto = pSrc->m_strShortcutTextAuto;
    m_strTooltipText = pSrc->m_strTooltipText;
    m_strDescriptionText = pSrc->m_strDescriptionText;
    m_strParameter = pSrc->m_strParameter;
    m_strKeyboardTip = pSrc->m_strKeyboardTip;
    m_nCustomIconId = pSrc->m_nCustomIconId;
    m_nIconId = pSrc->m_nIconId;
    m_nHelpId = pSrc->m_nHelpId;
    m_bTemporary = pSrc->m_bTemporary;
    m_strCategory = pSrc->m_strCategory;
    m_dwHideFlags = pSrc->m_dwHideFlags & ~0x2E;
    m_bDefaultItem = pSrc->m_bDefaultItem;
    m_bEnabled = pSrc->m_bEnabled;
    m_bChecked = pSrc->m_bChecked;
    m_buttonCustomStyle = pSrc->m_buttonCustomStyle;
    m_buttonStyle = pSrc->m_buttonStyle;
    int nMinWidth = GetCustomizeMinWidth();
    m_nWidth = pSrc->m_nWidth < nMinWidth ? nMinWidth : pSrc->m_nWidth;
    m_nHeight = pSrc->m_nHeight;
    m_szIcon = pSrc->m_szIcon;
    m_bBeginGroup = pSrc->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSrc->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pSrc->m_nExecuteOnPressInterval;
    m_mapDocTemplatesAssigned.Copy(pSrc->m_mapDocTemplatesAssigned);
    m_mapDocTemplatesExcluded.Copy(pSrc->m_mapDocTemplatesExcluded);
    OnCaptionChanged();
}

BOOL CXTPControl::Compare(CXTPControl* pOther)
{
    if (!pOther)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType && m_nId == pOther->m_nId &&
           m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_buttonCustomStyle == pOther->m_buttonCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & xtpHideCustomize) == (pOther->m_dwHideFlags & xtpHideCustomize) &&
           m_nWidth == pOther->m_nWidth;
}

CXTPControl* CXTPControl::Clone(BOOL bRecursive)
{
    CXTPControl* pControl = static_cast<CXTPControl*>(GetRuntimeClass()->CreateObject());
    if (pControl)
        pControl->Copy(this, bRecursive);
    return pControl;
}

// ---------------------------------------------------------------- persistence

void CXTPControl::DoPropExchange(CXTPPropExchange* pPX)
{
    const int nSchema = pPX->m_nSchema;
    ExchangeIntProperty(pPX, "Type", m_controlType, xtpControlButton);
    int nId = m_nId;
    ExchangeIntProperty(pPX, "Id", nId, -1);
    if (pPX->IsLoading())
    {
        m_nId = nId;
        CXTPCommandBars* pCommandBars = pPX->GetCommandBars() ? pPX->GetCommandBars() : GetCommandBars();
        if (pCommandBars && pCommandBars->GetActions())
        {
            CXTPControlAction* pAction = pCommandBars->GetActions()->FindAction(nId);
            if (pAction)
                SetAction(pAction);
        }
    }
    ExchangeIntProperty(pPX, "IconId", m_nIconId, 0);
    ExchangeBoolProperty(pPX, "BeginGroup", m_bBeginGroup, FALSE);
    DWORD dwTag = static_cast<DWORD>(m_nTag);
    ExchangeIntProperty(pPX, "Tag", dwTag, 0);
    if (pPX->IsLoading())
        m_nTag = dwTag;
    ExchangeIntProperty(pPX, "Flags", m_dwFlags, 0);
    ExchangeIntProperty(pPX, "HideFlags", m_dwHideFlags, 0);
    ExchangeStringProperty(pPX, "Caption", m_strCaption, "");
    ExchangeStringProperty(pPX, "ShortcutText", m_strShortcutText, "");
    ExchangeStringProperty(pPX, "TooltipText", m_strTooltipText, "");
    ExchangeStringProperty(pPX, "DescriptionText", m_strDescriptionText, "");
    ExchangeStringProperty(pPX, "Parameter", m_strParameter, "");
    ExchangeIntProperty(pPX, "CustomIconId", m_nCustomIconId, 0);
    ExchangeStringProperty(pPX, "CustomCaption", m_strCustomCaption, "");
    if (nSchema > 1)
        ExchangeStringProperty(pPX, "Category", m_strCategory, "");
    if (nSchema > 3)
    {
        ExchangeDocTemplates(pPX, "DocTemplatesExcluded", m_mapDocTemplatesExcluded);
        ExchangeDocTemplates(pPX, "DocTemplatesAssigned", m_mapDocTemplatesAssigned);
        ExchangeBoolProperty(pPX, "DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        ExchangeBoolProperty(pPX, "CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7)
    {
        ExchangeIntProperty(pPX, "CustomStyle", m_buttonCustomStyle, -1);
        if (pPX->IsLoading() && nSchema < 18 && m_buttonCustomStyle == 0)
            m_buttonCustomStyle = -1;
    }
    if (nSchema > 16)
        ExchangeIntProperty(pPX, "HelpId", m_nHelpId, 0);
    if (nSchema > 17)
        ExchangeIntProperty(pPX, "Style", m_buttonStyle, 0);
    if (nSchema > 18)
    {
        ExchangeIntProperty(pPX, "Width", m_nWidth, 0);
        ExchangeIntProperty(pPX, "Height", m_nHeight, 0);
        ExchangeIntProperty(pPX, "ExecuteOnPressInterval", m_nExecuteOnPressInterval, 0);
    }
    if (nSchema > 22)
        ExchangeStringProperty(pPX, "ShortcutTextAuto", m_strShortcutTextAuto, "");
    if (nSchema > 23)
        ExchangeStringProperty(pPX, "KeyboardTip", m_strKeyboardTip, "");
    if (nSchema > 25)
    {
        SIZE sz = m_szIcon;
        ExchangeSizeProperty(pPX, "IconSize", sz, SIZE{0, 0});
        m_szIcon = sz;
    }
    if (pPX->IsLoading())
        OnCaptionChanged();
}

// ---------------------------------------------------------------- accessibility

CString CXTPControl::StripAccessKeys(const CString& strCaption)
{
    CString str;
    for (int i = 0; i < strCaption.GetLength(); ++i)
    {
        char ch = strCaption[i];
        if (ch == '&')
        {
            if (i + 1 < strCaption.GetLength() && strCaption[i + 1] == '&')
            {
                str += '&';
                ++i;
            }
            continue;
        }
        str += ch;
    }
    return str;
}

CString CXTPControl::GetAccessKey(const CString& strCaption)
{
    for (int i = 0; i + 1 < strCaption.GetLength(); ++i)
    {
        if (strCaption[i] != '&')
            continue;
        if (strCaption[i + 1] == '&')
        {
            ++i; // a literal ampersand, no access key
            continue;
        }
        return strCaption.Mid(i + 1, 1);
    }
    return CString();
}

BSTR CXTPControl::AllocAccessibleString(const CString& str)
{
    return ToBstr(str);
}

HRESULT CXTPControl::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pszName)
        return E_INVALIDARG;
    CString str = StripAccessKeys(GetCaption());
    CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        str += "\t" + strShortcut;
    if (str.IsEmpty())
        str = GetTooltip();
    *pszName = ToBstr(str);
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pszDescription)
        return E_INVALIDARG;
    *pszDescription = ToBstr(GetDescription());
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pvarRole)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    if (m_pParent && (m_pParent->GetType() == xtpBarTypeNormal || m_pParent->GetType() == 3))
        pvarRole->lVal = GetCommandBar() ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pvarState)
        return E_INVALIDARG;
    LONG lState = STATE_SYSTEM_FOCUSABLE;
    if (GetSelected())
        lState |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;
    if (!IsVisible() || (m_pParent && m_pParent->GetSafeHwnd() && !::IsWindowVisible(m_pParent->GetSafeHwnd())))
        lState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        lState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        lState |= STATE_SYSTEM_CHECKED;
    if (GetPressed())
        lState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar())
        lState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = lState;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pszKeyboardShortcut)
        return E_INVALIDARG;
    *pszKeyboardShortcut = ToBstr(GetAccessKey(GetCaption()));
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || !pszDefaultAction)
        return E_INVALIDARG;
    *pszDefaultAction = ToBstr("Click");
    return S_OK;
}

namespace
{
BOOL IsSelfChild(const VARIANT& varChild)
{
    return varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF;
}
} // namespace

HRESULT CXTPControl::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (!m_pParent)
        return S_FALSE;
    IAccessible* pParent = m_pParent->GetAccessibleObject();
    pParent->AddRef();
    *ppdispParent = pParent;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = GetCommandBar() ? 1 : 0;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    CXTPCommandBar* pCommandBar = GetCommandBar();
    if (varChild.vt != VT_I4 || varChild.lVal != 1 || !pCommandBar)
        return E_INVALIDARG;
    IAccessible* pChild = pCommandBar->GetAccessibleObject();
    pChild->AddRef();
    *ppdispChild = pChild;
    return S_OK;
}

HRESULT CXTPControl::AccessibleSelect(long /*flagsSelect*/, VARIANT varChild)
{
    if (!IsSelfChild(varChild))
        return E_INVALIDARG;
    if (!m_pParent)
        return S_FALSE;
    m_pParent->SetTrackingMode(TRUE, FALSE, TRUE);
    m_pParent->SetSelected(m_nIndex, TRUE);
    return S_OK;
}

HRESULT CXTPControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                        VARIANT varChild)
{
    if (!IsSelfChild(varChild) || !pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    HWND hWndParent = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndParent)
        return S_FALSE; // no window to place the rectangle in
    POINT pt = {m_rcControl.left, m_rcControl.top};
    ::ClientToScreen(hWndParent, &pt);
    *pxLeft = pt.x;
    *pyTop = pt.y;
    *pcxWidth = m_rcControl.Width();
    *pcyHeight = m_rcControl.Height();
    return S_OK;
}

HRESULT CXTPControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    HWND hWndParent = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndParent)
        return S_FALSE;
    RECT rcWindow;
    POINT pt = {xLeft, yTop};
    if (!::GetWindowRect(hWndParent, &rcWindow) || !::PtInRect(&rcWindow, pt))
        return S_FALSE;
    ::ScreenToClient(hWndParent, &pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

HRESULT CXTPControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (!IsSelfChild(varChild))
        return E_INVALIDARG;
    OnClick(TRUE);
    return S_OK;
}
