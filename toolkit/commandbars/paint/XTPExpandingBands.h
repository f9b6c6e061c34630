// The picture of a popup that grows when the user expands it (shows its rarely used commands) is
// cut into horizontal bands where the controls change between "shown before" and "newly shown".
// Each step of the animation stacks the bands again: old bands at their full height, new ones at
// k/n of theirs, from the top of the window (the popup grew downwards) or from its bottom. Pure
// arithmetic, no windows.
#pragma once

#include <vector>

struct XTP_EXPANDING_BAND
{
    int nSrcTop;    // in the fully expanded picture
    int nSrcHeight;
    bool bNew;      // its controls were hidden before the expansion
    int nDestTop;   // for one step: where it goes and how tall it is drawn
    int nDestHeight;
};

// One visible control of the expanded popup, from the top.
struct XTP_EXPANDING_CONTROL
{
    int nTop;
    bool bNew;
};

// The bands of a picture nHeight tall: a new band starts at the top of each control whose flag
// differs from the control above it; the first band starts at 0 and the last ends at nHeight. No
// controls give one old band over the whole picture.
std::vector<XTP_EXPANDING_BAND> XTPCutExpandingBands(const std::vector<XTP_EXPANDING_CONTROL>& controls, int nHeight);

// Step k of n (1..n): sets each band's destination; bDown stacks from the top, else from nHeight up.
void XTPPlaceExpandingBands(std::vector<XTP_EXPANDING_BAND>& bands, int k, int n, bool bDown, int nHeight);
