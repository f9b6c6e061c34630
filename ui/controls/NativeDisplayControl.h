// CNativeDisplayControl: the base of the harness's owner-drawn child windows. It fills its parent's client
// area, paints each frame completely into an off-screen bitmap and copies it with one BitBlt, owns the
// control's font and moves the focus with Tab among the child windows registered with it.
//
// It can host a command-bars manager (CreateCommandBars; the control is its site) with one tool bar at its
// top edge (CreateToolBar): the manager sees the control's key pre-translation and window messages first,
// is updated on WM_KICKIDLE, and the draw rectangle starts below the shown tool bar. The control holds one
// reference on the manager and releases it when it is replaced and when the control is destroyed.
#pragma once

#include "foundation/DravikString.h"
#include "framework/FrameworkIds.h"
#include "framework/GdiObject.h"
#include "framework/ImageList.h"
#include "framework/Wnd.h"
#include "ui/controls/OffScreenDeviceContext.h"
#include "ui/UiResourceIds.h"

#include <utility>
#include <vector>

class CXTPCommandBar;
class CXTPCommandBars;
struct CRuntimeClass;

// What an owner of a display control may be told about and asked (nothing in the harness's own windows
// provides one).
class CNativeDisplayOwner
{
public:
    virtual ~CNativeDisplayOwner() = default;
    virtual int QueryOwner() = 0;
    virtual void OnCommandBarsCreated(CXTPCommandBars* commandBars) = 0;
};

class CNativeDisplayControl : public CWnd
{
public:
    // The child id of a display made by Create.
    static constexpr UINT kDefaultId = IDC_NATIVE_DISPLAY;
    // The style bit AddStyleBit sets.
    static constexpr LONG kExtraStyleBit = 0x1000;
    // The flag word of the tool bar CreateToolBar makes.
    static constexpr DWORD kToolBarFlags = 97;

    CNativeDisplayControl();
    ~CNativeDisplayControl() override;

    void SetOwnerObject(CNativeDisplayOwner* owner) { m_owner = owner; }
    CNativeDisplayOwner* GetOwnerObjectPointer() const { return m_owner; }
    CWnd* GetParentWindow() const { return m_parent; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual void OnPaint();
    virtual void OnNcPaint();
    virtual LRESULT OnKickIdle(WPARAM, LPARAM);
    virtual LRESULT OnGetFont(WPARAM, LPARAM);
    virtual LRESULT DefaultMessage() { return Default(); }
    // Invalidates (erase) and redraws the window, its frame and children now; false without a window.
    virtual bool Redraw();
    // Creates the child window (default class, no caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
    // WS_CLIPCHILDREN | WS_TABSTOP, WS_BORDER with a border) with an empty rectangle and the id, then the
    // default font. False for a null parent or when the window cannot be made.
    virtual bool CreateControl(CWnd* parent, UINT id);
    virtual bool Create(CWnd* parent) { return CreateControl(parent, kDefaultId); }
    virtual bool AddStyleBit();
    // Moves the window over the parent's whole client area; false without a parent or window.
    virtual bool FitToParent();
    virtual void RefreshWindow(CWnd* window);
    virtual COLORREF GetBackgroundColor() { return RGB(255, 255, 255); }
    // The client rectangle below the tool bar (when one is shown).
    virtual void GetDrawRect(RECT* rect);
    // left = draw left + 12, right = draw right - 12; top and bottom stay as given.
    virtual void GetContentExtent(RECT* rect);
    virtual RECT* GetClientDrawRect(RECT* rect)
    {
        GetDrawRect(rect);
        return rect;
    }
    virtual int QueryOwner() { return m_owner ? m_owner->QueryOwner() : 0; }
    virtual CXTPCommandBar* GetToolBar() { return m_toolBar; }
    virtual void SetToolBar(CXTPCommandBar* toolBar) { m_toolBar = toolBar; }
    // Releases the manager it has and makes one of the class (null: CXTPCommandBars) with this window as
    // its site and its four dock bars; 1, or 0 (and no manager) without a window, for a class that makes
    // no command-bars manager or when a dock bar cannot be made.
    virtual int CreateCommandBars(CRuntimeClass* runtimeClass);
    virtual bool HasBorder() { return m_border; }
    virtual void SetBorder(bool border) { m_border = border; }
    // Fills the bands between the draw rectangle and the child's rectangle in the background colour; true
    // when any band was drawn.
    virtual bool PaintAroundChild(CWnd* child);
    virtual COffScreenDeviceContext* GetOffScreenDC() { return &m_offScreen; }
    // Selects the control's font into the memory DC (created on demand) with a transparent background.
    virtual bool SelectFont();
    virtual bool RestoreFont();
    virtual bool SetFont(CFont* font);
    // Copies the font with the height and ClearType quality as the control's font.
    virtual bool SetFontWithHeight(CFont* font, int height);
    // The harness dialog font (CreateHarnessDialogFont): "MS Shell Dlg", height 14, weight 400, ClearType.
    virtual bool CreateDefaultFont();
    virtual bool MeasureText(CDravikString text, SIZE* size);
    virtual bool AddTabChild(CWnd* child);
    virtual bool RemoveTabChild(CWnd* child);
    virtual void RemoveAllTabChildren();
    // The next enabled registered window after (or before) from (null: the focus window).
    virtual CWnd* GetNextTabChild(CWnd* from, bool backwards);
    virtual bool FitToParentIfResized();
    virtual CImageList* GetImageList() { return &m_images; }
    virtual CImageList* GetHotImageList() { return &m_hotImages; }
    virtual CImageList* GetDisabledImageList() { return &m_disabledImages; }
    // With a manager: the three bitmaps (cells imageWidth wide) become the process image manager's normal,
    // hot and disabled pictures of the toolbar resource's commands, and the manager's icon size becomes
    // imageWidth square. False without a manager or when a bitmap cannot be loaded or handed over.
    virtual bool LoadToolBarImages(UINT toolBarId, UINT normalBitmap, UINT hotBitmap, UINT disabledBitmap,
                                   int imageWidth);
    virtual void RepositionBars()
    {
        CWnd::RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    }
    // Makes a manager (CreateCommandBars), adds a tool bar titled by string titleId at barPosition
    // (xtpBarTop ...) and, when it loads toolbar resource toolBarId, its images (LoadToolBarImages), bar flags
    // kToolBarFlags, no gripper, no customisation; the owner hears of the manager. True only on that path.
    virtual bool CreateToolBar(UINT titleId, UINT toolBarId, UINT normalBitmap, UINT hotBitmap, UINT disabledBitmap,
                               int barPosition, int imageWidth);
    // The tool bar's control with that command (any kind, in popups too) takes string commandId as its
    // caption and tooltip; false without a tool bar or such a control.
    virtual bool SetToolBarCaption(UINT commandId);
    virtual CXTPCommandBars* GetCommandBars() { return m_commandBars; }
    virtual void SetCommandBars(CXTPCommandBars* commandBars) { m_commandBars = commandBars; }

    CFont& GetControlFont() { return m_font; }

protected:
    // Drops the control's reference on its manager (and the tool bar the manager owned).
    void ReleaseCommandBars();

    DECLARE_MESSAGE_MAP()

    CNativeDisplayOwner* m_owner = nullptr;
    CWnd* m_parent = nullptr;
    COffScreenDeviceContext m_offScreen;
    CXTPCommandBar* m_toolBar = nullptr;
    CXTPCommandBars* m_commandBars = nullptr;
    CImageList m_images;
    CImageList m_hotImages;
    CImageList m_disabledImages;
    CFont m_font;
    HGDIOBJ m_previousFont = nullptr;
    bool m_border = true;
    // The registered children in registration order, keyed by their window handle.
    std::vector<std::pair<HWND, CWnd*>> m_tabChildren;
};
