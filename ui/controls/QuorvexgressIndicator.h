// CQuorvexgressIndicator: the run's progress bar, a static control that paints its bar as a vertical
// gradient from a light colour at the top to the base colour at the bottom; the colour tells the run's state.
#pragma once

#include "framework/StdControls.h"

class CQuorvexgressIndicator : public CStatic
{
public:
    // The light colour of a base colour: each channel + 175, at most 255.
    static COLORREF LightColour(COLORREF base);
    static constexpr COLORREF kFrameColour = RGB(163, 163, 124);
    static constexpr COLORREF kDefaultColour = RGB(0, 255, 0);

    CQuorvexgressIndicator();

    // Green, range and position 0; repaints.
    void Reset();
    void SetColor(COLORREF colour);
    void SetPos(int position);

    COLORREF GetColor() const { return m_baseColour; }
    COLORREF GetLightColor() const { return m_lightColour; }
    int GetPos() const { return m_position; }

    // The filled width for a client width: (position - minimum) / (maximum - minimum) of it; 0 when the
    // position lies outside the range or the maximum is not above 0.
    int GetFilledWidth(int clientWidth) const;
    // The whole picture for a client rectangle, drawn into dc at (0, 0): background, frame and bar rows.
    void DrawBar(HDC dc, const RECT& client);

    // Set by the owner before SetPos.
    int m_minimum = 0;
    int m_maximum = 0;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void Refresh();

    RECT m_clientRect = {0, 0, 0, 0};
    COLORREF m_lightColour;
    COLORREF m_baseColour;
    int m_position = 0;
};
