#include "ui/controls/InterimToolbar.h"

#include <algorithm>

#include "framework/AppGlobals.h"
#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"
#include "framework/MessageMap.h"

namespace
{
// The pixels above and below the buttons inside the bar.
const int kBarPadding = 2;
// The padding inside each button (horizontal, vertical).
const int kButtonPaddingX = 6;
const int kButtonPaddingY = 6;

// The update state of one tool bar button: enable and check go to the button.
class CToolbarButtonCmdUI : public CCmdUI
{
public:
    CToolbarButtonCmdUI(HWND toolbar, UINT id) : m_toolbar(toolbar) { m_nID = id; }
    void Enable(BOOL bOn) override
    {
        ::SendMessageA(m_toolbar, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override
    {
        ::SendMessageA(m_toolbar, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0 ? TRUE : FALSE, 0));
    }
    void SetText(LPCSTR) override {}

private:
    HWND m_toolbar;
};

std::string LoadText(UINT id)
{
    char buffer[512] = {};
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}
} // namespace

BEGIN_MESSAGE_MAP(CInterimToolbar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CInterimToolbar::~CInterimToolbar()
{
    if (m_hWnd)
        DestroyWindow();
    DestroyImages();
}

void CInterimToolbar::DestroyImages()
{
    for (HIMAGELIST& images : m_images)
    {
        if (images)
            ImageList_Destroy(images);
        images = nullptr;
    }
}

bool CInterimToolbar::ReadToolbarResource(HINSTANCE instance, UINT toolbarId, std::vector<UINT>& items,
                                          SIZE& button)
{
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(toolbarId), MAKEINTRESOURCEA(kResourceType));
    if (!found)
        return false;
    const DWORD bytes = ::SizeofResource(instance, found);
    HGLOBAL loaded = ::LoadResource(instance, found);
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!words || bytes < 4 * sizeof(WORD) || words[0] != 1)
        return false;
    const size_t count = words[3];
    if (bytes < (4 + count) * sizeof(WORD) || words[1] == 0 || words[2] == 0)
        return false;
    button.cx = words[1];
    button.cy = words[2];
    items.assign(words + 4, words + 4 + count);
    return true;
}

HIMAGELIST CInterimToolbar::LoadStrip(HINSTANCE instance, UINT bitmapId) const
{
    HBITMAP strip = static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return nullptr;
    BITMAP info = {};
    ::GetObjectA(strip, sizeof info, &info);
    const int width = info.bmWidth, height = info.bmHeight;
    const int cellWidth = m_button.cx;
    if (width < cellWidth || height < 1)
    {
        ::DeleteObject(strip);
        return nullptr;
    }

    // The pixels as 32-bit top-down rows.
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, strip, 0, height, pixels.data(), &header, DIB_RGB_COLORS);
    ::DeleteObject(strip);
    if (rows != height)
    {
        ::ReleaseDC(nullptr, screen);
        return nullptr;
    }

    // Each image's background is the colour of its top-left pixel wherever it reaches the image's edge
    // (flooded from the edge, so the same colour inside a picture stays opaque).
    std::vector<bool> transparent(pixels.size(), false);
    for (int cell = 0; cell + cellWidth <= width; cell += cellWidth)
    {
        const DWORD background = pixels[cell] & 0xFFFFFF;
        std::vector<POINT> pending;
        auto visit = [&](int x, int y) {
            if (x < cell || x >= cell + cellWidth || y < 0 || y >= height)
                return;
            const size_t at = static_cast<size_t>(y) * width + x;
            if (transparent[at] || (pixels[at] & 0xFFFFFF) != background)
                return;
            transparent[at] = true;
            pending.push_back({x, y});
        };
        for (int x = cell; x < cell + cellWidth; ++x)
        {
            visit(x, 0);
            visit(x, height - 1);
        }
        for (int y = 0; y < height; ++y)
        {
            visit(cell, y);
            visit(cell + cellWidth - 1, y);
        }
        while (!pending.empty())
        {
            const POINT p = pending.back();
            pending.pop_back();
            visit(p.x + 1, p.y);
            visit(p.x - 1, p.y);
            visit(p.x, p.y + 1);
            visit(p.x, p.y - 1);
        }
    }

    // Colour image with black where transparent, monochrome mask with 1 where transparent.
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(maskStride) * height, 0);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const size_t at = static_cast<size_t>(y) * width + x;
            if (!transparent[at])
                continue;
            pixels[at] = 0;
            maskBits[static_cast<size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    void* colourBits = nullptr;
    HBITMAP colour = ::CreateDIBSection(screen, &header, DIB_RGB_COLORS, &colourBits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, maskBits.data());
    HIMAGELIST images = nullptr;
    if (colour && colourBits && mask)
    {
        memcpy(colourBits, pixels.data(), pixels.size() * sizeof(DWORD));
        images = ImageList_Create(cellWidth, height, ILC_COLOR24 | ILC_MASK, width / cellWidth, 0);
        if (images && ImageList_Add(images, colour, mask) < 0)
        {
            ImageList_Destroy(images);
            images = nullptr;
        }
    }
    if (colour)
        ::DeleteObject(colour);
    if (mask)
        ::DeleteObject(mask);
    return images;
}

BOOL CInterimToolbar::Create(CWnd* pParent, UINT toolbarId, UINT bitmapNormal, UINT bitmapDisabled,
                             UINT bitmapHot, UINT barId)
{
    if (!pParent || !pParent->m_hWnd || m_hWnd)
        return FALSE;
    HINSTANCE instance = AfxGetResourceHandle();
    if (!ReadToolbarResource(instance, toolbarId, m_items, m_button))
        return FALSE;

    AfxInitCommonControls();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                        TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    RECT start = {0, 0, 0, 0};
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, start, pParent, barId))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    // Tooltips also while another program is active (as the toolkit's command bars show them).
    if (HWND tips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)))
        ::SetWindowLongPtrA(tips, GWL_STYLE, ::GetWindowLongPtrA(tips, GWL_STYLE) | TTS_ALWAYSTIP);

    const UINT strips[3] = {bitmapNormal, bitmapDisabled, bitmapHot};
    const UINT setters[3] = {TB_SETIMAGELIST, TB_SETDISABLEDIMAGELIST, TB_SETHOTIMAGELIST};
    DestroyImages();
    for (int i = 0; i < 3; ++i)
    {
        m_images[i] = LoadStrip(instance, strips[i]);
        if (m_images[i])
            SendMessage(setters[i], 0, reinterpret_cast<LPARAM>(m_images[i]));
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(m_button.cx, m_button.cy));
    // Tighter than the default padding, so that the captioned buttons fit the main dialog's smallest width.
    SendMessage(TB_SETPADDING, 0, MAKELPARAM(kButtonPaddingX, kButtonPaddingY));

    // One image per button, in the order of the buttons.
    m_texts.clear();
    // The buttons point at the captions until TB_ADDBUTTONS has copied them: no reallocation meanwhile.
    m_texts.reserve(m_items.size());
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : m_items)
    {
        TBBUTTON button = {};
        if (id == 0)
        {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = 6;
        }
        else
        {
            const std::string text = LoadText(id);
            const size_t lineFeed = text.find('\n');
            m_texts.push_back({id, text.substr(0, lineFeed),
                               lineFeed == std::string::npos ? std::string() : text.substr(lineFeed + 1)});
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
            // The caption is the button's string: shown beside the image once ShowButtonText asks for it.
            button.iString = reinterpret_cast<INT_PTR>(m_texts.back().caption.c_str());
        }
        buttons.push_back(button);
    }
    if (!buttons.empty())
        SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(TB_AUTOSIZE);
    return TRUE;
}

BOOL CInterimToolbar::ShowButtonText(UINT commandId)
{
    if (!m_hWnd)
        return FALSE;
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    if (SendMessage(TB_GETBUTTONINFOA, commandId, reinterpret_cast<LPARAM>(&info)) < 0)
        return FALSE;
    info.fsStyle |= BTNS_SHOWTEXT;
    if (!SendMessage(TB_SETBUTTONINFOA, commandId, reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    SendMessage(TB_AUTOSIZE);
    return TRUE;
}

void CInterimToolbar::UpdateButtons(CCmdTarget* target)
{
    if (!m_hWnd || !target)
        return;
    for (UINT id : m_items)
    {
        if (id == 0)
            continue;
        CToolbarButtonCmdUI state(m_hWnd, id);
        // A button whose command has neither an update handler nor a command handler is disabled.
        state.DoUpdate(target, TRUE);
    }
}

const CInterimToolbar::CCommandText* CInterimToolbar::FindText(UINT commandId) const
{
    for (const CCommandText& text : m_texts)
    {
        if (text.id == commandId)
            return &text;
    }
    return nullptr;
}

std::string CInterimToolbar::GetCaption(UINT commandId) const
{
    const CCommandText* text = FindText(commandId);
    return text ? text->caption : std::string();
}

std::string CInterimToolbar::GetTooltip(UINT commandId) const
{
    const CCommandText* text = FindText(commandId);
    return text ? text->tooltip : std::string();
}

int CInterimToolbar::GetBarHeight() const
{
    if (!m_hWnd)
        return 0;
    // The buttons wrap onto further rows when the bar is narrower than they are: the bar is as high as its
    // lowest button.
    const LRESULT size = ::SendMessageA(m_hWnd, TB_GETBUTTONSIZE, 0, 0);
    int bottom = std::max<int>(HIWORD(size), m_button.cy);
    const int count = static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        RECT item = {};
        if (::SendMessageA(m_hWnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
            bottom = std::max<int>(bottom, item.bottom);
    }
    return bottom + 2 * kBarPadding;
}

LRESULT CInterimToolbar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout || !(GetStyle() & WS_VISIBLE))
        return 0;
    // The wrapping of the buttons depends on the width: take the new width first, then measure.
    RECT bar = layout->rect;
    RECT current;
    GetWindowRect(&current);
    if (current.right - current.left != bar.right - bar.left)
    {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, bar.right - bar.left, current.bottom - current.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessage(TB_AUTOSIZE);
    }
    const int height = GetBarHeight();
    bar.bottom = bar.top + height;
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &bar);
    layout->rect.top += height;
    layout->sizeTotal.cy += height;
    layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, bar.right - bar.left);
    return 0;
}

LRESULT CInterimToolbar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    HWND parent = ::GetParent(m_hWnd);
    if (CWnd* owner = parent ? CWnd::FromHandlePermanent(parent) : nullptr)
        UpdateButtons(owner);
    return 0;
}

BOOL CInterimToolbar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && lParam)
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_hWnd && header->code == TBN_GETINFOTIPA)
        {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(lParam);
            const std::string text = GetTooltip(static_cast<UINT>(tip->iItem));
            if (tip->pszText && tip->cchTextMax > 0 && !text.empty())
                lstrcpynA(tip->pszText, text.c_str(), tip->cchTextMax);
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
        if (header->hwndFrom == m_hWnd && header->code == TBN_GETINFOTIPW)
        {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(lParam);
            const std::string text = GetTooltip(static_cast<UINT>(tip->iItem));
            if (tip->pszText && tip->cchTextMax > 0 && !text.empty())
                ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, tip->pszText, tip->cchTextMax);
            if (tip->pszText && tip->cchTextMax > 0)
                tip->pszText[tip->cchTextMax - 1] = L'\0';
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
