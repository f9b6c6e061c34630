// CXTPNcMetrics: the system's non-client metrics record (caption, menu, status and message
// fonts, border and scroll-bar sizes) that paint managers read.
#pragma once

#include <windows.h>

#include <cstddef>

// The record as the 32-bit API defines it: 340 bytes, without the padded-border field that later
// headers append. It holds no pointers, so the size is the same on both architectures.
#define XTP_NONCLIENTMETRICS_SIZE 340
#if QVX_ARCH_BITS == 32
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == XTP_NONCLIENTMETRICS_SIZE,
              "NONCLIENTMETRICSA is 340 bytes without its padded-border field (i686)");
#else
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == XTP_NONCLIENTMETRICS_SIZE,
              "NONCLIENTMETRICSA is 340 bytes without its padded-border field (x86_64)");
#endif

class CXTPNcMetrics : public NONCLIENTMETRICSA
{
public:
    // Filled by SPI_GETNONCLIENTMETRICS (with a size field of 340).
    CXTPNcMetrics() { Refresh(); }

    BOOL Refresh()
    {
        ZeroMemory(static_cast<NONCLIENTMETRICSA*>(this), sizeof(NONCLIENTMETRICSA));
        cbSize = XTP_NONCLIENTMETRICS_SIZE;
        return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, XTP_NONCLIENTMETRICS_SIZE,
                                       static_cast<NONCLIENTMETRICSA*>(this), 0);
    }
};
