// CAboutDialog: the modal about box (template 3000): a 550 x 60 banner picture across its top, the program's
// version, a line of text, OK and a Help button that opens the help file at the about topic.
#pragma once

#include "framework/GdiObject.h"
#include "framework/StdControls.h"
#include "ui/UiResourceIds.h"
#include "ui/dialogs/UnitTestNonResizableDialog.h"

class CAboutDialog : public CUnitTestNonResizableDialog
{
public:
    static constexpr UINT kTemplateId = IDD_ABOUT;
    static constexpr UINT kBannerBitmapId = IDB_ABOUT_BANNER;
    static constexpr UINT kVersionFieldId = IDC_ABOUT_VERSION;
    // The banner's own child id: not 1, which is the OK button's (a second child with id 1 would make the
    // dialog manager's lookup of the default button depend on the window order).
    static constexpr UINT kBannerId = IDC_ABOUT_BANNER;
    static constexpr int kBannerWidth = 550;
    static constexpr int kBannerHeight = 60;
    static constexpr UINT kHelpContext = QVX_HELP_ABOUT;

    explicit CAboutDialog(CWnd* pParentWnd = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The banner child window at (0, 0)-(550, 60); TRUE when it was created.
    BOOL CreateBanner();
    // Copies the banner bitmap into the banner window and validates it.
    void PaintBanner();
    // Copies width x height pixels of the banner bitmap to (0, 0) of dc; FALSE without a bitmap.
    BOOL DrawBanner(HDC dc, int width, int height);
    // The program's version text for the version field.
    static CString GetVersionText();

    CWnd& GetBanner() { return m_banner; }
    CBitmap& GetBannerBitmap() { return m_bannerBitmap; }
    CStatic& GetVersionField() { return m_version; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    CStatic m_version;
    CBitmap m_bannerBitmap;
    CWnd m_banner;
};
