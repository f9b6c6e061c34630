#include "ui/AboutDialog.h"

#include "framework/DC.h"
#include "framework/MessageMap.h"
#include "ui/UiResourceIds.h"
#include "foundation/VersionInfo.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CUnitTestNonResizableDialog)
ON_WM_PAINT()
ON_COMMAND(ID_HELP_COMMAND, OnHelp)
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog(CWnd* pParentWnd) : CUnitTestNonResizableDialog(kTemplateId, pParentWnd) {}

void CAboutDialog::DoDataExchange(CDataExchange* pDX)
{
    CUnitTestNonResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kVersionFieldId, m_version);
}

CString CAboutDialog::GetVersionText()
{
    CVersionInfo version(nullptr);
    CDravikString text = version.GetFileVersionText();
    const char* ansi = text.GetAnsi();
    return CString(ansi && *ansi ? ansi : "");
}

BOOL CAboutDialog::OnInitDialog()
{
    BOOL result = CUnitTestNonResizableDialog::OnInitDialog();
    CString version = GetVersionText();
    if (!version.IsEmpty() && m_version.m_hWnd)
        m_version.SetWindowText(version);
    if (m_pOwnerDialog)
    {
        m_bannerBitmap.DeleteObject();
        if (m_bannerBitmap.LoadBitmap(kBannerBitmapId))
            CreateBanner();
    }
    return result;
}

BOOL CAboutDialog::CreateBanner()
{
    if (!m_hWnd || m_banner.m_hWnd)
        return FALSE;
    RECT rect = {0, 0, kBannerWidth, kBannerHeight};
    return m_banner.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, rect, this, kBannerId);
}

BOOL CAboutDialog::DrawBanner(HDC dc, int width, int height)
{
    if (!dc || !m_bannerBitmap.GetSafeHandle())
        return FALSE;
    HDC memory = ::CreateCompatibleDC(dc);
    if (!memory)
        return FALSE;
    HGDIOBJ previous = ::SelectObject(memory, m_bannerBitmap.GetSafeHandle());
    BOOL copied = previous && ::BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    if (previous)
        ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return copied;
}

void CAboutDialog::PaintBanner()
{
    if (!m_banner.m_hWnd)
        return;
    if (CDC* dc = m_banner.GetDC())
    {
        RECT client;
        m_banner.GetClientRect(&client);
        DrawBanner(dc->GetSafeHdc(), client.right - client.left, client.bottom - client.top);
        m_banner.ReleaseDC(dc);
    }
    m_banner.ValidateRect(nullptr);
}

void CAboutDialog::OnPaint()
{
    CUnitTestNonResizableDialog::OnPaint();
    PaintBanner();
}

void CAboutDialog::OnHelp()
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->ShowHelpTopic(kHelpContext);
}
