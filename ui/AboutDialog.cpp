#include "AboutDialog.h"

#include "DC.h"
#include "MessageMap.h"
#include "VersionInfo.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CUnitTestNonResizableDialog)
ON_WM_PAINT()
ON_COMMAND(QVX_ID_HELP, OnHelp)
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

void CAboutDialog::PaintBanner()
{
    if (!m_banner.m_hWnd)
        return;
    CDC* dc = m_banner.GetDC();
    if (dc)
    {
        RECT client;
        m_banner.GetClientRect(&client);
        HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
        if (memory)
        {
            HGDIOBJ previous = m_bannerBitmap.GetSafeHandle()
                                   ? ::SelectObject(memory, m_bannerBitmap.GetSafeHandle())
                                   : nullptr;
            if (previous)
            {
                ::BitBlt(dc->GetSafeHdc(), 0, 0, client.right - client.left, client.bottom - client.top,
                         memory, 0, 0, SRCCOPY);
                ::SelectObject(memory, previous);
            }
            ::DeleteDC(memory);
        }
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
