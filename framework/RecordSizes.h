// Sizes of the Win32 records whose size field the system checks (cbSize and the like), proved at compile
// time for the architecture being built. The 32-bit sizes are the ones the shipped program passes; the
// x86_64 build has its own, checked the same way, so a record laid out wrongly for one architecture fails
// that architecture's build instead of failing at run time with a silently refused call.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>

// The tool record's version-1 and version-2 sizes (TTTOOLINFOA_V1_SIZE, TTTOOLINFOA_V2_SIZE), computed so
// that a constant expression can check them.
constexpr size_t kToolInfoV1Size = offsetof(TOOLINFOA, lpszText) + sizeof(LPSTR);
constexpr size_t kToolInfoV2Size = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
// A rebar band record as the rebar control of common controls 5 and 6 knows it: every field up to
// and including cxHeader, without the chevron fields that later headers append (REBARBANDINFOA_V6_SIZE).
// A record announcing the newer, longer size is refused by the controls that predate it, so every band
// record of the program carries this size. On i686 it is 80 bytes; on x86_64 the same fields take 108
// (the pointers and handles are 8 bytes wide and aligned), so 80 there would cut the record inside
// cyMaxChild and silently drop the ideal size, lParam and header width.
constexpr UINT kReBarBandInfoSize = static_cast<UINT>(offsetof(REBARBANDINFOA, cxHeader) + sizeof(UINT));

// Records without pointers: one size on both architectures.
static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA");
static_assert(sizeof(MONITORINFO) == 40, "MONITORINFO");
static_assert(sizeof(SCROLLINFO) == 28, "SCROLLINFO");

#if QVX_ARCH_BITS == 32
static_assert(kToolInfoV1Size == 40 && kToolInfoV2Size == 44, "TOOLINFOA versions 1 and 2");
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA");
static_assert(sizeof(TBBUTTONINFOA) == 32, "TBBUTTONINFOA");
static_assert(sizeof(TRACKMOUSEEVENT) == 16, "TRACKMOUSEEVENT");
static_assert(sizeof(IMAGELISTDRAWPARAMS) == 68, "IMAGELISTDRAWPARAMS");
static_assert(sizeof(MENUITEMINFOA) == 48, "MENUITEMINFOA");
static_assert(kReBarBandInfoSize == 80, "REBARBANDINFOA up to cxHeader");
static_assert(sizeof(void*) == 4, "the 32-bit build has 4-byte pointers");
#elif QVX_ARCH_BITS == 64
static_assert(kToolInfoV1Size == 56 && kToolInfoV2Size == 64, "TOOLINFOA versions 1 and 2");
static_assert(sizeof(WNDCLASSEXA) == 80, "WNDCLASSEXA");
static_assert(sizeof(TBBUTTONINFOA) == 48, "TBBUTTONINFOA");
static_assert(sizeof(TRACKMOUSEEVENT) == 24, "TRACKMOUSEEVENT");
static_assert(sizeof(IMAGELISTDRAWPARAMS) == 88, "IMAGELISTDRAWPARAMS");
static_assert(sizeof(MENUITEMINFOA) == 80, "MENUITEMINFOA");
static_assert(kReBarBandInfoSize == 108, "REBARBANDINFOA up to cxHeader");
static_assert(sizeof(void*) == 8, "the 64-bit build has 8-byte pointers");
#else
#error "QVX_ARCH_BITS must be 32 or 64"
#endif
