// The main dialog's tool bar seen from outside the program: a command bar draws its buttons itself, so the
// tests tell a button and its state by its icon on the screen. The program's own image strips (bitmaps 1002
// normal, 1003 disabled, 1004 hot: one 20 x 20 cell per button in toolbar order) are read from Quorvex.exe
// as data, and the bar's pixels are searched for the command's cell in each state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qvx_e2e
{
enum class ButtonLook
{
    Missing,  // the command's icon is not on the bar in any state
    Normal,   // enabled, not under the mouse
    Disabled, // greyed
    Hot       // enabled, under the mouse
};
const char* DescribeLook(ButtonLook look);

class CToolbarPixels
{
public:
    static constexpr int kCell = 20;

    // Reads the three strips from the program file; false when it cannot be loaded or a strip is missing.
    bool Load(const std::string& programPath);
    // The command bar window of the main dialog (class "XTPToolBar", at any depth below it), or null.
    static HWND FindToolBar(HWND mainDialog);
    // The look of the command's button as the screen shows it now; Missing also when the bar cannot be seen.
    // at: the icon's top-left corner in the bar's client coordinates when found.
    ButtonLook Look(HWND bar, int command, POINT* at = nullptr) const;
    // The ground of the icon whose cell starts at `at` (bar client coordinates): true when each corner pixel of
    // the 20 x 20 picture area equals the button face just outside that corner and is not white; `why` says
    // which corner differs.
    bool FaceShowsAtCorners(HWND bar, POINT at, std::string* why) const;

private:
    // The cell of a command: its place among the buttons of the toolbar resource; -1 when unknown.
    static int CellOf(int command);
    bool CaptureBar(HWND bar, std::vector<COLORREF>& pixels, int& width, int& height) const;
    bool Matches(const std::vector<COLORREF>& pixels, int width, int x, int y, int state, int cell) const;

    // Pixels of the three strips, row by row: 7 cells wide, one cell high.
    std::vector<COLORREF> m_strips[3];
    int m_stripWidth = 0;
};
} // namespace qvx_e2e
