// The control model: effective values, command strings, captions, visibility, copies, actions,
// the collection's creation rules, navigation, and the persistence schema rules.
#include "CommandBarsTestSupport.h"
#include "TestBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlCheckBox.h"
#include "toolkit/commandbars/controls/XTPControlLabel.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "framework/Archive.h"
#include "framework/MemFile.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"
#include "toolkit/common/persist/XTPPropExchangeRegistry.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include <string>

using cb_test::RecordingWindow;
using cb_test::TestBar;

namespace
{
// A manager with actions, released at the end of a test.
struct Manager
{
    Manager()
    {
        p = new CXTPCommandBars();
        p->EnableActions();
    }
    ~Manager() { p->InternalRelease(); }
    CXTPCommandBars* p;
};

std::string S(const CString& str)
{
    return std::string(static_cast<LPCSTR>(str));
}
} // namespace

TEST(ControlModel, EffectiveCaptionAndTexts)
{
    Manager bars;
    CXTPControlAction* pAction = bars.p->GetActions()->Add(500);
    pAction->SetTooltip("Action tip");
    pAction->SetDescription("Action description");
    CXTPControlButton* pButton = new CXTPControlButton();
    EXPECT_EQ(S(pButton->GetCaption()), ""); // no caption, no action
    pButton->SetAction(pAction);
    EXPECT_EQ(S(pButton->GetCaption()), "Action tip"); // action caption empty: its tooltip
    pAction->SetCaption("Act&ion\tCtrl+A");
    EXPECT_EQ(S(pButton->GetCaption()), "Act&ion"); // only the part before a tab
    pButton->SetCaption("Own");
    EXPECT_EQ(S(pButton->GetCaption()), "Own");
    pButton->SetCustomCaption("Custom");
    EXPECT_EQ(S(pButton->GetCaption()), "Custom");
    EXPECT_EQ(S(pButton->GetTooltip()), "Action tip");
    EXPECT_EQ(S(pButton->GetDescription()), "Action description");
    pButton->SetTooltip("Own tip");
    EXPECT_EQ(S(pButton->GetTooltip()), "Own tip");
    pButton->InternalRelease();
}

TEST(ControlModel, EnabledCheckedAndStyleFromOwnActionBar)
{
    Manager bars;
    CXTPControlAction* pAction = bars.p->GetActions()->Add(600);
    TestBar bar;
    bar.SetCommandBars(bars.p);
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 600);
    ASSERT_EQ(pControl->GetAction(), pAction); // bound to the manager's action

    pAction->SetEnabled(FALSE);
    pAction->SetChecked(TRUE);
    EXPECT_FALSE(pControl->GetEnabled());
    EXPECT_TRUE(pControl->GetChecked());
    bars.p->SetCustomizeMode(TRUE); // customise mode enables every action
    EXPECT_TRUE(pControl->GetEnabled());
    bars.p->SetCustomizeMode(FALSE);
    pControl->SetEnabled(TRUE); // own value wins over -1
    EXPECT_TRUE(pControl->GetEnabled());

    struct Case
    {
        int nCustom, nStyle, nPreset, nBarDefault, nExpected;
    } cases[] = {
        {-1, 0, 0, 0, 0}, {-1, 0, 0, 3, 3}, {-1, 0, 2, 3, 2}, {-1, 1, 2, 3, 1}, {4, 1, 2, 3, 4}, {0, 1, 2, 3, 0},
    };
    for (const Case& c : cases)
    {
        pControl->SetCustomStyle(c.nCustom);
        pControl->SetStyle(c.nStyle);
        pControl->SetPresetStyle(c.nPreset);
        bar.SetDefaultButtonStyle(c.nBarDefault);
        EXPECT_EQ(pControl->GetStyle(), c.nExpected) << c.nCustom << " " << c.nStyle << " " << c.nPreset;
    }
    // Unbinding leaves the control enabled and unchecked.
    pControl->SetAction(nullptr);
    EXPECT_TRUE(pControl->GetEnabled());
    EXPECT_FALSE(pControl->GetChecked());
}

// A command string gives a control and an action the same texts: a text without a newline is both
// description and tooltip; with newlines the parts are description, tooltip, caption and keyboard tip
// (a fifth part is dropped), and a caption or keyboard tip already set stays. Without a caption part
// the caption is the tooltip: the control keeps it, the action answers it while its own is empty. A
// plain text names no caption: a control without one shows none.
TEST(ControlModel, CommandStrings)
{
    struct Case
    {
        const char* prompt;
        const char* caption; // set before
        const char* description;
        const char* tooltip;
        const char* expectedCaption;
        const char* keyboardTip;
        const char* actionCaption;
        const char* presetKeyboardTip; // set before
    } cases[] = {
        {"Whole text", "", "Whole text", "Whole text", "", "", "Whole text", ""},
        {"Whole text", "Mine", "Whole text", "Whole text", "Mine", "", "Mine", ""},
        {"Whole text", "", "Whole text", "Whole text", "", "Own", "Whole text", "Own"},
        {"", "", "", "", "", "", "", ""},
        {nullptr, "Mine", "", "", "Mine", "", "Mine", ""},
        {"\n", "", "", "", "", "", "", ""},
        {"Desc\n", "", "Desc", "", "", "", "", ""},
        {"Desc\nTip", "", "Desc", "Tip", "Tip", "", "Tip", ""},
        {"Desc\nTip\n", "", "Desc", "Tip", "Tip", "", "Tip", ""},
        {"Desc\nTip\nCap", "", "Desc", "Tip", "Cap", "", "Cap", ""},
        {"Desc\nTip\nCap", "Mine", "Desc", "Tip", "Mine", "", "Mine", ""},
        {"Desc\nTip\n\nK", "", "Desc", "Tip", "Tip", "K", "Tip", ""},
        {"Desc\nTip\nCap\nK", "", "Desc", "Tip", "Cap", "K", "Cap", ""},
        {"Desc\nTip\nCap\nK", "", "Desc", "Tip", "Cap", "Own", "Cap", "Own"},
        {"Desc\nTip\nCap\nK\nMore", "", "Desc", "Tip", "Cap", "K", "Cap", ""},
        {"\n\n\n", "", "", "", "", "", "", ""},
    };
    for (const Case& c : cases)
    {
        const std::string name = c.prompt ? c.prompt : "(null)";
        CXTPControlButton* p = new CXTPControlButton();
        p->SetCaption(c.caption);
        p->SetKeyboardTip(c.presetKeyboardTip);
        p->SetPrompt(c.prompt);
        EXPECT_EQ(S(p->GetDescription()), c.description) << "control " << name;
        EXPECT_EQ(S(p->GetTooltip()), c.tooltip) << "control " << name;
        EXPECT_EQ(S(p->GetCaption()), c.expectedCaption) << "control " << name;
        EXPECT_EQ(S(p->GetKeyboardTip()), c.keyboardTip) << "control " << name;
        p->InternalRelease();

        CXTPControlAction action;
        action.SetCaption(c.caption);
        action.SetKeyboardTip(c.presetKeyboardTip);
        action.SetPrompt(c.prompt);
        EXPECT_EQ(S(action.GetDescription()), c.description) << "action " << name;
        EXPECT_EQ(S(action.GetTooltip()), c.tooltip) << "action " << name;
        EXPECT_EQ(S(action.GetCaption()), c.actionCaption) << "action " << name;
        EXPECT_EQ(S(action.GetKeyboardTip()), c.keyboardTip) << "action " << name;
    }
}

TEST(ControlModel, CaptionTabSplitAndRelayout)
{
    TestBar bar;
    CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), 0);
    bar.ClearPendingFlags(xtpDelayLayout);
    p->SetCaption("&Open\tCtrl+O");
    EXPECT_EQ(S(p->GetCaption()), "&Open");
    EXPECT_EQ(S(p->GetShortcutText()), "Ctrl+O");
    EXPECT_TRUE(bar.GetPendingFlags() & xtpDelayLayout);
    bar.ClearPendingFlags(xtpDelayLayout);
    p->SetCaption("Other");
    EXPECT_EQ(S(p->GetShortcutText()), "Ctrl+O"); // no tab: the automatic shortcut stays
    p->SetCaption("Other");
    EXPECT_TRUE(bar.GetPendingFlags() & xtpDelayLayout);
    bar.ClearPendingFlags(xtpDelayLayout);
    p->SetCaption("Other"); // unchanged: no re-layout
    EXPECT_FALSE(bar.GetPendingFlags() & xtpDelayLayout);
}

TEST(ControlModel, VisibilityMasksAndCopyOfHideFlags)
{
    CXTPControlButton* p = new CXTPControlButton();
    struct Case
    {
        int nHide;
        DWORD dwMask;
        BOOL bVisible;
    } cases[] = {
        {0, 0, TRUE}, {2, 0, FALSE}, {2, 2, TRUE}, {8, 8, TRUE}, {0x20, 0x28, TRUE}, {0x21, 0x28, FALSE}, {1, 2, FALSE},
    };
    for (const Case& c : cases)
    {
        p->SetHideFlags(c.nHide);
        EXPECT_EQ(p->IsVisible(c.dwMask), c.bVisible) << c.nHide << " mask " << c.dwMask;
    }
    p->SetHideFlags(0x3F);
    CXTPControl* pCopy = p->Clone();
    EXPECT_EQ(pCopy->GetHideFlags(), 0x11);
    // An action that is hidden hides its controls.
    Manager bars;
    CXTPControlAction* pAction = bars.p->GetActions()->Add(700);
    pCopy->SetHideFlags(0);
    pCopy->SetAction(pAction);
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pCopy->IsVisible(0xFF));
    pCopy->InternalRelease();
    p->InternalRelease();
}

TEST(ControlModel, ActionsSortedFoundAndIndexed)
{
    Manager bars;
    CXTPControlActions* pActions = bars.p->GetActions();
    pActions->Add(30);
    pActions->Add(10);
    CXTPControlAction* p20 = pActions->Add(20);
    EXPECT_EQ(pActions->Add(20), p20);
    ASSERT_EQ(pActions->GetCount(), 3);
    EXPECT_EQ(pActions->GetAt(0)->GetID(), 10);
    EXPECT_EQ(pActions->GetAt(1)->GetID(), 20);
    EXPECT_EQ(pActions->GetAt(2)->GetID(), 30);
    EXPECT_EQ(pActions->GetAt(3), nullptr); // out of range: null, no exception
    EXPECT_EQ(pActions->GetAt(-1), nullptr);
    EXPECT_EQ(pActions->FindAction(20), p20);
    for (int nId : {0, -1, 0x0FFFFFFF, 25})
        EXPECT_EQ(pActions->FindAction(nId), nullptr) << nId;
}

TEST(ControlModel, AddCreatesActionsOutsideReservedIds)
{
    Manager bars;
    CXTPControls* pControls = new CXTPControls();
    pControls->SetCommandBars(bars.p);
    struct Case
    {
        int nId;
        bool bAction;
    } cases[] = {{9150, false}, {35001, false}, {9100, false}, {9300, true}, {100, true}, {35004, true}};
    for (const Case& c : cases)
    {
        CXTPControl* p = pControls->Add(new CXTPControlButton(), c.nId);
        EXPECT_EQ(p->GetAction() != nullptr, c.bAction) << c.nId;
        EXPECT_EQ(p->GetID(), c.nId);
    }
    EXPECT_EQ(bars.p->GetActions()->GetCount(), 3);
    // Without command bars no action is made.
    CXTPControls* pLoose = new CXTPControls();
    EXPECT_EQ(pLoose->Add(new CXTPControlButton(), 100)->GetAction(), nullptr);
    pLoose->InternalRelease();
    pControls->InternalRelease();
}

TEST(ControlModel, InsertRenumbersAndGetAtOutOfRange)
{
    CXTPControls* pControls = new CXTPControls();
    for (int i = 0; i < 3; ++i)
        pControls->Add(new CXTPControlButton(), i + 1);
    CXTPControl* p = pControls->InsertAt(new CXTPControlButton(), 7);
    EXPECT_EQ(p->GetIndex(), 3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pControls->GetAt(i)->GetIndex(), i);
    EXPECT_EQ(pControls->GetAt(4), nullptr);
    pControls->InsertAt(new CXTPControlButton(), 0);
    EXPECT_EQ(pControls->GetAt(1)->GetID(), 1);
    EXPECT_EQ(pControls->GetAt(1)->GetIndex(), 1);
    pControls->InternalRelease();
}

TEST(ControlModel, FindNextIndexWrapTable)
{
    CXTPControls* pControls = new CXTPControls();
    for (int i = 0; i < 4; ++i)
        pControls->Add(new CXTPControlButton(), i + 1);
    pControls->GetAt(1)->SetFlags(xtpFlagSkipFocus);
    pControls->GetAt(3)->SetHideFlags(xtpHideGeneric);
    struct Case
    {
        int nStart, nStep, nExpected;
    } cases[] = {
        {-1, 1, 0}, {-1, -1, 2}, {0, 1, 2}, {2, 1, 0}, {0, -1, 2}, {2, -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pControls->FindNextIndex(c.nStart, c.nStep), c.nExpected) << c.nStart << " step " << c.nStep;
    // Only one navigable control: from it, the walk comes back to it; from -1 it is found.
    pControls->GetAt(2)->SetFlags(xtpFlagSkipFocus);
    EXPECT_EQ(pControls->FindNextIndex(0, 1), 0);
    EXPECT_EQ(pControls->FindNextIndex(-1, -1), 0);
    // No navigable control: -1 without wrapping from -1, -1 after a second wrap elsewhere.
    pControls->GetAt(0)->SetFlags(xtpFlagSkipFocus);
    EXPECT_EQ(pControls->FindNextIndex(-1, -1), -1);
    EXPECT_EQ(pControls->FindNextIndex(-1, 1), -1);
    EXPECT_EQ(pControls->FindNextIndex(2, 1), 2);
    CXTPControls* pEmpty = new CXTPControls();
    EXPECT_EQ(pEmpty->FindNextIndex(-1, 1), -1);
    pEmpty->InternalRelease();
    pControls->InternalRelease();
}

TEST(ControlModel, CopyFromItselfKeepsControlsAndOriginals)
{
    CXTPControls* pControls = new CXTPControls();
    pControls->Add(new CXTPControlButton(), 1)->SetCaption("One");
    pControls->Add(new CXTPControlButton(), 2, nullptr, -1, TRUE); // temporary
    pControls->Copy(pControls);
    EXPECT_EQ(pControls->GetCount(), 2);

    CXTPControls* pOther = new CXTPControls();
    pOther->Copy(pControls);
    EXPECT_EQ(pOther->GetCount(), 1); // temporary controls are not copied
    EXPECT_EQ(S(pOther->GetAt(0)->GetCaption()), "One");
    EXPECT_TRUE(pOther->IsEqual(pControls)); // temporaries do not count
    pOther->CreateOriginalControls();
    EXPECT_FALSE(pOther->IsChanged());
    pOther->GetAt(0)->SetCaption("Changed");
    EXPECT_TRUE(pOther->IsChanged());
    pOther->InternalRelease();
    pControls->InternalRelease();
}

namespace
{
class TestLabel : public CXTPControlButton
{
public:
    TestLabel() { m_controlType = xtpControlLabel; }
};

CXTPControl* MakeLabel(int, int, BOOL)
{
    return new TestLabel();
}
} // namespace

TEST(ControlModel, LaterKindJoinsAddByType)
{
    CXTPControls* pControls = new CXTPControls();
    EXPECT_EQ(pControls->AddByType(0, 1), nullptr);
    EXPECT_EQ(pControls->AddByType(12, 1), nullptr);
    // A registered maker comes before the built-in kind of its type, and gives way when removed.
    CXTPControl* pBuiltIn = pControls->AddByType(xtpControlLabel, 1);
    ASSERT_NE(pBuiltIn, nullptr);
    EXPECT_EQ(pBuiltIn->GetRuntimeClass(), RUNTIME_CLASS(CXTPControlLabel));
    CXTPControls::PFNCREATECONTROL pfnOld = CXTPControls::RegisterControlType(xtpControlLabel, &MakeLabel);
    CXTPControl* p = pControls->AddByType(xtpControlLabel, 5);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(dynamic_cast<TestLabel*>(p), nullptr);
    EXPECT_EQ(p->GetType(), xtpControlLabel);
    EXPECT_EQ(p->GetID(), 5);
    CXTPControls::RegisterControlType(xtpControlLabel, pfnOld);
    EXPECT_EQ(pControls->AddByType(xtpControlLabel, 7)->GetRuntimeClass(), RUNTIME_CLASS(CXTPControlLabel));
    CXTPControl* pButton = pControls->AddByType(xtpControlButton, 6);
    EXPECT_NE(dynamic_cast<CXTPControlButton*>(pButton), nullptr);
    pControls->InternalRelease();
}

TEST(ControlModel, SetControlTypeTable)
{
    CXTPControls::PFNCREATECONTROL pfnOld = CXTPControls::RegisterControlType(xtpControlLabel, &MakeLabel);
    struct Case
    {
        const char* name;
        int nFrom, nTo;
        bool bSame;    // the same object stays
        bool bNull;    // nothing changes, null answered
        int nTypeAfter; // the type at index 1 afterwards
    };
    const Case cases[] = {
        {"same type", xtpControlButton, xtpControlButton, true, false, xtpControlButton},
        {"popup to split popup", xtpControlPopup, xtpControlSplitButtonPopup, true, false, xtpControlSplitButtonPopup},
        {"button popup to popup", xtpControlButtonPopup, xtpControlPopup, true, false, xtpControlPopup},
        {"button to label", xtpControlButton, xtpControlLabel, false, false, xtpControlLabel},
        {"button to radio button", xtpControlButton, xtpControlRadioButton, false, false, xtpControlRadioButton},
        {"out of range", xtpControlButton, 42, true, true, xtpControlButton},
    };
    for (const Case& c : cases)
    {
        TestBar bar;
        CXTPControls* pControls = bar.GetControls();
        pControls->Add(new CXTPControlButton(), 1);
        CXTPControl* pOld = pControls->Add(new CXTPControlButton(), 2);
        pControls->Add(new CXTPControlButton(), 3);
        pOld->SetType(c.nFrom);
        pOld->SetCaption("Find");
        pOld->SetBeginGroup(TRUE);
        pOld->SetParameter("p");
        CXTPControl* pResult = pControls->SetControlTypeAt(1, c.nTo);
        EXPECT_EQ(pResult == nullptr, c.bNull) << c.name;
        EXPECT_EQ(pControls->GetCount(), 3) << c.name;
        CXTPControl* pAt = pControls->GetAt(1);
        EXPECT_EQ(pAt == pOld, c.bSame) << c.name;
        if (!c.bNull)
            EXPECT_EQ(pResult, pAt) << c.name;
        EXPECT_EQ(pAt->GetType(), c.nTypeAfter) << c.name;
        // The copy keeps what the control held, and its place.
        EXPECT_EQ(pAt->GetID(), 2) << c.name;
        EXPECT_EQ(S(pAt->GetCaption()), "Find") << c.name;
        EXPECT_TRUE(pAt->GetBeginGroup()) << c.name;
        EXPECT_EQ(S(pAt->GetParameter()), "p") << c.name;
        EXPECT_EQ(pAt->GetIndex(), 1) << c.name;
        EXPECT_EQ(pAt->GetParent(), &bar) << c.name;
        EXPECT_EQ(pControls->GetAt(2)->GetID(), 3) << c.name;
        if (!c.bSame && c.nTypeAfter == xtpControlLabel)
            EXPECT_NE(dynamic_cast<TestLabel*>(pAt), nullptr) << c.name << ": the registered maker";
        if (!c.bSame && c.nTypeAfter == xtpControlRadioButton)
            EXPECT_NE(dynamic_cast<CXTPControlRadioButton*>(pAt), nullptr) << c.name << ": the built-in kind";
    }
    // A bad index, and a control of another collection.
    TestBar bar;
    EXPECT_EQ(bar.GetControls()->SetControlTypeAt(0, xtpControlLabel), nullptr);
    EXPECT_EQ(bar.GetControls()->SetControlTypeAt(-1, xtpControlLabel), nullptr);
    CXTPControlButton* pLoose = new CXTPControlButton();
    EXPECT_EQ(bar.GetControls()->SetControlType(pLoose, xtpControlLabel), nullptr);
    pLoose->InternalRelease();
    CXTPControls::RegisterControlType(xtpControlLabel, pfnOld);
}

TEST(ControlModel, AccessKeys)
{
    struct Case
    {
        const char* caption;
        const char* key;
        const char* stripped;
    } cases[] = {
        {"&Open", "O", "Open"}, {"Save &As", "A", "Save As"}, {"Fish && Chips", "", "Fish & Chips"},
        {"&&Both &Two", "T", "&Both Two"}, {"Trailing&", "", "Trailing"}, {"None", "", "None"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(S(CXTPControl::GetAccessKey(c.caption)), c.key) << c.caption;
        EXPECT_EQ(S(CXTPControl::StripAccessKeys(c.caption)), c.stripped) << c.caption;
    }
    CXTPControlButton* p = new CXTPControlButton();
    p->SetCaption("Fish && Chips");
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR bstr = nullptr;
    ASSERT_EQ(p->GetAccessibleKeyboardShortcut(self, &bstr), S_OK);
    EXPECT_EQ(SysStringLen(bstr), 0u);
    SysFreeString(bstr);
    VARIANT bad;
    bad.vt = VT_I4;
    bad.lVal = 3;
    EXPECT_EQ(p->GetAccessibleName(bad, &bstr), E_INVALIDARG);
    p->InternalRelease();
}

TEST(ControlModel, ExecuteSurvivesRemovalWhileTrackingEnds)
{
    // Ending tracking closes the bar, which removes (and frees) the control; the command must
    // still go out with the control's id.
    RecordingWindow owner;
    struct ClosingBar : TestBar
    {
        BOOL SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard) override
        {
            if (!bMode)
                GetControls()->RemoveAll();
            return TestBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard);
        }
    } bar;
    bar.SetOwnerWindow(owner.Handle());
    CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), 4242);
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    p->OnExecute();
    EXPECT_EQ(bar.GetControls()->GetCount(), 0);
    bool bCommand = false;
    for (const auto& m : owner.m_withParams)
        bCommand = bCommand || (m.first == WM_COMMAND && m.second == 4242);
    EXPECT_TRUE(bCommand);
}

TEST(ControlModel, CustomStyleZeroBySchema)
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "qvx_cb_control.ini";
    struct Case
    {
        int nSchema;
        int nExpected;
    } cases[] = {{10, -1}, {17, -1}, {18, 0}, {38, 0}};
    for (const Case& c : cases)
    {
        DeleteFileA(file.c_str());
        WritePrivateProfileStringA("Control", "Schema", std::to_string(c.nSchema).c_str(), file.c_str());
        WritePrivateProfileStringA("Control", "CustomStyle", "0", file.c_str());
        WritePrivateProfileStringA("Control", "Id", "77", file.c_str());
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Control");
        px.AssignFile(file.c_str());
        px.ExchangeSchema();
        CXTPControlButton* p = new CXTPControlButton();
        p->DoPropExchange(&px);
        EXPECT_EQ(p->GetCustomStyle(), c.nExpected) << "schema " << c.nSchema;
        EXPECT_EQ(p->GetID(), 77);
        p->InternalRelease();
    }
    DeleteFileA(file.c_str());
}

TEST(ControlModel, PersistenceRoundTripKeysBySchema)
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "qvx_cb_roundtrip.ini";
    struct Case
    {
        int nSchema;
        const char* key;
        bool bWritten;
    } cases[] = {
        {1, "Category", false},   {5, "Category", true},    {5, "DefaultItem", true},  {8, "CustomStyle", true},
        {5, "CustomStyle", false}, {17, "Style", true},     {18, "Width", false},      {23, "ShortcutTextAuto", true},
        {23, "KeyboardTip", false}, {24, "KeyboardTip", true}, {26, "IconSize", true},  {24, "IconSize", false},
        {38, "HelpId", true},     {8, "CloseSubMenuOnClick", true}, {17, "HelpId", true}, {17, "Height", false},
    };
    for (const Case& c : cases)
    {
        DeleteFileA(file.c_str());
        CXTPControlButton* p = new CXTPControlButton();
        p->SetCaption("Cap");
        p->SetCategory("Cat");
        p->SetDefaultItem(TRUE);
        p->SetCustomStyle(2);
        p->SetStyle(3);
        p->SetWidth(40);
        p->SetHeight(20);
        p->SetHelpId(9);
        p->SetKeyboardTip("K");
        p->SetCaption("Cap\tCtrl+K");
        p->SetIconSize(CSize(24, 24));
        p->SetCloseSubMenuOnClick(FALSE);
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Control");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            p->DoPropExchange(&px);
        }
        char value[64] = {};
        GetPrivateProfileStringA("Control", c.key, "<none>", value, sizeof value, file.c_str());
        EXPECT_EQ(std::string(value) != "<none>", c.bWritten) << "schema " << c.nSchema << " key " << c.key;
        if (c.nSchema == 38)
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Control");
            px.AssignFile(file.c_str());
            px.m_nSchema = 38;
            CXTPControlButton* pLoaded = new CXTPControlButton();
            pLoaded->DoPropExchange(&px);
            EXPECT_TRUE(pLoaded->Compare(p));
            EXPECT_EQ(S(pLoaded->GetShortcutText()), "Ctrl+K");
            EXPECT_EQ(pLoaded->GetHeight(), 20);
            EXPECT_FALSE(pLoaded->GetCloseSubMenuOnClick());
            pLoaded->InternalRelease();
        }
        p->InternalRelease();
    }
    DeleteFileA(file.c_str());
}

namespace
{
CXTPControlButton* MakeRichButton()
{
    CXTPControlButton* p = new CXTPControlButton();
    p->SetID(321);
    p->SetCaption("&Print\tCtrl+P");
    p->SetTooltip("Tip");
    p->SetDescription("Desc");
    p->SetCategory("File");
    p->SetStyle(3);
    p->SetWidth(50);
    p->SetHelpId(17);
    p->SetKeyboardTip("P");
    p->SetBeginGroup(TRUE);
    p->SetHideFlags(xtpHideCustomize);
    return p;
}

void ExpectSameButton(CXTPControlButton* pLoaded, CXTPControlButton* pSource)
{
    EXPECT_TRUE(pLoaded->Compare(pSource));
    EXPECT_EQ(pLoaded->GetID(), 321);
    EXPECT_EQ(S(pLoaded->GetCaption()), "&Print");
    EXPECT_EQ(S(pLoaded->GetShortcutText()), "Ctrl+P");
    EXPECT_EQ(S(pLoaded->GetCategory()), "File");
    EXPECT_EQ(pLoaded->GetHelpId(), 17);
    EXPECT_EQ(S(pLoaded->GetKeyboardTip()), "P");
}
} // namespace

TEST(ControlModel, RegistryRoundTrip)
{
    const char* kKey = "Software\\QuorvexTests\\CommandBarsControl";
    CXTPControlButton* pSource = MakeRichButton();
    {
        CXTPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kKey);
        px.ExchangeSchema();
        pSource->DoPropExchange(&px);
    }
    CXTPControlButton* pLoaded = new CXTPControlButton();
    {
        CXTPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, kKey);
        px.ExchangeSchema();
        pLoaded->DoPropExchange(&px);
    }
    ExpectSameButton(pLoaded, pSource);
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuorvexTests");
    pLoaded->InternalRelease();
    pSource->InternalRelease();
}

TEST(ControlModel, ArchiveRoundTrip)
{
    CXTPControlButton* pSource = MakeRichButton();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        px.ExchangeSchema();
        pSource->DoPropExchange(&px);
        ar.Close();
    }
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + nLength);
    std::free(pBytes);
    EXPECT_GT(nLength, 40u);
    CMemFile in(bytes.data(), nLength, 0);
    CArchive ar(&in, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    px.ExchangeSchema();
    EXPECT_EQ(px.m_nSchema, 38);
    CXTPControlButton* pLoaded = new CXTPControlButton();
    pLoaded->DoPropExchange(&px);
    ExpectSameButton(pLoaded, pSource);
    pLoaded->InternalRelease();
    pSource->InternalRelease();
}

namespace
{
class TestOleItems : public CXTPControlButton
{
};
class TestPopup : public CXTPControlButton
{
};
CXTPControls::PFNCREATECONTROL g_pfnButtonMaker = nullptr;
CXTPControl* MakeOleOrButton(int nType, int nId, BOOL bTemporary)
{
    if (nId == 57872)
        return new TestOleItems();
    return g_pfnButtonMaker ? g_pfnButtonMaker(nType, nId, bTemporary) : nullptr;
}
CXTPControl* MakePopup(int, int, BOOL)
{
    return new TestPopup();
}
} // namespace

TEST(ControlModel, AddMenuItemTable)
{
    HMENU hSub = CreatePopupMenu();
    AppendMenuA(hSub, MF_STRING, 901, "Inner");
    HMENU hMenu = CreatePopupMenu();
    AppendMenuA(hMenu, MF_STRING, 100, "&Open\tCtrl+O");          // 0
    AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);                  // 1
    AppendMenuA(hMenu, MF_STRING, 0xFF00, "Placeholder");          // 2
    AppendMenuA(hMenu, MF_STRING, 57872, XTP_OLE_VERBS_PLACEHOLDER); // 3
    AppendMenuA(hMenu, MF_STRING, 57872, "Other text");            // 4
    AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "&Sub\t500"); // 5
    AppendMenuA(hMenu, MF_STRING, 9150, "Reserved");               // 6
    SetMenuDefaultItem(hMenu, 0, TRUE);

    RecordingWindow site;
    Manager bars;
    bars.p->SetSite(CWnd::FromHandle(site.Handle()));
    g_pfnButtonMaker = CXTPControls::RegisterControlType(xtpControlButton, &MakeOleOrButton);
    CXTPControls::PFNCREATECONTROL pfnOldPopup = CXTPControls::RegisterControlType(xtpControlPopup, &MakePopup);
    CXTPControls* pControls = new CXTPControls();
    pControls->SetCommandBars(bars.p);

    CXTPControl* pOpen = pControls->AddMenuItem(hMenu, 0);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_EQ(pOpen->GetID(), 100);
    EXPECT_NE(pOpen->GetAction(), nullptr);
    EXPECT_EQ(S(pOpen->GetCaption()), "&Open");
    EXPECT_TRUE(pOpen->IsDefaultItem());
    EXPECT_EQ(pControls->AddMenuItem(hMenu, 1), nullptr); // separator
    EXPECT_EQ(pControls->AddMenuItem(hMenu, 2), nullptr); // 0xFF00
    EXPECT_NE(dynamic_cast<TestOleItems*>(pControls->AddMenuItem(hMenu, 3)), nullptr);
    CXTPControl* pOther = pControls->AddMenuItem(hMenu, 4);
    EXPECT_EQ(dynamic_cast<TestOleItems*>(pOther), nullptr);
    EXPECT_NE(dynamic_cast<CXTPControlButton*>(pOther), nullptr);
    CXTPControl* pSub = pControls->AddMenuItem(hMenu, 5);
    ASSERT_NE(pSub, nullptr);
    EXPECT_NE(dynamic_cast<TestPopup*>(pSub), nullptr);
    EXPECT_EQ(pSub->GetID(), 500); // the number after the tab
    EXPECT_EQ(pSub->GetType(), xtpControlPopup);
    EXPECT_EQ(S(pSub->GetCaption()), "&Sub");
    CXTPControl* pReserved = pControls->AddMenuItem(hMenu, 6);
    EXPECT_NE(pReserved->GetAction(), nullptr); // menus make actions for reserved ids too
    EXPECT_EQ(pControls->GetCount(), 5);
    EXPECT_EQ(site.Count(XTP_WM_CONTROL_CREATE), 7 - 2); // not for the separator and 0xFF00
    EXPECT_EQ(site.Count(XTP_WM_CONTROL_CREATED), 5);

    CXTPControls::RegisterControlType(xtpControlButton, g_pfnButtonMaker);
    CXTPControls::RegisterControlType(xtpControlPopup, pfnOldPopup);
    pControls->InternalRelease();
    DestroyMenu(hMenu);
}

namespace
{
// Builds an archive image the way the archive exchange writes it: 32-bit integers little-endian,
// short texts as a length byte and the characters.
struct ArchiveBytes
{
    std::vector<BYTE> v;
    ArchiveBytes& I4(long n)
    {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<BYTE>((static_cast<unsigned long>(n) >> (8 * i)) & 0xFF));
        return *this;
    }
    ArchiveBytes& W(unsigned n)
    {
        v.push_back(static_cast<BYTE>(n & 0xFF));
        v.push_back(static_cast<BYTE>((n >> 8) & 0xFF));
        return *this;
    }
    ArchiveBytes& Chars(const char* s)
    {
        for (; *s; ++s)
            v.push_back(static_cast<BYTE>(*s));
        return *this;
    }
    ArchiveBytes& Str(const char* s)
    {
        v.push_back(static_cast<BYTE>(std::strlen(s)));
        return Chars(s);
    }
};
} // namespace

// One button in an archive at schema 38, stored as one object instance of the control collection
// stores it: the class record names the kind, then the control's values in their fixed order.
TEST(ControlModel, ArchiveGoldenBytesOfOneButton)
{
    CXTPControlButton* pButton = new CXTPControlButton();
    pButton->SetID(321);
    pButton->SetCaption("Go");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        px.ExchangeSchema();
        CObject* pObject = pButton;
        ASSERT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPControl)));
        pButton->DoPropExchange(&px);
        ar.Close();
    }
    ArchiveBytes expected;
    expected.I4(0x0FF0ADBF).I4(38);                           // schema marker and number
    expected.W(0xFFFF).W(38).W(17).Chars("CXTPControlButton"); // new class record
    expected.I4(xtpControlButton).I4(321).I4(0).I4(FALSE).I4(0).I4(0).I4(0); // type .. hide flags
    expected.Str("Go").Str("").Str("").Str("").Str("");        // caption, shortcut, tooltip, description, parameter
    expected.I4(0).Str("").Str("");                           // custom icon, custom caption, category
    expected.I4(0).I4(0);                                     // excluded and assigned document templates: counts
    expected.I4(FALSE).I4(TRUE).I4(-1).I4(0).I4(0);            // default item, close on click, custom style, help, style
    expected.I4(0).I4(0).I4(0);                               // width, height, execute-on-press interval
    expected.Str("").Str("").I4(0).I4(0);                     // automatic shortcut, keyboard tip, icon size
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + nLength);
    std::free(pBytes);
    EXPECT_EQ(bytes, expected.v);

    // Loading creates the kind the class record names.
    CMemFile in(expected.v.data(), static_cast<UINT>(expected.v.size()), 0);
    CArchive ar(&in, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    px.ExchangeSchema();
    CObject* pObject = nullptr;
    ASSERT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPControl)));
    CXTPControlButton* pLoaded = dynamic_cast<CXTPControlButton*>(pObject);
    ASSERT_NE(pLoaded, nullptr);
    pLoaded->DoPropExchange(&px);
    EXPECT_EQ(pLoaded->GetID(), 321);
    EXPECT_EQ(S(pLoaded->GetCaption()), "Go");
    EXPECT_TRUE(pLoaded->Compare(pButton));
    pLoaded->InternalRelease();
    pButton->InternalRelease();
}

// The resize cursor of customisation is generated with the other toolkit cursors into the one
// resource script that carries cursors, and so is in this program's resources.
TEST(ControlModel, ResizeCursorLoadsFromTheProgram)
{
    HCURSOR hCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_TK_RESIZE_CONTROL));
    EXPECT_NE(hCursor, nullptr);
    EXPECT_EQ(IDC_TK_RESIZE_CONTROL, 9972);
}

// The INI text of one button per schema: each schema adds its keys in their fixed order; named
// stores leave out values at their defaults.
TEST(ControlModel, IniTextOfOneButtonBySchema)
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "qvx_cb_initext.ini";
    struct Case
    {
        int nSchema;
        const char* text;
    } cases[] = {
        {1, "Id=5|Caption=Go|Style=3|"}, // before 18 the button keeps its style last
        {5, "Id=5|Caption=Go|Category=Cat|DefaultItem=1|Style=3|"},
        {8, "Id=5|Caption=Go|Category=Cat|DefaultItem=1|CustomStyle=2|Style=3|"},
        {17, "Id=5|Caption=Go|Category=Cat|DefaultItem=1|CustomStyle=2|HelpId=9|Style=3|"},
        {18, "Id=5|Caption=Go|Category=Cat|DefaultItem=1|CustomStyle=2|HelpId=9|Style=3|"},
        {24, "Id=5|Caption=Go|Category=Cat|DefaultItem=1|CustomStyle=2|HelpId=9|Style=3|Width=40|KeyboardTip=K|"},
    };
    for (const Case& c : cases)
    {
        DeleteFileA(file.c_str());
        CXTPControlButton* p = new CXTPControlButton();
        p->SetID(5);
        p->SetCaption("Go");
        p->SetCategory("Cat");
        p->SetDefaultItem(TRUE);
        p->SetCustomStyle(2);
        p->SetHelpId(9);
        p->SetStyle(3);
        p->SetWidth(40);
        p->SetKeyboardTip("K");
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Control");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            p->DoPropExchange(&px);
        }
        char buffer[4096] = {};
        DWORD n = GetPrivateProfileSectionA("Control", buffer, sizeof buffer, file.c_str());
        std::string text;
        for (DWORD i = 0; i < n; ++i)
            text += buffer[i] ? buffer[i] : '|';
        EXPECT_EQ(text, c.text) << "schema " << c.nSchema;
        p->InternalRelease();
    }
    DeleteFileA(file.c_str());
}

// Caption and picture by style and type on a bar that is not a popup: a button with no style shows
// its picture when it has one and its caption otherwise, never neither.
TEST(ControlModel, CaptionAndPictureVisibilityByStyle)
{
    struct Case
    {
        int nStyle;
        XTPControlType type;
        bool bImage;
        BOOL bCaption;
        BOOL bPicture;
    } cases[] = {
        {xtpButtonAutomatic, xtpControlButton, true, FALSE, TRUE},
        {xtpButtonAutomatic, xtpControlButton, false, TRUE, FALSE},
        {xtpButtonAutomatic, xtpControlButtonPopup, true, FALSE, TRUE},
        {xtpButtonAutomatic, xtpControlSplitButtonPopup, true, FALSE, TRUE},
        {xtpButtonAutomatic, xtpControlPopup, true, TRUE, FALSE},
        {xtpButtonCaption, xtpControlButton, true, TRUE, FALSE},
        {xtpButtonIcon, xtpControlButton, true, FALSE, TRUE},
        {xtpButtonIcon, xtpControlButton, false, FALSE, FALSE},
        {xtpButtonIconAndCaption, xtpControlButton, true, TRUE, TRUE},
    };
    HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    for (const Case& c : cases)
    {
        TestBar bar;
        CXTPImageManager* pImages = new CXTPImageManager();
        pImages->SetIcon(hIcon, 600, 16, 16);
        bar.SetImageManager(pImages);
        CXTPControl* p = bar.GetControls()->AddByType(c.type, c.bImage ? 600 : 601);
        ASSERT_NE(p, nullptr) << c.type;
        p->SetCaption("Run");
        p->SetStyle(c.nStyle);
        EXPECT_EQ(p->IsCaptionVisible(), c.bCaption) << c.nStyle << " " << c.type << " " << c.bImage;
        EXPECT_EQ(p->IsImageVisible(), c.bPicture) << c.nStyle << " " << c.type << " " << c.bImage;
    }
}
