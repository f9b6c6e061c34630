#include "ui/controls/StaticField.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/TimeUtilities.h"
#include "framework/DC.h"
#include "framework/MessageMap.h"
#include "ui/UiMessageIds.h"
#include "ui/controls/ClipboardAndHelp.h"

// ---------------------------------------------------------------- mouse timer

CStaticFieldMouseTimer::CStaticFieldMouseTimer(CStaticField* owner) : m_owner(owner)
{
    SetInterval(kInterval);
}

CStaticFieldMouseTimer::~CStaticFieldMouseTimer() = default;

long long CStaticFieldMouseTimer::Now()
{
    return GetCurrentFileTime();
}

POINT CStaticFieldMouseTimer::CursorPosition()
{
    POINT point = {0, 0};
    ::GetCursorPos(&point);
    return point;
}

void CStaticFieldMouseTimer::Request(POINT point)
{
    if (m_owner && m_owner->m_hWnd)
        ::PostMessageA(m_owner->m_hWnd, WM_QVX_FIELD_SHOW_TOOLTIP, 0,
                       MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

void CStaticFieldMouseTimer::OnTimer()
{
    if (!m_owner || !m_owner->IsTooltipEnabled())
        return;
    const POINT point = CursorPosition();
    if (!m_tracking)
    {
        m_tracking = true;
        m_start = Now();
        m_last = point;
        return;
    }
    if (point.x == m_last.x && point.y == m_last.y)
    {
        if (ElapsedMilliseconds(m_start, Now()) < kRestMs)
            return;
        Request(point);
    }
    m_tracking = false;
    m_start = Now();
    m_last = {0, 0};
}

// ---------------------------------------------------------------- field

BEGIN_MESSAGE_MAP(CStaticField, CEdit)
ON_WM_PAINT()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_CTLCOLOR_REFLECT()
ON_MESSAGE(WM_QVX_FIELD_SHOW_TOOLTIP, OnShowTooltipRequest)
END_MESSAGE_MAP()

CStaticField::CStaticField()
    : m_background(::GetSysColor(COLOR_BTNFACE)), m_faceName("MS Shell Dlg"), m_timer(this)
{
    m_backgroundBrush = ::CreateSolidBrush(m_background);
    m_focusBrush = ::CreateSolidBrush(m_focusColour);
    m_metrics.tmHeight = 13;
}

CStaticField::~CStaticField()
{
    m_timer.Shutdown();
    ReleaseFieldDC();
    if (m_backgroundBrush)
        ::DeleteObject(m_backgroundBrush);
    if (m_focusBrush)
        ::DeleteObject(m_focusBrush);
    if (m_tooltip.m_hWnd)
        m_tooltip.DestroyWindow();
}

void CStaticField::EnsureTooltip()
{
    if (m_tooltipMade || !m_hWnd)
        return;
    m_tooltipMade = true;
    m_tooltip.SetParentWindow(this);
    m_tooltip.Create();
    m_timer.Disarm();
}

void CStaticField::SetText(const char* text)
{
    m_text = text ? text : "";
    EnsureTooltip();
    m_tooltip.ClearLines();
    m_tooltip.AddText(m_text);
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    SendMessage(EM_SETREADONLY, TRUE);
    ::SetWindowTextA(m_hWnd, m_text.GetAnsi());
}

void CStaticField::SetFieldFont(CFont* font)
{
    if (!font)
        return;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), TRUE);
    m_externalFont = true;
    m_fontKnown = true;
}

HBRUSH CStaticField::CtlColor(CDC* pDC, UINT)
{
    if (!m_backgroundBrush || !m_focusBrush || !pDC)
        return nullptr;
    const bool focused = m_focusColouring && m_hWnd && ::GetFocus() == m_hWnd;
    ::SetBkColor(pDC->GetSafeHdc(), focused ? m_focusColour : m_background);
    ::SetTextColor(pDC->GetSafeHdc(), m_textColour);
    AdoptDCFont(pDC);
    return focused ? m_focusBrush : m_backgroundBrush;
}

void CStaticField::AdoptDCFont(CDC* pDC)
{
    if (m_fontKnown)
        return;
    HDC dc = pDC->GetSafeHdc();
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    if (m_faceName.CompareNoCaseAnsi(face) == 0)
        return;
    TEXTMETRICA metrics = {};
    if (!::GetTextMetricsA(dc, &metrics))
        return;
    if ((metrics.tmPitchAndFamily & TMPF_TRUETYPE) || (!m_trueTypeOnly && (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH)))
    {
        m_metrics = metrics;
        m_faceName = face;
        m_fontKnown = true;
    }
}

CDravikString CStaticField::DisplayTextOf(const CDravikString& text)
{
    std::string out;
    CDravikString copy(text);
    const char* ansi = copy.GetAnsi();
    for (int i = 0; ansi && i < copy.GetLength(); ++i)
    {
        const char c = (ansi[i] == '\r' || ansi[i] == '\n') ? ' ' : ansi[i];
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return CDravikString(out.c_str());
}

bool CStaticField::SelectFieldFont()
{
    if (!m_dc || (!m_fontKnown && !m_externalFont))
        return false;
    RestoreFieldFont();
    HFONT font = nullptr;
    if (m_externalFont)
        font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    else
    {
        m_font = ::CreateFontA(m_metrics.tmHeight, 0, 0, 0, m_metrics.tmWeight, m_metrics.tmItalic,
                               m_metrics.tmUnderlined, m_metrics.tmStruckOut, m_metrics.tmCharSet, 0, 0,
                               CLEARTYPE_QUALITY, m_metrics.tmPitchAndFamily, m_faceName.GetAnsi());
        font = m_font;
    }
    if (!font)
        return false;
    m_previousFont = ::SelectObject(m_dc, font);
    ::SetBkColor(m_dc, m_background);
    return true;
}

void CStaticField::RestoreFieldFont()
{
    if (m_dc && m_previousFont)
        ::SelectObject(m_dc, m_previousFont);
    m_previousFont = nullptr;
    if (m_font)
        ::DeleteObject(m_font);
    m_font = nullptr;
}

bool CStaticField::PrepareDC()
{
    ReleaseFieldDC();
    if (!m_hWnd)
        return false;
    m_dc = ::GetDC(m_hWnd);
    if (!m_dc)
        return false;
    SelectFieldFont();
    return true;
}

void CStaticField::ReleaseFieldDC()
{
    if (!m_dc)
        return;
    RestoreFieldFont();
    ::ReleaseDC(m_hWnd, m_dc);
    m_dc = nullptr;
}

bool CStaticField::Fits(const CDravikString& text)
{
    CDravikString copy(text);
    if (!m_dc || copy.IsEmpty() || !m_fontKnown)
        return true;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_dc, copy.GetAnsi(), copy.GetLength(), &size);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return size.cx <= (client.right - client.left) - 10;
}

int CStaticField::CharsToDrop()
{
    CDravikString rest = GetDisplayText();
    int dropped = 0;
    while (!rest.IsEmpty() && !Fits(rest))
    {
        rest = rest.GetLength() > 1 ? rest.SubString(1) : CDravikString();
        ++dropped;
    }
    return dropped;
}

CDravikString CStaticField::ShortenedText()
{
    m_shortened = false;
    CDravikString text = GetDisplayText();
    if (m_firstVisible >= 1 && m_firstVisible < text.GetLength())
        text = text.SubString(m_firstVisible);
    if (Fits(text))
        return text;
    CDravikString dotted;
    do
    {
        const int length = text.GetLength();
        text = length > 1 ? text.SubString(0, length - 2) : CDravikString();
        dotted = text;
        dotted += "...";
    } while (!text.IsEmpty() && !Fits(dotted));
    m_shortened = true;
    return dotted;
}

void CStaticField::OnPaint()
{
    ::HideCaret(m_hWnd);
    EnsureTooltip();
    if (!m_noShortening && PrepareDC())
    {
        CDravikString shown = ShortenedText();
        char current[4096] = {};
        ::GetWindowTextA(m_hWnd, current, sizeof current);
        if (std::strcmp(current, shown.GetAnsi()) != 0)
            ::SetWindowTextA(m_hWnd, shown.GetAnsi());
        ReleaseFieldDC();
    }
    Default();
    // The first WM_CTLCOLOR brings the dialog's font; paint again until it came, a bounded number of times.
    if (!m_fontKnown && m_fontRepaints < kMaxFontRepaints)
    {
        ++m_fontRepaints;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

void CStaticField::ResetHoverWatch()
{
    if (m_tooltip.IsShown())
        m_tooltip.Show(false);
    m_timer.Arm();
    m_lastMouse = {0, 0};
}

void CStaticField::OnKeyDown(UINT nChar, UINT, UINT)
{
    ResetHoverWatch();
    if (m_keyboardScrolling)
    {
        bool overflows = false;
        if (PrepareDC())
        {
            overflows = !Fits(GetDisplayText());
            if (overflows)
            {
                const int drop = CharsToDrop();
                const int before = m_firstVisible;
                if (nChar == VK_END)
                    m_firstVisible = drop;
                else if (nChar == VK_HOME)
                    m_firstVisible = 0;
                else if (nChar == VK_LEFT && m_firstVisible > 0)
                    --m_firstVisible;
                else if (nChar == VK_RIGHT && m_firstVisible < drop)
                    ++m_firstVisible;
                if (before != m_firstVisible)
                    ::InvalidateRect(m_hWnd, nullptr, TRUE);
            }
            ReleaseFieldDC();
        }
    }
    Default();
}

void CStaticField::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (m_tooltipEnabled.load())
        m_timer.Arm();
}

void CStaticField::OnKillFocus(CWnd* pNewWnd)
{
    if (!pNewWnd || pNewWnd->m_hWnd != m_tooltip.m_hWnd)
    {
        if (m_tooltip.IsShown())
            m_tooltip.Show(false);
        m_timer.Disarm();
        m_lastMouse = {0, 0};
    }
    Default();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CStaticField::OnMouseMove(UINT, CPoint point)
{
    if (point.x != m_lastMouse.x || point.y != m_lastMouse.y)
        ResetHoverWatch();
    Default();
    ::HideCaret(m_hWnd);
}

void CStaticField::ButtonEvent()
{
    ResetHoverWatch();
    Default();
    ::HideCaret(m_hWnd);
}

void CStaticField::OnLButtonDown(UINT, CPoint)
{
    ButtonEvent();
}

void CStaticField::OnLButtonUp(UINT, CPoint)
{
    ButtonEvent();
}

void CStaticField::OnRButtonDown(UINT, CPoint)
{
    ButtonEvent();
}

void CStaticField::OnRButtonUp(UINT, CPoint)
{
    ButtonEvent();
}

void CStaticField::OnLButtonDblClk(UINT, CPoint)
{
    SetFocus();
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
    CopyTextToClipboard(m_hWnd, GetDisplayText());
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CStaticField::OnShowTooltipRequest(WPARAM, LPARAM lParam)
{
    if (m_tooltip.IsShown() || !m_shortened || ::GetFocus() != m_hWnd)
        return 0;
    POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT client = screen;
    ::ScreenToClient(m_hWnd, &client);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    if (!::PtInRect(&rect, client))
        return 0;
    m_lastMouse = client;
    ShowTooltip(screen);
    return 0;
}

bool CStaticField::ShowTooltip(POINT screenPoint)
{
    m_timer.Disarm();
    if (m_text.IsEmpty())
        return false;
    if (m_tooltip.IsShown())
        m_tooltip.Show(false);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    POINT bottom = {0, client.bottom};
    ::ClientToScreen(m_hWnd, &bottom);
    POINT anchor = {screenPoint.x, bottom.y};
    return m_tooltip.ShowAt(anchor, false);
}
