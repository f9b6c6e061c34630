// The command bars' resources as the executable carries them: the window-button bitmap and the
// strings of the toolbar buttons, the window menu and the system commands.
#include "toolkit/common/XTPResourceIds.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace
{
std::string LoadText(UINT nId)
{
    char sz[256] = {};
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), nId, sz, sizeof(sz));
    return std::string(sz, n > 0 ? n : 0);
}
} // namespace

TEST(CommandBarsResources, WindowButtonBitmapHoldsFourKeyedGlyphs)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TK_MDI_BUTTONS), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(hBitmap, nullptr);
    BITMAP bm = {};
    ASSERT_EQ(static_cast<int>(sizeof(bm)), ::GetObjectA(hBitmap, sizeof(bm), &bm));
    EXPECT_EQ(64, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);

    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const COLORREF key = RGB(255, 0, 255);
    EXPECT_EQ(key, ::GetPixel(hdc, 0, 0)); // the image manager masks with the top-left pixel
    struct
    {
        int x, y;
        COLORREF clr;
    } probes[] = {
        {3, 12, RGB(0, 0, 0)},         // restore: corner of the front window
        {5, 9, key},                   // restore: inside the front window
        {16 + 6, 11, RGB(0, 0, 0)},    // minimise: the bar
        {16 + 6, 5, key},              // minimise: above it
        {32 + 3, 3, RGB(0, 0, 0)},     // maximise: frame corner
        {32 + 7, 8, key},              // maximise: inside
        {48 + 4, 4, RGB(0, 0, 0)},     // close: top of the stroke
        {48 + 8, 2, key},              // close: above the cross
        {48 + 15, 15, key},            // close: corner of its cell
    };
    for (const auto& probe : probes)
        EXPECT_EQ(probe.clr, ::GetPixel(hdc, probe.x, probe.y)) << probe.x << "," << probe.y;
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hBitmap);
}

TEST(CommandBarsResources, StringsOfBarButtonsAndSystemCommands)
{
    EXPECT_EQ("\n&Add or Remove Buttons", LoadText(ID_TK_ADD_OR_REMOVE_BUTTONS));
    EXPECT_EQ("\n&Reset Toolbar", LoadText(ID_TK_RESET_TOOLBAR));
    EXPECT_EQ("\nClose Window", LoadText(ID_TK_MDI_CLOSE));
    EXPECT_EQ("\nRestore Window", LoadText(ID_TK_MDI_RESTORE));
    EXPECT_EQ("\nMinimize Window", LoadText(ID_TK_MDI_MINIMIZE));
    EXPECT_EQ("Are you sure you want to reset the changes made to the '%s' toolbar?",
              LoadText(IDS_TK_CONFIRM_RESET_TOOLBAR));
    for (UINT nId : {ID_TK_TOOLBAR_EXPAND, ID_TK_TOOLBAR_HIDE, ID_TK_POPUP_EXPAND, ID_TK_MDI_SYSMENU})
    {
        std::string text = LoadText(nId);
        ASSERT_GT(text.size(), 1u) << nId;
        EXPECT_EQ('\n', text[0]) << nId; // "caption\ntooltip" with the tooltip only
    }
    // Each command of a window menu has its status description.
    for (UINT nCommand : {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW, SC_CLOSE, SC_RESTORE})
        EXPECT_FALSE(LoadText(IDS_TK_SYSCOMMAND_FIRST + ((nCommand - 0xF000) >> 4)).empty()) << std::hex << nCommand;
    EXPECT_EQ(IDS_TK_SYSCOMMAND_LAST, IDS_TK_SYSCOMMAND_FIRST + ((0xF1F0 - 0xF000) >> 4));
}
