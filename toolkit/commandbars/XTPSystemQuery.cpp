#include "toolkit/commandbars/XTPSystemQuery.h"

#include "toolkit/common/XTPSystemHelpers.h"

namespace
{
CXTPCommandBarsSystemQuery g_systemQuery;
CXTPCommandBarsSystemQuery* g_pQuery = nullptr;
} // namespace

BOOL CXTPCommandBarsSystemQuery::IsDropShadowEnabled()
{
    BOOL bEnabled = FALSE;
    if (!SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bEnabled, 0))
        return FALSE;
    return bEnabled;
}

BOOL CXTPCommandBarsSystemQuery::GetKeyboardCues(BOOL& bShow)
{
    BOOL bValue = FALSE;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &bValue, 0))
        return FALSE;
    bShow = bValue;
    return TRUE;
}

int CXTPCommandBarsSystemQuery::GetScreenBitsPerPixel()
{
    HDC hDC = GetDC(nullptr);
    int nBits = hDC ? GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES) : 0;
    if (hDC)
        ReleaseDC(nullptr, hDC);
    return nBits;
}

RECT CXTPCommandBarsSystemQuery::GetWorkArea(POINT pt)
{
    // The monitor functions are bound by name; without them the system work area answers.
    return GetMonitorHelper()->GetWorkAreaFromPoint(pt);
}

RECT CXTPCommandBarsSystemQuery::GetWorkArea(HWND hWnd)
{
    if (!hWnd)
        return GetMonitorHelper()->GetWorkAreaFromPoint(POINT{0, 0});
    return GetMonitorHelper()->GetWorkAreaFromHwnd(hWnd);
}

// Sounds.
BOOL CXTPCommandBarsSystemQuery::MessageBeep(UINT uType)
{
    return ::MessageBeep(uType);
}

CXTPCommandBarsSystemQuery* GetCommandBarsSystemQuery()
{
    return g_pQuery ? g_pQuery : &g_systemQuery;
}

CXTPCommandBarsSystemQuery* SetCommandBarsSystemQuery(CXTPCommandBarsSystemQuery* pQuery)
{
    CXTPCommandBarsSystemQuery* pOld = GetCommandBarsSystemQuery();
    g_pQuery = pQuery;
    return pOld;
}
