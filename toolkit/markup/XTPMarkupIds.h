// Ids of the markup engine: the message a context sends its host window after an invalidation and
// the scroll bar's auto-repeat timer. Blocks: docs/ids.md; the "// ids: <kind>" lines mark the kind
// of the constants after them.
#pragma once

// ids: message
// Sent by a markup context to its host window after every invalidation (wParam 0, lParam 0).
#define WM_XTP_MARKUPINVALIDATED 0x2A5C

// ids: timer
// A markup scroll bar's auto-repeat while the mouse is held on it (on the host window).
#define XTP_TID_MARKUP_SCROLLREPEAT 63345
