// CInterimToolbar: a plain common-control tool bar (ToolbarWindow32) for a dialog, built from a toolbar
// resource (type 241: version, button width, button height, item count, then one command id per item, 0 for
// a separator), three 20-pixel image strips (normal, disabled, hot) and the command strings (caption before
// the line feed, tooltip after it). It stands in for the toolkit's command bar until that exists.
//
// It takes part in the dialog's bar layout like a control bar (WM_SIZEPARENT: it takes its height off the
// top of the free rectangle), its buttons follow the owner's update handlers (WM_IDLEUPDATECMDUI or
// UpdateButtons: one CCmdUI per button routed through the owner's OnCmdMsg), and a click sends WM_COMMAND
// with the button's id to the owner.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Wnd.h"

class CCmdTarget;

class CInterimToolbar : public CWnd
{
public:
    // The first id of the bar range that RepositionBars lays out.
    static constexpr UINT kDefaultBarId = 0xE800;
    static constexpr UINT kResourceType = 241;

    CInterimToolbar() = default;
    ~CInterimToolbar() override;

    // Creates the tool bar at the top of pParent with the buttons of toolbar resource toolbarId and the three
    // image strips; each button's caption and tooltip come from the string with the button's id. FALSE when
    // the resource is missing or malformed, or the window cannot be made.
    BOOL Create(CWnd* pParent, UINT toolbarId, UINT bitmapNormal, UINT bitmapDisabled, UINT bitmapHot,
                UINT barId = kDefaultBarId);
    // Shows the caption beside the button's image (otherwise the button shows its image only). FALSE when no
    // button has that id.
    BOOL ShowButtonText(UINT commandId);
    // Runs the update handlers of target for every button and applies their enable and check states.
    void UpdateButtons(CCmdTarget* target);

    // The command ids of the resource in order, 0 for a separator.
    const std::vector<UINT>& GetItems() const { return m_items; }
    // The caption (text before the line feed) and tooltip (text after it) of a command; empty when unknown.
    std::string GetCaption(UINT commandId) const;
    std::string GetTooltip(UINT commandId) const;
    // The height the bar takes in a layout.
    int GetBarHeight() const;

    // Reads a toolbar resource: the items in order (0 for a separator) and the button size. False when the
    // resource is missing, of an unknown version or shorter than its item count says.
    static bool ReadToolbarResource(HINSTANCE instance, UINT toolbarId, std::vector<UINT>& items,
                                    SIZE& button);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct CCommandText
    {
        UINT id;
        std::string caption;
        std::string tooltip;
    };
    const CCommandText* FindText(UINT commandId) const;
    HIMAGELIST LoadStrip(HINSTANCE instance, UINT bitmapId) const;
    void DestroyImages();

    std::vector<UINT> m_items;
    std::vector<CCommandText> m_texts;
    SIZE m_button = {20, 20};
    HIMAGELIST m_images[3] = {nullptr, nullptr, nullptr};
};
