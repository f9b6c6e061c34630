// CXTPCommandBarsFrameHook: the object through which a command-bars manager takes over the frame
// of its site window. It subclasses the site through the hook manager and draws caption, borders and
// caption buttons through the frame paint manager of the manager's paint manager; with desktop
// composition the frame is left to the system and only extended into the client area.
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"
#include "toolkit/common/system/XTPNotifyConnection.h"

class CXTPCommandBars;
class CXTPControls;
class CXTPFramePaintManager;

class CXTPCommandBarsFrameHook : public CXTPHookManagerHookAble
{
public:
    // A caption button: its id is the system command, its help id the hit-test code. The paint
    // manager draws it as part of the frame.
    class CControlCaptionButton : public CXTPControl
    {
    public:
        explicit CControlCaptionButton(CXTPCommandBarsFrameHook* pFrameHook) : m_pFrameHook(pFrameHook) {}
        // The hook's hot button.
        int GetSelected() const override;
        // The hot button while the press loop holds it down over the button.
        int GetPressed() const override;

    protected:
        CXTPCommandBarsFrameHook* m_pFrameHook;
    };

    CXTPCommandBarsFrameHook();
    ~CXTPCommandBarsFrameHook() override;

    // Attaches to the manager's site window (null detaches); nothing when the attached state
    // would not change.
    void SetCommandBars(CXTPCommandBars* pCommandBars);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    HWND GetSite() const { return m_hwndSite; }
    BOOL IsAttached() const { return m_bAttached; }
    // The frame is left to desktop composition.
    BOOL IsDwmEnabled() const { return m_bAttached && m_bDwmEnabled; }
    // The caption is drawn active.
    BOOL IsFrameActive() const { return m_bActive; }
    int GetFrameBorder() const { return m_nFrameBorder; }
    CXTPControls* GetCaptionButtons() const { return m_pCaptionButtons; }
    CControlCaptionButton* GetHotButton() const { return m_pHotButton; }
    BOOL IsButtonPressed() const { return m_bButtonPressed; }

    CXTPFramePaintManager* GetFramePaintManager() const;
    // The hook draws the caption (a ribbon that draws it itself comes with the ribbon kind).
    BOOL IsCaptionVisible() const;
    // Border width plus the frame paint manager's caption height.
    int GetCaptionHeight() const;
    // The frame paint manager draws the status bar (child 0xE801, visible) into the frame.
    BOOL HasFrameStatusBar(int* pnHeight = nullptr) const;
    // The ribbon's part of the frame (nothing without a ribbon).
    void DrawRibbonCaption(CDC* pDC);
    // Extends the desktop frame into the client area by the top margin only.
    void ExtendFrameIntoClientArea();
    void DelayRecalcFrame();
    void RecalcFrame();
    void RefreshFrameRegion();
    // Draws the frame on a window device context (nothing under composition).
    void RedrawFrame();
    // Shows, hides, enables and places the caption buttons for the frame's style and size.
    void RefreshCaptionButtons();
    // The visible caption button at a point in window coordinates; bEnabledOnly skips disabled ones.
    CControlCaptionButton* HitTestCaptionButton(CPoint ptWindow, BOOL bEnabledOnly) const;
    void OnThemeImagesReloaded(XTP_NOTIFY_CODE dwCode, WPARAM wParam, LPARAM lParam, DWORD dwParam3);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // "WM_GETFRAMEHOOK": a hooked frame answers with its hook.
    static UINT GetFrameHookMessage();
    // The reference count of the process's shared EVENT_OBJECT_REORDER hook.
    static int GetSharedEventHookRefs();

protected:
    void Attach(CXTPCommandBars* pCommandBars);
    void Detach();
    BOOL EvaluateComposition() const;
    // Asks the system to recalculate its frame with the caption bits taken out for a moment.
    void RecalcSystemFrameWithoutCaption();
    void UpdateFrameRegion(CSize sz, BOOL bForce);
    // A screen point in window coordinates (mirrored for a right-to-left window).
    CPoint ScreenToFrame(CPoint ptScreen) const;
    void TrackCaptionButton(CControlCaptionButton* pButton);
    void SetHotButton(CControlCaptionButton* pButton);
    int OnFrameMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
    int OnNcHitTest(LPARAM lParam, LRESULT& lResult);
    int OnNcCalcSize(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    int OnNcActivate(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    int OnCompositionOffMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    int m_nStyleChanging = 0;
    HWND m_hwndSite = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bActive = TRUE;
    CSize m_szFrameRegion = CSize(0, 0);
    BOOL m_bDelayRecalc = FALSE;
    CXTPControls* m_pCaptionButtons = nullptr;
    CControlCaptionButton* m_pHotButton = nullptr;
    BOOL m_bButtonPressed = FALSE;
    BOOL m_bAttached = FALSE;
    int m_nSkipNcPaint = 0;
    BOOL m_bInUpdateRegion = FALSE;
    int m_nFrameBorder = 0;
    BOOL m_bDwmEnabled = FALSE;
    UINT m_nMsgUpdateSkinState = 0;
    UINT m_nMsgQuerySkinState = 0;
    CXTPNotifySink* m_pSink = nullptr;
};
