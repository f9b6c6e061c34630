// Message-map tables: the entries a class declares with BEGIN_MESSAGE_MAP / END_MESSAGE_MAP,
// and the handler signature kinds (the framework's private window messages are in FrameworkIds.h,
// included here).
//
// Every entry stores the handler as a pointer to a member of CCmdTarget together with a
// signature kind. The macros convert the handler through a pointer type of the exact expected
// signature (a static_cast), so a handler with the wrong parameters fails to compile at the
// macro; the dispatcher converts it back to that same signature before the call.
#pragma once

#include "framework/FrameworkIds.h"

#include <windows.h>

#include <cstring>

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CScrollBar;
class CPoint;

typedef void (CCmdTarget::*AFX_PMSG)();

// Marks message handlers in class declarations.
#define afx_msg

// Converts between pointer-to-member-function types of equal size. Map entries store every
// handler as AFX_PMSG and the dispatcher converts it back to the exact type it was made from.
template <class To, class From> inline To AfxMemberFunctionCast(From from)
{
    static_assert(sizeof(To) == sizeof(From), "member function pointers of one class have one size");
    To to;
    std::memcpy(static_cast<void*>(&to), static_cast<const void*>(&from), sizeof to);
    return to;
}

// Signature kinds. The name lists the return type and then the parameters.
enum AfxSig : UINT
{
    AfxSig_end = 0,
    AfxSig_vv,         // void ()
    AfxSig_bv,         // BOOL ()
    AfxSig_vw,         // void (UINT)           command ranges
    AfxSig_bw,         // BOOL (UINT)           ON_COMMAND_EX, ranges with "continue" result
    AfxSig_cmdui,      // void (CCmdUI*)
    AfxSig_cmduiw,     // void (CCmdUI*, UINT)
    AfxSig_notify_v,   // void (NMHDR*, LRESULT*)
    AfxSig_notify_b,   // BOOL (NMHDR*, LRESULT*)
    AfxSig_notify_wv,  // void (UINT, NMHDR*, LRESULT*)
    AfxSig_notify_wb,  // BOOL (UINT, NMHDR*, LRESULT*)
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)
    AfxSig_is,         // int (LPCREATESTRUCT)
    AfxSig_vwii,       // void (UINT, int, int)            WM_SIZE
    AfxSig_vwp,        // void (UINT, CPoint)              mouse buttons and moves
    AfxSig_vwww,       // void (UINT, UINT, UINT)          keys and characters
    AfxSig_vW,         // void (CWnd*)                     focus, capture
    AfxSig_bD,         // BOOL (CDC*)                      WM_ERASEBKGND
    AfxSig_hDWw,       // HBRUSH (CDC*, CWnd*, UINT)       WM_CTLCOLOR
    AfxSig_hDw,        // HBRUSH (CDC*, UINT)              reflected WM_CTLCOLOR
    AfxSig_vPOS,       // void (MINMAXINFO*)               WM_GETMINMAXINFO
    AfxSig_vt,         // void (UINT_PTR)                  WM_TIMER
    AfxSig_vws,        // void (UINT, LPCTSTR)             WM_SETTINGCHANGE
    AfxSig_bWww,       // BOOL (CWnd*, UINT, UINT)         WM_SETCURSOR
    AfxSig_bwsp,       // BOOL (UINT, short, CPoint)       WM_MOUSEWHEEL
    AfxSig_vwwS,       // void (UINT, UINT, CScrollBar*)   WM_HSCROLL, WM_VSCROLL
    AfxSig_vWp,        // void (CWnd*, CPoint)             WM_CONTEXTMENU
    AfxSig_lp,         // LRESULT (CPoint)                 WM_NCHITTEST
    AfxSig_vbw,        // void (BOOL, UINT)                WM_SHOWWINDOW
    AfxSig_bWCDS,      // BOOL (CWnd*, COPYDATASTRUCT*)    WM_COPYDATA
    AfxSig_vOWNER,     // void (int, LPDRAWITEMSTRUCT)     WM_DRAWITEM
    AfxSig_vMEASURE,   // void (int, LPMEASUREITEMSTRUCT)  WM_MEASUREITEM
    AfxSig_vDRAW,      // void (LPDRAWITEMSTRUCT)          reflected WM_DRAWITEM
    AfxSig_vMEASUREr,  // void (LPMEASUREITEMSTRUCT)       reflected WM_MEASUREITEM
    AfxSig_wv,         // UINT ()                          WM_GETDLGCODE
    AfxSig_vwWb,       // void (UINT, CWnd*, BOOL)         WM_ACTIVATE
    AfxSig_vb,         // void (BOOL)                      WM_ENABLE
    AfxSig_iWww,       // int (CWnd*, UINT, UINT)          WM_MOUSEACTIVATE
    AfxSig_vwl,        // void (UINT, LPARAM)              WM_SYSCOMMAND
    AfxSig_vPOSCHANGE, // void (WINDOWPOS*)                WM_WINDOWPOSCHANGING/CHANGED
    AfxSig_vbNCCALC,   // void (BOOL, NCCALCSIZE_PARAMS*)  WM_NCCALCSIZE
    AfxSig_vMwb,       // void (CMenu*, UINT, BOOL)        WM_INITMENUPOPUP
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message, or WM_COMMAND / WM_NOTIFY (possibly reflected)
    UINT nCode;    // control notification code, or CN_UPDATE_COMMAND_UI
    UINT nID;      // first control / command id (0 for window messages)
    UINT nLastID;  // last id of a range (equal to nID for single ids)
    UINT nSig;     // one of AfxSig
    AFX_PMSG pfn;  // the handler
    const UINT* pnRegisteredMessage = nullptr; // ON_REGISTERED_MESSAGE: where the id lives
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notification parameters handed through OnCmdMsg's pExtra for WM_NOTIFY.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Command codes passed to OnCmdMsg. Control notifications sent through WM_COMMAND use their own
// code (BN_CLICKED equals CN_COMMAND); WM_NOTIFY codes are passed as MAKELONG(code, WM_NOTIFY)
// and reflected ones with WM_REFLECT_BASE added to the high word.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// The framework's private messages (WM_SIZEPARENT ... WM_FLOATSTATUS, WM_REFLECT_BASE, WM_CTLCOLOR) are
// in framework/FrameworkIds.h.

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                     \
    const AFX_MSGMAP* GetMessageMap() const override;

// Base-class chaining: each map names its base class; the walk follows pfnGetBaseMap.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                   \
    {                                                                                                        \
        typedef theClass ThisClass;                                                                          \
        typedef baseClass TheBaseClass;                                                                      \
        static_assert(sizeof(ThisClass) > 0, "the class is complete");                                       \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, 0, AfxSig_end, (AFX_PMSG) nullptr, nullptr                                                  \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// Converts a handler to the stored type after checking it against the exact signature.
#define AFX_MSG_CAST(sigType, memberFxn) AfxMemberFunctionCast<AFX_PMSG>(static_cast<sigType>(memberFxn))

// Commands, command ranges and update handlers.
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND, (UINT)(id),                                                                     \
     (UINT)(id), AfxSig_vv,  AFX_MSG_CAST(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND, (UINT)(id),                                                                     \
     (UINT)(id), AfxSig_bw,  AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND,     CN_COMMAND, (UINT)(id),                                                                 \
     (UINT)(idLast), AfxSig_vw,  AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    {WM_COMMAND,     CN_COMMAND, (UINT)(id),                                                                 \
     (UINT)(idLast), AfxSig_bw,  AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id),                                                           \
     (UINT)(id), AfxSig_cmdui,         AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    {                                                                                                        \
        WM_COMMAND,   CN_UPDATE_COMMAND_UI,                                                                  \
        (UINT)(id),   (UINT)(idLast),                                                                        \
        AfxSig_cmdui, AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},

// Control notifications sent through WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode),                                                                  \
     (UINT)(id), (UINT)(id),                                                                                 \
     AfxSig_vv,  AFX_MSG_CAST(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                 \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode),                                                                  \
     (UINT)(id), (UINT)(idLast),                                                                             \
     AfxSig_vw,  AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// WM_NOTIFY notifications.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY,       (UINT)(wNotifyCode),                                                                   \
     (UINT)(id),      (UINT)(id),                                                                            \
     AfxSig_notify_v, AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY,        (UINT)(wNotifyCode),                                                                  \
     (UINT)(id),       (UINT)(id),                                                                           \
     AfxSig_notify_wb, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY,        (UINT)(wNotifyCode),                                                                  \
     (UINT)(id),       (UINT)(idLast),                                                                       \
     AfxSig_notify_wv, AFX_MSG_CAST(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                               \
    {WM_NOTIFY,        (UINT)(wNotifyCode),                                                                  \
     (UINT)(id),       (UINT)(idLast),                                                                       \
     AfxSig_notify_wb, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// Notifications a control handles itself when its parent reflects them.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                            \
     (UINT)(wNotifyCode),                                                                                    \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_notify_v,                                                                                        \
     AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
// The handler returns TRUE to consume the notification, FALSE to let the parent see it too.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                            \
     (UINT)(wNotifyCode),                                                                                    \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_notify_b,                                                                                        \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                           \
     (UINT)(WORD)(wNotifyCode),                                                                              \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_vv,                                                                                              \
     AFX_MSG_CAST(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                           \
     (UINT)(WORD)(wNotifyCode),                                                                              \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_bv,                                                                                              \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    {WM_REFLECT_BASE + WM_CTLCOLOR,                                                                          \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_hDw,                                                                                             \
     AFX_MSG_CAST(HBRUSH(CCmdTarget::*)(CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    {WM_REFLECT_BASE + WM_DRAWITEM,                                                                          \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_vDRAW,                                                                                           \
     AFX_MSG_CAST(void(CCmdTarget::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    {WM_REFLECT_BASE + WM_MEASUREITEM,                                                                       \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_vMEASUREr,                                                                                       \
     AFX_MSG_CAST(void(CCmdTarget::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)},

// User-defined and registered messages.
#define ON_MESSAGE(message, memberFxn)                                                                       \
    {(UINT)(message),                                                                                        \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_lwl,                                                                                             \
     AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {0xC000,                                                                                                 \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_lwl,                                                                                             \
     AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn),                            \
     &nMessageVariable},

// Standard window messages, each bound to its conventional handler name.
#define AFX_ON_WM(msg, sig, type, fxn) {msg, 0, 0, 0, sig, AFX_MSG_CAST(type, &ThisClass::fxn)},
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_is, int (CCmdTarget::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (CCmdTarget::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (CCmdTarget::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (CCmdTarget::*)(), OnClose)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_vv, void (CCmdTarget::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (CCmdTarget::*)(), OnNcPaint)
#define ON_WM_SYSCOLORCHANGE()                                                                               \
    AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CCmdTarget::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE()                                                                                \
    AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_vws, void (CCmdTarget::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_MOUSELEAVE() AFX_ON_WM(WM_MOUSELEAVE, AfxSig_vv, void (CCmdTarget::*)(), OnMouseLeave)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (CCmdTarget::*)(), OnCancelMode)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_vwii, void (CCmdTarget::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxSig_vwii, void (CCmdTarget::*)(UINT, int, int), OnMove)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_vt, void (CCmdTarget::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN()                                                                                  \
    AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                                \
    AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()                                                                                  \
    AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()                                                                                \
    AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()                                                                                  \
    AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (CCmdTarget::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_vwww, void (CCmdTarget::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_vwww, void (CCmdTarget::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN()                                                                                   \
    AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vwww, void (CCmdTarget::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CCmdTarget::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CCmdTarget::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW, void (CCmdTarget::*)(CWnd*), OnCaptureChanged)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CCmdTarget::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_GETMINMAXINFO()                                                                                \
    AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vPOS, void (CCmdTarget::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CCmdTarget::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEWHEEL()                                                                                   \
    AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CCmdTarget::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_HSCROLL()                                                                                      \
    AFX_ON_WM(WM_HSCROLL, AfxSig_vwwS, void (CCmdTarget::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()                                                                                      \
    AFX_ON_WM(WM_VSCROLL, AfxSig_vwwS, void (CCmdTarget::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CCmdTarget::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxSig_lp, LRESULT (CCmdTarget::*)(CPoint), OnNcHitTest)
#define ON_WM_SHOWWINDOW()                                                                                   \
    AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, void (CCmdTarget::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_COPYDATA()                                                                                     \
    AFX_ON_WM(WM_COPYDATA, AfxSig_bWCDS, BOOL (CCmdTarget::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_DRAWITEM()                                                                                     \
    AFX_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                                  \
    AFX_ON_WM(WM_MEASUREITEM, AfxSig_vMEASURE, void (CCmdTarget::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_wv, UINT (CCmdTarget::*)(), OnGetDlgCode)
#define ON_WM_ACTIVATE()                                                                                     \
    AFX_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (CCmdTarget::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_vb, void (CCmdTarget::*)(BOOL), OnEnable)
#define ON_WM_MOUSEACTIVATE()                                                                                \
    AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_iWww, int (CCmdTarget::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (CCmdTarget::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_vPOSCHANGE, void (CCmdTarget::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_vPOSCHANGE, void (CCmdTarget::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_NCCALCSIZE()                                                                                   \
    AFX_ON_WM(WM_NCCALCSIZE, AfxSig_vbNCCALC, void (CCmdTarget::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (CCmdTarget::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
