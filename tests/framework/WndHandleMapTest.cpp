// Window objects: the handle map for own and foreign windows, the object attached before the
// first message, subclassing, destruction, forwarding of system changes, timers and relations.
#include "framework/HandleMap.h"
#include "framework/Wnd.h"
#include "tests/common/MessagePump.h"
#include "tests/common/TestThread.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace
{
// The windows under test are real: their messages are pumped.
using qvx_test::PumpUntil;

// Records what it sees of its own creation.
class CEarlyWnd : public CWnd
{
public:
    std::vector<UINT> messages;
    bool attachedAtFirstMessage = false;
    bool attachedAtNcCreate = false;
    bool sawMinMaxInfo = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (messages.empty())
            attachedAtFirstMessage = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        if (message == WM_NCCREATE)
            attachedAtNcCreate = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        if (message == WM_GETMINMAXINFO)
            sawMinMaxInfo = true;
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> messages;
    int timerTicks = 0;
    int postNcDestroyCalls = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool Saw(UINT message) const
    {
        for (UINT m : messages)
            if (m == message)
                return true;
        return false;
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == 7)
            ++timerTicks;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

// Deletes itself when its window is gone, like frame windows do.
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWnd() override { *m_deleted = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

HWND CreateForeignWindow(HWND hParent = nullptr)
{
    DWORD style = hParent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    return ::CreateWindowExA(0, "STATIC", "foreign", style, 0, 0, 50, 20, hParent, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

CRect ScreenRect(HWND hWnd)
{
    CRect r;
    ::GetWindowRect(hWnd, &r);
    return r;
}
} // namespace

TEST(WndHandleMapTest, ObjectIsAttachedBeforeTheFirstMessage)
{
    CEarlyWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "early", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), nullptr, 0));
    ASSERT_FALSE(wnd.messages.empty());
    EXPECT_TRUE(wnd.attachedAtFirstMessage);
    EXPECT_TRUE(wnd.attachedAtNcCreate);
    EXPECT_TRUE(wnd.sawMinMaxInfo); // sent before WM_NCCREATE for overlapped windows
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
}

TEST(WndHandleMapTest, ForeignWindowsGetTemporaryObjectsUntilIdle)
{
    HWND hForeign = CreateForeignWindow();
    ASSERT_NE(nullptr, hForeign);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    CWnd* temp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(hForeign, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(hForeign)); // one temporary per handle until idle
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    AfxDeleteTempMaps();
    // The window survives its temporary object.
    EXPECT_TRUE(::IsWindow(hForeign));
    CWnd* again = CWnd::FromHandle(hForeign);
    EXPECT_EQ(hForeign, again->m_hWnd);
    AfxDeleteTempMaps();
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    ::DestroyWindow(hForeign);
}

namespace
{
std::multiset<void*> g_deletedFakes;
void* CreateFake(void* handle)
{
    return new int(static_cast<int>(reinterpret_cast<INT_PTR>(handle)));
}
void DeleteFake(void* object)
{
    g_deletedFakes.insert(object);
    delete static_cast<int*>(object);
}
} // namespace

TEST(WndHandleMapTest, HandleMapKeepsPermanentAndDeletesTemporaryObjects)
{
    static CHandleMap map(&CreateFake, &DeleteFake);
    int permanent = 0;
    void* h1 = reinterpret_cast<void*>(0x1000);
    void* h2 = reinterpret_cast<void*>(0x2000);
    ASSERT_TRUE(map.SetPermanent(h1, &permanent));
    EXPECT_FALSE(map.SetPermanent(h1, &g_deletedFakes)); // one owner per handle
    EXPECT_EQ(&permanent, map.FromHandle(h1));
    void* temp = map.FromHandle(h2);
    EXPECT_EQ(temp, map.LookupTemporary(h2));
    EXPECT_EQ(nullptr, map.LookupPermanent(h2));
    g_deletedFakes.clear();
    map.DeleteTemp();
    EXPECT_EQ(1u, g_deletedFakes.size());
    EXPECT_EQ(1u, g_deletedFakes.count(temp));
    EXPECT_EQ(nullptr, map.LookupTemporary(h2));
    EXPECT_EQ(&permanent, map.LookupPermanent(h1)); // permanent links are not touched
    map.RemoveHandle(h1, &g_deletedFakes);          // not the owner: ignored
    EXPECT_EQ(&permanent, map.LookupPermanent(h1));
    map.RemoveHandle(h1, &permanent);
    EXPECT_EQ(nullptr, map.LookupPermanent(h1));
}

namespace
{
struct ThreadProbe
{
    HWND hWnd;
    CWnd* seen;
    bool ok;
};

void LookUpOnOtherThread(ThreadProbe* probe)
{
    probe->seen = CWnd::FromHandle(probe->hWnd);
    probe->ok = probe->seen && probe->seen->m_hWnd == probe->hWnd;
    AfxDeleteTempMaps();
}
} // namespace

TEST(WndHandleMapTest, TemporaryObjectsBelongToTheirThread)
{
    HWND hForeign = CreateForeignWindow();
    CWnd* mine = CWnd::FromHandle(hForeign);
    ThreadProbe probe = {hForeign, nullptr, false};
    {
        qvx_test::CTestThread thread([&probe] { LookUpOnOtherThread(&probe); });
        ASSERT_TRUE(thread.Started());
        EXPECT_TRUE(thread.Join(10000));
    }
    EXPECT_TRUE(probe.ok);
    EXPECT_NE(mine, probe.seen);
    EXPECT_EQ(hForeign, mine->m_hWnd); // this thread's object is untouched by the other's cleanup
    AfxDeleteTempMaps();
    ::DestroyWindow(hForeign);
}

TEST(WndHandleMapTest, AttachDetachAndDoubleAttachment)
{
    HWND hForeign = CreateForeignWindow();
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hForeign));
    EXPECT_FALSE(second.Attach(hForeign)); // already owned
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(hForeign));
    EXPECT_EQ(hForeign, first.Detach());
    EXPECT_EQ(nullptr, first.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    EXPECT_TRUE(::IsWindow(hForeign)); // Detach leaves the window alone
    ::DestroyWindow(hForeign);
}

TEST(WndHandleMapTest, SubclassingRoutesMessagesAndUnsubclassingRestores)
{
    HWND hForeign = CreateForeignWindow();
    LONG_PTR original = ::GetWindowLongPtrA(hForeign, GWLP_WNDPROC);
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hForeign));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hForeign));
    ::SendMessageA(hForeign, WM_USER + 9, 0, 0);
    EXPECT_TRUE(wnd.Saw(WM_USER + 9));
    // The control's own behaviour is kept: its text comes from its original procedure.
    wnd.SetWindowText("changed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("changed", text);
    EXPECT_FALSE(CRecordingWnd().SubclassWindow(hForeign)); // a second object cannot take it

    EXPECT_EQ(hForeign, wnd.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrA(hForeign, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    wnd.messages.clear();
    ::SendMessageA(hForeign, WM_USER + 9, 0, 0);
    EXPECT_FALSE(wnd.Saw(WM_USER + 9));
    ::DestroyWindow(hForeign);
}

TEST(WndHandleMapTest, SubclassDlgItemFindsTheChildById)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    HWND hChild = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(33)), nullptr, nullptr);
    CRecordingWnd child;
    EXPECT_FALSE(child.SubclassDlgItem(34, &parent));
    ASSERT_TRUE(child.SubclassDlgItem(33, &parent));
    EXPECT_EQ(hChild, child.m_hWnd);
    EXPECT_EQ(&child, parent.GetDlgItem(33));
}

TEST(WndHandleMapTest, DestructionDetachesAndCallsPostNcDestroy)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, wnd.postNcDestroyCalls);
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));

    bool deleted = false;
    CSelfDeletingWnd* self = new CSelfDeletingWnd(&deleted);
    ASSERT_TRUE(self->CreateEx(0, nullptr, "self", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ::DestroyWindow(self->m_hWnd);
    EXPECT_TRUE(deleted);

    HWND hOwned;
    {
        CWnd scoped;
        ASSERT_TRUE(scoped.CreateEx(0, nullptr, "scoped", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        hOwned = scoped.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hOwned)); // the object took its window with it
}

TEST(WndHandleMapTest, SystemColourAndSettingChangesReachAllDescendants)
{
    CRecordingWnd top;
    CRecordingWnd child;
    CRecordingWnd grandChild;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(grandChild.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 20, 20), &child, 2));
    HWND hForeignChild = CreateForeignWindow(child.m_hWnd);
    CRecordingWnd foreignObserver;
    ASSERT_TRUE(foreignObserver.SubclassWindow(hForeignChild));

    for (UINT message : {static_cast<UINT>(WM_SYSCOLORCHANGE), static_cast<UINT>(WM_SETTINGCHANGE)})
    {
        top.SendMessage(message, 0, 0);
        EXPECT_TRUE(child.Saw(message)) << message;
        EXPECT_TRUE(grandChild.Saw(message)) << message;
        EXPECT_TRUE(foreignObserver.Saw(message)) << message;
    }
    // A child does not forward again: each descendant hears of the change once.
    int count = 0;
    for (UINT m : grandChild.messages)
        count += m == WM_SYSCOLORCHANGE;
    EXPECT_EQ(1, count);
}

TEST(WndHandleMapTest, TimersCaptureAndRegions)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, CRect(10, 10, 110, 110), nullptr, 0));
    EXPECT_NE(0u, wnd.SetTimer(7, 10));
    EXPECT_TRUE(PumpUntil([&] { return wnd.timerTicks >= 2; }));
    EXPECT_TRUE(wnd.KillTimer(7));

    wnd.SetCapture();
    EXPECT_EQ(&wnd, CWnd::GetCapture());
    ::ReleaseCapture();
    EXPECT_NE(&wnd, CWnd::GetCapture());

    HRGN hRgn = ::CreateRectRgn(0, 0, 40, 30);
    EXPECT_NE(0, wnd.SetWindowRgn(hRgn, TRUE)); // the window owns the region now
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SIMPLEREGION, wnd.GetWindowRgn(hCopy));
    RECT box;
    ::GetRgnBox(hCopy, &box);
    EXPECT_EQ(CRect(0, 0, 40, 30), CRect(box));
    ::DeleteObject(hCopy);
}

TEST(WndHandleMapTest, OwnersParentsAndTopLevelWindows)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400),
                             nullptr, 0));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 5));
    CWnd grandChild;
    ASSERT_TRUE(grandChild.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &child, 6));
    CWnd popup; // owned by top
    ASSERT_TRUE(popup.CreateEx(0, nullptr, "popup", WS_POPUP | WS_CAPTION, CRect(0, 0, 120, 60), &top, 0));

    EXPECT_EQ(&child, grandChild.GetParent());
    EXPECT_EQ(&child, grandChild.GetOwner()); // a child's owner is its parent
    EXPECT_EQ(&top, grandChild.GetParentOwner());
    EXPECT_EQ(&top, grandChild.GetTopLevelParent());
    EXPECT_EQ(&top, popup.GetOwner());
    EXPECT_EQ(&top, popup.GetTopLevelParent());
    EXPECT_EQ(&top, popup.GetTopLevelOwner());
    EXPECT_EQ(&child, top.GetDlgItem(5));
    EXPECT_EQ(nullptr, top.GetDlgItem(77));
    EXPECT_EQ(6, grandChild.GetDlgCtrlID());
    EXPECT_TRUE(top.IsChild(&grandChild));
    CWnd* nullWnd = nullptr;
    EXPECT_EQ(nullptr, nullWnd->GetSafeHwnd());

    // Centring over the owner.
    popup.CenterWindow();
    CPoint ownerCentre = ScreenRect(top.m_hWnd).CenterPoint();
    CPoint popupCentre = ScreenRect(popup.m_hWnd).CenterPoint();
    EXPECT_LE(std::abs(ownerCentre.x - popupCentre.x), 1);
    EXPECT_LE(std::abs(ownerCentre.y - popupCentre.y), 1);

    // Centring a child inside its parent's client area.
    child.CenterWindow();
    CRect parentClient;
    top.GetClientRect(&parentClient);
    CRect childRect = ScreenRect(child.m_hWnd);
    top.ScreenToClient(&childRect);
    EXPECT_LE(std::abs(childRect.CenterPoint().x - parentClient.CenterPoint().x), 1);
    EXPECT_LE(std::abs(childRect.CenterPoint().y - parentClient.CenterPoint().y), 1);
}

TEST(WndHandleMapTest, StylesTextAndDialogItemHelpers)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "s", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER)); // nothing changed
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);

    ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, wnd.m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(10)), nullptr, nullptr);
    wnd.SetDlgItemInt(10, static_cast<UINT>(-42), TRUE);
    BOOL translated = FALSE;
    EXPECT_EQ(-42, static_cast<int>(wnd.GetDlgItemInt(10, &translated, TRUE)));
    EXPECT_TRUE(translated);
    wnd.SetDlgItemText(10, "hello");
    CString text;
    EXPECT_EQ(5, wnd.GetDlgItemText(10, text));
    EXPECT_STREQ("hello", text);
}
