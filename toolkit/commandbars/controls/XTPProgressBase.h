// CXTPProgressBase: a range and a position that progress controls mix in; CXTPControlProgress: the
// command-bar progress control built on it, drawn by the paint manager's progress painter.
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"

class CXTPProgressPaintManager;

class CXTPProgressBase
{
public:
    CXTPProgressBase() = default;
    virtual ~CXTPProgressBase() = default;

    // Stores a changed range and redraws.
    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const
    {
        nLower = m_nLower;
        nUpper = m_nUpper;
    }
    // Kept between the smaller and the larger bound; a change redraws.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }

    // The filled length of an inner width (pure): MulDiv(width, position - lower, upper - lower);
    // an empty or reversed range fills nothing, and the fill stays within 0..width.
    static int CalcFilledLength(int nInnerWidth, int nLower, int nUpper, int nPos);

    // Virtual operations, in their order.
    virtual CRect GetProgressRect() const = 0;
    virtual void RedrawProgress() = 0;
    virtual CXTPProgressPaintManager* GetProgressPaintManager() const = 0;

protected:
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};

class CXTPControlProgress : public CXTPControl, public CXTPProgressBase
{
    DECLARE_SERIAL(CXTPControlProgress)

public:
    CXTPControlProgress();

    CRect GetProgressRect() const override { return m_rcControl; }
    void RedrawProgress() override { RedrawParent(FALSE); }
    CXTPProgressPaintManager* GetProgressPaintManager() const override;

    // The width, and the height when set, else the painter's bar height.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // "Min", "Max", "Pos" after the control's keys.
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    // Only a customise-mode press on a movable control does anything.
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
};
