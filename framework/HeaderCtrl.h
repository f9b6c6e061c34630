// CHeaderCtrl: the header common control as a thin CWnd wrapper (ANSI item texts).
#pragma once

#include "framework/Wnd.h"

class CImageList;

class CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)

public:
    CHeaderCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    int InsertItem(int nPos, HDITEMA* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    // Fills the position and size that the header wants inside lpLayout->prc.
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    int HitTest(HDHITTESTINFO* pHeaderHitTestInfo);
    int OrderToIndex(int nOrder) const;
    BOOL GetOrderArray(LPINT piArray, int iCount) const;
    BOOL SetOrderArray(int iCount, LPINT piArray);
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    int GetBitmapMargin() const;
    int SetBitmapMargin(int nWidth);
};
