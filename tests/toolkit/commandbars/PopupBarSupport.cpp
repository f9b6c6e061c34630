#include "PopupBarSupport.h"

#include "toolkit/commandbars/XTPControls.h"

namespace cb_popup_test
{
void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CXTPPopupBar* MakePopup(const std::vector<int>& ids)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    for (int nId : ids)
    {
        CXTPControl* pControl = pPopup->GetControls()->Add(new CXTPControlButton(), nId);
        CString strCaption;
        strCaption.Format("Item %d", nId);
        pControl->SetCaption(strCaption);
    }
    return pPopup;
}

CXTPControlPopup* PopupFixture::AddPopup(int nType, const std::vector<int>& ids, const char* caption)
{
    CXTPControlPopup* pControl = CXTPControlPopup::CreateControlPopup(nType);
    bar.GetControls()->Add(pControl, 200 + bar.GetControlCount());
    pControl->SetCaption(caption);
    pControl->SetStyle(xtpButtonCaption);
    CXTPPopupBar* pPopup = MakePopup(ids);
    pControl->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    bar.OnRecalcLayout();
    return pControl;
}
} // namespace cb_popup_test
