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
static_assert(sizeof(void*) == 4, "the 32-bit build has 4-byte pointers");
#elif QVX_ARCH_BITS == 64
static_assert(kToolInfoV1Size == 56 && kToolInfoV2Size == 64, "TOOLINFOA versions 1 and 2");
static_assert(sizeof(WNDCLASSEXA) == 80, "WNDCLASSEXA");
static_assert(sizeof(TBBUTTONINFOA) == 48, "TBBUTTONINFOA");
static_assert(sizeof(TRACKMOUSEEVENT) == 24, "TRACKMOUSEEVENT");
static_assert(sizeof(IMAGELISTDRAWPARAMS) == 88, "IMAGELISTDRAWPARAMS");
static_assert(sizeof(MENUITEMINFOA) == 80, "MENUITEMINFOA");
static_assert(sizeof(void*) == 8, "the 64-bit build has 8-byte pointers");
#else
#error "QVX_ARCH_BITS must be 32 or 64"
#endif
