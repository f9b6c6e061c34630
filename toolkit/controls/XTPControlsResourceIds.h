// Numeric ids of the toolkit controls' resources (in the toolkit's block 9100 to 9999); included
// from C++ and from XTPControlsResources.rc.
#ifndef QVX_TOOLKIT_CONTROLS_RESOURCE_IDS_H
#define QVX_TOOLKIT_CONTROLS_RESOURCE_IDS_H

// Toolbar (type 241) giving the column menu its icons, and its 80 x 15 bitmap.
#define XTP_IDR_TBAR_HDR 9307
// Menu of the toolkit's controls; submenu 2 is the header's column menu.
#define XTP_IDR_MENU_HEADERCTRL 9317
// Column menu commands.
#define XTP_IDC_SORTASC 9325
#define XTP_IDC_SORTDSC 9326
#define XTP_IDC_ALIGNLEFT 9327
#define XTP_IDC_ALIGNCENTER 9328
#define XTP_IDC_ALIGNRIGHT 9329

#define XTP_RT_TOOLBAR 241

#endif
