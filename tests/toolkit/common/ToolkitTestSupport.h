// Helpers of the toolkit's common-service tests: 32-bit DIB canvases read back pixel by pixel,
// the fixture modules' paths, and the fixture visual-styles library put in place of UXTHEME.
#pragma once

#include "framework/DC.h"
#include "tests/common/MemorySurface.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"
#include "ThemeLibraryState.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace tk_test
{
// The folder of the test executable (the fixture DLLs lie beside it), with a trailing backslash.
inline std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

inline std::string FixturePath(const char* name)
{
    return ExeFolder() + name;
}

// A memory DC with a top-down 32-bit DIB selected, filled with one colour, seen through the framework's CDC.
class DibCanvas
{
public:
    DibCanvas(int cx, int cy, COLORREF clrFill = qvx_test::CMemorySurface::kInitialColour) : m_surface(cx, cy)
    {
        m_dc.Attach(m_surface.DC());
        Fill(clrFill);
    }
    ~DibCanvas() { m_dc.Detach(); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    HDC Hdc() const { return m_surface.DC(); }
    HBITMAP Bitmap() const { return m_surface.Bitmap(); }
    void Fill(COLORREF clr) { m_surface.Clear(clr); }
    // The pixel as a COLORREF, read from the bits.
    COLORREF Pixel(int x, int y) const { return m_surface.Pixel(x, y); }

private:
    qvx_test::CMemorySurface m_surface;
    CDC m_dc;
};

// Puts the fixture visual-styles library behind both theme tables for the life of the object,
// then gives the tables back to the system's library.
class FixtureThemeLibrary
{
public:
    FixtureThemeLibrary()
    {
        m_hModule = ::LoadLibraryA(FixturePath("tk_fx_theme.dll").c_str());
        auto get = reinterpret_cast<PFNTKFXTHEMESTATE>(
            reinterpret_cast<void*>(::GetProcAddress(m_hModule, "TkFxGetThemeState")));
        m_pState = get ? get() : nullptr;
        if (m_pState)
            Reset();
        const std::string path = FixturePath("tk_fx_theme.dll");
        CXTPWinThemeWrapper::ResetSharedTable(0, path.c_str(), MAKELONG(0, 6));
        CXTPWinThemeWrapper::ResetSharedTable(1, path.c_str(), MAKELONG(0, 6));
    }
    ~FixtureThemeLibrary()
    {
        CXTPWinThemeWrapper::ResetSharedTable(0, "UXTHEME.DLL");
        CXTPWinThemeWrapper::ResetSharedTable(1, "UXTHEME.DLL");
        // The tables keep their own reference (they never free the module); this one is ours.
        ::FreeLibrary(m_hModule);
    }
    FixtureThemeLibrary(const FixtureThemeLibrary&) = delete;
    FixtureThemeLibrary& operator=(const FixtureThemeLibrary&) = delete;

    TkFxThemeState* State() { return m_pState; }
    void Reset()
    {
        ZeroMemory(m_pState, sizeof *m_pState);
        m_pState->nNextTheme = 0x100;
    }
    // An active style of that file and colour name.
    void SetStyle(const wchar_t* file, const wchar_t* color)
    {
        m_pState->bThemeActive = TRUE;
        lstrcpynW(m_pState->szFileName, file, MAX_PATH);
        lstrcpynW(m_pState->szColorName, color, MAX_PATH);
    }

private:
    HMODULE m_hModule = nullptr;
    TkFxThemeState* m_pState = nullptr;
};
} // namespace tk_test
