#include "PopupBarSupport.h"

#include "toolkit/commandbars/controls/XTPControls.h"

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

void SendKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
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

CXTPControlPopup* AddSubMenu(CXTPPopupBar* pParent, const std::vector<int>& ids)
{
    CXTPControlPopup* pSub = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pParent->GetControls()->Add(pSub, 402);
    pSub->SetCaption("More");
    CXTPPopupBar* pSubBar = MakePopup(ids);
    pSub->SetCommandBar(pSubBar);
    pSubBar->InternalRelease();
    return pSub;
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
