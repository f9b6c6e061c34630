// The shortcut manager: texts and parsing as one table, key names (the layout's through the system
// query), the tables, translation on a real frame with the keyboard state set by SetKeyboardState
// (the AltGr rule, the cases that send nothing, chords with their second key posted), and the stored
// forms: the application profile in an INI file, property exchange at schema 38 and 32, damaged
// counts and blocks.
#include "CommandBarsTestSupport.h"
#include "ManagerTestSupport.h"
#include "ToolBarSupport.h"
#include "PropExchangeTestSupport.h"

#include "framework/WinApp.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Record = XTP_SHORTCUTMANAGER_ACCEL;

const BYTE V = FVIRTKEY;
const BYTE C = FCONTROL;
const BYTE S = FSHIFT;
const BYTE A = FALT;

Record Rec(int cmd, BYTE f1, WORD k1, BYTE f2 = 0, WORD k2 = 0)
{
    Record r = {};
    r.cmd = cmd;
    r.key[0].fVirt = f1;
    r.key[0].key = k1;
    r.key[1].fVirt = f2;
    r.key[1].key = k2;
    return r;
}

bool SameKeys(const Record& a, const Record& b)
{
    return a.key[0].fVirt == b.key[0].fVirt && a.key[0].key == b.key[0].key && a.key[1].fVirt == b.key[1].fVirt &&
           a.key[1].key == b.key[1].key;
}

std::vector<std::vector<BYTE>> TableBytes(CXTPShortcutManager* pManager)
{
    std::vector<std::vector<BYTE>> rows;
    CXTPShortcutManagerAccelTable* pTable = pManager->GetAccelerators();
    for (int i = 0; i < pTable->GetCount(); ++i)
    {
        const Record& r = pTable->GetAt(i)->Record();
        const BYTE* p = reinterpret_cast<const BYTE*>(&r);
        rows.emplace_back(p, p + sizeof(Record));
    }
    return rows;
}

std::vector<std::vector<BYTE>> RecordBytes(const std::vector<Record>& records)
{
    std::vector<std::vector<BYTE>> rows;
    for (const Record& r : records)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&r);
        rows.emplace_back(p, p + sizeof(Record));
    }
    return rows;
}

// A manager without a site.
struct Manager
{
    Manager() : bars(new CXTPCommandBars()) {}
    ~Manager() { bars->InternalRelease(); }
    CXTPShortcutManager* Keys() const { return bars->GetShortcutManager(); }
    CXTPCommandBars* bars;
};

// The keyboard layout's answers fixed as an X11 layout under Wine gives them; every key-data value
// asked for is kept.
class LayoutNames : public CXTPCommandBarsSystemQuery
{
public:
    LayoutNames() : m_pOld(SetCommandBarsSystemQuery(this)) {}
    ~LayoutNames() override { SetCommandBarsSystemQuery(m_pOld); }
    UINT MapVirtualKeyToScanCode(UINT nVirtKey) override
    {
        auto it = m_scan.find(nVirtKey);
        return it == m_scan.end() ? 0 : it->second;
    }
    int GetKeyNameText(LONG lParam, CHAR* pszName, int cchName) override
    {
        m_asked.push_back(lParam);
        auto it = m_names.find((lParam >> 16) & 0xFF);
        if (it == m_names.end())
            return 0;
        lstrcpynA(pszName, it->second.c_str(), cchName);
        return lstrlenA(pszName);
    }
    std::map<UINT, UINT> m_scan = {{VK_PRIOR, 0x49}, {VK_CONTROL, 0x1D}, {VK_OEM_1, 0x27}, {'S', 0x1F}};
    std::map<UINT, std::string> m_names = {{0x49, "Prior"}, {0x1D, "Control"}, {0x27, "SEMI COLON"}, {0x1F, "s"}};
    std::vector<LONG> m_asked;

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

// The thread's keyboard state for the life of the object: the listed keys down, the rest up.
class KeysDown
{
public:
    explicit KeysDown(std::vector<int> keys)
    {
        ::GetKeyboardState(m_saved);
        Set(keys);
    }
    ~KeysDown() { ::SetKeyboardState(m_saved); }
    static void Set(const std::vector<int>& keys)
    {
        BYTE state[256] = {};
        for (int k : keys)
            state[k] = 0x80;
        ::SetKeyboardState(state);
    }

private:
    BYTE m_saved[256] = {};
};
} // namespace

// ---- texts and parsing ----

TEST(ShortcutTexts, FormatAndParseAsOneTable)
{
    Manager m;
    struct Case
    {
        const char* name;
        Record record;
        const char* text;     // Format of the record
        int nPriority;
        bool bParsesBack;     // ParseShortcut(text) gives the record's keys again
    } const cases[] = {
        {"Ctrl and Shift", Rec(1, V | C | S, 'S'), "Ctrl+Shift+S", 3, true},
        {"chord", Rec(1, V | C, 'K', V | C, 'C'), "Ctrl+K, Ctrl+C", 3, true},
        {"Alt first", Rec(1, V | A, VK_F4), "Alt+F4", 2, true},
        {"Shift only", Rec(1, V | S, VK_DELETE), "Shift+Del", 1, true},
        {"plain key", Rec(1, V, VK_F5), "F5", 4, true},
        {"Ctrl with Alt", Rec(1, V | C | A, VK_PRIOR), "Ctrl+Alt+Page Up", 3, true},
        {"name with a plus", Rec(1, V | C, VK_ADD), "Ctrl+Num +", 3, true},
        {"keypad digit", Rec(1, V, VK_NUMPAD7), "Num 7", 4, true},
        {"Windows key", Rec(1, V | XTP_ACCEL_FWINKEY, 'E'), "Win+E", 4, false},
        {"Ctrl+Break has no modifiers", Rec(1, V | C, 3), "Ctrl+Break", 3, false},
        {"no key drops the plus", Rec(1, V | C | S, 0), "Ctrl+Shift", 3, false},
        {"control character 1", Rec(1, FNOINVERT, 1), "Ctrl+A", 4, false},
        {"control character 26", Rec(1, FNOINVERT, 26), "Ctrl+Z", 4, false},
        {"character", Rec(1, 0, 'a'), "a", 4, false},
        {"Escape as a character", Rec(1, 0, 27), "", 4, false},
    };
    for (const Case& c : cases)
    {
        int nPriority = 0;
        EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->Format(c.record, &nPriority)), c.text) << c.name;
        EXPECT_EQ(nPriority, c.nPriority) << c.name;
        if (c.bParsesBack)
        {
            Record parsed = Rec(77, 0xFF, 0xFFFF, 0xFF, 0xFFFF);
            ASSERT_TRUE(m.Keys()->ParseShortcut(c.text, parsed)) << c.name;
            EXPECT_TRUE(SameKeys(parsed, c.record)) << c.name;
            EXPECT_EQ(parsed.cmd, 77) << c.name << ": the command is the caller's";
        }
    }
}

TEST(ShortcutTexts, ParsingByTable)
{
    Manager m;
    struct Case
    {
        const char* text;
        bool bOk;
        Record expected;
    } const cases[] = {
        {"Ctrl+Shift+0x7b", true, Rec(0, V | C | S, VK_F12)},
        {"Ctrl+0x7", false, {}},                    // too short to be a code
        {"Shift+Ctrl+page up", true, Rec(0, V | C | S, VK_PRIOR)},
        {"F12", true, Rec(0, V, VK_F12)},
        {"Win", true, Rec(0, V, VK_LWIN)},          // the lower of the two codes named so
        {"Ctrl+K, Ctrl+0x43", true, Rec(0, V | C, 'K', V | C, 'C')},
        {"Ctrl+K, Nothing", false, {}},
        {"Ctrl+", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases)
    {
        Record r = {};
        EXPECT_EQ(m.Keys()->ParseShortcut(c.text, r) != FALSE, c.bOk) << c.text;
        if (c.bOk)
        {
            EXPECT_TRUE(SameKeys(r, c.expected)) << c.text;
        }
    }
    int nPriority = 0;
    Record f12 = {};
    ASSERT_TRUE(m.Keys()->ParseShortcut("Ctrl+Shift+0x7b", f12));
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->Format(f12, &nPriority)), "Ctrl+Shift+F12");
}

TEST(ShortcutTexts, KeyNamesFromTheTableUnlessTheLayoutIsAsked)
{
    LayoutNames layout;
    Manager m;
    // By default the table names keys; the layout only names what the table does not.
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_PRIOR)), "Page Up");
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_CONTROL)), "Ctrl");
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_OEM_1)), "Semi colon");
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_LWIN)), "Win");

    m.Keys()->UseSystemKeyNameText(TRUE);
    layout.m_asked.clear();
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_PRIOR)), "Prior");
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_CONTROL)), "Control");
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName('S')), "S");
    ASSERT_EQ(layout.m_asked.size(), 3u);
    EXPECT_EQ(layout.m_asked[0], (0x49L << 16) + 1 + (1L << 24)) << "the navigation block is extended";
    EXPECT_EQ(layout.m_asked[1], (0x1DL << 16) + 1);
    // A key the layout cannot name falls back to the table; Ctrl+Break is never asked.
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(VK_F3)), "F3");
    layout.m_asked.clear();
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->GetKeyName(3)), "Ctrl+Break");
    EXPECT_TRUE(layout.m_asked.empty());
    int nPriority = 0;
    EXPECT_STREQ(static_cast<LPCSTR>(m.Keys()->Format(Rec(1, V | C, VK_PRIOR), &nPriority)), "Ctrl+Prior");
    // The stored text form never uses the layout and writes unnamed codes as numbers.
    CXTPShortcutManager::CKeyHelper helper(Rec(1, V | C, VK_OEM_1, V, VK_PRIOR), m.Keys());
    helper.UseManagerKeyNames(FALSE);
    EXPECT_STREQ(static_cast<LPCSTR>(helper.Format()), "Ctrl+0xba, Page Up");
}

TEST(ShortcutTables, EscapeOnlyWhenAllowed)
{
    Manager m;
    struct Case
    {
        Record record;
        BOOL bAllowEscape;
        BOOL bAllowed;
    } const cases[] = {
        {Rec(1, V, VK_ESCAPE), FALSE, FALSE}, {Rec(1, V, VK_ESCAPE), TRUE, TRUE},
        {Rec(1, V | S, VK_ESCAPE), FALSE, TRUE}, {Rec(1, V | C, VK_ESCAPE), FALSE, TRUE},
        {Rec(1, 0, VK_ESCAPE), FALSE, TRUE}, {Rec(1, V, VK_F1), FALSE, TRUE},
    };
    for (const Case& c : cases)
    {
        m.Keys()->AllowEscapeShortcut(c.bAllowEscape);
        EXPECT_EQ(m.Keys()->IsShortcutAllowed(c.record), c.bAllowed)
            << c.record.key[0].fVirt << " " << c.bAllowEscape;
    }
}

TEST(ShortcutTables, BothFormsResetAndTheDefaultTable)
{
    Manager m;
    const ACCEL accels[] = {{V | C, 'O', 57601}, {V, VK_F5, 32771}};
    m.Keys()->SetAccelerators(accels, 2);
    ASSERT_EQ(m.Keys()->GetAccelCount(), 2);
    EXPECT_TRUE(SameKeys(m.Keys()->GetAccelerators()->GetAt(0)->Record(), Rec(0, V | C, 'O')));
    EXPECT_EQ(m.Keys()->GetAccelerators()->GetAt(1)->cmd, 32771);
    EXPECT_EQ(m.Keys()->GetAccelerators()->GetAt(1)->GetManager(), m.Keys());

    // Reset without a default table keeps the table.
    m.Keys()->Reset();
    EXPECT_EQ(m.Keys()->GetAccelCount(), 2);
    m.Keys()->SetDefaultAccelerators();
    const Record records[] = {Rec(9, V | C, 'K', V | C, 'C')};
    m.Keys()->SetAccelerators(records, 1);
    EXPECT_EQ(TableBytes(m.Keys()), RecordBytes({Rec(9, V | C, 'K', V | C, 'C')}));
    m.Keys()->Reset();
    ASSERT_EQ(m.Keys()->GetAccelCount(), 2);
    EXPECT_EQ(m.Keys()->GetAccelerators()->GetAt(0)->cmd, 57601);
    // The default table is a copy: changing the active one leaves it alone.
    m.Keys()->SetAccelerators(static_cast<const Record*>(nullptr), 0);
    EXPECT_EQ(m.Keys()->GetAccelCount(), 0);
    EXPECT_EQ(m.Keys()->GetDefaultAccelerators()->GetCount(), 2);
}

TEST(ShortcutTables, DefaultAcceleratorOfACommand)
{
    Manager m;
    const Record records[] = {Rec(100, V | C, 'X'), Rec(100, V | S, VK_DELETE), Rec(100, V, VK_DELETE),
                              Rec(200, V | C, 'C'), Rec(200, V | C, VK_INSERT), Rec(300, V | A, 'Q')};
    m.Keys()->SetAccelerators(records, 6);
    struct Case
    {
        int nCmd;
        const char* in;
        BOOL bFound;
        const char* out;
    } const cases[] = {
        {100, "", TRUE, "Del"},               // a plain key ranks above Ctrl, Alt and Shift
        {100, "Shift+Del", TRUE, "Shift+Del"}, // the caller's text is one of them: it stays
        {100, "Ctrl+Q", TRUE, "Del"},
        {200, "", TRUE, "Ctrl+C"},            // a tie keeps the earlier
        {300, "", TRUE, "Alt+Q"},
        {400, "Ctrl+N", FALSE, ""},           // no shortcut empties the text
    };
    for (const Case& c : cases)
    {
        CString text(c.in);
        EXPECT_EQ(m.Keys()->FindDefaultAccelerator(c.nCmd, text), c.bFound) << c.nCmd << " " << c.in;
        EXPECT_STREQ(static_cast<LPCSTR>(text), c.out) << c.nCmd << " " << c.in;
    }
}

// ---- translation on a frame ----

namespace
{
// A frame site that keeps the status texts it is given.
class StatusFrame : public mgr_test::RecordingFrame
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING)
            m_status.push_back(lParam ? std::string(reinterpret_cast<LPCSTR>(lParam)) : "#" + std::to_string(wParam));
        return RecordingFrame::WindowProc(message, wParam, lParam);
    }
    std::vector<std::string> m_status;
};

// Counts beeps.
class CountingQuery : public mgr_test::FixedSystemQuery
{
public:
    BOOL MessageBeep(UINT uType) override
    {
        m_beeps.push_back(uType);
        return TRUE;
    }
    std::vector<UINT> m_beeps;
};

class ShortcutsOnFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateSite());
        bars = new CXTPCommandBars();
        bars->SetSite(&frame);
        const Record records[] = {Rec(200, V | C, 'S'), Rec(210, V | C | A, 'K'), Rec(300, V | C, 'K', V | C, 'C'),
                                  Rec(301, V | C, 'K', V | C, 'U'), Rec(0, V, VK_F9)};
        Keys()->SetAccelerators(records, 5);
        Drain();
    }
    void TearDown() override
    {
        if (::GetCapture())
            ::ReleaseCapture();
        bars->InternalRelease();
        if (frame.GetSafeHwnd())
            frame.DestroyWindow();
        Drain();
    }
    CXTPShortcutManager* Keys() const { return bars->GetShortcutManager(); }
    MSG Key(UINT message, WPARAM nKey) const
    {
        MSG msg = {};
        msg.hwnd = frame.GetSafeHwnd();
        msg.message = message;
        msg.wParam = nKey;
        msg.lParam = 1;
        return msg;
    }
    BOOL Press(UINT message, WPARAM nKey)
    {
        MSG msg = Key(message, nKey);
        return bars->PreTranslateFrameMessage(&msg);
    }
    void Post(UINT message, WPARAM nKey) { ::PostMessageA(frame.GetSafeHwnd(), message, nKey, 1); }
    static void Drain()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                continue;
            ::DispatchMessageA(&msg);
        }
    }
    std::vector<WPARAM> Commands() const
    {
        std::vector<WPARAM> ids;
        for (const mgr_test::SiteMessage& m : frame.m_log)
        {
            if (m.message == WM_COMMAND)
                ids.push_back(m.wParam);
        }
        return ids;
    }

    CountingQuery query;
    StatusFrame frame;
    CXTPCommandBars* bars = nullptr;
};
} // namespace

TEST_F(ShortcutsOnFrame, CtrlSSendsOneCommand)
{
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    EXPECT_TRUE(Press(WM_KEYDOWN, 'S'));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{200});
    // The same key without Ctrl, a key-up, a character message of the key: none is a shortcut.
    KeysDown::Set({});
    EXPECT_FALSE(Press(WM_KEYDOWN, 'S'));
    KeysDown::Set({VK_CONTROL, VK_LCONTROL});
    EXPECT_FALSE(Press(WM_KEYUP, 'S'));
    EXPECT_FALSE(Press(WM_CHAR, 'S'));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{200});
    // A shortcut with command 0 is taken and sends nothing.
    KeysDown::Set({});
    EXPECT_TRUE(Press(WM_KEYDOWN, VK_F9));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{200});
}

TEST_F(ShortcutsOnFrame, AltGrIsNotCtrlAlt)
{
    // With AltGr (right Alt and left Ctrl) down, only a really pressed right Ctrl counts as Ctrl and
    // only a really pressed left Alt as Alt.
    const Record records[] = {Rec(210, V | C | A, 'K'), Rec(211, V | C, 'K'), Rec(212, V | A, 'K')};
    Keys()->SetAccelerators(records, 3);
    struct Case
    {
        const char* name;
        std::vector<int> down;
        WPARAM nCommand; // 0: no shortcut matches
    } const cases[] = {
        {"AltGr alone", {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU}, 0},
        {"AltGr with right Ctrl", {VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_RMENU}, 211},
        {"AltGr with left Alt", {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU, VK_LMENU}, 212},
        {"AltGr with right Ctrl and left Alt", {VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_RMENU, VK_LMENU},
         210},
        {"left Ctrl and left Alt", {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU}, 210},
        {"right Ctrl and right Alt", {VK_CONTROL, VK_RCONTROL, VK_MENU, VK_RMENU}, 210},
    };
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        KeysDown keys(c.down);
        EXPECT_EQ(Press(WM_KEYDOWN, 'K') != FALSE, c.nCommand != 0) << c.name;
        EXPECT_EQ(Commands(), c.nCommand ? std::vector<WPARAM>{c.nCommand} : std::vector<WPARAM>{}) << c.name;
    }
}

TEST_F(ShortcutsOnFrame, NothingIsSentWhileTheSiteCannotTakeIt)
{
    cb_test::RecordingWindow other;
    struct Case
    {
        const char* name;
        std::function<void()> before;
        std::function<void()> after;
        BOOL bTaken;
    } const cases[] = {
        {"another window holds the capture", [&] { ::SetCapture(other.Handle()); }, [] { ::ReleaseCapture(); },
         TRUE},
        {"the site is disabled", [&] { frame.EnableWindow(FALSE); }, [&] { frame.EnableWindow(TRUE); }, TRUE},
        {"the site is minimised", [&] { frame.ShowWindow(SW_MINIMIZE); }, [&] { frame.ShowWindow(SW_RESTORE); },
         TRUE},
        {"the disable count is up", [&] { Keys()->DisableShortcuts(TRUE); },
         [&] { Keys()->DisableShortcuts(FALSE); }, FALSE},
        {"customise mode", [&] { bars->SetCustomizeMode(TRUE); }, [&] { bars->SetCustomizeMode(FALSE); }, FALSE},
    };
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        c.before();
        if (std::string(c.name) == "the site is minimised")
        {
            ASSERT_TRUE(frame.IsIconic());
        }
        EXPECT_EQ(Press(WM_KEYDOWN, 'S'), c.bTaken) << c.name;
        EXPECT_TRUE(Commands().empty()) << c.name;
        c.after();
        Drain();
    }
    // The capture rule can be switched off.
    frame.m_log.clear();
    Keys()->SetIgnoreWhileCaptured(FALSE);
    ::SetCapture(other.Handle());
    EXPECT_TRUE(Press(WM_KEYDOWN, 'S'));
    ::ReleaseCapture();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{200});
}

TEST_F(ShortcutsOnFrame, ChordWaitsForItsSecondKey)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<UINT, WPARAM>> posted; // after Ctrl+K
        std::vector<WPARAM> commands;
        size_t nBeeps;
    } const cases[] = {
        {"second key", {{WM_KEYDOWN, 'C'}}, {300}, 0},
        {"the other chord of the first key", {{WM_KEYDOWN, 'U'}}, {301}, 0},
        {"wrong second key", {{WM_KEYDOWN, 'X'}}, {}, 1},
        {"Shift between the keys", {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'C'}}, {300}, 0},
        {"Ctrl again between the keys", {{WM_KEYDOWN, VK_CONTROL}, {WM_SYSKEYDOWN, VK_MENU}, {WM_KEYDOWN, 'C'}},
         {300}, 0},
        {"a click ends the wait", {{WM_LBUTTONDOWN, 0}, {WM_KEYDOWN, 'C'}}, {}, 0},
    };
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        query.m_beeps.clear();
        for (const auto& p : c.posted)
            Post(p.first, p.second);
        EXPECT_TRUE(Press(WM_KEYDOWN, 'K')) << c.name;
        EXPECT_EQ(Commands(), c.commands) << c.name;
        EXPECT_EQ(query.m_beeps.size(), c.nBeeps) << c.name;
        if (c.nBeeps)
        {
            EXPECT_EQ(query.m_beeps[0], static_cast<UINT>(MB_ICONEXCLAMATION));
        }
        EXPECT_EQ(Keys()->GetDisableCount(), 0) << c.name;
        EXPECT_NE(::GetCapture(), frame.GetSafeHwnd()) << c.name;
        Drain();
    }
}

TEST_F(ShortcutsOnFrame, AFrameShowsTheChordInItsStatusText)
{
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    Post(WM_KEYDOWN, 'C');
    EXPECT_TRUE(Press(WM_KEYDOWN, 'K'));
    EXPECT_EQ(frame.m_status,
              (std::vector<std::string>{"(Ctrl+K) was pressed. Waiting for second key of chord...", "#57345"}));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{300});
}

TEST_F(ShortcutsOnFrame, AQuitDuringTheWaitReachesTheLoopOutside)
{
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    ::PostQuitMessage(7);
    EXPECT_TRUE(Press(WM_KEYDOWN, 'K'));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Keys()->GetDisableCount(), 0);
    EXPECT_NE(::GetCapture(), frame.GetSafeHwnd());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    // The shortcuts work again afterwards.
    Post(WM_KEYDOWN, 'C');
    EXPECT_TRUE(Press(WM_KEYDOWN, 'K'));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{300});
}

TEST_F(ShortcutsOnFrame, TheWaitEndsWhenTheSiteGoes)
{
    KeysDown keys({VK_CONTROL, VK_LCONTROL});
    cb_test::RecordingWindow closer;
    closer.m_filter = [&](const MSG& msg, LRESULT&) {
        if (msg.message == cb_test::RecordingWindow::kTestMessage)
            frame.DestroyWindow();
        return FALSE;
    };
    ::PostMessageA(closer.Handle(), cb_test::RecordingWindow::kTestMessage, 0, 0);
    EXPECT_TRUE(Press(WM_KEYDOWN, 'K'));
    EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Keys()->GetDisableCount(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

// ---- shortcuts shown in bars ----

TEST_F(ShortcutsOnFrame, MenusAndTipsTakeTheTablesShortcut)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(bars);
    CXTPControl* pSave = pPopup->GetControls()->AddByType(xtpControlButton, 200);
    pSave->SetCaption("&Save");
    CXTPControl* pOwn = pPopup->GetControls()->AddByType(xtpControlButton, 300);
    pOwn->SetCaption("Chord");
    pOwn->SetShortcutText("Own text");
    CXTPControl* pNone = pPopup->GetControls()->AddByType(xtpControlButton, 400);
    pNone->SetCaption("Print\tCtrl+P");
    pPopup->UpdateShortcuts();
    EXPECT_STREQ(static_cast<LPCSTR>(pSave->GetShortcutText()), "Ctrl+S");
    EXPECT_STREQ(static_cast<LPCSTR>(pOwn->GetShortcutText()), "Own text");
    EXPECT_STREQ(static_cast<LPCSTR>(pNone->GetShortcutText()), "Ctrl+P") << "no shortcut: the caption's stays";
    // A tip's shortcut: the control's own, else the table's.
    EXPECT_STREQ(static_cast<LPCSTR>(pPopup->GetControlShortcut(pOwn)), "Own text");
    pSave->SetShortcutTextAuto("");
    EXPECT_STREQ(static_cast<LPCSTR>(pPopup->GetControlShortcut(pSave)), "Ctrl+S");
    EXPECT_STREQ(static_cast<LPCSTR>(pPopup->GetControlShortcut(pNone)), "");
    pPopup->InternalRelease();
}

TEST_F(ShortcutsOnFrame, TheFramesAcceleratorsWhenTheTableIsEmpty)
{
    ACCEL accels[] = {{V | C, 'P', 400}, {V, VK_F2, 400}};
    HACCEL hAccel = ::CreateAcceleratorTableA(accels, 2);
    ASSERT_NE(hAccel, nullptr);
    frame.SetAccelerators(hAccel);
    CString text;
    EXPECT_FALSE(Keys()->FindDefaultAccelerator(400, text)) << "the active table is not empty";
    Keys()->SetAccelerators(static_cast<const Record*>(nullptr), 0);
    EXPECT_TRUE(Keys()->FindDefaultAccelerator(400, text));
    EXPECT_STREQ(static_cast<LPCSTR>(text), "F2");
    // With a default table the frame's table is not asked.
    Keys()->SetDefaultAccelerators();
    EXPECT_FALSE(Keys()->FindDefaultAccelerator(400, text));
    EXPECT_STREQ(static_cast<LPCSTR>(text), "");
    frame.SetAccelerators(nullptr);
    ::DestroyAcceleratorTable(hAccel);
}

// ---- the application profile ----

namespace
{
using pxtest::IniSectionLines;

struct ProfileApp
{
    explicit ProfileApp(const char* name) : app(name), ini(pxtest::ScratchPath("qvx_keys_", ".ini"))
    {
        DeleteFileA(ini.c_str());
        app.m_pszProfileName = ini.c_str();
    }
    ~ProfileApp()
    {
        app.m_pszProfileName = nullptr;
        DeleteFileA(ini.c_str());
    }
    CWinApp app;
    std::string ini;
};
} // namespace

TEST(ShortcutProfile, IniHoldsTheRecordsAsLettersAndTheVersion)
{
    ProfileApp p("QvxKeysProfile");
    const Record records[] = {Rec(57603, V | C, 'S'), Rec(300, V | C, 'K', V | C, 'C')};
    {
        Manager m;
        m.Keys()->SetAccelerators(records, 2);
        m.Keys()->SaveShortcuts("Prof");
        EXPECT_TRUE(IniSectionLines(p.ini, "Prof").empty()) << "nothing is saved without a default table";
        m.Keys()->SetDefaultAccelerators();
        m.Keys()->SaveShortcuts("Prof");
    }
    EXPECT_EQ(IniSectionLines(p.ini, "Prof"),
              (std::vector<std::string>{"Accelerators=DABOAAAAJAAADFAAAAAAAAAAMCBAAAAAJAAALEAAJAAADEAA",
                                        "AcceleratorsVersion=1"}));
    Manager fresh;
    fresh.Keys()->LoadShortcuts("Prof");
    EXPECT_EQ(fresh.Keys()->GetAccelCount(), 0) << "nothing is loaded without a default table";
    fresh.Keys()->SetDefaultAccelerators();
    fresh.Keys()->LoadShortcuts("Prof");
    EXPECT_EQ(TableBytes(fresh.Keys()), RecordBytes({records[0], records[1]}));
}

TEST(ShortcutProfile, VersionsDecideTheRecordSize)
{
    const ACCEL accels[] = {{V | C, 'O', 57601}, {V, VK_F5, 32771}};
    const Record one = Rec(57603, V | C, 'S');
    std::vector<BYTE> sixByte(reinterpret_cast<const BYTE*>(accels), reinterpret_cast<const BYTE*>(accels) + 12);
    std::vector<BYTE> thirteen(reinterpret_cast<const BYTE*>(&one), reinterpret_cast<const BYTE*>(&one) + 12);
    thirteen.push_back(0x5A);
    struct Case
    {
        const char* name;
        int nVersion; // -1: not written
        std::vector<BYTE> bytes;
        std::vector<Record> expected;
    } const cases[] = {
        {"no version: system entries", -1, sixByte, {Rec(57601, V | C, 'O'), Rec(32771, V, VK_F5)}},
        {"version 0: system entries", 0, sixByte, {Rec(57601, V | C, 'O'), Rec(32771, V, VK_F5)}},
        {"version 1: 13 bytes are one record", 1, thirteen, {one}},
        {"version 2: nothing loaded", 2, thirteen, {Rec(1, V, VK_F1)}},
    };
    for (const Case& c : cases)
    {
        ProfileApp p("QvxKeysVersions");
        p.app.WriteProfileBinary("Prof", "Accelerators", const_cast<BYTE*>(c.bytes.data()),
                                 static_cast<UINT>(c.bytes.size()));
        if (c.nVersion >= 0)
            p.app.WriteProfileInt("Prof", "AcceleratorsVersion", c.nVersion);
        Manager m;
        const Record before[] = {Rec(1, V, VK_F1)};
        m.Keys()->SetAccelerators(before, 1);
        m.Keys()->SetDefaultAccelerators();
        m.Keys()->LoadShortcuts("Prof");
        EXPECT_EQ(TableBytes(m.Keys()), RecordBytes(c.expected)) << c.name;
    }
}

// ---- property exchange ----

namespace
{
using pxtest::StoreKind;
using pxtest::TestStore;

// Writes a store by hand through the exchange: schema, count and a block of any length.
void WriteRaw(TestStore& store, int nSchema, DWORD nCount, const std::vector<BYTE>& block)
{
    CXTPPropExchange* pPX = store.Open(false);
    pPX->m_nSchema = nSchema;
    pPX->ExchangeSchema();
    pPX->WriteCount(nCount);
    if (!block.empty())
        pPX->WriteBlock(block.data(), static_cast<DWORD>(block.size()));
    store.Close();
}

std::vector<BYTE> Bytes(const void* p, size_t n)
{
    return std::vector<BYTE>(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
}
} // namespace

class ShortcutExchange : public ::testing::TestWithParam<StoreKind>
{
};

TEST_P(ShortcutExchange, RoundTripAtTheCurrentSchema)
{
    TestStore store(GetParam());
    const Record records[] = {Rec(57603, V | C, 'S'), Rec(300, V | C, 'K', V | C, 'C'), Rec(301, V | A, VK_OEM_1)};
    {
        Manager m;
        m.Keys()->SetAccelerators(records, 3);
        m.Keys()->DoPropExchange(store.Open(false));
        store.Close();
    }
    Manager fresh;
    const Record stale[] = {Rec(5, V, VK_F6)};
    fresh.Keys()->SetAccelerators(stale, 1);
    fresh.Keys()->DoPropExchange(store.Open(true));
    store.Close();
    EXPECT_EQ(TableBytes(fresh.Keys()), RecordBytes({records[0], records[1], records[2]}));
}

TEST_P(ShortcutExchange, SchemaAtOrBelow32HoldsSystemEntries)
{
    TestStore store(GetParam());
    const ACCEL accels[] = {{V | C, 'O', 57601}, {V, VK_F5, 32771}};
    if (GetParam() == StoreKind::Ini)
    {
        // The INI form of the older schema.
        WritePrivateProfileStringA("Root", "Schema", "32", store.IniPath().c_str());
        WritePrivateProfileStringA("Root", "Count", "2", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel0", "Id", "57601", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel0", "virt", "9", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel0", "key", "79", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel1", "Id", "32771", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel1", "virt", "1", store.IniPath().c_str());
        WritePrivateProfileStringA("Root\\Accel1", "key", "116", store.IniPath().c_str());
    }
    else
    {
        WriteRaw(store, 32, 2, Bytes(accels, sizeof(accels)));
    }
    Manager m;
    m.Keys()->DoPropExchange(store.Open(true));
    store.Close();
    EXPECT_EQ(TableBytes(m.Keys()), RecordBytes({Rec(57601, V | C, 'O'), Rec(32771, V, VK_F5)}));
}

INSTANTIATE_TEST_SUITE_P(All, ShortcutExchange,
                         ::testing::Values(StoreKind::Registry, StoreKind::Ini, StoreKind::Archive),
                         [](const ::testing::TestParamInfo<StoreKind>& info) {
                             return std::string(pxtest::StoreName(info.param));
                         });

class ShortcutBinaryExchange : public ::testing::TestWithParam<StoreKind>
{
};

TEST_P(ShortcutBinaryExchange, DamagedCountsAndBlocksLoadNothing)
{
    const Record two[] = {Rec(57603, V | C, 'S'), Rec(300, V | C, 'K', V | C, 'C')};
    struct Case
    {
        const char* name;
        DWORD nCount;
        std::vector<BYTE> block;
        size_t nLoaded;
    } const cases[] = {
        {"sound", 2, Bytes(two, 24), 2},
        {"count times 12 wraps to the block's length", 0x15555556u, Bytes(two, 8), 0},
        {"count above the cap", 65536, Bytes(two, 24), 0},
        {"short block", 2, Bytes(two, 12), 0},
        {"no block", 1, {}, 0},
    };
    for (const Case& c : cases)
    {
        TestStore store(GetParam());
        WriteRaw(store, 38, c.nCount, c.block);
        Manager m;
        const Record stale[] = {Rec(5, V, VK_F6)};
        m.Keys()->SetAccelerators(stale, 1);
        m.Keys()->DoPropExchange(store.Open(true));
        store.Close();
        EXPECT_EQ(static_cast<size_t>(m.Keys()->GetAccelCount()), c.nLoaded) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Binary, ShortcutBinaryExchange, ::testing::Values(StoreKind::Registry, StoreKind::Archive),
                         [](const ::testing::TestParamInfo<StoreKind>& info) {
                             return std::string(pxtest::StoreName(info.param));
                         });

TEST(ShortcutIniExchange, ItemsHoldTheIdAndTheText)
{
    TestStore store(StoreKind::Ini);
    const Record records[] = {Rec(57603, V | C, 'S'), Rec(300, V | C, 'K', V | C, 'C'), Rec(301, V | A, VK_OEM_1)};
    {
        LayoutNames layout; // the stored text never takes the layout's names
        Manager m;
        m.Keys()->UseSystemKeyNameText(TRUE);
        m.Keys()->SetAccelerators(records, 3);
        m.Keys()->DoPropExchange(store.Open(false));
        store.Close();
    }
    const std::string& ini = store.IniPath();
    EXPECT_EQ(IniSectionLines(ini, "Root"), (std::vector<std::string>{"Schema=38", "Count=3"}));
    EXPECT_EQ(IniSectionLines(ini, "Root\\Shortcut0"), (std::vector<std::string>{"Id=57603", "Key=Ctrl+S"}));
    EXPECT_EQ(IniSectionLines(ini, "Root\\Shortcut1"), (std::vector<std::string>{"Id=300", "Key=Ctrl+K, Ctrl+C"}));
    EXPECT_EQ(IniSectionLines(ini, "Root\\Shortcut2"), (std::vector<std::string>{"Id=301", "Key=Alt+0xba"}));

    // An item whose text does not parse is skipped; a count above the cap loads nothing.
    WritePrivateProfileStringA("Root\\Shortcut1", "Key", "Ctrl+Nothing", ini.c_str());
    {
        Manager m;
        m.Keys()->DoPropExchange(store.Open(true));
        store.Close();
        EXPECT_EQ(TableBytes(m.Keys()), RecordBytes({records[0], records[2]}));
    }
    WritePrivateProfileStringA("Root", "Count", "65536", ini.c_str());
    Manager m;
    m.Keys()->DoPropExchange(store.Open(true));
    store.Close();
    EXPECT_EQ(m.Keys()->GetAccelCount(), 0);
}

// ---- toolbars ----

namespace
{
class ShortcutsOnToolBars : public tb_test::DockingOnFrame
{
};
} // namespace

TEST_F(ShortcutsOnToolBars, TipsAndAddOrRemoveEntriesTakeTheTablesShortcut)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101, 102});
    ASSERT_NE(pBar, nullptr);
    Layout();
    const Record records[] = {Rec(100, V | C, 'S'), Rec(102, V | C, 'K', V | C, 'C')};
    bars->GetShortcutManager()->SetAccelerators(records, 2);
    pBar->GetControl(0)->SetTooltip("Save");
    pBar->GetControl(1)->SetTooltip("Open");
    pBar->GetControl(1)->SetShortcutText("Own");
    pBar->GetControl(2)->SetTooltip("Chord");
    bars->GetCommandBarsOptions()->bToolBarAccelTips = TRUE;
    bars->GetCommandBarsOptions()->bToolBarScreenTips = TRUE;
    const char* const tips[] = {"Save (Ctrl+S)", "Open (Own)", "Chord (Ctrl+K, Ctrl+C)"};
    for (int i = 0; i < 3; ++i)
    {
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(pBar->OnToolHitTest(pBar->GetControl(i)->GetRect().CenterPoint(), &ti), 100 + i);
        ASSERT_NE(ti.lpszText, nullptr) << i;
        EXPECT_STREQ(ti.lpszText, tips[i]);
        CXTPToolTipContext::FreeToolInfo(&ti);
    }

    CXTPCommandBar list;
    pBar->FillAddRemoveButtonsPopup(&list);
    std::vector<std::string> shortcuts;
    for (int i = 0; i < list.GetControlCount(); ++i)
    {
        if (list.GetControl(i)->GetID() >= 100 && list.GetControl(i)->GetID() <= 102)
            shortcuts.push_back(static_cast<LPCSTR>(list.GetControl(i)->GetShortcutText()));
    }
    EXPECT_EQ(shortcuts, (std::vector<std::string>{"Ctrl+S", "Own", "Ctrl+K, Ctrl+C"}));
    list.GetControls()->RemoveAll();
}
