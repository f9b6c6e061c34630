// Ids of the toolkit's controls: the resources of XTPControlsResources.rc (in the toolkit's block
// 9300-9343), the header's private message and its timer. Only #defines and comments: the resource
// script includes this header. Blocks: docs/ids.md; the "// ids: <kind>" lines mark the kind of the
// constants after them.
#ifndef QVX_TOOLKIT_CONTROLS_RESOURCE_IDS_H
#define QVX_TOOLKIT_CONTROLS_RESOURCE_IDS_H

// The toolbar resource type XTP_RT_TOOLBAR.
#include "toolkit/common/XTPResourceIds.h"

// ids: resource
// Toolbar (type XTP_RT_TOOLBAR) giving the column menu its icons, and its 80 x 15 bitmap.
#define XTP_IDR_TBAR_HDR 9307
// Menu of the toolkit's controls; submenu 2 is the header's column menu.
#define XTP_IDR_MENU_HEADERCTRL 9317

// ids: command
// Column menu commands.
#define XTP_IDC_SORTASC 9325
#define XTP_IDC_SORTDSC 9326
#define XTP_IDC_ALIGNLEFT 9327
#define XTP_IDC_ALIGNCENTER 9328
#define XTP_IDC_ALIGNRIGHT 9329

// ids: message
// Sent to a CXTPHeaderCtrl: wParam is the header theme number to select.
#define WM_XTP_SETCONTROLTHEME 0x274B

// ids: timer
// The header's hot-tracking timer (10 ms, on the header window).
#define XTP_TID_HEADER_HOT 1

#endif
