#include "toolkit/commandbars/paint/XTPExpandingBands.h"

std::vector<XTP_EXPANDING_BAND> XTPCutExpandingBands(const std::vector<XTP_EXPANDING_CONTROL>& controls, int nHeight)
{
    std::vector<XTP_EXPANDING_BAND> bands;
    if (nHeight <= 0)
        return bands;
    XTP_EXPANDING_BAND band = {0, 0, !controls.empty() && controls.front().bNew, 0, 0};
    for (const XTP_EXPANDING_CONTROL& control : controls)
    {
        if (control.bNew == band.bNew)
            continue;
        const int nTop = control.nTop < band.nSrcTop ? band.nSrcTop : (control.nTop > nHeight ? nHeight : control.nTop);
        band.nSrcHeight = nTop - band.nSrcTop;
        if (band.nSrcHeight > 0)
            bands.push_back(band);
        band = XTP_EXPANDING_BAND{nTop, 0, control.bNew, 0, 0};
    }
    band.nSrcHeight = nHeight - band.nSrcTop;
    if (band.nSrcHeight > 0)
        bands.push_back(band);
    return bands;
}

void XTPPlaceExpandingBands(std::vector<XTP_EXPANDING_BAND>& bands, int k, int n, bool bDown, int nHeight)
{
    if (n <= 0)
        return;
    k = k < 0 ? 0 : (k > n ? n : k);
    for (XTP_EXPANDING_BAND& band : bands)
        band.nDestHeight = band.bNew ? band.nSrcHeight * k / n : band.nSrcHeight;
    if (bDown)
    {
        int y = 0;
        for (XTP_EXPANDING_BAND& band : bands)
        {
            band.nDestTop = y;
            y += band.nDestHeight;
        }
        return;
    }
    int y = nHeight;
    for (auto it = bands.rbegin(); it != bands.rend(); ++it)
    {
        y -= it->nDestHeight;
        it->nDestTop = y;
    }
}
