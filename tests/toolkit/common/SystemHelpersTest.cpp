// System helpers: version rules over injected records, module handles and their versions, the
// monitor helper's fallback, the DPI scaler, accessibility plumbing, the menu-sound thread and the
// small queries.
#include "toolkit/common/system/XTPSystemHelpers.h"

#include "framework/WinThread.h"
#include "toolkit/common/system/XTPAccessible.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <string>
#include <vector>

TEST(OsVersion, RulesOverInjectedRecords)
{
    enum
    {
        w9x = VER_PLATFORM_WIN32_WINDOWS,
        nt = VER_PLATFORM_WIN32_NT
    };
    // 95, 98, ME, NT 4, 2000, XP, Server 2003, Vista, 7; then the flags of each row in the order
    // 9x, 95, 98, NT4, 2000, XP, 2000+, XP+, Vista+, 7+.
    const struct
    {
        const char* name;
        DWORD platform;
        DWORD major;
        DWORD minor;
        BOOL flags[10];
    } cases[] = {
        {"95", w9x, 4, 0, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},    {"98", w9x, 4, 10, {1, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"ME", w9x, 4, 90, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},   {"NT4", nt, 4, 0, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
        {"2000", nt, 5, 0, {0, 0, 0, 0, 1, 0, 1, 0, 0, 0}},   {"XP", nt, 5, 1, {0, 0, 0, 0, 0, 1, 1, 1, 0, 0}},
        {"2003", nt, 5, 2, {0, 0, 0, 0, 0, 0, 1, 1, 0, 0}},   {"Vista", nt, 6, 0, {0, 0, 0, 0, 0, 0, 1, 1, 1, 0}},
        {"7", nt, 6, 1, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CXTPOsVersion v(c.platform, c.major, c.minor);
        const BOOL actual[10] = {v.IsWin9x(),         v.IsWin95(),           v.IsWin98(),
                                 v.IsWinNT4(),        v.IsWin2000(),         v.IsWinXP(),
                                 v.IsWin2000OrGreater(), v.IsWinXPOrGreater(), v.IsWinVistaOrGreater(),
                                 v.IsWin7OrGreater()};
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(!!actual[i], !!c.flags[i]) << "test " << i;
        EXPECT_EQ(!!IsWinXPOrGreater(v), !!c.flags[7]);
    }
    const CXTPOsVersion seven(VER_PLATFORM_WIN32_NT, 6, 1);
    EXPECT_TRUE(seven.IsVersionAtLeast(6, 1));
    EXPECT_TRUE(seven.IsVersionAtLeast(5, 9));
    EXPECT_FALSE(seven.IsVersionAtLeast(6, 2));
    EXPECT_TRUE(seven.IsVersion(6, 1));
    EXPECT_FALSE(seven.IsVersion(6, 0));
}

TEST(OsVersion, TheProcessRecordIsReadOnceWithItsSizeSet)
{
    const CXTPOsVersion* record = GetOsVersion();
    EXPECT_EQ(record, GetOsVersion());
    EXPECT_EQ(record->dwOSVersionInfoSize, 148u);
    EXPECT_EQ(record->dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(record->dwMajorVersion, 5u);
    EXPECT_EQ(!!IsWinXPOrGreater(), !!record->IsWinXPOrGreater());
}

TEST(ComCtlVersion, ReadFromDllGetVersionOr4WhenUnreadable)
{
    EXPECT_EQ(CXTPOsVersion::ReadComCtlVersion(tk_test::FixturePath("tk_fx_german.dll").c_str()), MAKELONG(81, 5));
    EXPECT_EQ(CXTPOsVersion::ReadComCtlVersion(tk_test::FixturePath("tk_fx_none.dll").c_str()), 0x40000u)
        << "no DllGetVersion";
    EXPECT_EQ(CXTPOsVersion::ReadComCtlVersion("tk_fx_no_such_module.dll"), 0x40000u);
    const DWORD system = CXTPOsVersion::GetComCtlVersion();
    EXPECT_GE(HIWORD(system), 4u);
    EXPECT_EQ(CXTPOsVersion::GetComCtlVersion(), system) << "cached";
}

TEST(ModuleHandle, KindsReleaseAndMinimumVersion)
{
    const std::string path = tk_test::FixturePath("tk_fx_german.dll");
    ASSERT_EQ(::GetModuleHandleA(path.c_str()), nullptr);
    {
        CXTPModuleHandle loaded(path.c_str());
        EXPECT_EQ(loaded.GetHandleKind(), CXTPModuleHandle::xtpModLoaded);
        EXPECT_NE(::GetModuleHandleA(path.c_str()), nullptr);
        EXPECT_EQ(loaded.GetVersion(), MAKELONG(81, 5));

        int(__cdecl * answer)() = nullptr;
        EXPECT_TRUE(loaded.GetProcAddress(&answer, "TkFixtureAnswer"));
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);
        EXPECT_TRUE(loaded.GetProcAddress(&answer, "TkFixtureAnswer", MAKELONG(81, 5)));
        EXPECT_FALSE(loaded.GetProcAddress(&answer, "TkFixtureAnswer", MAKELONG(0, 6))) << "version too low";
        EXPECT_EQ(answer, nullptr);
        EXPECT_FALSE(loaded.GetProcAddress(&answer, "NoSuchExport"));

        // Found already loaded: kind 1, and releasing it does not free the module.
        CXTPModuleHandle attached(path.c_str());
        EXPECT_EQ(attached.GetHandleKind(), CXTPModuleHandle::xtpModAttached);
        attached.Release();
        EXPECT_EQ(attached.GetHandle(), nullptr);
        EXPECT_NE(::GetModuleHandleA(path.c_str()), nullptr);

        loaded.Release();
        EXPECT_EQ(loaded.GetHandleKind(), CXTPModuleHandle::xtpModNone);
        EXPECT_TRUE(loaded.GetName().IsEmpty());
    }
    EXPECT_EQ(::GetModuleHandleA(path.c_str()), nullptr) << "the module it loaded is freed";

    CXTPModuleHandle missing("tk_fx_no_such_module.dll");
    EXPECT_EQ(missing.GetHandle(), nullptr);
    FARPROC proc = nullptr;
    EXPECT_FALSE(missing.GetProcAddressRaw(&proc, "Anything"));
    EXPECT_EQ(missing.GetVersion(), 0u);
}

TEST(MonitorHelper, WithoutMonitorFunctionsEveryQueryGivesTheSystemAreas)
{
    // A module without the monitor functions: the helper falls back.
    CXTPModuleHandle none(tk_test::FixturePath("tk_fx_none.dll").c_str());
    const CXTPMonitorHelper helper(none.GetHandle());
    EXPECT_FALSE(helper.HasMonitorFunctions());
    CRect work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CRect rc(10, 10, 20, 20);
    EXPECT_EQ(helper.GetWorkAreaFromPoint(CPoint(5, 5)), work);
    EXPECT_EQ(helper.GetWorkAreaFromRect(&rc), work);
    EXPECT_EQ(helper.GetWorkAreaFromHwnd(::GetDesktopWindow()), work);
    EXPECT_EQ(helper.GetWorkAreaAtCursor(), work);
    EXPECT_EQ(helper.GetScreenAreaFromPoint(CPoint(5, 5)), screen);
    EXPECT_EQ(helper.GetScreenAreaFromRect(&rc), screen);
}

TEST(MonitorHelper, WithMonitorsTheMonitorsAreasAndNoneFarAway)
{
    CXTPMonitorHelper* helper = GetMonitorHelper();
    ASSERT_TRUE(helper->HasMonitorFunctions());
    const CRect screen = helper->GetScreenAreaFromPoint(CPoint(1, 1));
    EXPECT_FALSE(screen.IsRectEmpty());
    EXPECT_TRUE(screen.PtInRect(CPoint(1, 1)));
    // A point on no monitor (no default monitor is taken): the fallbacks.
    EXPECT_EQ(helper->GetScreenAreaFromPoint(CPoint(-30000, -30000)), CXTPMonitorHelper::GetPrimaryScreenArea());
    EXPECT_EQ(helper->GetWorkAreaFromPoint(CPoint(-30000, -30000)), CXTPMonitorHelper::GetSystemWorkArea());
    EXPECT_EQ(helper->GetWorkAreaFromWnd(nullptr), CXTPMonitorHelper::GetSystemWorkArea());
}

TEST(DpiScaler, ScalesOnlyAboveTheThreshold)
{
    CXTPDpiScaler at120(120, 120);
    EXPECT_EQ(at120.ScaleX(16, 96), 20);
    EXPECT_EQ(at120.ScaleY(16, 96), 20);
    EXPECT_EQ(at120.ScaleX(16, 120), 16) << "threshold not below the DPI";
    CXTPDpiScaler at96(96, 96);
    EXPECT_EQ(at96.ScaleX(16, 96), 16);
    EXPECT_EQ(at96.ScaleX(16, 72), 16);
    CXTPDpiScaler mixed(144, 96);
    EXPECT_EQ(mixed.ScaleX(10), 15);
    EXPECT_EQ(mixed.ScaleY(10), 10);

    HDC hDC = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hDC, LOGPIXELSX);
    ::ReleaseDC(nullptr, hDC);
    EXPECT_EQ(GetDpiScaler()->GetDpiX(), dpi);
    EXPECT_EQ(GetDpiScaler()->ScaleX(96, 0), ::MulDiv(96, dpi, 96));
}

TEST(SmallQueries, VariantIntegers)
{
    VARIANT empty;
    ::VariantInit(&empty);
    EXPECT_EQ(GetVariantInteger(&empty), 0);
    VARIANT i2;
    i2.vt = VT_I2;
    i2.iVal = -7;
    EXPECT_EQ(GetVariantInteger(&i2), -7);
    VARIANT i4;
    i4.vt = VT_I4;
    i4.lVal = 123456;
    EXPECT_EQ(GetVariantInteger(&i4), 123456);
    SHORT shortValue = 12;
    VARIANT refI2;
    refI2.vt = VT_I2 | VT_BYREF;
    refI2.piVal = &shortValue;
    EXPECT_EQ(GetVariantInteger(&refI2), 12);
    LONG longValue = 99;
    VARIANT refI4;
    refI4.vt = VT_I4 | VT_BYREF;
    refI4.plVal = &longValue;
    EXPECT_EQ(GetVariantInteger(&refI4), 99);
    VARIANT refVariant;
    refVariant.vt = VT_VARIANT | VT_BYREF;
    refVariant.pvarVal = &refI4;
    EXPECT_EQ(GetVariantInteger(&refVariant), 99);
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    EXPECT_EQ(GetVariantInteger(&text), -1);
    EXPECT_EQ(GetVariantInteger(nullptr), -1);
    refVariant.pvarVal = nullptr;
    EXPECT_EQ(GetVariantInteger(&refVariant), -1);
    // A variant referring to itself is not followed for ever.
    refVariant.pvarVal = &refVariant;
    EXPECT_EQ(GetVariantInteger(&refVariant), -1);
}

TEST(SmallQueries, OemCharSizeLockAndThreadObject)
{
    CPINFO info = {};
    ASSERT_TRUE(::GetCPInfo(CP_OEMCP, &info));
    EXPECT_EQ(GetOemMaxCharSize(), static_cast<int>(info.MaxCharSize));

    CRITICAL_SECTION cs;
    ::InitializeCriticalSection(&cs);
    {
        CXTPCriticalSectionLock lock(&cs);
        EXPECT_EQ(cs.OwningThread, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(::GetCurrentThreadId())));
    }
    EXPECT_EQ(cs.OwningThread, nullptr);
    ::DeleteCriticalSection(&cs);

    CWinThread* before = AfxGetThread();
    CWinThread thread;
    EXPECT_EQ(GetCurrentThreadObject(), before ? before : &thread);
}

// ---- the menu-sound player

namespace
{
struct SoundCall
{
    std::string name;
    DWORD flags;
};
std::vector<SoundCall> g_soundCalls;
CRITICAL_SECTION g_soundLock;
HANDLE g_soundPlayed = nullptr;

BOOL WINAPI RecordSound(LPCSTR pszSound, HMODULE, DWORD fdwSound)
{
    CXTPCriticalSectionLock lock(&g_soundLock);
    g_soundCalls.push_back({pszSound ? pszSound : "", fdwSound});
    ::SetEvent(g_soundPlayed);
    return TRUE;
}
} // namespace

TEST(MenuSoundPlayer, StopWithoutAThreadReturnsZero)
{
    CXTPMenuSoundPlayer player;
    EXPECT_EQ(player.Stop(), 0);
    player.Enable(FALSE);
    player.Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
    EXPECT_FALSE(player.IsThreadRunning()) << "a disabled player starts nothing";
    EXPECT_EQ(player.Stop(), 0);
}

TEST(MenuSoundPlayer, PlaysOnItsThreadAndStopEndsTheThread)
{
    ::InitializeCriticalSection(&g_soundLock);
    g_soundPlayed = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_soundCalls.clear();
    {
        CXTPMenuSoundPlayer player;
        player.SetPlaySoundFunction(&RecordSound);
        player.Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
        player.Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
        ASSERT_TRUE(player.IsThreadRunning());
        EXPECT_EQ(::GetThreadPriority(player.GetThreadHandle()), THREAD_PRIORITY_BELOW_NORMAL);
        EXPECT_EQ(::WaitForSingleObject(g_soundPlayed, 5000), WAIT_OBJECT_0);

        HANDLE hThread = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), player.GetThreadHandle(), ::GetCurrentProcess(), &hThread, 0, FALSE,
                          DUPLICATE_SAME_ACCESS);
        EXPECT_EQ(player.Stop(), 1);
        EXPECT_FALSE(player.IsThreadRunning());
        EXPECT_EQ(::WaitForSingleObject(hThread, 0), WAIT_OBJECT_0) << "the thread has ended";
        ::CloseHandle(hThread);
    }
    ASSERT_GE(g_soundCalls.size(), 2u);
    // Two quick requests of one sound play it at most twice (once per wake-up), then the purge.
    size_t popups = 0;
    for (size_t i = 0; i + 1 < g_soundCalls.size(); ++i)
    {
        EXPECT_EQ(g_soundCalls[i].name, "MenuPopup");
        EXPECT_EQ(g_soundCalls[i].flags, 0x12002u);
        ++popups;
    }
    EXPECT_LE(popups, 2u);
    EXPECT_EQ(g_soundCalls.back().name, "");
    EXPECT_EQ(g_soundCalls.back().flags, static_cast<DWORD>(SND_PURGE));
    ::CloseHandle(g_soundPlayed);
    ::DeleteCriticalSection(&g_soundLock);
}

TEST(MenuSoundPlayer, ThePlayerOfTheProcessRunsWithTheSystemSound)
{
    // PlaySoundA fails fast in the test prefix; the thread still starts and stops.
    CXTPMenuSoundPlayer* player = GetMenuSoundPlayer();
    EXPECT_EQ(player, GetMenuSoundPlayer());
    player->Play(CXTPMenuSoundPlayer::xtpSoundMenuCommand);
    EXPECT_TRUE(player->IsThreadRunning());
    EXPECT_EQ(player->Stop(), 1);
}

// ---- accessibility

namespace
{
class AccessibleTarget : public CCmdTarget, public CXTPAccessible
{
public:
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        lastChild = GetVariantInteger(&varChild);
        *pszName = ::SysAllocString(L"Target");
        return S_OK;
    }
    CCmdTarget* GetAccessible() override { return this; }
    LPUNKNOWN GetInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return GetAccessibleObject();
        return GetAccessibleInterface(iid);
    }
    void OnFinalRelease() override { finalReleased = true; }

    int lastChild = -2;
    bool finalReleased = false;
};
} // namespace

TEST(Accessible, TheNestedObjectForwardsCallsAndCountsOnItsOwner)
{
    AccessibleTarget target;
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(target.ExternalQueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pAccessible)), S_OK);
    ASSERT_EQ(pAccessible, target.GetAccessibleObject());
    EXPECT_EQ(target.m_dwRef, 2) << "the query added one reference to the owner";

    VARIANT child;
    child.vt = VT_I4;
    child.lVal = 3;
    BSTR name = nullptr;
    EXPECT_EQ(pAccessible->get_accName(child, &name), S_OK);
    EXPECT_STREQ(name, L"Target");
    ::SysFreeString(name);
    EXPECT_EQ(target.lastChild, 3);

    VARIANT result;
    EXPECT_EQ(pAccessible->get_accRole(child, &result), E_NOTIMPL);
    EXPECT_EQ(pAccessible->get_accFocus(&result), S_FALSE);
    EXPECT_EQ(pAccessible->get_accSelection(&result), S_FALSE);
    UINT count = 0;
    EXPECT_EQ(pAccessible->GetTypeInfoCount(&count), E_NOTIMPL);

    IUnknown* pUnknown = nullptr;
    EXPECT_EQ(pAccessible->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)), S_OK);
    EXPECT_EQ(target.m_dwRef, 3);
    IStream* pStream = nullptr;
    EXPECT_EQ(pAccessible->QueryInterface(IID_IStream, reinterpret_cast<void**>(&pStream)), E_NOINTERFACE);
    EXPECT_EQ(pStream, nullptr);
    pUnknown->Release();
    pAccessible->Release();
    EXPECT_EQ(target.m_dwRef, 1);
    EXPECT_FALSE(target.finalReleased);
}

TEST(Accessible, WithoutACommandTargetTheObjectAnswersForItself)
{
    CXTPAccessible accessible;
    IAccessible* pAccessible = accessible.GetAccessibleObject();
    EXPECT_EQ(pAccessible->AddRef(), 1u);
    EXPECT_EQ(pAccessible->Release(), 1u);
    IDispatch* pDispatch = nullptr;
    EXPECT_EQ(pAccessible->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)), S_OK);
    EXPECT_EQ(pDispatch, static_cast<IDispatch*>(pAccessible));
    long count = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&count), E_NOTIMPL);

    CCmdTarget plain;
    void* p = &plain;
    EXPECT_EQ(plain.ExternalQueryInterface(IID_IAccessible, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(plain.ExternalQueryInterface(IID_IAccessible, nullptr), E_POINTER);
}

TEST(Accessible, SystemFunctionsAreBoundOnFirstUse)
{
    CXTPAccessible accessible;
    // Raising an event for no window is harmless; oleacc answers for a real window.
    accessible.NotifyWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF);
    IAccessible* pAccessible = nullptr;
    const HRESULT hr = accessible.AccessibleObjectFromWindow(::GetDesktopWindow(), static_cast<DWORD>(OBJID_WINDOW),
                                                             IID_IAccessible, reinterpret_cast<void**>(&pAccessible));
    if (SUCCEEDED(hr) && pAccessible)
        pAccessible->Release();
    else
        EXPECT_EQ(hr, E_FAIL) << "a failure is reported, not a crash";
}
