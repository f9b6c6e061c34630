// A sentinel-filled 32-bit memory surface with a framework DC over it, for pixel probes of the
// paint managers.
#pragma once

#include "framework/DC.h"
#include "tests/common/MemorySurface.h"

namespace themes_test
{
class CProbeSurface : public qvx_test::CMemorySurface
{
public:
    static constexpr COLORREF kSentinel = kInitialColour;

    CProbeSurface(int cx, int cy) : CMemorySurface(cx, cy), m_cx(cx), m_cy(cy) { m_dc.Attach(CMemorySurface::DC()); }
    ~CProbeSurface() { m_dc.Detach(); }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) const { return Pixel(x, y); }
    int Count(COLORREF clr) const { return m_cx * m_cy - CountOtherThan(clr); }
    // The pixel bytes (blue, green, red, alpha), top row first.
    BYTE* Bits() const
    {
        ::GdiFlush();
        DIBSECTION section = {};
        ::GetObject(Bitmap(), sizeof(section), &section);
        return static_cast<BYTE*>(section.dsBm.bmBits);
    }

private:
    int m_cx, m_cy;
    CDC m_dc;
};
} // namespace themes_test
